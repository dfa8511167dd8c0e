#include "platform/dialog_support.h"

#include <cctype>
#include <charconv>
#include <filesystem>
#include <system_error>
#include <utility>
#include <unistd.h>

namespace {

std::size_t last_separator(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash != std::string_view::npos ? slash : path.rfind('\\');
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower >= 'a' && lower <= 'f') {
        return lower - 'a' + 10;
    }
    return -1;
}

std::optional<unsigned char> hex_byte(std::string_view two) {
    const int high = hex_digit(two[0]);
    const int low = hex_digit(two[1]);
    if (high < 0 || low < 0) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(high * 16 + low);
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())) != 0) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::string getPathWithoutFinalSlash(std::string_view path) {
    const std::size_t sep = last_separator(path);
    return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep));
}

std::string getLastName(std::string_view path) {
    const std::size_t sep = last_separator(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ensureFinalSlash(std::string_view path, char separator) {
    std::string out(path);
    if (!out.empty() && out.back() != separator) {
        out += separator;
    }
    return out;
}

bool filenameValid(std::string_view name) {
    return !name.empty() && name.find_first_of("\\/:*?\"<>|") == std::string_view::npos;
}

bool dirExists(std::string_view path) {
    if (path.empty()) {
        return true;
    }
    if (path.size() == 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])) != 0) {
        return true;
    }
    return isFolder(path);
}

bool isFolder(std::string_view path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(std::filesystem::path(path), ec);
}

bool fileExists(std::string_view path) {
    if (path.empty()) {
        return false;
    }
    const std::string text(path);
    return !isFolder(text) && ::access(text.c_str(), R_OK) == 0;
}

std::string ensureFilesExist(std::string_view list) {
    std::vector<std::string> existing;
    for (std::string& name : split_path_list(list)) {
        if (fileExists(name)) {
            existing.push_back(std::move(name));
        }
    }
    return join_texts(existing, "|");
}

std::string getCurDir() {
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::current_path(ec);
    return ec ? std::string() : dir.string();
}

std::string RGB2Hex(const Rgb& rgb) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out = "#";
    for (const unsigned char byte : rgb) {
        out += kDigits[byte >> 4];
        out += kDigits[byte & 0x0F];
    }
    return out;
}

std::optional<Rgb> Hex2RGB(std::string_view hex) {
    if (hex.size() != 7 || hex[0] != '#') {
        return std::nullopt;
    }
    Rgb rgb{};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::optional<unsigned char> byte = hex_byte(hex.substr(1 + 2 * i, 2));
        if (!byte) {
            return std::nullopt;
        }
        rgb[i] = *byte;
    }
    return rgb;
}

std::optional<Rgb> parse_colour_answer(std::string_view text) {
    text = trim(text);
    if (text.size() == 13 && text[0] == '#') {
        // Sixteen bits per component: the high byte of each.
        const std::string short_form = std::string("#") + std::string(text.substr(1, 2)) +
                                       std::string(text.substr(5, 2)) + std::string(text.substr(9, 2));
        for (const char c : text.substr(1)) {
            if (hex_digit(c) < 0) {
                return std::nullopt;
            }
        }
        return Hex2RGB(short_form);
    }
    if (!text.empty() && text[0] == '#') {
        return Hex2RGB(text);
    }
    std::string_view rest;
    if (text.rfind("rgba(", 0) == 0) {
        rest = text.substr(5);
    } else if (text.rfind("rgb(", 0) == 0) {
        rest = text.substr(4);
    } else {
        return std::nullopt;
    }
    Rgb rgb{};
    for (std::size_t i = 0; i < 3; ++i) {
        rest = trim(rest);
        int value = -1;
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
        if (error != std::errc() || value < 0 || value > 255) {
            return std::nullopt;
        }
        rgb[i] = static_cast<unsigned char>(value);
        rest = trim(rest.substr(static_cast<std::size_t>(end - rest.data())));
        // Two commas between the components; after the third a ")" or, with alpha, a comma.
        const bool separated = !rest.empty() && (rest[0] == ',' || (i == 2 && rest[0] == ')'));
        if (!separated) {
            return std::nullopt;
        }
        rest.remove_prefix(1);
    }
    return rgb;
}

std::string join_texts(const std::vector<std::string>& texts, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) {
            out += separator;
        }
        out += texts[i];
    }
    return out;
}

std::vector<std::string> split_path_list(std::string_view list) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = list.find('|', start);
        parts.emplace_back(list.substr(start, bar == std::string_view::npos ? bar : bar - start));
        if (bar == std::string_view::npos) {
            return parts;
        }
        start = bar + 1;
    }
}
