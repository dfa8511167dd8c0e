#pragma once

#include <array>
#include <string_view>

// The form files of the program's forms, in the program's folder: the
// conversion form and the setup form, in English and in French. The forms
// read them; no output of a conversion may replace one.
inline constexpr std::string_view kFormFile = "Tarvex_form.frm";
inline constexpr std::string_view kFrenchFormFile = "Tarvex_form_FR.frm";
inline constexpr std::string_view kSetupFormFile = "Tarvex_Setup_form.frm";
inline constexpr std::string_view kFrenchSetupFormFile = "Tarvex_Setup_form_FR.frm";
inline constexpr std::array<std::string_view, 4> kFormFiles = {kFormFile, kFrenchFormFile, kSetupFormFile,
                                                               kFrenchSetupFormFile};
