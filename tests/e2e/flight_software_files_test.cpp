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

// A profile as XCSoar 7.44 and later load it: line by line in the file's
// order, "AirspaceFile" and "AdditionalAirspaceFile" folded into
// "AirspaceFileList" (the primary first), "WPFile" and "AdditionalWPFile" into
// "WPFileList"; a later line replaces what an earlier one gave its key.
std::map<std::string, std::string> load_as_xcsoar(const std::string& profile) {
    std::map<std::string, std::string> values;
    std::map<std::string, std::string> single;  // the single keys read so far
    const std::map<std::string, std::vector<std::string>> folded = {
        {"AirspaceFileList", {"AirspaceFile", "AdditionalAirspaceFile"}}, {"WPFileList", {"WPFile", "AdditionalWPFile"}}};
    for (const std::string& line : text_lines(profile)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, equals);
        std::string value = line.substr(equals + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        values[key] = value;
        for (const auto& [list, keys] : folded) {
            if (key == keys[0] || key == keys[1]) {
                single[key] = value;
                std::string entries;
                for (const std::string& from : keys) {
                    if (!single[from].empty()) {
                        entries += (entries.empty() ? "" : "|") + single[from];
                    }
                }
                values[list] = entries;
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
// profile however it holds them, where XCSoar 7.45 keeps it or at the root;
// the pilot's additional files stay.
TEST_F(FlightSoftwareFiles, XcsoarLoadsTheTasksFilesFromTheProfile) {
    const std::string root = kDemoXcsoarRoot;
    const std::string saved = "AirspaceFileList=\"%LOCAL_PATH%\\old.txt|%LOCAL_PATH%\\extra.txt\"\r\nMapFile=\"\"\r\n"
                              "PlanePath=\"\"\r\nStartMaxSpeed=\"0\"\r\nWPFileList=\"%LOCAL_PATH%\\old.cup\"\r\n";
    struct Layout {
        std::string profile;    // where the pilot's profile is; blank: made from the default profile
        std::string bytes;      // its bytes
        std::string rewritten;  // where the run writes it
        bool moved;             // XCSoar 7.45 moved the files into its folders
    };
    const std::vector<Layout> layouts = {
        {root + "\\Condor.prf", saved, root + "\\Condor.prf", false},
        {root + "\\Condor.prf", "AirspaceFile=\"%LOCAL_PATH%\\old.txt\"\r\nWPFile=\"\"\r\n" + saved,
         root + "\\Condor.prf", false},
        {"", "", root + "\\profiles\\Condor.prf", true},
        {root + "\\profiles\\Condor.prf", saved, root + "\\profiles\\Condor.prf", true},
    };
    const std::string plan = plan_with({});
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.rewritten + " from " + layout.profile);
        for (const std::string& folder : {root, root + "\\profiles"}) {
            install.prefix().remove(folder + "\\Condor.prf");
            install.prefix().remove(folder + "\\Condor.prf.bak");
        }
        if (layout.moved && !std::filesystem::exists(install.host(root + "\\profiles\\default.prf"))) {
            install.prefix().add_file(root + "\\profiles\\default.prf", read(root + "\\default.prf"));
            install.prefix().remove(root + "\\default.prf");
            install.prefix().add_file(root + "\\.xcsoar-subdir-layout-v1", "");
        }
        if (!layout.profile.empty()) {
            install.prefix().add_file(layout.profile, layout.bytes);
        }
        const RunOutcome outcome = install.run({"-nogui", "-line", "-xcs", plan});
        ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
        EXPECT_TRUE(HasLine(outcome.out, layout.rewritten));
        EXPECT_NE(layout.moved, std::filesystem::exists(install.host(root + "\\Condor.prf")));
        if (!layout.profile.empty()) {
            EXPECT_EQ(read(layout.rewritten + ".bak"), layout.bytes);
        }
        const std::map<std::string, std::string> loaded = load_as_xcsoar(read(layout.rewritten));
        const std::string airspace = loaded.at("AirspaceFileList");
        ASSERT_EQ(airspace.rfind("%LOCAL_PATH%\\CondorAirspace.txt", 0), 0u) << airspace;
        EXPECT_TRUE(HasLineContaining(read(root + "\\CondorAirspace.txt"), "AN PZ#00"));
        EXPECT_EQ(loaded.at("WPFileList"), "%LOCAL_PATH%\\DemoProvence.cup");
        if (!layout.bytes.empty()) {
            EXPECT_EQ(airspace, "%LOCAL_PATH%\\CondorAirspace.txt|%LOCAL_PATH%\\extra.txt");
        }
    }
}

}  // namespace
