#pragma once

// One number read list-directed (list_read.h) from a text that must hold it:
// false when the text is blank, is not a number, or gives no value at all
// (a leading "," or "/"), and the value is then left as it was.

#include <string_view>

bool read_one_real(std::string_view text, float& value);
bool read_one_int(std::string_view text, int& value);
