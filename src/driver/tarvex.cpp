#include "driver/tarvex.h"

#include "driver/command_line.h"
#include "driver/convert_one.h"
#include "driver/input_choice.h"
#include "driver/run_state.h"
#include "driver/startup.h"
#include "foundation/tell.h"
#include "foundation/unwritten_files.h"

int tarvex(const std::vector<std::string>& args) {
    set_command_line(args);
    RunState run;
    start_up(run);
    choose_input();
    check_input();
    const int exit_code = convert_one(run);
    if (exit_code != kExitSuccess) {
        // Ended as a stopped run is, so that the reason goes to standard
        // error: the files not written, else the error told (the script's).
        end_run(unwritten_files_text(), exit_code);
    }
    return exit_code;
}
