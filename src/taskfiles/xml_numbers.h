#pragma once

// Number texts of the XML task files: a number written with a fixed format and
// then left-adjusted, every decimal kept.

#include <string>

// An integer written with "(I10)", left-adjusted.
std::string xml_int(long long value);

// A real written with "(Fw.d)", left-adjusted.
std::string xml_real(double value, int w, int d);
