// Stand-in for the conversion until it is built: the start-up, the settings
// file and the input choice run, and the run then stops with a clear message.
// The conversion replaces this file.
#include "driver/convert_one.h"

#include "foundation/log.h"
#include "foundation/run_stop.h"

#include <string_view>

int convert_one(RunState& /*run*/) {
    constexpr std::string_view text = "*** The conversion is not built yet ***";
    log_message_f(text);
    stop_run(text, kExitConversionFailed);
}
