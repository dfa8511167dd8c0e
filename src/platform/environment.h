#pragma once

#include <string>

// Facts about the process and its user, the way a Windows program asks for them,
// answered on Linux with Condor's Wine prefix in mind. Texts are cp1252.

// The environment variable `name` (case ignored, as Windows does), into `value`
// when it fits a buffer of `len` characters with its terminating NUL.
// Results: the value's length when it was stored; the size it needs (length + 1)
// when `len` is too small, `value` untouched; 0 when no such variable exists,
// `value` untouched.
// The real environment is read first. The Windows variables Linux does not have are
// derived from the Wine prefix: USERPROFILE is "C:\users\<user>" for the user
// $USER when the prefix has drive_c/users/<user>, else for the one folder of
// drive_c/users other than "Public"; with it USERNAME, HOMEDRIVE, HOMEPATH, APPDATA,
// LOCALAPPDATA, and the fixed PUBLIC, ALLUSERSPROFILE, ProgramData, SystemDrive,
// SystemRoot and windir of a Wine prefix.
int MyGetEnv(const std::string& name, std::string& value, int len);

// The program's own file as a Windows path (from /proc/self/exe, through
// map_from_host), into `path` when it fits a buffer of `len` characters with its
// NUL. Returns the number of characters stored, 0 when the path cannot be had or
// does not fit (`path` then untouched).
int GetExePath(std::string& path, int len);

// The program's own file as a host path (/proc/self/exe); empty when it cannot be had.
std::string exe_host_path();

// 1 when the user's interface language is French, else 0. The first of LANGUAGE,
// LC_ALL, LC_MESSAGES and LANG that is set and not empty decides: French when it
// starts with the language code "fr" ("fr", "fr_CA.UTF-8", "fr-CH", "fr:en").
int IsLanguageFrench();

// Writes the console trace of the start-up's console decision and leaves the
// terminal alone: a Linux program cannot hide the terminal it runs in. The trace
// counts 2 processes on the console when standard output is a terminal (started
// from a shell), else 1.
void HideConsole();

// Suspends the program for `dwMilliseconds` milliseconds (nothing for 0 or less).
void My_Sleep(int dwMilliseconds);
