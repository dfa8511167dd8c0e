#include "platform/encoding.h"

#include <array>
#include <cstdint>

namespace {

// Unicode code points of the cp1252 bytes 0x80..0x9F.
constexpr std::array<std::uint16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::uint32_t code_point(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHigh[byte - 0x80];
    }
    return byte;
}

// Bytes of the UTF-8 form of a code point of the Basic Multilingual Plane.
std::size_t utf8_length(std::uint32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : 3; }

void append_utf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char to_cp1252(std::uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

// Length of the well-formed UTF-8 sequence at `pos` and its code point; 0 when malformed.
std::size_t decode(std::string_view text, std::size_t pos, std::uint32_t& cp) {
    const auto b0 = static_cast<unsigned char>(text[pos]);
    std::size_t n = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3;
        cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4;
        cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (pos + n > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < n; ++i) {
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if ((b & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    const std::uint32_t min = n == 2 ? 0x80 : n == 3 ? 0x800 : 0x10000;
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return n;
}

}  // namespace

std::string cp1252_to_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::size_t pos = 0;
    while (pos < text.size()) {
        // A run of ASCII goes over as it is.
        std::size_t end = pos;
        while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80) {
            ++end;
        }
        out.append(text, pos, end - pos);
        if (end < text.size()) {
            append_utf8(out, code_point(static_cast<unsigned char>(text[end])));
            ++end;
        }
        pos = end;
    }
    return out;
}

std::string_view cp1252_fitting_utf8(std::string_view text, std::size_t utf8_bytes) {
    std::size_t used = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        used += utf8_length(code_point(static_cast<unsigned char>(text[i])));
        if (used > utf8_bytes) {
            return text.substr(0, i);
        }
    }
    return text;
}

std::string utf8_to_cp1252(std::string_view text) {
    char32_t lost = 0;
    return utf8_to_cp1252(text, lost);
}

std::string utf8_to_cp1252(std::string_view text, char32_t& lost) {
    lost = 0;
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto b = static_cast<unsigned char>(text[pos]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++pos;
            continue;
        }
        std::uint32_t cp = 0;
        const std::size_t n = decode(text, pos, cp);
        if (n == 0) {
            out += static_cast<char>(b);
            ++pos;
        } else {
            const char byte = to_cp1252(cp);
            if (byte == '?' && lost == 0) {
                lost = cp;
            }
            out += byte;
            pos += n;
        }
    }
    return out;
}

bool is_utf8_beyond_ascii(std::string_view bytes) {
    bool beyond = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        std::uint32_t cp = 0;
        const std::size_t n = decode(bytes, pos, cp);
        if (n == 0) {
            return false;
        }
        beyond = true;
        pos += n;
    }
    return beyond;
}

char32_t first_lacking_cp1252(std::string_view utf8) {
    char32_t lost = 0;
    utf8_to_cp1252(utf8, lost);
    return lost;
}

std::string code_point_text(char32_t code_point) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string digits;
    for (auto value = static_cast<std::uint32_t>(code_point); value != 0 || digits.size() < 4; value >>= 4) {
        digits.insert(digits.begin(), kDigits[value & 0xF]);
    }
    return "U+" + digits;
}

char32_t cp1252_code_point(unsigned char byte) { return code_point(byte); }

char cp1252_from_code_point(char32_t code_point) { return to_cp1252(code_point); }

std::optional<std::u16string> utf8_to_utf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto b = static_cast<unsigned char>(text[pos]);
        std::uint32_t cp = b;
        std::size_t n = 1;
        if (b >= 0x80) {
            n = decode(text, pos, cp);
            if (n == 0) {
                return std::nullopt;
            }
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        pos += n;
    }
    return out;
}

std::optional<std::string> utf16_to_utf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) {
                return std::nullopt;
            }
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            return std::nullopt;
        }
        if (cp < 0x10000) {
            append_utf8(out, cp);
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}
