#pragma once

// Finding Condor 2 and Condor 3 without asking: their install folders from
// the registry (counted as installed when the folder holds "Condor.exe" and
// its "Logs\Logfile.txt" names the version), each version's user folders
// under the Documents folder with the last player's pilot folder, and the
// version the user played last. Folders are Windows paths without a final
// "\" except the user roots, which end with one.

#include "foundation/path_length.h"

#include <cstddef>
#include <string>
#include <string_view>

// The installation record (one instance).
struct Inst00 {
    std::string condor_1_path;  // Condor 1 folder (start-up and settings only)
    std::string pilot_path;     // pilot folder of the active version (also named cndrpilpath)
    std::string instpath1;      // Condor 1 install folder
    std::string instpath2;      // Condor 2 install folder
    std::string instpath3;      // Condor 3 install folder
    std::string rootpath2;      // Condor 2 user root folder
    std::string rootpath3;      // Condor 3 user root folder
    std::string pilpath2;       // Condor 2 pilot folder
    std::string pilpath3;       // Condor 3 pilot folder
    std::string cndrinstpath;   // install folder of the active version
    std::string cndrrootpath;   // user root folder of the active version
    int condor_version = 0;     // active version, 2 or 3 (also named cndrvers); 0 while both wait for a choice
    bool qc1 = false;           // Condor 1 present (start-up only)
    bool qc2 = false;           // Condor 2 installed
    bool qc3 = false;           // Condor 3 installed
};
extern Inst00 inst00;
void reset_inst00();

// Capacity of the folder texts, and of the last player's name.
inline constexpr std::size_t kFolderLength = kPathLength;
inline constexpr std::size_t kPlayerNameLength = 40;

// The install folder of Condor version nc (1, 2 or 3; -2 and -3 give the
// stored Condor 2 or 3 folder when there is one) from the registry value
// "InstallDir", into path. Result: the major version its Logs\Logfile.txt
// names in a "Condor version:" line among its first 6 lines (the number / 1000),
// 2 or 3 for a stored folder, 0 when nothing was found. Without `silent` a
// missing registry value is reported to the user as information. Any other nc
// ends the run with "get_condor_inst_dir : incorrect Condor version", and a
// folder that does not fit a path field ends it too (exit code 3).
int get_condor_inst_dir(int nc, std::string& path, bool silent);

// Finds Condor 2 and 3 and fills inst00: install, root and pilot folders of
// each installed version and the active members (only one installed: that
// one; both: version 0 with Condor 3's folders until get_active_condor_version
// decides). Result 3 when Condor 3 is installed, else 2 when Condor 2 is,
// else 0.
int check_condor_install(std::string_view msgpltfldr);

// Decides the active version (with both installed: the one whose flight plan
// or log was written last, see the rules in the source) and copies its
// folders into cndrinstpath, cndrrootpath, pilot_path and condor_version.
void get_active_condor_version();

// Makes `version` (2, else 3) the active one: condor_version and the install,
// user root and pilot folders of that version into cndrinstpath, cndrrootpath
// and pilot_path. For a flight plan of the other version, or the one wait mode
// saw rewritten.
void make_condor_version_active(int version);

// get_condor_user_path with the Documents lookup; writes its result on the console.
int get_condor_2_path(std::string_view msgpltfldr, bool qconfirm, bool qpilot, std::string& condoruserpath);

// A Condor user folder: condoruserpath's first character "3" selects Condor 3
// ("Documents\Condor3", key "Condor3"), anything else Condor 2 ("Documents\Condor",
// key "Condor2"). With qdocreg the Documents folder comes from the registry
// ("Personal", with a "%VARIABLE%" expanded). With qpilot the result is the
// last player's folder "<Documents>\<sub>\Pilots\<player>" (the Documents
// folder alone when no last player is recorded), without it the user root
// "<Documents>\<sub>\". Without a Documents folder the result is blank.
// With qconfirm the user confirms or changes the folder in a folder dialog
// whose prompt names msgpltfldr (pilot folders) or the user files folder.
// Result 0 when a folder was found, 1 when it is blank. A folder found that
// does not fit a path field ends the run (exit code 3); one chosen that does
// not is told and taken as no choice.
int get_condor_user_path(std::string_view msgpltfldr, bool qconfirm, bool qpilot, bool qdocreg,
                         std::string& condoruserpath);
