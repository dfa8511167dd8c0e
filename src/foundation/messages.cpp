#include "foundation/messages.h"

#include "foundation/c_strings.h"
#include "foundation/fixed_text.h"
#include "foundation/gui_hooks.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "platform/console.h"
#include "platform/glue_dialogs.h"

#include <array>

namespace {

// Longest text error_message_pxr_c takes.
constexpr std::size_t kPxrTextLength = 256;
// Work text and line fields of the screen road of error_message_pxr.
constexpr std::size_t kScreenWorkLength = 1024;
constexpr std::size_t kScreenLineLength = 127;

MessageBoxFunction message_box;

void real_message_box(const std::string& title, const std::string& text, int& status) {
    DisplayMessage(title, text, status);
}

// A text as a NUL-terminated box text holds it: up to its first NUL, without
// trailing blanks, cut at `capacity`.
std::string box_field(std::string_view text, std::size_t capacity) {
    const std::size_t nul = text.find('\0');
    return fit_field(trim_right(text.substr(0, nul)), capacity);
}

// The first two lines of a message for screen_message: each ends at the first
// "/" or, failing that, the first line feed; text after a second mark is dropped.
int split_screen_lines(std::string_view msg, std::array<std::string, 3>& lines) {
    std::string work = fit_field(msg, kScreenWorkLength);
    int count = 0;
    for (std::size_t n = 0; n < 2; ++n) {
        std::size_t mark = work.find('/');
        if (mark == std::string::npos) {
            mark = work.find('\n');
        }
        ++count;
        if (mark == std::string::npos) {
            lines[n] = fit_field(work, kScreenLineLength);
            break;
        }
        lines[n] = work.substr(0, std::min(mark, kScreenLineLength));
        work.erase(0, mark + 1);
    }
    return count;
}

}  // namespace

std::string message_display_text(std::string_view msg) {
    std::string text;
    text.reserve(msg.size());
    for (const char c : msg) {
        if (c != '/') {
            text += c;
        } else if (!text.empty() && text.back() == '\\') {
            text.back() = '/';
        } else {
            text += '\n';
        }
    }
    return trim_right(text);
}

void error_message(int& msg_status, std::string_view msg, bool qline) {
    error_message_tit(msg_status, kProgramTitle, msg, qline);
}

void error_message(int&& msg_status, std::string_view msg, bool qline) {
    error_message_tit(msg_status, kProgramTitle, msg, qline);
}

void error_message_tit(int& msg_status, std::string_view tit, std::string_view msg, bool qline) {
    const std::string text = message_display_text(msg);
    if (qline) {
        console_line(" " + text);
        return;
    }
    const MessageBoxFunction& box = message_box ? message_box : MessageBoxFunction(real_message_box);
    box(box_field(tit, kBoxTitleLength), box_field(text, kBoxTextLength), msg_status);
}

void error_message_tit(int&& msg_status, std::string_view tit, std::string_view msg, bool qline) {
    error_message_tit(msg_status, tit, msg, qline);
}

void error_message_pxr(int msg_status, std::string_view /*tit*/, std::string_view msg, bool qli) {
    constexpr std::array<std::string_view, 3> tags = {"{I}", "{E}", "{W}"};
    const int severity = (msg_status >= 0 && msg_status <= 2) ? msg_status : 1;
    const std::string text = trim_right(msg);

    log_message_f(std::string(tags[static_cast<std::size_t>(severity)]) + text);

    if (severity == 1) {
        ++cmndta001.nberr;
    } else if (severity == 2) {
        ++cmndta001.nbwarn;
    }
    upd_err_count(cmndta001.nberr, cmndta001.nbwarn);

    console_line(std::string(" error_message_pxr : ") + (peldbg00.qdis_wrn ? "T " : "F ") + i2b(msg_status) + " " +
                 text);

    if (!peldbg00.qdis_wrn) {
        int status = severity;
        error_message_tit(status, loca_c.msg_tit, msg, qli);
        return;
    }
    std::array<std::string, 3> lines;
    const int count = split_screen_lines(msg, lines);
    for (int n = 0; n < count; ++n) {
        console_line(lines[static_cast<std::size_t>(n)]);
    }
    screen_message(severity, count, lines[0], lines[1], lines[2]);
}

void error_message_pxr_c(const char* msg, int st) {
    std::string text;
    int length = 0;
    strcpy_c2f(msg, text, length, kPxrTextLength);
    console_line(" " + i2b(st) + " " + i2b(length) + " " + text);
    error_message_pxr(st, kProgramTitle, text, false);
}

void set_message_box(MessageBoxFunction box) { message_box = std::move(box); }
