#pragma once

#include <string>

// A truth value in the driver's console trace lines: "T" or "F".
inline std::string trace_flag(bool value) { return value ? "T" : "F"; }
