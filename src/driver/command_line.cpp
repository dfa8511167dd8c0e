#include "driver/command_line.h"

#include "airspace/airspace_records.h"
#include "driver/flight_plans_path.h"
#include "foundation/fixed_text.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/paths_files.h"
#include "foundation/read_one_number.h"
#include "foundation/tell.h"
#include "foundation/units.h"
#include "platform/console.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/path_map.h"
#include "taskfiles/task_model.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Characters of the program's path kept for the usage line.
constexpr std::size_t kProgramPathLength = 132;

enum class Option {
    verbose,
    english,
    french,
    keep_console,
    no_script,
    console_mode,
    auto_load,
    wait,
    silent,
    fai,
    no_max_alt,
    check_waypoints,
    manual_start,
    manual_start_aat,
    crop_airspace,
    list_airspace,
    json,
    lk8000,
    seeyou,
    xcsoar,
    no_gui,
    finish_min_alt,
    max_start_speed,
    aat,
    help,
};

struct OptionText {
    std::string_view text;
    Option option;
};

// Matching order: the first whose whole text begins the argument wins.
constexpr std::array<OptionText, 28> kOptions = {{
    {"-v", Option::verbose},
    {"-en", Option::english},
    {"-EN", Option::english},
    {"-fr", Option::french},
    {"-FR", Option::french},
    {"-keep", Option::keep_console},
    {"-nosc", Option::no_script},
    {"-line", Option::console_mode},
    {"-auto", Option::auto_load},
    {"-wait", Option::wait},
    {"-silent", Option::silent},
    {"-FAI", Option::fai},
    {"-nomxalt", Option::no_max_alt},
    {"-chkwp", Option::check_waypoints},
    {"-manst", Option::manual_start},
    {"-AATmanst", Option::manual_start_aat},
    {"-cropAS", Option::crop_airspace},
    {"-listAS", Option::list_airspace},
    {"-json", Option::json},
    {"-lk8", Option::lk8000},
    {"-cup", Option::seeyou},
    {"-xcs", Option::xcsoar},
    {"-nogui", Option::no_gui},
    {"-fma:", Option::finish_min_alt},
    {"-mxspd:", Option::max_start_speed},
    {"-aat", Option::aat},
    {"-help", Option::help},
    {"-h", Option::help},
}};

std::vector<std::string>& arguments() {
    static std::vector<std::string> args;
    return args;
}

// An option whose value the command line ignored: it is not a number from 0
// to `largest` (`unit`, as told).
struct IgnoredValue {
    std::string argument;
    float largest = 0.0f;
    std::string_view unit;
};

// The values the last reading of the command line ignored, told once by
// warn_ignored_values (in the language the whole line asks for).
std::vector<IgnoredValue> ignored_values;

void ignore_value(std::string_view argument, float largest, std::string_view unit) {
    ignored_values.push_back({trim_right(argument), largest, unit});
}

void select_target(bool xcs, bool lk8000, bool seeyou, bool json) {
    tarvex01.qxcs = xcs;
    tarvex01.qlk8000 = lk8000;
    tarvex01.qcup = seeyou;
    tarvex01.qjson = json;
}

void set_finish_min_altitude(std::string_view argument) {
    const std::string_view value = argument.substr(5);
    console_line(trim_right(value));
    float altitude = 0.0f;
    if (decode_alt(value, tarvex01.nunitalt, altitude) == 0 && altitude >= 0.0f &&
        altitude <= kMaxFinishAltitude) {
        rd_fpl_4.finishminalt = altitude;
    } else {
        ignore_value(argument, kMaxFinishAltitude, "m");
    }
}

void set_max_start_speed(std::string_view argument) {
    const std::string_view value = argument.substr(7);
    console_line(trim_right(value));
    float speed = 0.0f;
    if (decode_speed(value, tarvex01.nunitalt, speed) == 0 && speed >= 0.0f && speed <= kMaxStartSpeed) {
        const int whole = static_cast<int>(std::trunc(speed));
        tarvex01.start_max_speed_arg = whole;
        rd_fpl_6.start_max_speed = whole;
    } else {
        ignore_value(argument, kMaxStartSpeed, "km\\/h");
    }
}

void set_aat(std::string_view argument) {
    tarvex01.qaat_arg = true;
    rd_fpl_6.qaat = true;
    if (argument.size() > 4 && argument[4] == ':') {
        // A time outside the range is ignored, as "-fma:" and "-mxspd:"
        // ignore theirs: the switch stays, without a time.
        float minutes = 0.0f;
        if (read_one_real(argument.substr(5), minutes) && minutes >= 0.0f && minutes <= kMaxAatTime) {
            tarvex01.t_aat_arg = minutes;
            rd_fpl_6.t_aat = minutes;
        } else {
            ignore_value(argument, kMaxAatTime, "min");
        }
    }
}

void write_usage(const std::string& program) {
    console_line("Usage :");
    console_line(trim_right(program) + " " + std::string(kUsageText));
}

void apply(Option option, std::string_view argument, const std::string& program) {
    switch (option) {
        case Option::verbose: tarvex01.qverb_0 = true; break;
        case Option::english:
            cmndta001.qfr = false;
            tarvex01.nlang = 2;
            break;
        case Option::french:
            cmndta001.qfr = true;
            tarvex01.nlang = 3;
            break;
        case Option::keep_console: tarvex01.qkeepwnd = true; break;
        case Option::no_script: tarvex01.qscr = false; break;
        case Option::console_mode: cmndta001.qline = true; break;
        case Option::auto_load: tarvex01.qauto = true; break;
        case Option::wait: tarvex01.qwait = true; break;
        case Option::silent: tarvex01.qsilent = true; break;
        case Option::fai: tarvex01.qfaisector = true; break;
        case Option::no_max_alt: tarvex01.qmaxalt_cup = false; break;
        case Option::check_waypoints: tarvex01.qchkwp = true; break;
        case Option::manual_start: tarvex01.qman_arm_start_rt = true; break;
        case Option::manual_start_aat: tarvex01.qman_arm_start_aat = true; break;
        case Option::crop_airspace: as0003.qcropas = true; break;
        case Option::list_airspace: as0003.qlistas = true; break;
        case Option::json: select_target(false, false, false, true); break;
        case Option::lk8000: select_target(false, true, false, false); break;
        case Option::seeyou: select_target(false, false, true, false); break;
        case Option::xcsoar: select_target(true, false, false, false); break;
        case Option::no_gui: tarvex01.qgui = false; break;
        case Option::finish_min_alt: set_finish_min_altitude(argument); break;
        case Option::max_start_speed: set_max_start_speed(argument); break;
        case Option::aat: set_aat(argument); break;
        case Option::help:
            write_usage(program);
            end_run("", kExitSuccess);
    }
}

// The option an argument that begins with "-" names, nullptr for none.
const OptionText* matched_option(const std::string& arg) {
    for (const OptionText& option : kOptions) {
        if (arg.starts_with(option.text)) {
            return &option;
        }
    }
    return nullptr;
}

// A name without folder or drive: it may lie in the flight-plans folder.
bool is_bare_name(std::string_view name) {
    return name.find('\\') == std::string_view::npos && name.find(':') == std::string_view::npos;
}

}  // namespace

void set_command_line(const std::vector<std::string>& args) {
    ignored_values.clear();
    std::vector<std::string>& kept = arguments();
    kept.clear();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // The program's path stays as typed; file names take the Windows form.
        const bool file_name = i > 0 && (arg.empty() || arg.front() != '-');
        kept.push_back(file_name ? windows_path_from_argument(arg) : fit_field(utf8_to_cp1252(arg), kArgumentLength));
    }
}

std::string program_path_argument() {
    const std::vector<std::string>& args = arguments();
    return args.empty() ? std::string() : fit_field(args.front(), kProgramPathLength);
}

void get_arguments() {
    const std::vector<std::string>& args = arguments();
    const std::string program = program_path_argument();
    ignored_values.clear();
    bool have_input = false;
    bool have_output = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.empty() || arg.front() != '-') {
            if (!have_input) {
                tarvex_c.infile = arg;
                have_input = true;
            } else if (!have_output) {
                tarvex_c.outfile = arg;
                have_output = true;
            } else {
                console_line("*** More than 2 filenames ***");
                end_run(in_user_language("*** More than 2 filenames ***", "*** Plus de 2 noms de fichiers ***"),
                        kExitUsage);
            }
            continue;
        }
        if (const OptionText* option = matched_option(arg)) {
            apply(option->option, arg, program);
        } else {
            console_line(trim_right(arg) + " : Unrecognized option");
            write_usage(program);
            end_run(trim_right(arg) + in_user_language(" : Unrecognized option", " : option inconnue"), kExitUsage);
        }
    }
    // Checked once every option is applied, so that "-fr" or "-line" after
    // the name decides how the refusal is told.
    tarvex_c.infile = fitting_path(tarvex_c.infile, kExitUsage);
    tarvex_c.outfile = fitting_path(tarvex_c.outfile, kExitUsage);
    if (have_input && !is_blank(tarvex_c.infile) && !file_exists(tarvex_c.infile) && is_bare_name(tarvex_c.infile)) {
        tarvex_c.infile = fitting_path(join_path(flight_plans_folder(), tarvex_c.infile), kExitUsage);
    }
    console_line("INFILE:  " + trim_right(tarvex_c.infile));
    console_line("OUTFILE: " + trim_right(tarvex_c.outfile));
}

bool auto_load_on_command_line() {
    const std::vector<std::string>& args = arguments();
    return std::any_of(args.begin() + (args.empty() ? 0 : 1), args.end(), [](const std::string& arg) {
        const OptionText* option = arg.starts_with('-') ? matched_option(arg) : nullptr;
        return option != nullptr && option->option == Option::auto_load;
    });
}

void warn_ignored_values() {
    for (const IgnoredValue& ignored : ignored_values) {
        const std::string range = i2b(static_cast<int>(ignored.largest)) + " " + std::string(ignored.unit);
        tell_and_log(kWarning,
                     "*** " + slashes_kept(ignored.argument) +
                         in_user_language(" : value ignored (a number from 0 to " + range + ") ***",
                                          " : valeur ignor\xE9" "e (un nombre de 0 \xE0 " + range + ") ***"));
    }
}
