#include "foundation/run_stop.h"

#include "platform/console.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

StopHandler& handler() {
    static StopHandler h;
    return h;
}

}  // namespace

void stop_run(std::string_view text, int exit_code) {
    const std::string stop_text(text);
    console_err(stop_text + "\n");
    if (handler()) {
        handler()(stop_text, exit_code);
    }
    std::fflush(stdout);
    std::exit(exit_code);
}

void set_stop_handler(StopHandler h) { handler() = std::move(h); }
