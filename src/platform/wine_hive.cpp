#include "platform/wine_hive.h"

#include "platform/case_fold.h"
#include "platform/encoding.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <vector>

namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool is_high_surrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Reads the "\x" escape whose "x" stands at `pos`: up to four hex digits.
char32_t read_hex_unit(std::string_view text, std::size_t& pos) {
    ++pos;
    char32_t unit = 0;
    for (int n = 0; n < 4 && pos < text.size() && hex_digit(text[pos]) >= 0; ++n, ++pos) {
        unit = unit * 16 + static_cast<char32_t>(hex_digit(text[pos]));
    }
    return unit;
}

// Turns a sequence of UTF-16 units into cp1252 bytes; a pair of surrogates is one
// character, a lone surrogate an unknown one.
class Utf16ToCp1252 {
public:
    void add(char32_t unit) {
        if (high_ != 0) {
            const char32_t high = high_;
            high_ = 0;
            if (is_low_surrogate(unit)) {
                out_ += cp1252_from_code_point(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
                return;
            }
            out_ += '?';
        }
        if (is_high_surrogate(unit)) {
            high_ = unit;
        } else if (is_low_surrogate(unit)) {
            out_ += '?';
        } else {
            out_ += cp1252_from_code_point(unit);
        }
    }
    void add_raw(std::string_view bytes) {
        if (bytes.empty()) {
            return;
        }
        flush();
        out_ += utf8_to_cp1252(bytes);
    }
    std::string take() {
        flush();
        return std::move(out_);
    }

private:
    void flush() {
        if (high_ != 0) {
            out_ += '?';
            high_ = 0;
        }
    }
    std::string out_;
    char32_t high_ = 0;
};

// Unescapes the text from `pos` up to the unescaped `end` character (not included)
// into cp1252; `pos` is left on that character. False when it never comes.
bool unescape_until(std::string_view text, std::size_t& pos, char end, std::string& out) {
    Utf16ToCp1252 conv;
    std::size_t run = pos;
    while (pos < text.size() && text[pos] != end) {
        if (text[pos] != '\\') {
            ++pos;
            continue;
        }
        conv.add_raw(text.substr(run, pos - run));
        ++pos;
        if (pos >= text.size()) {
            break;
        }
        const char c = text[pos];
        if (c == 'x') {
            conv.add(read_hex_unit(text, pos));
        } else if (c >= '0' && c <= '7') {
            char32_t unit = 0;
            for (int n = 0; n < 3 && pos < text.size() && text[pos] >= '0' && text[pos] <= '7'; ++n, ++pos) {
                unit = unit * 8 + static_cast<char32_t>(text[pos] - '0');
            }
            conv.add(unit);
        } else {
            switch (c) {
                case 'a': conv.add(7); break;
                case 'b': conv.add(8); break;
                case 'e': conv.add(27); break;
                case 'f': conv.add(12); break;
                case 'n': conv.add(10); break;
                case 'r': conv.add(13); break;
                case 't': conv.add(9); break;
                case 'v': conv.add(11); break;
                default: conv.add(static_cast<unsigned char>(c)); break;
            }
            ++pos;
        }
        run = pos;
    }
    conv.add_raw(text.substr(run, pos - run));
    out = conv.take();
    return pos < text.size();
}

std::vector<std::string> split_key(std::string_view key) {
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos <= key.size()) {
        std::size_t end = key.find('\\', pos);
        if (end == std::string_view::npos) {
            end = key.size();
        }
        if (end > pos) {
            parts.emplace_back(key.substr(pos, end - pos));
        }
        pos = end + 1;
    }
    return parts;
}

enum class SectionMatch { other, below, same };

SectionMatch match_section(const std::vector<std::string>& section, const std::vector<std::string>& wanted) {
    if (section.size() < wanted.size()) {
        return SectionMatch::other;
    }
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (!equal_ignoring_case_cp1252(section[i], wanted[i])) {
            return SectionMatch::other;
        }
    }
    return section.size() == wanted.size() ? SectionMatch::same : SectionMatch::below;
}

bool is_string_type(std::uint32_t type) {
    return type == kRegString || type == kRegExpandString || type == kRegMultiString;
}

// Parses comma-separated hex bytes ("01,ff,2a"); false on anything else.
bool parse_hex_bytes(std::string_view text, std::string& bytes) {
    bytes.clear();
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == ',')) {
            ++pos;
        }
        if (pos >= text.size()) {
            break;
        }
        if (pos + 1 >= text.size() || hex_digit(text[pos]) < 0 || hex_digit(text[pos + 1]) < 0) {
            return false;
        }
        bytes += static_cast<char>(hex_digit(text[pos]) * 16 + hex_digit(text[pos + 1]));
        pos += 2;
    }
    return true;
}

// The data of a value line after its "=".
bool parse_value_data(std::string_view data, HiveValue& value) {
    std::uint32_t type = kRegString;
    if (data.rfind("str(", 0) == 0 || data.rfind("hex(", 0) == 0) {
        const std::size_t close = data.find("):");
        if (close == std::string_view::npos) {
            return false;
        }
        type = 0;
        for (std::size_t i = 4; i < close; ++i) {
            const int d = hex_digit(data[i]);
            if (d < 0) {
                return false;
            }
            type = type * 16 + static_cast<std::uint32_t>(d);
        }
        const bool is_hex = data[0] == 'h';
        data.remove_prefix(close + 2);
        if (is_hex) {
            std::string raw;
            if (!parse_hex_bytes(data, raw)) {
                return false;
            }
            value.type = type;
            if (!is_string_type(type)) {
                value.bytes = std::move(raw);
                return true;
            }
            Utf16ToCp1252 conv;
            for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
                const auto low = static_cast<unsigned char>(raw[i]);
                const auto high = static_cast<unsigned char>(raw[i + 1]);
                conv.add(static_cast<char32_t>(low) | (static_cast<char32_t>(high) << 8));
            }
            value.bytes = conv.take();
            return true;
        }
    } else if (data.rfind("dword:", 0) == 0) {
        std::uint32_t number = 0;
        data.remove_prefix(6);
        if (data.empty() || data.size() > 8) {
            return false;
        }
        for (const char c : data) {
            if (hex_digit(c) < 0) {
                return false;
            }
            number = number * 16 + static_cast<std::uint32_t>(hex_digit(c));
        }
        value.type = kRegDword;
        value.bytes.clear();
        for (int i = 0; i < 4; ++i) {
            value.bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
        }
        return true;
    } else if (data.rfind("hex:", 0) == 0) {
        value.type = kRegBinary;
        return parse_hex_bytes(data.substr(4), value.bytes);
    }
    if (data.empty() || data[0] != '"') {
        return false;
    }
    std::size_t pos = 1;
    std::string text;
    if (!unescape_until(data, pos, '"', text)) {
        return false;
    }
    value.type = type;
    value.bytes = text + '\0';
    return true;
}

std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// What tells one state of a hive file from another: the file itself (device
// and inode: a file replaced by a rename is another one), its size and its
// modification and change times to the nanosecond.
struct HiveFileState {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const HiveFileState& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec &&
               changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
    }
};

// A hive's lines as read from its file in a given state; `settled` when the
// file was last changed well before it was read. A file changed within the
// granularity of its times (a few milliseconds) may change again without its
// times moving: such a file is read again at every lookup.
struct KeptHive {
    std::string path;
    HiveFileState state;
    bool settled = false;
    std::vector<std::string> lines;
};

// Changes this much older than the read cannot hide behind the same times.
constexpr time_t kSettledSeconds = 2;

bool settled_before_now(const timespec& changed) {
    timespec now{};
    return clock_gettime(CLOCK_REALTIME, &now) == 0 && now.tv_sec - changed.tv_sec > kSettledSeconds;
}

// The hives read so far (a prefix has two). A run looks values up in them
// again and again (user.reg some eight times); each lookup checks that the
// file is still in the state it was read in and reads it again when not, so a
// hive rewritten in place is never answered from its old lines.
std::vector<KeptHive> kept_hives;

// The lines of the hive file, read again only when the file changed; null
// when it cannot be read.
const std::vector<std::string>* hive_lines(const HostPath& hive_file) {
    struct stat info {};
    if (stat(hive_file.path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return nullptr;
    }
    const HiveFileState state{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
    auto kept = std::find_if(kept_hives.begin(), kept_hives.end(),
                             [&hive_file](const KeptHive& hive) { return hive.path == hive_file.path; });
    if (kept != kept_hives.end() && kept->settled && kept->state == state) {
        return &kept->lines;
    }
    TextFileReader reader(hive_file);
    if (!reader.is_open()) {
        return nullptr;
    }
    std::vector<std::string> lines;
    std::string line;
    while (reader.read_line(line)) {
        lines.push_back(line);
    }
    if (kept == kept_hives.end()) {
        kept = kept_hives.insert(kept_hives.end(), KeptHive{hive_file.path, {}, false, {}});
    }
    kept->state = state;
    kept->settled = settled_before_now(info.st_mtim) && settled_before_now(info.st_ctim);
    kept->lines = std::move(lines);
    return &kept->lines;
}

}  // namespace

void forget_kept_hives() { kept_hives.clear(); }

HiveLookup find_hive_value(const HostPath& hive_file, std::string_view key, std::string_view name, HiveValue& value) {
    const std::vector<std::string>* const lines = hive_lines(hive_file);
    if (lines == nullptr) {
        return HiveLookup::key_missing;
    }
    const std::vector<std::string> wanted = split_key(key);
    bool key_seen = false;
    bool in_key = false;
    for (std::size_t at = 0; at < lines->size(); ++at) {
        const std::string_view text = trim_blanks((*lines)[at]);
        if (text.empty()) {
            continue;
        }
        if (text[0] == '[') {
            std::size_t pos = 1;
            std::string section;
            unescape_until(text, pos, ']', section);
            const SectionMatch match = match_section(split_key(section), wanted);
            in_key = match == SectionMatch::same;
            key_seen = key_seen || match != SectionMatch::other;
            continue;
        }
        if (!in_key || (text[0] != '"' && text[0] != '@')) {
            continue;
        }
        std::string value_name;
        std::size_t pos = 1;
        if (text[0] == '"' && !unescape_until(text, pos, '"', value_name)) {
            continue;
        }
        if (text[0] == '"') {
            ++pos;
        }
        const std::size_t equals = text.find('=', pos);
        if (equals == std::string_view::npos || !equal_ignoring_case_cp1252(value_name, name)) {
            continue;
        }
        std::string data(trim_blanks(text.substr(equals + 1)));
        // Long binary data goes on over several lines, each ending with "\".
        while (data.size() > 0 && data.back() == '\\' && data[0] != '"' && data.rfind("str(", 0) != 0 &&
               at + 1 < lines->size()) {
            data.pop_back();
            data += trim_blanks((*lines)[++at]);
        }
        HiveValue parsed;
        if (parse_value_data(data, parsed)) {
            value = std::move(parsed);
            return HiveLookup::found;
        }
    }
    return key_seen ? HiveLookup::value_missing : HiveLookup::key_missing;
}
