#include "driver/fatal_error.h"

#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/run_stop.h"

void fatal_error(std::string_view text, int exit_code) {
    error_message(1, text, cmndta001.qline);
    // The text may begin with a path; it is never a log request.
    log_message_text(text);
    stop_run(message_display_text(text), exit_code);
}
