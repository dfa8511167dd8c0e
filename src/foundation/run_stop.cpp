#include "foundation/run_stop.h"

#include "platform/console.h"

#include <utility>

void stop_run(std::string_view text, int exit_code) {
    std::string stop_text(text);
    if (!stop_text.empty()) {
        console_err(stop_text + "\n");
    }
    throw RunStopped{std::move(stop_text), exit_code};
}
