#include "cpw/keymouse.h"

#include <string_view>

namespace {

// Codes 41-50 and 57-68, unshifted and shifted, on the US layout.
constexpr std::string_view digits = "1234567890";
constexpr std::string_view shifted_digits = "!@#$%^&*()";
constexpr std::string_view punctuation = "-=[];`',./\\ ";
constexpr std::string_view shifted_punctuation = "_+{}:~\"<>?| ";

}  // namespace

int cpw_keymouse_translatekeyconstant(int code, int shift) {
    if (code >= cpw_key_1 && code <= cpw_key_0) {
        const auto i = static_cast<std::size_t>(code - cpw_key_1);
        return static_cast<unsigned char>(shift != 0 ? shifted_digits[i] : digits[i]);
    }
    if (code >= cpw_key_minus && code <= cpw_key_space) {
        const auto i = static_cast<std::size_t>(code - cpw_key_minus);
        return static_cast<unsigned char>(shift != 0 ? shifted_punctuation[i] : punctuation[i]);
    }
    if (code >= cpw_key_a && code <= cpw_key_z) {
        return (shift != 0 ? 'A' : 'a') + (code - cpw_key_a);
    }
    return 0;
}

int cpw_keymouse_keyofcharacter(int character) {
    if (character >= 'a' && character <= 'z') {
        return cpw_key_a + (character - 'a');
    }
    if (character >= 'A' && character <= 'Z') {
        return cpw_key_a + (character - 'A');
    }
    if (character <= 0 || character > 127) {
        return 0;
    }
    const char c = static_cast<char>(character);
    if (const auto i = digits.find(c); i != std::string_view::npos) {
        return cpw_key_1 + static_cast<int>(i);
    }
    if (const auto i = punctuation.find(c); i != std::string_view::npos) {
        return cpw_key_minus + static_cast<int>(i);
    }
    return 0;
}
