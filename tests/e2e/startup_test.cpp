// The start-up of the real program: the Condor check, the settings file
// (first run, too old, incomplete) and the input choice, up to the point
// where a conversion would start.

#include "e2e/harness/checks.h"
#include "e2e/harness/tarvex_install.h"
#include "platform/encoding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace tarvex_test;

namespace {

const std::string kNoInput = "*** No input file specified ***";

}  // namespace

TEST(StartUp, NoCondorInstalledIsAConfigurationError) {
    const TarvexInstall install(without_condor(), without_settings_file());
    const RunOutcome outcome = install.run({"-nogui", "-line", "C:\\Plans\\Race1.fpl"});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::configuration));
    EXPECT_TRUE(HasLine(outcome.out, "*** No Condor installation found (2 or 3) ***"));
    EXPECT_TRUE(HasLine(outcome.out, "*** Condor2 installation not detected on this computer ***"));
    EXPECT_TRUE(HasLine(outcome.out, "*** Condor3 installation not detected on this computer ***"));
    EXPECT_TRUE(HasLine(install.log(), "*** No Condor installation found (2 or 3) ***"));
    // Nothing is written before Condor is found.
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().settings_file)));
}

TEST(StartUp, NoCondorInstalledInFrench) {
    TarvexInstall install(without_condor(), without_settings_file());
    // The system's language decides: the settings file is not read yet.
    set_variable(install.environment, "LANG", "fr_FR.UTF-8");
    RunOutcome outcome = install.run({"-nogui", "-line"});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::configuration));
    EXPECT_TRUE(HasLine(outcome.out, "*** Aucune installation de Condor (2 ou 3) trouv\xC3\xA9" "e ***"));
    EXPECT_TRUE(HasLine(install.log(), "*** Aucune installation de Condor (2 ou 3) trouv\xE9" "e ***"));
    // "-en" on the command line is read before the check and wins.
    outcome = install.run({"-nogui", "-line", "-en"});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::configuration));
    EXPECT_TRUE(HasLine(outcome.out, "*** No Condor installation found (2 or 3) ***"));
}

TEST(StartUp, FirstRunWritesTheSettingsFile) {
    const TarvexInstall install(FakePrefixOptions{}, without_settings_file());
    const DemoSetup& demo = install.demo();
    // The three task folders are asked for, in this order, and answered on standard input.
    const std::string answers = demo.xcsoar_tasks + "\n" + demo.lk8000_tasks + "\n" + demo.seeyou_tasks + "\n";
    const RunOutcome outcome = install.run({"-nogui", "-line", "-lk8"}, answers);
    // No input is named and console mode opens no dialog: the run ends there.
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_TRUE(HasLine(outcome.err, kNoInput));
    EXPECT_TRUE(HasLine(outcome.out, "File C:\\Tarvex\\Tarvex.ini was successfully created or updated"));
    EXPECT_TRUE(HasLine(outcome.out, "You may edit it at any time to to reflect your local configuration"));
    EXPECT_TRUE(FileHasBytes(install.host(demo.settings_file),
                             first_run_settings("LK8000", {demo.xcsoar_tasks, demo.lk8000_tasks, demo.seeyou_tasks})));
    // A new file: nothing was moved aside.
    EXPECT_TRUE(FileIsMissing(install.host(demo.program_folder + "\\Tarvex_0000.ini")));
}

TEST(StartUp, FirstRunAsksAgainForAFolderNamedWithACharacterCp1252Lacks) {
    const TarvexInstall install(FakePrefixOptions{}, without_settings_file());
    const DemoSetup& demo = install.demo();
    const std::string lacking = install.host(demo.xcsoar_tasks).string() + "\xC4\x81";  // "Tasksā"
    std::filesystem::create_directories(lacking);
    const std::string answers =
        lacking + "\n" + demo.xcsoar_tasks + "\n" + demo.lk8000_tasks + "\n" + demo.seeyou_tasks + "\n";
    const RunOutcome outcome = install.run({"-nogui", "-line"}, answers);
    EXPECT_TRUE(HasLineContaining(outcome.out, "The folder's name holds a character Tarvex cannot hold (U+0101): "
                                               "choose another one"));
    EXPECT_TRUE(FileHasBytes(install.host(demo.settings_file),
                             first_run_settings("XCSoar", {demo.xcsoar_tasks, demo.lk8000_tasks, demo.seeyou_tasks})));
}

TEST(StartUp, FirstRunWithoutAnswersLeavesTheFoldersBlank) {
    const TarvexInstall install(FakePrefixOptions{}, without_settings_file());
    const RunOutcome outcome = install.run({"-nogui", "-line"});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    for (const char* target : {"XCsoar", "LK8000", "SeeYou"}) {
        EXPECT_TRUE(HasLine(outcome.out, std::string("*** No destination folder for converted ") + target + " tasks ***"));
    }
    EXPECT_TRUE(FileHasBytes(install.host(install.demo().settings_file), first_run_settings("XCSoar", {})));
}

TEST(StartUp, FirstRunThatCannotWriteTheSettingsFileSaysWhy) {
    TarvexInstall install(FakePrefixOptions{}, without_settings_file());
    install.file_size_limit = 1;  // a full disk
    const RunOutcome outcome = install.run({"-nogui", "-line", install.demo().condor3_plan});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::configuration));
    EXPECT_TRUE(HasLine(outcome.out, "*** File C:\\Tarvex\\Tarvex.ini : cannot be created ***"));
    EXPECT_TRUE(HasLine(outcome.err, "*** File C:\\Tarvex\\Tarvex.ini : cannot be created ***"));
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().settings_file)));
}

TEST(StartUp, SettingsFileSavedAsUtf8WithItsByteOrderMark) {
    // As common editors save it: the mark, then the whole file in UTF-8.
    TarvexInstall install;
    install.set_setting("Airspace file", "A\xE9rien.txt");
    const std::string utf8 = "\xEF\xBB\xBF" + cp1252_to_utf8(install.settings());
    install.prefix().add_file(install.demo().settings_file, utf8);
    RunOutcome outcome = install.run({"-nogui", "-line", install.demo().condor3_plan});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "needs updating"));
    // The accented name read right: the airspace file is named so on the disk.
    EXPECT_TRUE(std::filesystem::exists(install.host("C:\\XCSoarData\\A\xE9rien.txt")));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\XCSoarData\\A\xC3\xA9rien.txt"));

    // A character code page 1252 has none for is refused, never read as another.
    std::string omega = utf8;
    const std::string accented = "Airspace file=A\xC3\xA9rien.txt";
    omega.replace(omega.find(accented), accented.size(), "Airspace file=Zone\xCE\xA9.txt");
    install.prefix().add_file(install.demo().settings_file, omega);
    outcome = install.run({"-nogui", "-line", install.demo().condor3_plan});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::configuration));
    const std::string told =
        "*** File C:\\Tarvex\\Tarvex.ini : Airspace file=Zone?.txt : a character Tarvex cannot hold (U+03A9) ***";
    EXPECT_TRUE(HasLine(outcome.out, told));
    EXPECT_TRUE(HasLine(outcome.err, told));
}

TEST(StartUp, OldSettingsFileNeedsTheSetupForm) {
    TarvexInstall install;
    install.set_setting("Tarvex Version", "4399");
    const std::string before = install.settings();
    const RunOutcome outcome = install.run({"-nogui", "-line", install.demo().condor3_plan});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::configuration));
    EXPECT_TRUE(HasLine(outcome.out, "The Tarvex.ini file needs updating"));
    EXPECT_TRUE(HasLine(outcome.out, "Please run Tarvex with GUI to update the file"));
    // Shown, not logged.
    EXPECT_TRUE(HasNoLineContaining(install.log(), "needs updating"));
    // The file stays as it was and nothing is converted.
    EXPECT_TRUE(FileHasBytes(install.host(install.demo().settings_file), before));
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().program_folder + "\\Tarvex_0000.ini")));
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().xcsoar_tasks + "\\DemoRace3.tsk")));
}

TEST(StartUp, SettingsFileMissingDataNeedsTheSetupForm) {
    TarvexInstall install;
    for (const char* key : {"XCsoar Destination Path", "LK8000 Destination Path", "SeeYou Destination Path"}) {
        install.set_setting(key, "XXXXX");
    }
    const std::string before = install.settings();
    const RunOutcome outcome = install.run({"-nogui", "-line", install.demo().condor3_plan});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::configuration));
    EXPECT_TRUE(HasLine(outcome.out, "*** File C:\\Tarvex\\Tarvex.ini: missing data ***"));
    EXPECT_TRUE(HasLine(outcome.out, "The Tarvex.ini file needs updating"));
    EXPECT_TRUE(FileHasBytes(install.host(install.demo().settings_file), before));
}

TEST(InputChoice, NoInputInConsoleMode) {
    TarvexInstall install;
    const std::string before = install.settings();
    RunOutcome outcome = install.run({"-nogui", "-line"});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_TRUE(HasLine(outcome.err, kNoInput));
    // On the error output only: not on the console's message lines, not logged.
    EXPECT_TRUE(HasNoLineContaining(outcome.out, kNoInput));
    EXPECT_TRUE(HasNoLineContaining(install.log(), kNoInput));
    // A current settings file is read, not rewritten.
    EXPECT_TRUE(FileHasBytes(install.host(install.demo().settings_file), before));

    outcome = install.run({"-nogui", "-line", "-fr"});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_TRUE(HasLine(outcome.err, "*** Aucun fichier \xC3\xA0 lire ***"));
}
