#include "support/fake_wine_prefix.h"

#include "platform/environment.h"
#include "platform/files.h"
#include "platform/registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using tarvex_test::CondorInstall;
using tarvex_test::FakePrefixOptions;
using tarvex_test::FakeWinePrefix;
using tarvex_test::ScopedEnv;
using tarvex_test::TempDir;

namespace {

std::string reg(const std::string& key, const std::string& name, int* status = nullptr) {
    std::string value;
    int len = 0;
    const int result = RdUsrReg(key, name, value, len);
    if (status != nullptr) {
        *status = result;
    }
    return len > 0 ? value : "<none>";
}

// The Documents folder the way discovery finds it: the registry's "Personal"
// with its environment variable expanded.
std::string documents_folder() {
    const std::string personal =
        reg("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\", "Personal");
    const std::size_t first = personal.find('%');
    const std::size_t second = personal.find('%', first + 1);
    std::string value;
    MyGetEnv(personal.substr(first + 1, second - first - 1), value, 256);
    return personal.substr(0, first) + value + personal.substr(second + 1);
}

std::string first_lines(const std::string& file, int count) {
    TextFileReader reader(file);
    std::string out;
    std::string line;
    for (int i = 0; i < count && reader.read_line(line); ++i) {
        out += line + "|";
    }
    return out;
}

}  // namespace

TEST(FakeWinePrefix, BothCondorVersionsAsDiscoveryFindsThem) {
    FakeWinePrefix prefix;
    EXPECT_STREQ(std::getenv("WINEPREFIX"), prefix.root().c_str());
    EXPECT_EQ(std::getenv("USERPROFILE"), nullptr);
    EXPECT_TRUE(fs::is_symlink(prefix.root() / "dosdevices" / "c:"));
    EXPECT_EQ(fs::read_symlink(prefix.root() / "dosdevices" / "c:"), "../drive_c");

    EXPECT_EQ(reg("SOFTWARE\\Condor2\\", "InstallDir"), "C:\\Condor2");
    EXPECT_EQ(reg("SOFTWARE\\Condor3\\", "InstallDir"), "C:\\Condor3");
    EXPECT_EQ(reg("SOFTWARE\\Condor2\\", "LastPlayer"), "Pilot2");
    EXPECT_EQ(reg("SOFTWARE\\Condor3\\", "LastPlayer"), "Pilot3");
    EXPECT_EQ(documents_folder(), "C:\\users\\tester\\Documents");
    EXPECT_EQ(prefix.documents(), "C:\\users\\tester\\Documents");

    for (const int v : {2, 3}) {
        EXPECT_TRUE(file_exists(FakeWinePrefix::install_dir(v) + "\\Condor.exe"));
        EXPECT_TRUE(folder_exists(FakeWinePrefix::install_dir(v) + "\\Landscapes"));
        EXPECT_TRUE(folder_exists(prefix.pilot_dir(v)));
        EXPECT_TRUE(folder_exists(prefix.user_root(v) + "FlightPlans"));
        EXPECT_FALSE(file_exists(prefix.flight_plan(v)));
    }
    EXPECT_EQ(prefix.user_root(2), "C:\\users\\tester\\Documents\\Condor\\");
    EXPECT_EQ(prefix.pilot_dir(3), "C:\\users\\tester\\Documents\\Condor3\\Pilots\\Pilot3");
    EXPECT_EQ(first_lines("C:\\Condor3\\Logs\\Logfile.txt", 2), "Logfile opened|Condor version: 3000|");
    EXPECT_EQ(first_lines("C:\\Condor2\\Logs\\Logfile.txt", 2), "Logfile opened|Condor version: 2200|");
    EXPECT_EQ(TempDir::read(prefix.host(FakeWinePrefix::condor_log(3))).find("\r\n"), 14u);  // CR LF lines
}

TEST(FakeWinePrefix, HooksForLaterTests) {
    FakePrefixOptions options;
    options.condor3.reset();
    FakeWinePrefix prefix(options);
    int status = 0;
    reg("SOFTWARE\\Condor3\\", "InstallDir", &status);
    EXPECT_EQ(status, kRegistryNotFound);
    EXPECT_FALSE(folder_exists("C:\\Condor3"));

    prefix.install_condor(3, CondorInstall{3100, "Anne Marie"});
    EXPECT_EQ(reg("SOFTWARE\\Condor3\\", "LastPlayer"), "Anne Marie");
    EXPECT_TRUE(folder_exists("C:\\users\\tester\\Documents\\Condor3\\Pilots\\Anne Marie"));

    const std::string landscape = prefix.add_landscape(3, "AA3", {{".trn", "terrain"}, {".air", "AC R"}});
    EXPECT_EQ(landscape, "C:\\Condor3\\Landscapes\\AA3");
    EXPECT_TRUE(file_exists("C:\\Condor3\\Landscapes\\AA3\\AA3.trn"));
    EXPECT_TRUE(file_exists("C:\\Condor3\\Landscapes\\AA3\\AA3.air"));

    prefix.add_file(prefix.flight_plan(3), "[Version]\r\n");
    prefix.set_modification_time(prefix.flight_plan(3), 1700000123);
    EXPECT_EQ(file_modification_time(prefix.flight_plan(3)), 1700000123);

    prefix.set_condor_log(2, "no version here\r\n");
    EXPECT_EQ(first_lines(FakeWinePrefix::condor_log(2), 6), "no version here|");

    prefix.remove_registry_value("Software\\Condor2", "LastPlayer");
    EXPECT_EQ(reg("SOFTWARE\\Condor2\\", "LastPlayer", &status), "<none>");
    EXPECT_EQ(status, 0);

    prefix.uninstall_condor(2);
    reg("SOFTWARE\\Condor2\\", "InstallDir", &status);
    EXPECT_EQ(status, kRegistryNotFound);
    EXPECT_FALSE(file_exists("C:\\Condor2\\Condor.exe"));

    prefix.remove("C:\\Condor3\\Condor.exe");
    EXPECT_FALSE(file_exists("C:\\Condor3\\Condor.exe"));

    const auto env = prefix.environment();
    ASSERT_EQ(env.size(), 2u);
    EXPECT_EQ(env[0].first, "WINEPREFIX");
    EXPECT_EQ(env[0].second, prefix.root().string());
    EXPECT_EQ(env[1], (std::pair<std::string, std::string>{"USER", "tester"}));
}

TEST(FakeWinePrefix, NoCondorNoDosdevicesAndCleanUp) {
    ScopedEnv outer("WINEPREFIX", "/outer/prefix");
    fs::path root;
    {
        FakePrefixOptions options;
        options.condor2.reset();
        options.condor3.reset();
        options.dosdevices = false;
        FakeWinePrefix prefix(options);
        root = prefix.root();
        EXPECT_FALSE(fs::exists(prefix.root() / "dosdevices"));
        EXPECT_TRUE(folder_exists("C:\\users\\tester\\Documents"));  // C: without its link
        int status = 0;
        reg("SOFTWARE\\Condor2\\", "InstallDir", &status);
        EXPECT_EQ(status, kRegistryNotFound);
        EXPECT_THROW(prefix.host("D:\\x"), std::invalid_argument);
    }
    EXPECT_FALSE(fs::exists(root));
    EXPECT_STREQ(std::getenv("WINEPREFIX"), "/outer/prefix");
}
