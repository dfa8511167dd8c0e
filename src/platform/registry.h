#pragma once

#include <string>

// The registry of the Wine prefix Condor runs in, read from its text hives
// ($WINEPREFIX/user.reg for the current user). No Wine program is run for it.

// Status numbers of the registry interface.
constexpr int kRegistryOk = 0;
constexpr int kRegistryNotFound = 2;   // no such key, or no such value
constexpr int kRegistryMoreData = 234; // the value does not fit the 255-byte buffer

// Reads the value `name` of the key `subkey` (cp1252, keys separated by "\", case
// ignored) of the current user's hive; with `len` negative of the classes hive
// (the user's "Software\Classes" keys first, then the machine's).
// - The key does not exist: returns kRegistryNotFound; `outval` and `len` untouched.
// - The key exists but the value does not, or is longer than 255 bytes: returns 0
//   and leaves `outval` and `len` untouched (callers preset `len` to 0 and take a 0
//   as "no value").
// - Otherwise returns 0, `len` = the value's byte count (a string counts its
//   terminating NUL, so "C:\Condor3" gives 11) and `outval` = the value: the text of
//   a string value (an expandable string as written, "%USERPROFILE%" unexpanded),
//   the raw bytes of any other type.
// Writes its trace lines on the console.
int RdUsrReg(const std::string& subkey, const std::string& name, std::string& outval, int& len);
