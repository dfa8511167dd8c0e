#pragma once

// The texts of box values shared by the value checks, the accessors and the
// values file.

#include <string>
#include <string_view>

// A real box's value as text: "(F16.6)" when 0.001 <= |v| <= 1.0e6, else
// "(1PE16.9)", written by f2b (left-adjusted, trailing zeros dropped).
std::string real_box_text(float v);

// A colour text: "#" followed by six hexadecimal digits (either case; what
// follows them is not looked at) gives the colour red x 65536 + green x 256 +
// blue. False for any other text, colour unchanged.
bool read_colour_text(std::string_view text, int& colour);
