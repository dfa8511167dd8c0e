#pragma once

// The demo Condor setup of demo/ laid into a fake Wine prefix: the one
// description of where each demo file goes, shared by the end-to-end tests and
// the demo command (through the tool tarvex_demo_prefix).

#include <cstdint>
#include <filesystem>
#include <string>

#include "support/fake_wine_prefix.h"

namespace tarvex_test {

// The demo landscape and its files.
inline constexpr const char* kDemoLandscape = "DemoProvence";
// The flight plans and the SeeYou task of the demo.
inline constexpr const char* kDemoCondor3Plan = "DemoRace3.fpl";
inline constexpr const char* kDemoCondor2Plan = "DemoRace2.fpl";
inline constexpr const char* kDemoSeeYouTask = "DemoTask.cup";

// Where Tarvex and the flight programs are installed in the prefix.
inline constexpr const char* kDemoProgramFolder = "C:\\Tarvex";
inline constexpr const char* kDemoXcsoarRoot = "C:\\XCSoarData";
inline constexpr const char* kDemoLk8000Root = "C:\\LK8000";
inline constexpr const char* kDemoSeeYouRoot = "C:\\SeeYou";

// The file times the layout gives Condor's logs and the pilots' flight plans,
// in epoch seconds (long before any run): the Condor 3 plan is the newest, so
// Condor 3 is the active version when both are installed.
inline constexpr std::int64_t kDemoFileTime = 1700000000;

// demo/ and data/ of the source tree.
std::filesystem::path demo_source_folder();
std::filesystem::path data_source_folder();

struct DemoOptions {
    std::filesystem::path demo_folder = demo_source_folder();
    // Files shipped beside the program (templates, forms); skipped when the folder does not exist.
    std::filesystem::path data_folder = data_source_folder();
    // The Tarvex executable placed in the program folder; none when empty.
    std::filesystem::path program;
    // The forms module beside `program` (when there is one) placed beside it too.
    bool forms_module = true;
    // Tarvex.ini beside the program.
    bool settings_file = true;
};

// What the layout placed, as Windows paths of the prefix. The plans of a
// Condor version that the prefix does not have are empty.
struct DemoSetup {
    std::string program_folder;  // kDemoProgramFolder
    std::string program;         // program_folder + "\tarvex", empty without a program
    std::string settings_file;   // program_folder + "\Tarvex.ini"
    std::string condor3_plan;    // in Condor 3's FlightPlans folder
    std::string condor2_plan;    // in Condor 2's FlightPlans folder
    std::string seeyou_task;     // beside the Condor 3 plans, else beside the Condor 2 plans
    std::string xcsoar_tasks;    // kDemoXcsoarRoot + "\Tasks"
    std::string lk8000_tasks;    // kDemoLk8000Root + "\_Tasks"
    std::string seeyou_tasks;    // kDemoSeeYouRoot + "\Tasks"
};

// Lays the demo into `prefix`, for each Condor version it has:
// - the landscape (terrain header, airports, turnpoints, and for Condor 3 the
//   airspace) in <install>\Landscapes\DemoProvence, the turnpoints also in the
//   user root's Turnpoints folder;
// - the plan of that version (and the SeeYou task) in the user root's
//   FlightPlans folder, the pilot's FlightPlan.fpl (a copy of that plan) and
//   the pilot's Setup.ini;
// then the XCSoar, LK8000 and SeeYou folders with their default profiles, and
// the program folder: the program and its forms module (hard-linked, else
// copied), the data files,
// the map lists and, unless switched off, Tarvex.ini.
// Text files get CR LF line ends, as on Windows; the terrain header and the
// airport file are copied byte for byte.
DemoSetup lay_out_demo(FakeWinePrefix& prefix, const DemoOptions& options = {});

// The text of a demo file (demo/<relative>) with CR LF line ends.
std::string demo_text(const std::filesystem::path& demo_folder, const std::string& relative);

// A settings text with the value of `key` replaced ("key=value"); the line is
// appended when the key is not there. Keeps the text's line ends.
std::string with_setting(const std::string& settings, const std::string& key, const std::string& value);

// A flight plan's text without the lines of its task rules ("AAT=", "AATTime="
// and "MaxStartGroundSpeed="): a Condor 2 plan that gives none of them, whose
// conversion takes the run's.
std::string without_task_rules(const std::string& plan);

}  // namespace tarvex_test
