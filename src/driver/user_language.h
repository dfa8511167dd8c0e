#pragma once

#include <string>
#include <string_view>

// The English or the French twin of a message text, as cmndta001.qfr says.
// French texts are cp1252 bytes.
std::string in_user_language(std::string_view english, std::string_view french);

// Sets cmndta001.qfr from the language setting tarvex01.nlang: 2 English,
// 3 French, anything else the user's interface language.
void apply_language_setting();
