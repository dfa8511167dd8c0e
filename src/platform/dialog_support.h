#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text and file checks shared by the dialog back ends. The path checks work on
// host paths (the dialogs' answers before they enter the program).

using Rgb = std::array<unsigned char, 3>;

// The text before the last "/", or without one before the last "\"; empty when there is neither.
std::string getPathWithoutFinalSlash(std::string_view path);

// The text after that same separator; the whole text when there is none.
std::string getLastName(std::string_view path);

// Appends `separator` to a non-empty text that does not end with it.
std::string ensureFinalSlash(std::string_view path, char separator);

// Non-empty and none of \ / : * ? " < > |.
bool filenameValid(std::string_view name);

// The path is empty, a drive ("X:"), or an existing folder.
bool dirExists(std::string_view path);

// The path names an existing folder (a drive alone does not count).
bool isFolder(std::string_view path);

// The path names an existing file (not a folder) that can be opened for reading.
bool fileExists(std::string_view path);

// The names of a "|" list that pass fileExists, joined again by "|".
std::string ensureFilesExist(std::string_view list);

// The current folder.
std::string getCurDir();

// Three bytes as "#rrggbb" (lower-case hexadecimal).
std::string RGB2Hex(const Rgb& rgb);

// "#rrggbb" (either case) to three bytes; nothing unless the text is exactly
// "#" and six hexadecimal digits.
std::optional<Rgb> Hex2RGB(std::string_view hex);

// A colour as graphic toolkits print it: "#rrggbb", "#rrrrggggbbbb",
// "rgb(r,g,b)" or "rgba(r,g,b,a)" with components 0 to 255.
std::optional<Rgb> parse_colour_answer(std::string_view text);

// The texts joined by `separator`.
std::string join_texts(const std::vector<std::string>& texts, std::string_view separator);

// The parts of a list of paths separated by "|" (one part when there is none).
std::vector<std::string> split_path_list(std::string_view list);
