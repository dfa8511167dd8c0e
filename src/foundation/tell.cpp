#include "foundation/tell.h"

#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/number_text.h"
#include "foundation/run_stop.h"

namespace {

void note_if_error(int severity, std::string_view text) {
    if (severity == kError) {
        cmndta001.last_error = message_display_text(text);
    }
}

// Why a run ends with `exit_code` when its end brings no text: the last error
// told, else the code itself.
std::string stop_reason(int exit_code) {
    if (!cmndta001.last_error.empty()) {
        return cmndta001.last_error;
    }
    const std::string code = i2b(exit_code);
    return in_user_language("*** Tarvex stopped with exit code " + code + " ***",
                            "*** Tarvex s'est arr\xEAt\xE9 avec le code de sortie " + code + " ***");
}

}  // namespace

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
    note_if_error(severity, text);
    int status = severity;
    error_message_tit(status, how.title, text, how.qline.value_or(cmndta001.qline));
    return status;
}

void tell_and_log(int severity, std::string_view text, const TellHow& how) {
    if (how.shown) {
        tell(severity, text, how);
    } else {
        note_if_error(severity, text);
    }
    log_message_text(text);
}

void tell_and_count(int severity, std::string_view text) {
    note_if_error(severity, text);
    error_message_pxr(severity, kProgramTitle, text, cmndta001.qline);
}

void fatal_error(std::string_view text, int exit_code) {
    tell_and_log(kError, text);
    stop_run(message_display_text(text), exit_code);
}

void end_run(std::string_view stop_text, int exit_code) {
    if (stop_text.empty() && exit_code != kExitSuccess) {
        // Every run that ends non-zero says why where a shell user looks.
        stop_run(stop_reason(exit_code), exit_code);
    }
    stop_run(stop_text, exit_code);
}
