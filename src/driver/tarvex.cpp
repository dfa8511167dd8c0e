#include "driver/tarvex.h"

#include "driver/command_line.h"
#include "driver/convert_one.h"
#include "driver/input_choice.h"
#include "driver/run_state.h"
#include "driver/startup.h"

int tarvex(const std::vector<std::string>& args) {
    set_command_line(args);
    RunState run;
    start_up(run);
    choose_input();
    check_input();
    return convert_one(run);
}
