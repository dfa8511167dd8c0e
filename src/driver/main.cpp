// Process entry of Tarvex: the main program, whose forms are loaded from the
// forms module beside it when a run first needs them.
#include "driver/forms_gui.h"
#include "driver/tarvex.h"
#include "foundation/run_stop.h"
#include "platform/console.h"

#include <cfenv>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // The program runs with traps on for invalid operations, division by zero
    // and overflow, so that a numeric fault stops it instead of writing garbage.
    feenableexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    set_forms_module();
    const std::vector<std::string> args(argv, argv + argc);
    int exit_code = kExitConversionFailed;
    try {
        exit_code = tarvex(args);
    } catch (const RunStopped& stopped) {
        // A run that cannot go on: its text is on standard error already.
        exit_code = stopped.exit_code;
    } catch (const std::exception& error) {
        // Nothing the program expects ends here; say so instead of aborting.
        console_err(std::string("Tarvex: internal error: ") + error.what() + "\n");
    }
    std::fflush(stdout);
    return exit_code;
}
