#include "platform/console.h"

#include "platform/encoding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include <unistd.h>

namespace {

std::optional<bool> forced_utf8;
// What the locale says, read once: the environment does not change during a run.
std::optional<bool> locale_utf8;

bool locale_says_utf8() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value == nullptr || value[0] == '\0') {
            continue;
        }
        std::string lower;
        for (const char* p = value; *p != '\0'; ++p) {
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
        }
        return lower.find("utf-8") != std::string::npos || lower.find("utf8") != std::string::npos;
    }
    return false;
}

bool is_ascii(std::string_view text) {
    // Eight bytes at a time: none of them has its high bit set.
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, sizeof word);
        if ((word & kHighBits) != 0) {
            return false;
        }
    }
    for (; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            return false;
        }
    }
    return true;
}

// Standard output into a file or a pipe goes out in large blocks: a
// conversion's trace is tens of thousands of lines, which the C library's
// default block would hand to the system 4 KiB at a time. A terminal keeps
// its line buffering. The C library ignores the size of a buffer it would
// allocate itself, hence one of its own; it stays for the whole run.
void buffer_stdout_once() {
    static bool buffered = false;
    if (buffered) {
        return;
    }
    buffered = true;
    if (::isatty(STDOUT_FILENO) == 0) {
        static std::array<char, 64 * 1024> block;
        std::setvbuf(stdout, block.data(), _IOFBF, block.size());
    }
}

// Writes the text, and `end` after it when not NUL.
void write_to(std::FILE* stream, std::string_view text, char end = '\0') {
    if (stream == stdout) {
        buffer_stdout_once();
    }
    if (console_is_utf8() && !is_ascii(text)) {
        std::string utf8 = cp1252_to_utf8(text);
        if (end != '\0') {
            utf8 += end;
        }
        std::fwrite(utf8.data(), 1, utf8.size(), stream);
        return;
    }
    // A line of usual length goes out with its end in one write.
    constexpr std::size_t kJoinedLine = 512;
    if (end != '\0' && text.size() < kJoinedLine) {
        std::array<char, kJoinedLine> line;
        std::copy(text.begin(), text.end(), line.begin());
        line[text.size()] = end;
        std::fwrite(line.data(), 1, text.size() + 1, stream);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stream);
    if (end != '\0') {
        std::fputc(end, stream);
    }
}

}  // namespace

bool console_is_utf8() {
    if (forced_utf8) {
        return *forced_utf8;
    }
    if (!locale_utf8) {
        locale_utf8 = locale_says_utf8();
    }
    return *locale_utf8;
}

void console_out(std::string_view text) { write_to(stdout, text); }

void console_err(std::string_view text) {
    std::fflush(stdout);
    write_to(stderr, text);
    std::fflush(stderr);
}

void console_line(std::string_view text) { write_to(stdout, text, '\n'); }

bool console_read_line(std::string& line, char32_t* lacking) {
    std::fflush(stdout);
    line.clear();
    int c = 0;
    bool any = false;
    while ((c = std::fgetc(stdin)) != EOF) {
        any = true;
        if (c == '\n') {
            break;
        }
        line += static_cast<char>(c);
    }
    if (!any || (c == EOF && std::ferror(stdin))) {
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    char32_t lost = 0;
    if (console_is_utf8()) {
        line = utf8_to_cp1252(line, lost);
    }
    if (lacking != nullptr) {
        *lacking = lost;
    }
    return true;
}

void set_console_utf8(bool utf8) { forced_utf8 = utf8; }

void clear_console_encoding() {
    forced_utf8.reset();
    locale_utf8.reset();
}
