#include "foundation/condor_install.h"
#include "foundation/layer_reset.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/program_folder.h"
#include "foundation/run_stop.h"

#include "platform/dialogs.h"

#include "support/fake_wine_prefix.h"
#include "support/std_streams.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tarvex_test::CondorInstall;
using tarvex_test::FakePrefixOptions;
using tarvex_test::FakeWinePrefix;
using tarvex_test::ScopedCwd;
using tarvex_test::TempDir;

namespace {

struct Box {
    std::string title;
    std::string text;
    int status;
};

// A clean installation record, a log in a temporary folder and a recorder in
// place of message boxes.
class DiscoveryTest : public testing::Test {
protected:
    DiscoveryTest() : cwd_(dir_.path()) {
        reset_foundation_layer();
        reset_log();
        set_message_box([this](const std::string& title, const std::string& text, int& status) {
            boxes.push_back({title, text, status});
        });
    }
    ~DiscoveryTest() override {
        set_message_box({});
        reset_foundation_layer();
        reset_log();
    }
    std::string log_text() const { return TempDir::read(dir_.path() / "Logfile.txt"); }

    static FakePrefixOptions only(int version) {
        FakePrefixOptions options;
        if (version != 2) {
            options.condor2.reset();
        }
        if (version != 3) {
            options.condor3.reset();
        }
        return options;
    }

    TempDir dir_;
    ScopedCwd cwd_;
    std::vector<Box> boxes;
};

const std::string kDocs = "C:\\users\\tester\\Documents";

}  // namespace

TEST_F(DiscoveryTest, Condor3Only) {
    FakeWinePrefix prefix(only(3));
    EXPECT_EQ(check_condor_install(""), 3);
    EXPECT_FALSE(inst00.qc2);
    EXPECT_TRUE(inst00.qc3);
    EXPECT_EQ(inst00.instpath3, "C:\\Condor3");
    EXPECT_EQ(inst00.rootpath3, kDocs + "\\Condor3\\");
    EXPECT_EQ(inst00.pilpath3, kDocs + "\\Condor3\\Pilots\\Pilot3");
    EXPECT_EQ(inst00.condor_version, 3);
    EXPECT_EQ(inst00.cndrinstpath, "C:\\Condor3");
    EXPECT_EQ(inst00.cndrrootpath, kDocs + "\\Condor3\\");
    EXPECT_EQ(inst00.pilot_path, kDocs + "\\Condor3\\Pilots\\Pilot3");
    EXPECT_TRUE(inst00.instpath2.empty());
    // Condor 2 is missing: an information box.
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].title, "Tarvex");
    EXPECT_EQ(boxes[0].text, "*** Condor2 installation not detected on this computer ***");
    EXPECT_EQ(boxes[0].status, 0);
    EXPECT_NE(log_text().find("Condor 3 install path: C:\\Condor3"), std::string::npos);

    get_active_condor_version();
    EXPECT_EQ(inst00.condor_version, 3);
    EXPECT_EQ(inst00.pilot_path, kDocs + "\\Condor3\\Pilots\\Pilot3");
}

TEST_F(DiscoveryTest, Condor2Only) {
    FakeWinePrefix prefix(only(2));
    EXPECT_EQ(check_condor_install(""), 2);
    EXPECT_TRUE(inst00.qc2);
    EXPECT_FALSE(inst00.qc3);
    EXPECT_EQ(inst00.condor_version, 2);
    EXPECT_EQ(inst00.rootpath2, kDocs + "\\Condor\\");
    EXPECT_EQ(inst00.pilpath2, kDocs + "\\Condor\\Pilots\\Pilot2");
    EXPECT_EQ(inst00.cndrinstpath, "C:\\Condor2");
    EXPECT_EQ(inst00.pilot_path, kDocs + "\\Condor\\Pilots\\Pilot2");
    EXPECT_NE(log_text().find("Condor 2 install path: C:\\Condor2"), std::string::npos);
    get_active_condor_version();
    EXPECT_EQ(inst00.condor_version, 2);
}

TEST_F(DiscoveryTest, NeitherInstalled) {
    FakeWinePrefix prefix(only(0));
    cmndta001.qline = true;
    testing::internal::CaptureStdout();
    EXPECT_EQ(check_condor_install(""), 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(boxes.empty());  // console mode: no box
    EXPECT_NE(out.find("*** Condor2 installation not detected on this computer ***"), std::string::npos);
    EXPECT_NE(out.find("*** Condor3 installation not detected on this computer ***"), std::string::npos);
    EXPECT_FALSE(inst00.qc2);
    EXPECT_FALSE(inst00.qc3);
    EXPECT_EQ(inst00.condor_version, 0);
    EXPECT_TRUE(inst00.cndrinstpath.empty());
}

TEST_F(DiscoveryTest, BothInstalledWaitForTheChoice) {
    FakeWinePrefix prefix;
    EXPECT_EQ(check_condor_install(""), 3);
    EXPECT_TRUE(inst00.qc2);
    EXPECT_TRUE(inst00.qc3);
    EXPECT_EQ(inst00.condor_version, 0);
    EXPECT_EQ(inst00.cndrinstpath, "C:\\Condor3");
    EXPECT_EQ(inst00.pilpath2, kDocs + "\\Condor\\Pilots\\Pilot2");
    EXPECT_EQ(inst00.pilpath3, kDocs + "\\Condor3\\Pilots\\Pilot3");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DiscoveryTest, InstalledOnlyWithExeAndVersionLine) {
    {
        FakeWinePrefix prefix(only(3));
        prefix.set_condor_log(3, "Logfile opened\r\nOS: Wine\r\n");
        EXPECT_EQ(check_condor_install(""), 0);  // no "Condor version:" line
        EXPECT_FALSE(inst00.qc3);
    }
    {
        FakeWinePrefix prefix(only(3));
        prefix.set_condor_log(3, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\nCondor version: 3000\r\n");  // past the 6th line
        EXPECT_EQ(check_condor_install(""), 0);
    }
    {
        FakeWinePrefix prefix(only(3));
        prefix.remove("C:\\Condor3\\Condor.exe");
        EXPECT_EQ(check_condor_install(""), 0);
    }
    {
        FakeWinePrefix prefix(only(3));
        prefix.set_condor_log(3, "Condor version: 2999\n");  // LF only; 2999 is Condor 2
        std::string path;
        EXPECT_EQ(get_condor_inst_dir(3, path, true), 2);
        EXPECT_EQ(check_condor_install(""), 0);
        prefix.set_condor_log(3, "Condor version: 3000 (3.0.0)\r\n");
        EXPECT_EQ(get_condor_inst_dir(3, path, true), 3);
        prefix.set_condor_log(3, "Condor version: three\r\n");
        EXPECT_EQ(get_condor_inst_dir(3, path, true), 0);
        prefix.remove(FakeWinePrefix::condor_log(3));
        EXPECT_EQ(get_condor_inst_dir(3, path, true), 0);
        EXPECT_EQ(path, "C:\\Condor3");
    }
}

TEST_F(DiscoveryTest, InstallFolderLookups) {
    FakeWinePrefix prefix(only(3));
    std::string path = "old";
    EXPECT_EQ(get_condor_inst_dir(2, path, true), 0);
    EXPECT_TRUE(path.empty());
    EXPECT_TRUE(boxes.empty());  // silent
    EXPECT_EQ(get_condor_inst_dir(3, path, false), 3);
    EXPECT_EQ(path, "C:\\Condor3");
    // -3 takes the stored folder without the registry.
    inst00.instpath3 = "D:\\Elsewhere";
    EXPECT_EQ(get_condor_inst_dir(-3, path, true), 3);
    EXPECT_EQ(path, "D:\\Elsewhere");
    inst00.instpath3.clear();
    EXPECT_EQ(get_condor_inst_dir(-3, path, true), 3);
    EXPECT_EQ(path, "C:\\Condor3");
    EXPECT_EQ(get_condor_inst_dir(-2, path, true), 0);
    // A registry folder written with a final "\\" finds the same log.
    prefix.set_registry_string("Software\\Condor3", "InstallDir", "C:\\Condor3\\");
    EXPECT_EQ(get_condor_inst_dir(3, path, true), 3);
    EXPECT_EQ(path, "C:\\Condor3\\");

    for (const int bad : {0, 4, -4, -2147483647 - 1}) {
        try {
            get_condor_inst_dir(bad, path, true);
            ADD_FAILURE() << "no stop for " << bad;
        } catch (const RunStopped& stop) {
            EXPECT_EQ(stop.text, "get_condor_inst_dir : incorrect Condor version");
            EXPECT_EQ(stop.exit_code, kExitConfiguration);
        }
    }
}

TEST_F(DiscoveryTest, ActiveVersionByTimes) {
    FakeWinePrefix prefix;
    ASSERT_EQ(check_condor_install(""), 3);
    const std::string fpl2 = prefix.flight_plan(2);
    const std::string fpl3 = prefix.flight_plan(3);
    const std::string log2 = FakeWinePrefix::condor_log(2);
    const std::string log3 = FakeWinePrefix::condor_log(3);
    const std::int64_t t = 1700000000;
    auto decide = [&](std::int64_t f2, std::int64_t f3, std::int64_t l2, std::int64_t l3) {
        for (const auto& [file, time] : {std::pair{fpl2, f2}, std::pair{fpl3, f3}}) {
            if (time < 0) {
                prefix.remove(file);
            } else {
                prefix.add_file(file, "[Version]\r\n");
                prefix.set_modification_time(file, time);
            }
        }
        prefix.set_modification_time(log2, l2);
        prefix.set_modification_time(log3, l3);
        get_active_condor_version();
        return inst00.condor_version;
    };
    EXPECT_EQ(decide(t, t, t, t), 3);                   // a tie goes to Condor 3
    EXPECT_EQ(decide(t + 10, t, t, t), 2);              // Condor 2's plan is the newest
    EXPECT_EQ(decide(t, t + 10, t, t), 3);              // Condor 3's plan is the newest
    EXPECT_EQ(decide(-1, -1, t, t + 10), 3);            // no plans: Condor 3 ran last
    EXPECT_EQ(decide(-1, -1, t + 10, t), 2);            // no plans: Condor 2 ran last
    EXPECT_EQ(decide(t, -1, t, t + 10), 3);             // Condor 3 ran after Condor 2's plan
    EXPECT_EQ(decide(t, t + 5, t + 20, t + 10), 2);     // Condor 2 ran after everything
    EXPECT_EQ(inst00.pilot_path, prefix.pilot_dir(2));
    EXPECT_EQ(inst00.cndrinstpath, "C:\\Condor2");
    EXPECT_EQ(inst00.cndrrootpath, prefix.user_root(2));
    EXPECT_EQ(decide(t, t + 5, t, t + 10), 3);
    EXPECT_EQ(inst00.pilot_path, prefix.pilot_dir(3));
    EXPECT_EQ(inst00.cndrrootpath, prefix.user_root(3));
}

TEST_F(DiscoveryTest, ActiveVersionWithNoTimesAnywhere) {
    // Both marked installed, but no plan and no log at all: Condor 2.
    FakeWinePrefix prefix(only(0));
    inst00.qc2 = true;
    inst00.qc3 = true;
    inst00.instpath2 = "C:\\Nowhere2";
    inst00.instpath3 = "C:\\Nowhere3";
    inst00.pilpath2 = "C:\\Nowhere2\\P";
    inst00.pilpath3 = "C:\\Nowhere3\\P";
    get_active_condor_version();
    EXPECT_EQ(inst00.condor_version, 2);
    EXPECT_EQ(inst00.cndrinstpath, "C:\\Nowhere2");
}

TEST_F(DiscoveryTest, ActiveVersionLooksForCondorFirst) {
    FakeWinePrefix prefix(only(2));
    get_active_condor_version();  // nothing known yet: runs the installation check
    EXPECT_TRUE(inst00.qc2);
    EXPECT_EQ(inst00.condor_version, 2);
    EXPECT_EQ(inst00.pilot_path, kDocs + "\\Condor\\Pilots\\Pilot2");
}

TEST_F(DiscoveryTest, UserFolders) {
    FakeWinePrefix prefix(only(3));
    std::string folder = "3";
    EXPECT_EQ(get_condor_user_path("", false, true, true, folder), 0);
    EXPECT_EQ(folder, kDocs + "\\Condor3\\Pilots\\Pilot3");
    folder = "";
    EXPECT_EQ(get_condor_2_path("", false, false, folder), 0);
    EXPECT_EQ(folder, kDocs + "\\Condor\\");
    // Without the Documents lookup nothing is found.
    folder = "3";
    EXPECT_EQ(get_condor_user_path("", false, true, false, folder), 1);
    EXPECT_TRUE(folder.empty());

    // No last player: the Documents folder alone.
    prefix.remove_registry_value("Software\\Condor3", "LastPlayer");
    folder = "3";
    get_condor_2_path("", false, true, folder);
    EXPECT_EQ(folder, kDocs);

    // A long player name is cut at 40 characters.
    prefix.set_registry_string("Software\\Condor3", "LastPlayer", std::string(45, 'p'));
    folder = "3";
    get_condor_2_path("", false, true, folder);
    EXPECT_EQ(folder, kDocs + "\\Condor3\\Pilots\\" + std::string(40, 'p'));
}

TEST_F(DiscoveryTest, DocumentsFolderVariants) {
    FakeWinePrefix prefix(only(3));
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    // A plain value is used as it is.
    prefix.set_registry_string(key, "Personal", "D:\\My Documents");
    std::string folder = "3";
    get_condor_2_path("", false, false, folder);
    EXPECT_EQ(folder, "D:\\My Documents\\Condor3\\");

    // A variable that cannot be read: the user is told, nothing is found.
    prefix.set_registry_string(key, "Personal", "%TARVEX_NO_SUCH_VARIABLE%\\Documents", true);
    folder = "3";
    EXPECT_EQ(get_condor_2_path("", false, false, folder), 1);
    EXPECT_TRUE(folder.empty());
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].title, "get_condor_user_path");
    EXPECT_EQ(boxes[0].text, "Error getting environment variable\nTARVEX_NO_SUCH_VARIABLE");

    // No Documents value at all.
    prefix.remove_registry_value(key, "Personal");
    folder = "3";
    EXPECT_EQ(get_condor_2_path("", false, true, folder), 1);
    EXPECT_TRUE(folder.empty());
}

TEST_F(DiscoveryTest, ProgramFolderAndLocateFile) {
    FakeWinePrefix prefix(only(0));
    std::string inst;
    get_inst_path(inst);
    ASSERT_GE(inst.size(), 3U);
    EXPECT_EQ(inst.back(), '\\');
    EXPECT_EQ(inst[1], ':');
    EXPECT_TRUE(inst[0] >= 'A' && inst[0] <= 'Z');

    std::string name = "%INST%\\Tarvex.ini";
    locate_file(name, false);
    EXPECT_EQ(name, inst + "Tarvex.ini");
    name = "C:\\x\\Tarvex.ini";
    locate_file(name, true);
    EXPECT_EQ(name, "C:\\x\\Tarvex.ini");
    name = "Tarvex.ini";
    locate_file(name, true);  // not in the current folder
    EXPECT_EQ(name, inst + "Tarvex.ini");
    dir_.write("Tarvex.ini", "x");
    name = "Tarvex.ini";
    locate_file(name, true);
    EXPECT_EQ(name, "Tarvex.ini");
    name = "Tarvex.ini";
    locate_file(name, false);
    EXPECT_EQ(name, inst + "Tarvex.ini");
}

TEST_F(DiscoveryTest, ConfirmedInAFolderDialog) {
    const tarvex_test::ScopedEnv display("DISPLAY", nullptr);
    const tarvex_test::ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    const tarvex_test::ScopedEnv forced("TARVEX_DIALOGS", "console");
    reset_tinyfd();
    FakeWinePrefix prefix(only(3));
    const std::string other = kDocs + "\\Elsewhere";
    prefix.add_folder(other);
    std::string folder = "3";
    std::string out;
    {
        const tarvex_test::ScopedStdin in(prefix.host(other).string() + "\n");
        tarvex_test::CapturedStdout captured;
        EXPECT_EQ(get_condor_user_path("Pilot folder:", true, true, true, folder), 0);
        out = captured.finish();
    }
    EXPECT_EQ(folder, other);
    EXPECT_NE(out.find("Pilot folder: DOCUMENTS\\Condor3\\Pilots\\NAME"), std::string::npos);

    // Cancelled: the folder found stays.
    folder = "3";
    {
        const tarvex_test::ScopedStdin in("");
        tarvex_test::CapturedStdout captured;
        get_condor_user_path("", true, false, true, folder);
        out = captured.finish();
    }
    EXPECT_EQ(folder, kDocs + "\\Condor3\\");
    EXPECT_NE(out.find("Path to the Condor user files folder: usually DOCUMENTS\\Condor3"), std::string::npos);
    reset_tinyfd();
}
