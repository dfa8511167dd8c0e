#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between the program's text (Windows code page 1252 bytes) and
// UTF-8, used at the edges: host file names, the console, and the file formats
// that are UTF-8 by definition.

// Every cp1252 byte maps to one character; the five bytes cp1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
std::string cp1252_to_utf8(std::string_view text);

// Characters without a cp1252 byte become '?'; a malformed UTF-8 sequence is
// taken as cp1252 bytes as they stand (so already-cp1252 text passes through).
std::string utf8_to_cp1252(std::string_view text);
// The same; `lost` receives the first character that became '?', 0 when none did.
std::string utf8_to_cp1252(std::string_view text, char32_t& lost);

// True when the bytes are well-formed UTF-8 holding a byte above 127: a text
// whose letters beyond ASCII are UTF-8 (cp1252 text beyond ASCII is next to
// never well-formed UTF-8).
bool is_utf8_beyond_ascii(std::string_view bytes);

// The byte-order mark a UTF-8 file may begin with; it is no text.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The first character of a UTF-8 text that code page 1252 lacks (the one
// utf8_to_cp1252 turns into "?"); 0 when the text has none.
char32_t first_lacking_cp1252(std::string_view utf8);

// How a message names a character it cannot hold: "U+0101" (at least four
// hexadecimal digits, upper case).
std::string code_point_text(char32_t code_point);

// The longest beginning of a cp1252 text whose UTF-8 form takes at most
// `utf8_bytes` bytes: the text is cut between characters, never inside one
// (a letter with an accent takes two bytes, the euro sign three).
std::string_view cp1252_fitting_utf8(std::string_view text, std::size_t utf8_bytes);

// The Unicode code point of a cp1252 byte (the undefined bytes give the C1
// control of the same value, as above).
char32_t cp1252_code_point(unsigned char byte);

// The cp1252 byte of a Unicode code point; '?' when code page 1252 has none.
char cp1252_from_code_point(char32_t code_point);

// Well-formed UTF-8 to UTF-16 (surrogate pairs above U+FFFF) and back; nothing
// when the input is malformed (a cut or overlong sequence, a lone surrogate).
std::optional<std::u16string> utf8_to_utf16(std::string_view text);
std::optional<std::string> utf16_to_utf8(std::u16string_view text);
