#pragma once

// Messages to the user: a message box, or a console line in console mode.
//
// Severities (msg_status): 0 information, 1 error, 2 warning; error_message and
// error_message_tit also take the questions 3 yes/no, 4 ok/cancel and
// 5 yes/no/cancel, whose answer comes back in msg_status (a box answers; in
// console mode msg_status stays as it was). A call with a literal severity
// simply drops the answer.
//
// In a message text "/" breaks the line and "\/" stands for a plain "/"
// ("km\/h"). The caller's text is not changed, so the same text can go on to
// log_message_f, which reads the same marks.
//
// None of these routines ends the program: after a fatal message the caller
// logs it and stops the program itself.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Title of the boxes of error_message.
inline constexpr std::string_view kProgramTitle = "Tarvex";
// Longest text and title a box shows.
inline constexpr std::size_t kBoxTextLength = 511;
inline constexpr std::size_t kBoxTitleLength = 63;

// Shows msg in a box titled "Tarvex", or on the console when qline is true.
void error_message(int& msg_status, std::string_view msg, bool qline);
void error_message(int&& msg_status, std::string_view msg, bool qline);

// The same with the box title tit. Does not write the log.
void error_message_tit(int& msg_status, std::string_view tit, std::string_view msg, bool qline);
void error_message_tit(int&& msg_status, std::string_view tit, std::string_view msg, bool qline);

// The message sink of the airspace and terrain code, severity 0, 1 or 2 (any
// other value is taken as an error): logs the message with the tag "{I}",
// "{E}" or "{W}", counts errors and warnings in cmndta001, writes a console
// trace, then shows it through error_message_tit with the title loca_c.msg_tit
// (or, with peldbg00.qdis_wrn set, hands its first two lines to
// screen_message). `tit` is not shown. qli is the console switch.
void error_message_pxr(int msg_status, std::string_view tit, std::string_view msg, bool qli);

// error_message_pxr for a NUL-terminated text (at most 256 characters taken),
// console mode off. For C-side callers; nothing in the program calls it.
void error_message_pxr_c(const char* msg, int st);

// The text a message shows: "\/" becomes "/", every other "/" a line feed,
// trailing blanks removed.
std::string message_display_text(std::string_view msg);

// The box behind error_message_tit. It gets the title (at most 63 characters)
// and the text (at most 511, with line feeds) and the severity or question in
// `status`, where a question's answer goes. Tests install a recorder; an empty
// function restores the real message box.
using MessageBoxFunction = std::function<void(const std::string& title, const std::string& text, int& status)>;
void set_message_box(MessageBoxFunction box);
