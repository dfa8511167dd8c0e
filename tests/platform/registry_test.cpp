#include "platform/registry.h"

#include "support/fake_wine_prefix.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using tarvex_test::FakePrefixOptions;
using tarvex_test::FakeWinePrefix;
using tarvex_test::ScopedEnv;
using tarvex_test::TempDir;

namespace {

// A hive as Wine writes it, with the forms it uses.
const std::string kUserReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\User\\\\S-1-5-21-1234-5678-9012-1000\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Control Panel\\\\Desktop] 1733600000\n"
    "#time=1db49a1b2c3d4e5\n"
    "\"CaretWidth\"=dword:0000002a\n"
    "\"Pattern\"=hex(2):28,00,4e,00,6f,00,6e,00,65,00,29,00,00,00\n"
    "\"UserPreferencesMask\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,\\\n"
    "  13,14,15,16,17,18\n"
    "\n"
    "[Software\\\\Condor3] 1733600001\n"
    "#time=1db49a1b2c3d4e6\n"
    "@=\"default text\"\n"
    "\"Empty\"=\"\"\n"
    "\"InstallDir\"=\"C:\\\\Condor3\"\n"
    "\"LastPlayer\"=\"J\\xe9r\\xf4me\"\n"
    "\"Money\"=\"\\x20ac5 and \\x20ac\"\n"
    "\"Smile\"=\"\\xd83d\\xde00!\"\n"
    "\"Quoted\"=\"say \\\"hi\\\" \\\\ bye\"\n"
    "\"Tab\"=\"a\\tb\"\n"
    "\"List\"=str(7):\"one\\0two\\0\"\n"
    "\"Key=With=Equals\"=\"eq\"\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders] 1733600002\n"
    "#time=1db49a1b2c3d4e7\n"
    "\"Desktop\"=str(2):\"%USERPROFILE%\\\\Desktop\"\n"
    "\"Personal\"=str(2):\"%USERPROFILE%\\\\Documents\"\n"
    "\n"
    "[Software\\\\Parent\\\\Child] 1733600003\n"
    "\"x\"=\"y\"\n"
    "\n"
    "[Software\\\\Wine\\\\Caf\\xe9] 1733600004\n"
    "\"k\"=\"accented key\"\n";

struct Read {
    int status;
    std::string value;
    int len;
};

Read read(const std::string& key, const std::string& name, int len_in = 0) {
    Read r{0, "unchanged", len_in};
    r.status = RdUsrReg(key, name, r.value, r.len);
    return r;
}

void write_hive(const fs::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
}

FakePrefixOptions bare_prefix() {
    FakePrefixOptions options;
    options.condor2.reset();
    options.condor3.reset();
    return options;
}

}  // namespace

TEST(Registry, StringsAsWineWritesThem) {
    FakeWinePrefix prefix(bare_prefix());
    write_hive(prefix.root() / "user.reg", kUserReg);

    Read r = read("SOFTWARE\\Condor3\\", "InstallDir");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.value, "C:\\Condor3");
    EXPECT_EQ(r.len, 11);  // with the terminating NUL

    r = read("software\\CONDOR3", "installdir");  // keys and names in any case
    EXPECT_EQ(r.value, "C:\\Condor3");

    r = read("SOFTWARE\\Condor3\\", "LastPlayer");
    EXPECT_EQ(r.value, "J\xE9r\xF4me");  // UTF-16 escapes to cp1252
    EXPECT_EQ(r.len, 7);

    EXPECT_EQ(read("Software\\Condor3", "Money").value, "\x80" "5 and \x80");
    EXPECT_EQ(read("Software\\Condor3", "Smile").value, "?!");  // outside cp1252
    EXPECT_EQ(read("Software\\Condor3", "Quoted").value, "say \"hi\" \\ bye");
    EXPECT_EQ(read("Software\\Condor3", "Tab").value, "a\tb");
    EXPECT_EQ(read("Software\\Condor3", "Key=With=Equals").value, "eq");
    EXPECT_EQ(read("Software\\Condor3", "").value, "default text");

    r = read("Software\\Condor3", "Empty");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.value, "");
    EXPECT_EQ(r.len, 1);

    r = read("Software\\Condor3", "List");
    EXPECT_EQ(r.value, "one");
    EXPECT_EQ(r.len, 9);

    r = read("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\", "Personal");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.value, "%USERPROFILE%\\Documents");  // not expanded
    EXPECT_EQ(r.len, 24);

    EXPECT_EQ(read("Software\\Wine\\CAF\xC9", "k").value, "accented key");
}

TEST(Registry, OtherValueTypes) {
    FakeWinePrefix prefix(bare_prefix());
    write_hive(prefix.root() / "user.reg", kUserReg);

    Read r = read("Control Panel\\Desktop", "CaretWidth");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.value, std::string("\x2a\0\0\0", 4));
    EXPECT_EQ(r.len, 4);

    r = read("Control Panel\\Desktop", "Pattern");  // an expandable string in hex form
    EXPECT_EQ(r.value, "(None)");
    EXPECT_EQ(r.len, 7);

    r = read("Control Panel\\Desktop", "UserPreferencesMask");  // continued on a second line
    EXPECT_EQ(r.len, 25);
    ASSERT_EQ(r.value.size(), 25u);
    EXPECT_EQ(r.value[24], '\x18');
}

TEST(Registry, ResultCodes) {
    FakeWinePrefix prefix(bare_prefix());
    write_hive(prefix.root() / "user.reg", kUserReg);

    // Missing key: non-zero, nothing touched.
    Read r = read("SOFTWARE\\Condor2\\", "InstallDir");
    EXPECT_EQ(r.status, kRegistryNotFound);
    EXPECT_EQ(r.value, "unchanged");
    EXPECT_EQ(r.len, 0);
    EXPECT_EQ(read("Software\\Cond", "InstallDir").status, kRegistryNotFound);  // part of a name is no key

    // Missing value of an existing key: 0 with the length untouched.
    r = read("SOFTWARE\\Condor3\\", "NoSuchValue");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.value, "unchanged");
    EXPECT_EQ(r.len, 0);

    // A key with no values of its own but a key below it exists.
    r = read("Software\\Parent", "x");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.len, 0);
    EXPECT_EQ(read("Software\\Parent\\Child", "x").value, "y");
    EXPECT_EQ(read("Software", "x").status, 0);

    // No hive at all.
    std::filesystem::remove(prefix.root() / "user.reg");
    r = read("SOFTWARE\\Condor3\\", "InstallDir");
    EXPECT_EQ(r.status, kRegistryNotFound);
    EXPECT_EQ(r.value, "unchanged");
}

TEST(Registry, ValuesLongerThanTheBuffer) {
    FakeWinePrefix prefix(bare_prefix());
    const std::string fits(254, 'a');   // 254 characters and the NUL: 255 bytes
    const std::string too_long(255, 'b');
    prefix.set_registry_string("Software\\Condor3", "Fits", fits);
    prefix.set_registry_string("Software\\Condor3", "TooLong", too_long);
    Read r = read("Software\\Condor3", "Fits");
    EXPECT_EQ(r.value, fits);
    EXPECT_EQ(r.len, 255);
    r = read("Software\\Condor3", "TooLong");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.value, "unchanged");
    EXPECT_EQ(r.len, 0);
}

TEST(Registry, CrLfHiveAndFixtureEscapes) {
    FakeWinePrefix prefix(bare_prefix());
    prefix.set_registry_string("Software\\Condor2", "LastPlayer", "Ren\xE9" "e Fran\xE7" "ois \x80" "1");
    std::string text = prefix.user_reg_text();
    EXPECT_NE(text.find("\"Ren\\x00e9e Fran\\xe7ois \\x20ac1\""), std::string::npos) << text;
    EXPECT_EQ(read("Software\\Condor2", "LastPlayer").value, "Ren\xE9" "e Fran\xE7" "ois \x80" "1");
    // The same hive with CR LF line ends.
    std::string crlf;
    for (const char c : text) {
        if (c == '\n') {
            crlf += '\r';
        }
        crlf += c;
    }
    write_hive(prefix.root() / "user.reg", crlf);
    EXPECT_EQ(read("Software\\Condor2", "LastPlayer").value, "Ren\xE9" "e Fran\xE7" "ois \x80" "1");
}

TEST(Registry, ClassesRootWithNegativeLength) {
    FakeWinePrefix prefix(bare_prefix());
    prefix.set_registry_string("Software\\Classes\\.fpl", "", "CondorFlightPlan");
    const std::string system_reg =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
        "[Software\\\\Classes\\\\.cup] 1733600000\n@=\"SeeYouFile\"\n";
    write_hive(prefix.root() / "system.reg", system_reg);

    Read r = read(".fpl", "", -1);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.value, "CondorFlightPlan");
    EXPECT_EQ(r.len, 17);
    r = read(".cup", "", -1);
    EXPECT_EQ(r.value, "SeeYouFile");
    EXPECT_EQ(read(".xyz", "", -1).status, kRegistryNotFound);
    EXPECT_EQ(read(".fpl", "").status, kRegistryNotFound);  // not a key of the user's hive
}

TEST(Registry, AHiveRewrittenBetweenLookupsIsReadAgain) {
    FakeWinePrefix prefix(bare_prefix());
    const fs::path hive = prefix.root() / "user.reg";
    const std::string header = "WINE REGISTRY Version 2\n\n[Software\\\\Condor3] 1733600001\n";
    write_hive(hive, header + "\"InstallDir\"=\"C:\\\\Condor3\"\n");
    EXPECT_EQ(read("Software\\Condor3", "InstallDir").value, "C:\\Condor3");
    // In place, the same size, at once: the times may not even move.
    write_hive(hive, header + "\"InstallDir\"=\"D:\\\\Condor3\"\n");
    EXPECT_EQ(read("Software\\Condor3", "InstallDir").value, "D:\\Condor3");
    // Replaced by another file.
    write_hive(prefix.root() / "new.reg", header + "\"InstallDir\"=\"E:\\\\Condor3\"\n");
    fs::rename(prefix.root() / "new.reg", hive);
    EXPECT_EQ(read("Software\\Condor3", "InstallDir").value, "E:\\Condor3");
    fs::remove(hive);
    EXPECT_EQ(read("Software\\Condor3", "InstallDir").status, kRegistryNotFound);
}
