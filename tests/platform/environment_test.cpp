#include "platform/environment.h"
#include "platform/path_map.h"

#include "support/fake_wine_prefix.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using tarvex_test::FakePrefixOptions;
using tarvex_test::FakeWinePrefix;
using tarvex_test::ScopedEnv;

namespace {

FakePrefixOptions bare_prefix() {
    FakePrefixOptions options;
    options.condor2.reset();
    options.condor3.reset();
    return options;
}

struct Env {
    int result;
    std::string value;
};

Env get_env(const std::string& name, int len = 256) {
    Env e{0, "unchanged"};
    e.result = MyGetEnv(name, e.value, len);
    return e;
}

}  // namespace

TEST(MyGetEnv, RealEnvironmentAndBufferSizes) {
    ScopedEnv var("TARVEX_TEST_VAR", "abc");
    Env e = get_env("TARVEX_TEST_VAR");
    EXPECT_EQ(e.result, 3);
    EXPECT_EQ(e.value, "abc");
    e = get_env("tarvex_test_var");  // names without regard to case, as on Windows
    EXPECT_EQ(e.value, "abc");
    e = get_env("TARVEX_TEST_VAR", 4);  // just fits with its NUL
    EXPECT_EQ(e.result, 3);
    e = get_env("TARVEX_TEST_VAR", 3);  // too small: the size needed, value untouched
    EXPECT_EQ(e.result, 4);
    EXPECT_EQ(e.value, "unchanged");
    e = get_env("TARVEX_TEST_VAR", 0);
    EXPECT_EQ(e.result, 4);
    e = get_env("TARVEX_NO_SUCH_VAR");
    EXPECT_EQ(e.result, 0);
    EXPECT_EQ(e.value, "unchanged");
    EXPECT_EQ(get_env("").result, 0);
    EXPECT_EQ(get_env("A=B").result, 0);

    ScopedEnv accented("TARVEX_TEST_ACCENT", "J\xC3\xA9r\xC3\xB4me");  // UTF-8 on the host
    e = get_env("TARVEX_TEST_ACCENT");
    EXPECT_EQ(e.value, "J\xE9r\xF4me");
    EXPECT_EQ(e.result, 6);
    ScopedEnv empty("TARVEX_TEST_EMPTY", "");
    e = get_env("TARVEX_TEST_EMPTY");
    EXPECT_EQ(e.result, 0);  // exists but empty: nothing stored, as on Windows
    EXPECT_EQ(e.value, "");
}

TEST(MyGetEnv, WindowsVariablesFromThePrefix) {
    FakeWinePrefix prefix(bare_prefix());
    EXPECT_EQ(get_env("USERPROFILE").value, "C:\\users\\tester");
    EXPECT_EQ(get_env("UserProfile").result, 15);
    EXPECT_EQ(get_env("USERNAME").value, "tester");
    EXPECT_EQ(get_env("HOMEDRIVE").value, "C:");
    EXPECT_EQ(get_env("HOMEPATH").value, "\\users\\tester");
    EXPECT_EQ(get_env("APPDATA").value, "C:\\users\\tester\\AppData\\Roaming");
    EXPECT_EQ(get_env("LOCALAPPDATA").value, "C:\\users\\tester\\AppData\\Local");
    EXPECT_EQ(get_env("PUBLIC").value, "C:\\users\\Public");
    EXPECT_EQ(get_env("windir").value, "C:\\windows");
    EXPECT_EQ(get_env("USERPROFILE", 10).result, 16);

    // The real environment comes first.
    {
        ScopedEnv real("USERPROFILE", "D:\\Profiles\\x");
        EXPECT_EQ(get_env("USERPROFILE").value, "D:\\Profiles\\x");
    }
    // $USER without a folder: the only folder other than Public.
    {
        ScopedEnv other_user("USER", "somebody");
        EXPECT_EQ(get_env("USERPROFILE").value, "C:\\users\\tester");
        prefix.add_folder("C:\\users\\second");
        EXPECT_EQ(get_env("USERPROFILE").result, 0);  // two candidates: none is taken
        EXPECT_EQ(get_env("USERNAME").result, 0);
        prefix.add_folder("C:\\users\\somebody");
        EXPECT_EQ(get_env("USERPROFILE").value, "C:\\users\\somebody");
    }
    {
        ScopedEnv dots("USER", "..");  // never a way out of C:\users
        prefix.remove("C:\\users\\second");
        prefix.remove("C:\\users\\somebody");
        EXPECT_EQ(get_env("USERPROFILE").value, "C:\\users\\tester");
    }
    prefix.remove("C:\\users");
    EXPECT_EQ(get_env("USERPROFILE").result, 0);
}

TEST(MyGetEnv, UserFolderWithAccentsAndCase) {
    FakePrefixOptions options = bare_prefix();
    options.user = "J\xE9r\xF4me";  // cp1252; the fixture makes the folder and $USER in UTF-8
    FakeWinePrefix prefix(options);
    EXPECT_STREQ(std::getenv("USER"), "J\xC3\xA9r\xC3\xB4me");
    EXPECT_TRUE(fs::is_directory(prefix.drive_c() / "users" / "J\xC3\xA9r\xC3\xB4me"));
    EXPECT_EQ(get_env("USERPROFILE").value, "C:\\users\\J\xE9r\xF4me");
}

TEST(IsLanguageFrench, FirstLocaleVariableDecides) {
    ScopedEnv language("LANGUAGE", nullptr);
    ScopedEnv all("LC_ALL", nullptr);
    ScopedEnv messages("LC_MESSAGES", nullptr);
    ScopedEnv lang("LANG", nullptr);
    EXPECT_EQ(IsLanguageFrench(), 0);
    const auto with_lang = [](const char* value) {
        ScopedEnv l("LANG", value);
        return IsLanguageFrench();
    };
    EXPECT_EQ(with_lang("fr_FR.UTF-8"), 1);
    EXPECT_EQ(with_lang("fr_CA.UTF-8"), 1);
    EXPECT_EQ(with_lang("fr_CH"), 1);
    EXPECT_EQ(with_lang("fr_BE@euro"), 1);
    EXPECT_EQ(with_lang("fr"), 1);
    EXPECT_EQ(with_lang("en_US.UTF-8"), 0);
    EXPECT_EQ(with_lang("frr_DE"), 0);  // North Frisian
    EXPECT_EQ(with_lang("C"), 0);
    {
        ScopedEnv l("LANG", "fr_FR.UTF-8");
        ScopedEnv m("LC_ALL", "C");
        EXPECT_EQ(IsLanguageFrench(), 0);  // LC_ALL comes before LANG
    }
    {
        ScopedEnv l("LANG", "en_GB.UTF-8");
        ScopedEnv m("LC_MESSAGES", "fr_CA.UTF-8");
        EXPECT_EQ(IsLanguageFrench(), 1);
        ScopedEnv g("LANGUAGE", "en:fr");
        EXPECT_EQ(IsLanguageFrench(), 0);
    }
    ScopedEnv g("LANGUAGE", "fr:en");
    EXPECT_EQ(IsLanguageFrench(), 1);
    ScopedEnv empty_language("LANGUAGE", "");  // empty: the next one decides
    EXPECT_EQ(IsLanguageFrench(), 0);
}

TEST(GetExePath, ProgramPathInWindowsForm) {
    FakeWinePrefix prefix(bare_prefix());
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    std::string expected = "Z:";
    for (const char c : exe.string()) {
        expected += c == '/' ? '\\' : c;
    }
    std::string path = "unchanged";
    EXPECT_EQ(GetExePath(path, 512), static_cast<int>(expected.size()));
    EXPECT_EQ(path, expected);

    // The program's folder as a drive of the prefix.
    fs::create_directory_symlink(exe.parent_path(), prefix.root() / "dosdevices" / "t:");
    forget_wine_drives();
    EXPECT_GT(GetExePath(path, 512), 0);
    EXPECT_EQ(path, "T:\\" + exe.filename().string());

    // A buffer too small gets nothing rather than a cut path.
    path = "unchanged";
    EXPECT_EQ(GetExePath(path, 4), 0);
    EXPECT_EQ(path, "unchanged");
}

TEST(HideConsole, TraceOnly) {
    testing::internal::CaptureStdout();
    HideConsole();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "nb proc 1\nI'm the last one!\n");  // standard output is no terminal here
}

TEST(MySleep, ReturnsForZeroAndNegative) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    My_Sleep(0);
    My_Sleep(-100);  // not taken as a long unsigned wait
    const Clock::time_point after_nothing = Clock::now();
    My_Sleep(20);
    const Clock::time_point after_sleep = Clock::now();
    // Generous bound: the two calls sleep not at all, however busy the machine.
    EXPECT_LT(after_nothing - start, std::chrono::seconds(1));
    EXPECT_GE(after_sleep - after_nothing, std::chrono::milliseconds(20));
}
