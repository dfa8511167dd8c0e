#pragma once

// The program's log file. Every message is echoed on the console after " >>> "
// and appended to the log, which is opened for each message and closed again,
// so no file handle is held between messages. Lines are cp1252 bytes ending
// with CR LF.
//
// Entries:
// - A text that begins "{E}", "{W}" or "{I}" is framed: the ERROR, WARNING or
//   INFO banner line, the text after the tag, and the closing line.
// - "/" and a line feed break the text into log lines; each line loses its
//   trailing blanks and keeps its leading ones. "\/" stands for a plain "/".
// - A text enclosed in double quotes is written as one line without the
//   quotes and without breaks.
// - A blank text is a line holding one blank.
// - Only the first 1024 characters after the tag are logged.
//
// A text that begins "CREATE" is a request, not a message: "CREATE" followed by
// a file name starts that file as the new log (emptied, with the date and time
// on its first line and an empty second line); "CREATE" alone, or
// "CREATE-SEND-NAME", names the new log after the program and the date
// ("Tarvex_2024_05_01-13_45_09.log"). Texts that may begin with data from
// outside the program (a file name, a line read from a file) go through
// log_message_text, which never reads them as a request.
//
// Before the first CREATE request the log is "Logfile.txt" in the current folder.

#include "foundation/path_length.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Longest text logged after the tag.
inline constexpr std::size_t kLogBodyLength = 1024;
// Capacity of the log file name.
inline constexpr std::size_t kLogNameLength = kPathLength;

// The banners and the closing line of framed entries.
inline constexpr std::string_view kLogErrorBanner =
    "+ ERROR +-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-";
inline constexpr std::string_view kLogWarningBanner =
    "+ WARNING +-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-";
inline constexpr std::string_view kLogInfoBanner =
    "+ INFO +-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-";
inline constexpr std::string_view kLogClosingLine =
    "+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-";

// Writes one message to the console and the log, or carries out a CREATE
// request. For "CREATE-SEND-NAME" the name of the new log is stored back into msg.
void log_message_f(std::string& msg);
void log_message_f(std::string_view msg);

// The entry for NUL-terminated texts (the C side of the forms, the airspace
// copy): at most 1024 characters up to the NUL, logged as a message. It never
// starts a new log.
void log_message(const char* string);

// Writes one message to the console and the log, even when it begins "CREATE".
void log_message_text(std::string_view msg);

// Local date and time as the log writes them.
struct LogDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The clock behind CREATE requests. Tests install a fixed one; an empty
// function restores the real local clock.
using LogClock = std::function<LogDateTime()>;
void set_log_clock(LogClock clock);

// Local date and time by the log's clock: the dates of files named after the
// moment they are written.
LogDateTime log_date_time();

// The dated log name for a program file name: its part before the first "."
// (all of it when it has none) followed by "_YYYY_MM_DD-hh_mm_ss.log";
// "Tarvex.exe" gives "Tarvex_2024_05_01-13_45_09.log". Cut at 256 characters.
std::string dated_log_name(std::string_view program_name, const LogDateTime& when);

// The file the log is written to now (a name in the current folder).
std::string current_log_file();

// Returns the log to its start: "Logfile.txt", the real clock.
void reset_log();
