#pragma once

#include "foundation/path_length.h"

#include <cstddef>
#include <string>
#include <string_view>

// The options of one run. The start-up sets them to the defaults below once;
// the settings file, the command line and the forms then change them, in that
// order of precedence. A member the settings file keeps starts at the default
// the file's comment names for it ("def=..."): a first run offers and writes
// that, and a file that lacks the key leaves it. The task-file readers and
// writers, the airspace code and the forms read them, so they live in the
// foundation.
//
// Texts hold the trimmed value of a fixed-capacity field; the capacities are
// the constants below. "XXXXX" in a folder member means the folder is not set.

inline constexpr std::size_t kOptionPathCapacity = kPathLength;  // every path and name
inline constexpr std::size_t kVersionTextCapacity = 10;   // cvers
inline constexpr std::size_t kAltUnitCapacity = 2;        // cunitalt
inline constexpr std::size_t kSpeedUnitCapacity = 5;      // cunitspd

// A path the run builds (a folder and a name) as an option holds it: whole
// when it fits; a longer one ends the run (exit code 1), told, for the run
// cannot name that file (foundation/path_length.h).
std::string path_field(std::string_view path);

// The marker of a folder member that is not set.
inline constexpr const char* kFolderNotSet = "XXXXX";

// The word of a setting found automatically: the flight-plans path that
// stands for Condor's own "FlightPlans" folder, a Condor folder read from the
// installation, the system's language.
inline constexpr std::string_view kAutomatic = "AUTO";

// The program version number the options start with.
inline constexpr int kProgramVersion = 4400;

// Output targets (ntarg); what each means is in output_targets.h.
inline constexpr int kTargetTsk = 1;
inline constexpr int kTargetLkt = 2;
inline constexpr int kTargetCup = 3;
inline constexpr int kTargetFpl = 4;
inline constexpr int kTargetJson = 5;

// Flags and numbers.
struct Tarvex01 {
    int start_margin = 100;        // m added to the start maximum height
    int nb_wp_file = 0;            // landscape turnpoints read
    int nb_apt = 0;                // landscape airports read
    int ndeftsk = 1;               // default files: 0 none, 1 default names, 2 task-named profile and aircraft
    bool qwrprf = true;            // update a profile
    bool qmapalways = false;       // set the profile's map entries whatever the lookup gives
    bool qpolfold = true;          // polar folder option
    bool qlk8000 = false;          // target LK8000 asked for
    bool qmapfold = false;         // map folder option
    bool qauto = false;            // take the configured flight plan without asking
    bool qsilent = false;          // no result message boxes
    bool qwait = false;            // wait for Condor to write a new flight plan
    bool qaat_detect = false;      // guess an AAT from the cylinder radii
    int nb_cyl = 0;                // cylinder turnpoints counted by the AAT check
    int nauto = 1;                 // 1 ask, 2 use the file, 3 wait for a new version
    bool qcup = false;             // target SeeYou asked for
    bool qtskwrn = false;          // show the task summary at the end
    bool qdeftsk = false;          // write default task files
    bool qdeftsklk8000 = false;    // default files also for LK8000
    bool qaltcup = false;          // use the alternative turnpoint file altcupfile
    int nunit = 1;                 // display units: 1 as Condor, 2 metric, 3 imperial
    bool qxcs = true;              // target XCSoar asked for
    int nvers = kProgramVersion;   // program version number
    bool qsetup = false;           // the setup form is shown
    bool qverb_0 = false;          // verbose console trace
    int ntarg = 0;                 // output target chosen, see kTarget...
    bool qarbo = false;            // the LK8000 output lies in an LK8000 folder tree
    bool qcup_in = false;          // the input is a SeeYou task
    bool qauto_c2_inst = true;     // Condor install folder found automatically
    bool qauto_c2_root = true;     // Condor user root folder found automatically
    bool qdeffplfil = false;       // the flight-plans path names a file
    int nlang = 1;                 // messages: 1 automatic, 2 English, 3 French
    int nform_cup = 1;             // .cup layout: 0 old, 1 new
    bool qkeepwnd = false;         // keep the console window (decided at start-up)
    bool qscr = true;              // run the post-run script
    bool qchkwp = false;           // check the turnpoints against the landscape
    bool qgui = true;              // run through the forms
    float fmulalt = 1.0f;          // altitude display factor
    float fmulspd = 1.0f;          // speed display factor
    bool qtemplate = false;        // ask for a flight-plan template
    bool qjson = false;            // target JSON asked for
    bool qfaisector = false;       // FAI sectors in .cup and JSON output
    bool qmaxalt_cup = true;       // maximum altitude in .cup observation zones
    int nunitalt = 0;              // altitude unit of typed values: 0 m, 1 ft
    bool qman_arm_start_aat = false;  // AAT start armed by hand
    bool qman_arm_start_rt = false;   // racing-task start armed by hand
    bool qauto_defpath = true;     // flight-plans path relative to Condor's "FlightPlans" (defpath "AUTO")
    bool qlk_tp_num = false;       // numbered LK8000 turnpoint names
    int maxtaskmargin = 37;        // km round the task for cropping the airspace (20 NM)
    float t_aat_arg = 0.0f;        // AAT time from the command line, min (0 none)
    int start_max_speed_arg = 0;   // start maximum speed from the command line (0 none)
    bool qaat_arg = false;         // AAT forced on the command line
    bool qaat_ini = false;         // the settings file's "AAT=1", as read: what a rewrite writes back
};

// The parts of an output path set_outfile built, kept for the "-AAT" mark
// add_aat_to_outfile decides once the plan is read.
struct BuiltOutfile {
    bool pending = false;   // built and the mark not decided yet
    std::string folder;     // without a final "\"
    std::string base;       // the file name before the extension
    std::string extension;  // the target's extension
    std::string infile;     // the input the name was built from
};

// Paths and names.
struct TarvexC {
    std::string prfnam;                           // profile file name
    std::string airnam;                           // airspace output file
    std::string defpath{kAutomatic};              // flight-plans folder or file, "AUTO" for Condor's
    std::string cvers;                            // version text of nvers
    std::string xcsoar_tasks = kFolderNotSet;     // XCSoar task folder
    std::string xcsoar_root;                      // derived from xcsoar_tasks
    std::string lk8000_tasks = kFolderNotSet;     // LK8000 task folder
    std::string lk8000_root;                      // derived from lk8000_tasks
    std::string seeyou_tasks = kFolderNotSet;     // SeeYou task folder
    std::string seeyou_root;                      // derived from seeyou_tasks
    std::string mapname;                          // map file for the profile
    std::string terrainname;                      // LK8000 terrain file for the profile
    std::string altcupfile;                       // alternative turnpoint file
    std::string outfile;                          // output task file, full path
    std::string outname;                          // output file name without folder
    BuiltOutfile built_outfile;                   // how outfile was built, when set_outfile built it
    std::string infile;                           // input flight plan or SeeYou task
    std::string tskname;                          // input file name without folder
    std::string tskwrnfile;                       // task summary file
    std::string tmpltfile;                        // template the flight plan writer last took or looked for
    std::string inifile;                          // settings file (set at start-up)
    std::string cunitalt = "m";                   // "m" or "ft"
    // "km\/h" or "kt"; the backslash keeps the slash from breaking a message line.
    std::string cunitspd = "km\\/h";
};

// The post-run script.
struct TarvexC1 {
    std::string scrnam;
};

// The landscape's terrain header file.
struct Trn00c {
    std::string trnfile;
};

extern Tarvex01 tarvex01;
extern TarvexC tarvex_c;
extern TarvexC1 tarvex_c1;
extern Trn00c trn00c;

// Each restores the start-up defaults of its record; reset_option_records()
// restores all four.
void reset_tarvex01();
void reset_tarvex_c();
void reset_tarvex_c1();
void reset_trn00c();
void reset_option_records();
