#pragma once

#include "foundation/path_length.h"

#include <cstddef>
#include <string>
#include <string_view>

// The settings file "Tarvex.ini" (path tarvex_c.inifile): key=value lines
// under "#" comment lines, read into the option records and written back from
// them with every key and its comments. The keys, their comments and the
// members they hold are the table of driver/settings_keys.h.

// Lines are read up to this many characters, values up to a path's 256, so
// that whatever create_ini writes reads back.
inline constexpr std::size_t kIniLineLength = 1024;
inline constexpr std::size_t kIniKeyLength = 80;
inline constexpr std::size_t kIniValueLength = kPathLength;

// Results of read_ini.
inline constexpr int kSettingsRead = 0;
inline constexpr int kSettingsMissingData = 2;

// Reads the settings file into the options.
// - qverb, qaat_0, qwrnc1: the file's verbose, AAT and Condor 1 warning
//   switches, set only when the file says so; nv1: the "Tarvex Version" that
//   wrote the file, left as it was when the key is absent.
// - qlin1: console mode for the messages of this routine.
// Result kSettingsMissingData (with an error message, logged) when the Condor
// folder or every task destination is "XXXXX", else kSettingsRead. A file of
// version 3899 or older has its single destination moved to the target's key
// (information message, logged). A file that cannot be opened or read ends the
// run with an error, logged (exit code 3), and so does the first value the
// program cannot use (setting_refusal of settings_keys.h): "*** File <file> :
// <key>=<value> : <reason> ***", told once the whole file is read, in the
// language the file asks for. When the file cannot be opened or
// read, or holds no setting at all (it is empty), the message also names the
// newest numbered backup beside it that holds something ("The last settings
// are in ...").
int read_ini(bool& qverb, bool qlin1, bool& qaat_0, bool& qwrnc1, int& nv1);

// Writes the settings file from the options. Each task destination still
// "XXXXX" is asked for in a folder dialog; then, holding the installation's
// lock, the existing file is kept under the first free "Tarvex_NNNN.ini"
// (0000 to 9999) of its folder, written from its bytes as read (an empty file
// needs none), and the file is written whole; the success is told
// (information, logged). qverb is written as "verbose" and traces the backup
// names tried; qaat_0 is the AAT switch written unless qaat_detect asks for
// detection; qwrnc1 is not used; nv1 is written as "Tarvex Version".
// Returns 0 when the file was written. Otherwise (no free backup name, a
// backup or the file that cannot be written) the old file keeps its bytes, the
// failure is told as an error, logged and noted as a file not written
// (foundation/unwritten_files.h), and its status returned.
int create_ini(bool qlin1, bool qverb, bool qaat_0, bool qwrnc1, int nv1);

// Asks for the task folder of the target software `nam` ("XCsoar", "LK8000",
// "SeeYou") in a folder dialog. Cancelled, or a folder that does not fit a
// path field (told as an error, logged): path is blank and the user is told
// (information, logged).
void get_dest_path(std::string_view nam, std::string& path);
