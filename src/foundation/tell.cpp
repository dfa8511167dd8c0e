#include "foundation/tell.h"

#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"

std::string in_language(bool french, std::string_view english_text, std::string_view french_text) {
    return std::string(french ? french_text : english_text);
}

std::string in_user_language(std::string_view english_text, std::string_view french_text) {
    return in_language(cmndta001.qfr, english_text, french_text);
}

std::string slashes_kept(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '/') {
            out += '\\';
        }
        out += c;
    }
    return out;
}

int tell(int severity, std::string_view text, const TellHow& how) {
    int status = severity;
    error_message_tit(status, how.title, text, how.qline.value_or(cmndta001.qline));
    return status;
}

void tell_and_log(int severity, std::string_view text, const TellHow& how) {
    if (how.shown) {
        tell(severity, text, how);
    }
    log_message_text(text);
}

void tell_and_count(int severity, std::string_view text) {
    error_message_pxr(severity, kProgramTitle, text, cmndta001.qline);
}

void fatal_error(std::string_view text, int exit_code) {
    tell_and_log(kError, text);
    stop_run(message_display_text(text), exit_code);
}

void end_run(std::string_view stop_text, int exit_code) { stop_run(stop_text, exit_code); }
