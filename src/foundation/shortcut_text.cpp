#include "foundation/shortcut_text.h"

#include "foundation/fixed_text.h"
#include "foundation/list_read.h"
#include "foundation/number_text.h"
#include "platform/console.h"

#include <climits>

namespace {

struct Modifier {
    int bit;
    std::string_view prefix;
};

// The order in which the prefixes are written and read.
constexpr Modifier kModifiers[] = {{8, "LONG+"}, {1, "CTRL+"}, {2, "SHFT+"}, {4, "ALT+"}};

constexpr std::size_t kB2kTextLength = 128;

// The number after "SCN", "ASC", or alone; 0 when it cannot be read.
int key_number(std::string_view text) {
    int key = 0;
    if (list_read(text, key) != kReadOk) {
        return 0;
    }
    return key;
}

}  // namespace

void k2b(int kkk, std::string& buff, int& lb) {
    int modifiers = kkk / 10000;
    int key = kkk % 10000;
    if (key > 5000) {
        modifiers += 1;
        key -= 10000;
    }
    console_line("k2b: modifiers " + std::to_string(modifiers) + " key " + std::to_string(key));
    std::string text;
    if (key == 0) {
        text = "0";
    } else {
        for (const Modifier& modifier : kModifiers) {
            if ((modifiers & modifier.bit) != 0) {
                text += modifier.prefix;
            }
        }
        if (key < 0) {
            text += "SCN" + i2b(-key);
        } else if (key >= 34 && key <= 126) {
            text += '"';
            text += static_cast<char>(key);
            text += '"';
        } else {
            text += "ASC" + i2b(key);
        }
    }
    buff = left_adjust(text);
    lb = static_cast<int>(buff.size());
}

int b2k(std::string_view buff) {
    std::string text = left_adjust(buff.substr(0, std::min(buff.size(), kB2kTextLength)));
    long long modifiers = 0;
    for (const Modifier& modifier : kModifiers) {
        if (text.starts_with(modifier.prefix)) {
            modifiers += modifier.bit;
            text.erase(0, modifier.prefix.size());
        }
    }
    long long key = 0;
    if (text.size() == 3 && text.front() == '"' && text.back() == '"') {
        key = static_cast<unsigned char>(text[1]);
    } else if (text.starts_with("SCN")) {
        key = -static_cast<long long>(key_number(std::string_view(text).substr(3)));
    } else if (text.starts_with("ASC")) {
        key = key_number(std::string_view(text).substr(3));
    } else {
        key = key_number(text);
    }
    long long code = key + modifiers * 10000;
    if (code > INT_MAX || code < INT_MIN) {
        code = modifiers * 10000;
    }
    console_line("b2k: [" + std::string(buff) + "] -> " + std::to_string(code));
    return static_cast<int>(code);
}
