#pragma once

// English key names by keyboard scan code, in the style Windows names them
// on a US keyboard ("Esc", "Backspace", "Enter", "Ctrl", "Right Shift",
// "Page Up", "Num 0", "F5"). Extended keys carry 256 on top of their scan
// code ("Right Ctrl" is 256 + 29, "Delete" 256 + 83).

#include <string>

// The name of a key; empty when the scan code names no key.
std::string cpw_keyname(int scancode);
