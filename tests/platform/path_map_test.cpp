#include "platform/path_map.h"

#include "support/fake_wine_prefix.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using tarvex_test::FakePrefixOptions;
using tarvex_test::FakeWinePrefix;
using tarvex_test::ScopedCwd;
using tarvex_test::ScopedEnv;
using tarvex_test::TempDir;

namespace {

FakePrefixOptions bare_prefix(bool dosdevices = true) {
    FakePrefixOptions options;
    options.condor2.reset();
    options.condor3.reset();
    options.dosdevices = dosdevices;
    return options;
}

std::string real(const fs::path& p) { return fs::weakly_canonical(p).string(); }

std::string host_of(const std::string& windows) {
    const std::optional<std::string> host = map_to_host(windows);
    return host ? *host : std::string("<none>");
}

}  // namespace

TEST(PathMap, PrefixDefaultsToDotWineInHome) {
    TempDir home;
    ScopedEnv h("HOME", home.path().c_str());
    {
        ScopedEnv p("WINEPREFIX", nullptr);
        EXPECT_EQ(wine_prefix(), (home.path() / ".wine").string());
    }
    {
        ScopedEnv p("WINEPREFIX", "");
        EXPECT_EQ(wine_prefix(), (home.path() / ".wine").string());
    }
    ScopedEnv p("WINEPREFIX", "/some/prefix");
    EXPECT_EQ(wine_prefix(), "/some/prefix");
}

TEST(PathMap, DrivesFromDosdevicesAndDefaults) {
    FakeWinePrefix prefix(bare_prefix());
    TempDir other;
    fs::create_directory_symlink(other.path(), prefix.root() / "dosdevices" / "d:");
    fs::create_symlink("/dev/sr0", prefix.root() / "dosdevices" / "d::");  // a raw device, not a drive
    const std::vector<WineDrive> drives = wine_drives();
    ASSERT_EQ(drives.size(), 3u);
    EXPECT_EQ(drives[0].letter, 'C');
    EXPECT_EQ(drives[0].root, prefix.drive_c().string());
    EXPECT_EQ(drives[1].letter, 'D');
    EXPECT_EQ(drives[1].root, other.path().string());
    EXPECT_EQ(drives[2].letter, 'Z');
    EXPECT_EQ(drives[2].root, "/");

    EXPECT_EQ(host_of("C:\\users\\Public"), (prefix.drive_c() / "users" / "Public").string());
    EXPECT_EQ(host_of("d:\\x.txt"), (other.path() / "x.txt").string());
    EXPECT_EQ(host_of("Z:\\etc\\hostname"), "/etc/hostname");
    EXPECT_EQ(host_of("E:\\x.txt"), "<none>");
    EXPECT_EQ(host_of(""), "<none>");
    EXPECT_EQ(host_of("   "), "<none>");
}

TEST(PathMap, DrivesWithoutDosdevices) {
    FakeWinePrefix prefix(bare_prefix(false));
    EXPECT_EQ(host_of("C:\\users"), (prefix.drive_c() / "users").string());
    EXPECT_EQ(host_of("z:\\tmp"), "/tmp");
    EXPECT_EQ(host_of("D:\\x"), "<none>");
    EXPECT_EQ(map_from_host((prefix.drive_c() / "users").string()), "C:\\users");
    EXPECT_EQ(map_from_host("/usr/bin"), "Z:\\usr\\bin");
}

TEST(PathMap, DotsAndDoubledSeparatorsAsText) {
    FakeWinePrefix prefix(bare_prefix());
    const std::string c = prefix.drive_c().string();
    EXPECT_EQ(host_of("C:\\a\\\\b\\..\\c\\.\\d.txt"), c + "/a/c/d.txt");
    EXPECT_EQ(host_of("C:\\..\\..\\x"), c + "/x");            // never above the drive's root
    EXPECT_EQ(host_of("C:\\"), c);
    EXPECT_EQ(host_of("C:"), c);
    EXPECT_EQ(host_of("C:x\\y"), c + "/x/y");
    EXPECT_EQ(host_of("C:\\a\\b\\"), c + "/a/b");
    EXPECT_EQ(host_of("C:\\a/b"), c + "/a/b");               // "/" separates for Windows too
    EXPECT_EQ(host_of("C:\\a\\b.txt   "), c + "/a/b.txt");   // trailing blanks of a padded text
}

TEST(PathMap, RootedAndRelativePaths) {
    FakeWinePrefix prefix(bare_prefix());
    const fs::path work = prefix.add_folder("C:\\work\\sub");
    {
        ScopedCwd cwd(work);
        EXPECT_EQ(host_of("\\Condor3\\x.fpl"), prefix.drive_c().string() + "/Condor3/x.fpl");
        EXPECT_EQ(host_of(".\\Template.fpl"), real(work) + "/Template.fpl");
        EXPECT_EQ(host_of("Template.fpl"), real(work) + "/Template.fpl");
        EXPECT_EQ(fs::weakly_canonical(host_of("..\\a.txt")), real(work.parent_path()) + "/a.txt");
        EXPECT_EQ(fs::weakly_canonical(host_of("x\\..\\..\\..\\b.txt")),
                  real(prefix.drive_c()) + "/b.txt");
        EXPECT_EQ(current_folder_windows(), "C:\\work\\sub");
    }
    TempDir outside;
    ScopedCwd cwd(outside.path());
    EXPECT_EQ(current_folder_windows()[0], 'Z');
    EXPECT_EQ(host_of("\\etc\\hostname"), "/etc/hostname");  // the drive of the current folder is Z:
}

TEST(PathMap, EveryComponentMatchedWithoutCase) {
    FakeWinePrefix prefix(bare_prefix());
    const fs::path trn = prefix.add_file("C:\\Condor3\\Landscapes\\AA3\\AA3.trn", "x");
    prefix.add_file("C:\\Condor3\\Logs\\Logfile.txt", "x");
    EXPECT_EQ(host_of("c:\\CONDOR3\\landscapes\\aa3\\aa3.TRN"), trn.string());
    EXPECT_EQ(host_of("C:\\condor3\\LOGS\\LOGFILE.TXT"), (prefix.drive_c() / "Condor3/Logs/Logfile.txt").string());
    // A new name keeps its spelling, below the existing folders it found.
    EXPECT_EQ(host_of("C:\\condor3\\FlightPlan.fpl"), (prefix.drive_c() / "Condor3/FlightPlan.fpl").string());
    EXPECT_EQ(host_of("C:\\CONDOR3\\New\\Sub\\A.txt"), (prefix.drive_c() / "Condor3/New/Sub/A.txt").string());
    // The exact spelling wins when both exist.
    const fs::path lower = prefix.add_file("C:\\Condor3\\flightplan.fpl", "a");
    const fs::path upper = prefix.add_file("C:\\Condor3\\FlightPlan.fpl", "b");
    EXPECT_EQ(host_of("C:\\Condor3\\FlightPlan.fpl"), upper.string());
    EXPECT_EQ(host_of("C:\\Condor3\\flightplan.fpl"), lower.string());
    EXPECT_EQ(host_of("C:\\Condor3\\FLIGHTPLAN.FPL"), upper.string());  // first in name order
}

TEST(PathMap, Cp1252NamesAreUtf8OnTheHost) {
    FakeWinePrefix prefix(bare_prefix());
    const std::string windows = "C:\\Vol \xE0 voile\\Th\xE9o.fpl";   // "Vol à voile\Théo.fpl"
    const fs::path host = prefix.drive_c() / "Vol \xC3\xA0 voile" / "Th\xC3\xA9o.fpl";
    EXPECT_EQ(host_of(windows), host.string());
    TempDir::read(prefix.add_file(windows, "x"));
    EXPECT_TRUE(fs::exists(host));
    EXPECT_EQ(host_of("C:\\VOL \xC0 VOILE\\TH\xC9O.FPL"), host.string());  // accented capitals
    EXPECT_EQ(map_from_host(host.string()), windows);
    // A host name that is not UTF-8 (Latin-1 bytes) is still found.
    const fs::path latin1 = prefix.drive_c() / "Caf\xE9.txt";
    TempDir::read(prefix.add_file("C:\\dummy.txt", "y"));
    fs::copy_file(prefix.drive_c() / "dummy.txt", latin1);
    EXPECT_EQ(host_of("C:\\CAF\xC9.TXT"), latin1.string());
}

TEST(PathMap, ReverseMappingPicksTheLongestDrive) {
    FakeWinePrefix prefix(bare_prefix());
    // A second drive on the same folder: C: is preferred.
    fs::create_directory_symlink("../drive_c", prefix.root() / "dosdevices" / "e:");
    const fs::path docs = prefix.add_folder("C:\\users\\tester\\Documents");
    EXPECT_EQ(map_from_host(docs.string()), "C:\\users\\tester\\Documents");
    EXPECT_EQ(map_from_host(prefix.drive_c().string()), "C:\\");
    EXPECT_EQ(map_from_host(prefix.drive_c().string() + "/"), "C:\\");
    // A drive on a folder inside C: is longer, so it wins.
    fs::create_directory_symlink(docs, prefix.root() / "dosdevices" / "m:");
    forget_wine_drives();
    EXPECT_EQ(map_from_host((docs / "Condor3").string()), "M:\\Condor3");
    // Outside every drive but Z:.
    EXPECT_EQ(map_from_host("/usr/share/doc"), "Z:\\usr\\share\\doc");
    EXPECT_EQ(map_from_host("/"), "Z:\\");
    // The path to the prefix through a link still reaches C:.
    TempDir links;
    fs::create_directory_symlink(prefix.root(), links.path() / "linked-prefix");
    EXPECT_EQ(map_from_host((links.path() / "linked-prefix/drive_c/users").string()), "C:\\users");
    // And a prefix named through a link maps real paths back to C:.
    ScopedEnv wp("WINEPREFIX", (links.path() / "linked-prefix").c_str());
    EXPECT_EQ(map_from_host(real(prefix.drive_c() / "users")), "C:\\users");
}

TEST(PathMap, CommandLineArguments) {
    FakeWinePrefix prefix(bare_prefix());
    const fs::path work = prefix.add_folder("C:\\work");
    ScopedCwd cwd(work);
    EXPECT_EQ(windows_path_from_argument("task.fpl"), "task.fpl");
    EXPECT_EQ(windows_path_from_argument("C:\\Condor3\\x.fpl"), "C:\\Condor3\\x.fpl");
    EXPECT_EQ(windows_path_from_argument("plans/task.fpl"), "C:\\work\\plans\\task.fpl");
    EXPECT_EQ(windows_path_from_argument("./task.fpl"), "C:\\work\\task.fpl");
    EXPECT_EQ(windows_path_from_argument("../up/task.fpl"), "C:\\up\\task.fpl");
    EXPECT_EQ(windows_path_from_argument((prefix.drive_c() / "x" / "y.fpl").string()), "C:\\x\\y.fpl");
    EXPECT_EQ(windows_path_from_argument("/tmp/t\xC3\xA2" "che.fpl"), "Z:\\tmp\\t\xE2" "che.fpl");
    EXPECT_EQ(windows_path_from_argument("t\xC3\xA2" "che.fpl"), "t\xE2" "che.fpl");
    // A drive path is a Windows path, whatever its separators.
    EXPECT_EQ(windows_path_from_argument("C:/Condor3/x.fpl"), "C:\\Condor3\\x.fpl");
    EXPECT_EQ(windows_path_from_argument("c:/users\\me/x.fpl"), "c:\\users\\me\\x.fpl");
    EXPECT_EQ(windows_path_from_argument("C:x/y.fpl"), "C:x\\y.fpl");
    EXPECT_EQ(windows_path_from_argument("sub\\dir/x.fpl"), "sub\\dir\\x.fpl");
}

TEST(PathMap, SettingsTakeThePathsTheCommandLineTakes) {
    FakeWinePrefix prefix(bare_prefix());
    const fs::path work = prefix.add_folder("C:\\work");
    ScopedCwd cwd(work);
    // cp1252 in, as the settings file holds it.
    EXPECT_EQ(windows_path_from_setting("C:\\XCSoarData\\Tasks"), "C:\\XCSoarData\\Tasks");
    EXPECT_EQ(windows_path_from_setting("C:/XCSoarData/Tasks"), "C:\\XCSoarData\\Tasks");
    EXPECT_EQ(windows_path_from_setting((prefix.drive_c() / "XCSoarData" / "Tasks").string()),
              "C:\\XCSoarData\\Tasks");
    EXPECT_EQ(windows_path_from_setting("/home/me/t\xE2" "ches"), "Z:\\home\\me\\t\xE2" "ches");
    EXPECT_EQ(windows_path_from_setting("plans/x.fpl"), "C:\\work\\plans\\x.fpl");
    for (const char* unchanged : {"AUTO", "Condor.prf", "0", "", "XXXXX"}) {
        EXPECT_EQ(windows_path_from_setting(unchanged), unchanged);
    }
}

TEST(PathMap, DrivesAreListedOncePerPrefix) {
    FakeWinePrefix prefix(bare_prefix());
    ASSERT_EQ(wine_drives().size(), 2u);
    TempDir other;
    fs::create_directory_symlink(other.path(), prefix.root() / "dosdevices" / "k:");
    // The same prefix keeps the drives it was first listed with...
    EXPECT_EQ(wine_drives().size(), 2u);
    EXPECT_FALSE(map_to_host("K:\\x.txt"));
    // ...until it is forgotten; another prefix is listed afresh.
    forget_wine_drives();
    EXPECT_EQ(wine_drives().size(), 3u);
    EXPECT_EQ(map_to_host("K:\\x.txt"), (other.path() / "x.txt").string());
    FakeWinePrefix second(bare_prefix());
    EXPECT_EQ(wine_drives().size(), 2u);
    EXPECT_EQ(map_to_host("C:\\x.txt"), (second.drive_c() / "x.txt").string());
}
