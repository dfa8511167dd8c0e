#pragma once

// Keyboard shortcut codes as text and back. A code is modifiers * 10000 + key:
// the modifiers a sum of 1 Ctrl, 2 Shift, 4 Alt, 8 long press; the key a
// character code, or minus a keyboard scan code. The form kit writes the
// shortcut boxes of its values file with k2b; the conversion calls neither.

#include <string>
#include <string_view>

// The shortcut text: the prefixes "LONG+", "CTRL+", "SHFT+", "ALT+" (in that
// order, for the modifiers present), then the key: a printable character
// (codes 34 to 126) in double quotes, "SCN" and the scan code, or "ASC" and the
// code. A key of 0 gives "0" alone, without prefixes. lb = the length. Writes
// the modifiers and the key to the console.
void k2b(int kkk, std::string& buff, int& lb);

// The code read back from a text of k2b. A key that cannot be read counts as
// 0, as does a code beyond the range of int. Writes the text and the code to
// the console.
int b2k(std::string_view buff);
