#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/files.h"

// Reading of Wine's text registry hives ("WINE REGISTRY Version 2", the files
// user.reg and system.reg of a Wine prefix):
//
//   [Software\\Condor3] 1700000000
//   #time=1da2b3c4d5e6f70
//   "InstallDir"="C:\\Condor3"
//   "Personal"=str(2):"%USERPROFILE%\\Documents"
//   "Flags"=dword:00000001
//   "Data"=hex:01,02,03
//   @="default value"
//
// Long binary data continue on the next line after a final backslash.
// Key paths are written with "\\" between keys; strings use C-like escapes, "\x"
// followed by up to four hex digits standing for one UTF-16 unit. Keys and value
// names are compared without regard to case.

// Registry value types as Windows numbers them.
enum : std::uint32_t {
    kRegNone = 0,
    kRegString = 1,
    kRegExpandString = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiString = 7,
};

// A value as a program using the code-page interface of the registry receives it:
// string types as cp1252 text followed by their terminating NUL (a multi-string
// keeps its inner NULs), every other type as its raw bytes.
struct HiveValue {
    std::uint32_t type = kRegNone;
    std::string bytes;
};

enum class HiveLookup {
    key_missing,    // the hive cannot be read or holds no such key
    value_missing,  // the key exists but has no value of that name
    found,
};

// Looks up value `name` ("" for the key's default value) of key `key` (cp1252,
// keys separated by "\"; empty parts are ignored) in the hive file. A key exists
// when it has a section of its own or a section below it.
HiveLookup find_hive_value(const HostPath& hive_file, std::string_view key, std::string_view name, HiveValue& value);

// Lookups keep each hive's lines while its file stays as it was (same file,
// size and times); this forgets them (the platform layer's reset).
void forget_kept_hives();
