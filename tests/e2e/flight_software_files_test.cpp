// Files the flight software reads as it reads them: LK8000's task names and
// window lines, and the values the XCSoar and LK8000 profiles are given.

#include "e2e/harness/checks.h"
#include "e2e/harness/tarvex_install.h"
#include "support/demo_setup.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace tarvex_test;

namespace {

// A profile as XCSoar 7.44 and later load it: line by line, "AirspaceFile"
// and "AdditionalAirspaceFile" folded into "AirspaceFileList" (the primary
// first), "WPFile" and "AdditionalWPFile" into "WPFileList"; a later line
// replaces what an earlier one gave.
std::map<std::string, std::string> load_as_xcsoar(const std::string& profile) {
    std::map<std::string, std::string> values;
    for (const std::string& line : text_lines(profile)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || line.size() < equals + 3) {
            continue;
        }
        const std::string key = line.substr(0, equals);
        values[key] = line.substr(equals + 2, line.size() - equals - 3);  // between the quotes
        for (const std::string single : {"AirspaceFile", "WPFile"}) {
            if (key == single || key == "Additional" + single) {
                const std::string primary = values[single];
                const std::string additional = values["Additional" + single];
                values[single + "List"] = primary + (primary.empty() || additional.empty() ? "" : "|") + additional;
            }
        }
    }
    return values;
}

class FlightSoftwareFiles : public ::testing::Test {
protected:
    // The Condor 3 demo plan with some keys changed, in the program's folder.
    std::string plan_with(const std::vector<std::pair<std::string, std::string>>& keys) {
        std::string text = demo_text(demo_source_folder(), "flightplans/DemoRace3.fpl");
        for (const auto& [key, value] : keys) {
            text = with_setting(text, key, value);
        }
        const std::string path = demo.program_folder + "\\DemoRace3.fpl";
        install.prefix().add_file(path, text);
        return path;
    }
    std::string read(const std::string& windows_path) const { return TempDir::read(install.host(windows_path)); }

    TarvexInstall install;
    const DemoSetup& demo = install.demo();
};

// A Condor 3 window 2000 m wide is an LK8000 line 2000 m long: radius 1000 m.
TEST_F(FlightSoftwareFiles, AWindowIsAnLk8000LineOfItsWidth) {
    const std::string plan = plan_with(
        {{"TPSectorType2", "1"}, {"TPWidth2", "2000"}, {"TPHeight2", "1000"}, {"TPAltitude2", "2500"}});
    const RunOutcome outcome = install.run({"-nogui", "-line", "-lk8", plan});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    const std::string task = read("C:\\LK8000\\_Tasks\\DemoRace3.lkt");
    EXPECT_TRUE(HasLineContaining(task, "<point idx=\"1\" name=\"Lure\" type=\"line\" radius=\"1000.00\""));
    EXPECT_TRUE(HasLineContaining(task, "<point idx=\"2\" name=\"Digne\" type=\"circle\" radius=\"3000.00\""));
}

// Two turnpoints 35 km apart of one 30-character name become "...1" and
// "...2"; LK8000's 29 bytes keep the numbers, so the task has two places.
TEST_F(FlightSoftwareFiles, Lk8000NamesStayApartWhenCut) {
    const std::string name = "Montagne de Lure, sommet ouest";
    const std::string plan = plan_with({{"TPName2", name}, {"TPName3", name}});
    const RunOutcome outcome = install.run({"-nogui", "-line", "-lk8", plan});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    const std::string task = read("C:\\LK8000\\_Tasks\\DemoRace3.lkt");
    for (const std::string_view cut : {"Montagne de Lure, sommet oue1", "Montagne de Lure, sommet oue2"}) {
        SCOPED_TRACE(cut);
        EXPECT_TRUE(HasLineContaining(task, "name=\"" + std::string(cut) + "\" type="));
        EXPECT_TRUE(HasLineContaining(task, "name=\"" + std::string(cut) + "\" latitude="));
    }
    EXPECT_TRUE(HasNoLineContaining(task, "name=\"Montagne de Lure, sommet oues\""));
}

// "Airspace file=Aérien.txt": the file is named in UTF-8 on the disk, and
// both profiles name it in UTF-8, as XCSoar and LK8000 read them.
TEST_F(FlightSoftwareFiles, AnAccentedAirspaceNameInTheProfilesInUtf8) {
    install.set_setting("Airspace file", "A\xE9rien.txt");  // the settings file is cp1252
    const std::string plan = plan_with({});

    RunOutcome outcome = install.run({"-nogui", "-line", "-xcs", plan});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(std::filesystem::exists(install.host("C:\\XCSoarData") / "A\xC3\xA9rien.txt"));
    const std::string xcsoar = read("C:\\XCSoarData\\Condor.prf");
    EXPECT_TRUE(HasLine(xcsoar, "AirspaceFile=\"%LOCAL_PATH%\\A\xC3\xA9rien.txt\""));
    EXPECT_TRUE(HasNoLineContaining(xcsoar, "A\xE9rien"));

    outcome = install.run({"-nogui", "-line", "-lk8", plan});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(std::filesystem::exists(install.host("C:\\LK8000\\_Airspaces") / "A\xC3\xA9rien.txt"));
    const std::string lk8000 = read("C:\\LK8000\\_Configuration\\Condor.prf");
    EXPECT_TRUE(HasLine(lk8000, "AirspaceFile=\"A\xC3\xA9rien.txt\""));
    // The default profile's own lines are as they were.
    EXPECT_TRUE(HasLine(lk8000, "AltitudeUnits=1"));
}

// XCSoar 7.44 and later load the task's airspace and waypoints from the
// profile, in either form, at the root or where XCSoar 7.45 keeps it; the
// pilot's additional files stay.
TEST_F(FlightSoftwareFiles, XcsoarLoadsTheTasksFilesFromTheProfile) {
    const std::string root = kDemoXcsoarRoot;
    const std::string saved = "AirspaceFileList=\"%LOCAL_PATH%\\old.txt|%LOCAL_PATH%\\extra.txt\"\r\nMapFile=\"\"\r\n"
                              "PlanePath=\"\"\r\nStartMaxSpeed=\"0\"\r\nWPFileList=\"%LOCAL_PATH%\\old.cup\"\r\n";
    const std::string plan = plan_with({});
    for (const auto& [profile, bytes] : std::vector<std::pair<std::string, std::string>>{
             {root + "\\Condor.prf", saved},
             {root + "\\Condor.prf", "AirspaceFile=\"%LOCAL_PATH%\\old.txt\"\r\nWPFile=\"\"\r\n" + saved},
             {root + "\\profiles\\Condor.prf", saved}}) {
        SCOPED_TRACE(profile + "\n" + bytes);
        if (profile != root + "\\Condor.prf") {  // as XCSoar 7.45 leaves its data folder
            install.prefix().remove(root + "\\Condor.prf");
            install.prefix().add_file(root + "\\profiles\\default.prf", read(root + "\\default.prf"));
            install.prefix().remove(root + "\\default.prf");
            install.prefix().add_file(root + "\\.xcsoar-subdir-layout-v1", "");
        }
        install.prefix().add_file(profile, bytes);
        const RunOutcome outcome = install.run({"-nogui", "-line", "-xcs", plan});
        ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
        EXPECT_EQ(read(profile + ".bak"), bytes);
        const std::map<std::string, std::string> loaded = load_as_xcsoar(read(profile));
        EXPECT_EQ(loaded.at("AirspaceFileList"), "%LOCAL_PATH%\\CondorAirspace.txt|%LOCAL_PATH%\\extra.txt");
        EXPECT_EQ(loaded.at("WPFileList"), "%LOCAL_PATH%\\DemoProvence.cup");
        EXPECT_TRUE(HasLineContaining(read(root + "\\CondorAirspace.txt"), "AN PZ#00"));
    }
}

}  // namespace
