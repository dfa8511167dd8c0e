#pragma once

// The OpenGL extensions of the current GL context: their names one by one,
// and whether one is supported. Both need a window (error 13 without one).
// The list holds at most 200 names (the first ones of the driver's string);
// the support test searches the driver's whole string.

#include "cpw/types.h"

#include <array>
#include <string_view>

inline constexpr int cpw_extensions_max = 200;

struct CpwExtensions {
    std::array<StringContext*, cpw_extensions_max> names;
    int count;
    int index;   // the next name cpwIterateExtensions hands out
    bool built;  // the list has been read from the driver
};

// The next extension name, null at the end of the list or with error 13.
const char* cpwIterateExtensions(CpwContext* ctx);
int cpwIterateExtensionsReset(CpwContext* ctx);  // starts again from the first name: 1, or 0 with error 13
// 1 when the name is one of the extensions, 0 when not, or with error 13 or
// 3 (a null name).
int cpwExtensionSupport(CpwContext* ctx, const char* name);

// ---- rules and module steps ----
// Fills the list from an extension string (names split at blanks), keeping at
// most cpw_extensions_max names.
void cpw_extensions_split(CpwExtensions& list, std::string_view all);
// Whether `name` is one of the blank-separated names of `all` (whole names only).
bool cpw_extensions_contains(std::string_view all, std::string_view name);

bool cpw_extensions_init(CpwContext* ctx);
void cpw_extensions_exit(CpwContext* ctx);  // frees the names and the record
