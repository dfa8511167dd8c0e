#include "platform/files.h"
#include "platform/write_batch.h"

#include "support/fake_wine_prefix.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>

namespace fs = std::filesystem;
using tarvex_test::FakePrefixOptions;
using tarvex_test::FakeWinePrefix;
using tarvex_test::ScopedCwd;
using tarvex_test::TempDir;

namespace {

FakePrefixOptions bare_prefix() {
    FakePrefixOptions options;
    options.condor2.reset();
    options.condor3.reset();
    return options;
}

std::vector<std::string> all_lines(std::string_view windows_path) {
    TextFileReader reader(windows_path);
    std::vector<std::string> lines;
    std::string line;
    while (reader.read_line(line)) {
        lines.push_back(line);
    }
    EXPECT_FALSE(reader.failed());
    EXPECT_FALSE(reader.read_line(line));  // stays at the end
    return lines;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(TextFileReader, LineEndsLfAndCrLf) {
    FakeWinePrefix prefix(bare_prefix());
    prefix.add_file("C:\\t\\lf.txt", "one\ntwo\n");
    prefix.add_file("C:\\t\\crlf.txt", "one\r\ntwo\r\n");
    prefix.add_file("C:\\t\\mixed.txt", "one\r\n\ntwo\nlast");
    prefix.add_file("C:\\t\\cr.txt", "a\r\r\n\r\nb\rc\n");
    prefix.add_file("C:\\t\\empty.txt", "");
    prefix.add_file("C:\\t\\blank.txt", "\n");
    EXPECT_EQ(all_lines("C:\\t\\lf.txt"), (Lines{"one", "two"}));
    EXPECT_EQ(all_lines("C:\\t\\crlf.txt"), (Lines{"one", "two"}));
    EXPECT_EQ(all_lines("C:\\t\\mixed.txt"), (Lines{"one", "", "two", "last"}));
    EXPECT_EQ(all_lines("C:\\t\\cr.txt"), (Lines{"a\r", "", "b\rc"}));  // one CR stripped, inner CR kept
    EXPECT_EQ(all_lines("C:\\t\\empty.txt"), Lines{});
    EXPECT_EQ(all_lines("C:\\t\\blank.txt"), Lines{""});
    EXPECT_EQ(all_lines("c:\\T\\CRLF.TXT"), (Lines{"one", "two"}));
}

TEST(TextFileReader, SplitTextLinesReadsTheSameLines) {
    FakeWinePrefix prefix(bare_prefix());
    for (const std::string text : {"one\ntwo\n", "one\r\n\ntwo\nlast", "a\r\r\n\r\nb\rc\n", "", "\n", "x\r"}) {
        prefix.add_file("C:\\t\\x.txt", text);
        EXPECT_EQ(split_text_lines(text), all_lines("C:\\t\\x.txt")) << text;
    }
    EXPECT_EQ(file_size("C:\\t\\x.txt"), 2);
    EXPECT_EQ(file_size("C:\\t"), -1);
    EXPECT_EQ(file_size("C:\\t\\none.txt"), -1);
}

TEST(TextFileReader, LongFilesAndLinesAcrossBlocks) {
    FakeWinePrefix prefix(bare_prefix());
    std::string text;
    for (int i = 0; i < 40000; ++i) {
        text += "line " + std::to_string(i) + (i % 2 == 0 ? "\r\n" : "\n");
    }
    const std::string long_line(200000, 'x');
    text += long_line + "\r\n\xE9t\xE9\r\n";
    prefix.add_file("C:\\big.txt", text);
    const Lines lines = all_lines("C:\\big.txt");
    ASSERT_EQ(lines.size(), 40002u);
    for (int i = 0; i < 40000; ++i) {
        ASSERT_EQ(lines[i], "line " + std::to_string(i));
    }
    EXPECT_EQ(lines[40000], long_line);
    EXPECT_EQ(lines[40001], "\xE9t\xE9");  // bytes as they stand
}

TEST(TextFileReader, LinesAsViewsAreTheLinesAsCopies) {
    FakeWinePrefix prefix(bare_prefix());
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        text += std::string(static_cast<std::size_t>(i % 97), 'a') + (i % 3 == 0 ? "\r\n" : "\n");
    }
    text += std::string(100000, 'y') + "\r";  // a last line without LF, longer than a block
    prefix.add_file("C:\\views.txt", text);
    const Lines copies = all_lines("C:\\views.txt");
    TextFileReader reader("C:\\views.txt");
    std::string_view view;
    std::size_t n = 0;
    while (reader.read_line(view)) {
        ASSERT_LT(n, copies.size());
        ASSERT_EQ(view, copies[n]) << n;
        ++n;
    }
    EXPECT_EQ(n, copies.size());
    EXPECT_EQ(copies.back(), std::string(100000, 'y'));
    EXPECT_TRUE(view.empty());
}

TEST(TextFileReader, OpenFailures) {
    FakeWinePrefix prefix(bare_prefix());
    TextFileReader missing("C:\\nothing.txt");
    EXPECT_FALSE(missing.is_open());
    EXPECT_EQ(missing.open_status(), ENOENT);
    std::string line = "kept?";
    EXPECT_FALSE(missing.read_line(line));
    EXPECT_EQ(line, "");
    TextFileReader folder("C:\\users");
    EXPECT_FALSE(folder.is_open());
    EXPECT_EQ(folder.open_status(), EISDIR);
    TextFileReader no_drive("Q:\\x.txt");
    EXPECT_FALSE(no_drive.is_open());
    EXPECT_EQ(no_drive.open_status(), ENOENT);
    prefix.add_file("C:\\ok.txt", "x");
    TextFileReader ok("C:\\OK.txt");
    EXPECT_TRUE(ok.is_open());
    EXPECT_EQ(ok.open_status(), 0);
    EXPECT_EQ(ok.windows_path(), "C:\\OK.txt");
}

TEST(ByteFileReader, RecordsAndRest) {
    FakeWinePrefix prefix(bare_prefix());
    std::string bytes;
    for (int i = 0; i < 100; ++i) {
        bytes += static_cast<char>(i);
    }
    prefix.add_file("C:\\a.apt", bytes);
    ByteFileReader reader("C:\\A.APT");
    ASSERT_TRUE(reader.is_open());
    std::string record;
    EXPECT_TRUE(reader.read(record, 36));
    EXPECT_EQ(record, bytes.substr(0, 36));
    EXPECT_TRUE(reader.read(record, 36));
    EXPECT_EQ(record, bytes.substr(36, 36));
    EXPECT_FALSE(reader.read(record, 36));  // only 28 left
    EXPECT_EQ(record, bytes.substr(72));
    EXPECT_FALSE(reader.failed());
    EXPECT_FALSE(reader.read(record, 36));
    EXPECT_EQ(record, "");

    ByteFileReader whole("C:\\a.apt");
    std::string all;
    EXPECT_TRUE(whole.read_all(all));
    EXPECT_EQ(all, bytes);

    ByteFileReader missing("C:\\b.apt");
    EXPECT_FALSE(missing.is_open());
    EXPECT_EQ(missing.open_status(), ENOENT);
    EXPECT_FALSE(missing.read(record, 4));
}

TEST(FileWriter, CreateAppendAndLineEnds) {
    FakeWinePrefix prefix(bare_prefix());
    const fs::path host = prefix.add_file("C:\\out\\Task.tsk", "old content that is longer");
    {
        FileWriter out("C:\\OUT\\task.TSK");  // replaces the existing file of another spelling
        ASSERT_TRUE(out.is_open());
        EXPECT_TRUE(out.write_line("first"));
        EXPECT_TRUE(out.write("raw"));
        EXPECT_TRUE(out.write_line(""));
        EXPECT_EQ(out.close(), 0);
        EXPECT_FALSE(out.write("after close"));
    }
    EXPECT_EQ(TempDir::read(host), "first\r\nraw\r\n");
    {
        FileWriter log("C:\\out\\Task.tsk", WriteMode::append);
        EXPECT_TRUE(log.write_line("appended"));
    }  // closed by going out of scope
    EXPECT_EQ(TempDir::read(host), "first\r\nraw\r\nappended\r\n");
    {
        FileWriter log("C:\\out\\New.log", WriteMode::append);  // append creates
        EXPECT_TRUE(log.write_line("x"));
        EXPECT_EQ(log.close(), 0);
    }
    EXPECT_EQ(TempDir::read(prefix.drive_c() / "out" / "New.log"), "x\r\n");
    {
        FileWriter bin("C:\\out\\b.bin");
        EXPECT_TRUE(bin.write(std::string("\0\x01\n", 3)));
        EXPECT_EQ(bin.close(), 0);
    }
    EXPECT_EQ(TempDir::read(prefix.drive_c() / "out" / "b.bin"), std::string("\0\x01\n", 3));
}

TEST(FileWriter, LinesOfAnyLengthEndWithCrLf) {
    FakeWinePrefix prefix(bare_prefix());
    // Around the length a line leaves in one write with its line end.
    const std::string edge(254, 'e');
    const std::string past(255, 'p');
    const std::string long_line(5000, 'l');
    {
        FileWriter out("C:\\lines.txt");
        for (const std::string* line : {&edge, &past, &long_line}) {
            EXPECT_TRUE(out.write_line(*line));
        }
        EXPECT_EQ(out.close(), 0);
    }
    EXPECT_EQ(TempDir::read(prefix.drive_c() / "lines.txt"), edge + "\r\n" + past + "\r\n" + long_line + "\r\n");
}

TEST(FileWriter, WritesOfManyBlocksReachTheFileWholeAtClose) {
    FakeWinePrefix prefix(bare_prefix());
    const fs::path host = prefix.add_file("C:\\big.txt", "old");
    std::string expected;
    {
        FileWriter out("C:\\big.txt");
        for (int i = 0; i < 40000; ++i) {
            const std::string line(static_cast<std::size_t>(i % 97), static_cast<char>('a' + i % 26));
            EXPECT_TRUE(out.write_line(line));
            expected += line + "\r\n";
        }
        EXPECT_GT(expected.size(), 1000000u);  // many times the writer's block
        EXPECT_EQ(TempDir::read(host), "old");
        EXPECT_EQ(out.close(), 0);
    }
    EXPECT_EQ(TempDir::read(host), expected);
    // A copy goes block by block and is as whole: outside a batch, and of a
    // file waiting in one.
    EXPECT_EQ(copy_file_over("C:\\big.txt", "C:\\copy.txt"), 0);
    EXPECT_EQ(TempDir::read(prefix.drive_c() / "copy.txt"), expected);
    {
        WriteBatch batch;
        FileWriter out("C:\\big.txt");
        EXPECT_TRUE(out.write(expected + "more"));
        EXPECT_EQ(out.close(), 0);
        EXPECT_EQ(copy_file_over("C:\\big.txt", "C:\\waiting.txt"), 0);
        EXPECT_EQ(TempDir::read(host), expected);
        for (const BatchedWrite& write : finish_write_batch()) {
            EXPECT_EQ(write.status, 0) << write.windows_path;
        }
    }
    EXPECT_EQ(TempDir::read(prefix.drive_c() / "waiting.txt"), expected + "more");
    EXPECT_EQ(copy_file_over("C:\\empty.txt", "C:\\copy.txt"), ENOENT);
    prefix.add_file("C:\\empty.txt", "");
    EXPECT_EQ(copy_file_over("C:\\empty.txt", "C:\\copy.txt"), 0);
    EXPECT_EQ(TempDir::read(prefix.drive_c() / "copy.txt"), "");
}

TEST(FileWriter, OpenFailures) {
    FakeWinePrefix prefix(bare_prefix());
    FileWriter no_folder("C:\\missing\\x.txt");
    EXPECT_FALSE(no_folder.is_open());
    EXPECT_EQ(no_folder.open_status(), ENOENT);
    EXPECT_FALSE(no_folder.write_line("x"));
    EXPECT_EQ(no_folder.close(), ENOENT);
    EXPECT_FALSE(fs::exists(prefix.drive_c() / "missing"));
    FileWriter folder("C:\\users");
    EXPECT_FALSE(folder.is_open());
    EXPECT_EQ(folder.open_status(), EISDIR);
    FileWriter no_drive("R:\\x.txt");
    EXPECT_EQ(no_drive.open_status(), ENOENT);
    if (geteuid() != 0) {  // permissions do not hold back the superuser
        const fs::path locked = prefix.add_folder("C:\\locked");
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        FileWriter refused("C:\\locked\\x.txt");
        EXPECT_EQ(refused.open_status(), EACCES);
        fs::permissions(locked, fs::perms::owner_all);
    }
}

TEST(Files, ExistenceAndTimes) {
    FakeWinePrefix prefix(bare_prefix());
    prefix.add_file("C:\\Condor3\\Condor.exe", "MZ");
    EXPECT_TRUE(file_exists("C:\\Condor3\\Condor.exe"));
    EXPECT_TRUE(file_exists("c:\\condor3\\CONDOR.EXE"));
    EXPECT_FALSE(file_exists("C:\\Condor3"));
    EXPECT_FALSE(file_exists("C:\\Condor3\\Condor2.exe"));
    EXPECT_FALSE(file_exists("Q:\\Condor.exe"));
    EXPECT_FALSE(file_exists(""));
    EXPECT_TRUE(folder_exists("C:\\Condor3"));
    EXPECT_TRUE(folder_exists("C:\\CONDOR3\\"));
    EXPECT_TRUE(folder_exists("C:"));
    EXPECT_TRUE(folder_exists("C:\\"));
    EXPECT_FALSE(folder_exists("C:\\Condor3\\Condor.exe"));
    EXPECT_FALSE(folder_exists("C:\\Condor4"));

    EXPECT_EQ(file_modification_time("C:\\Condor3\\nothing.fpl"), -1);
    prefix.set_modification_time("C:\\Condor3\\Condor.exe", 1700000000);
    EXPECT_EQ(file_modification_time("C:\\CONDOR3\\condor.exe"), 1700000000);
    const std::int64_t before = static_cast<std::int64_t>(std::time(nullptr));
    prefix.add_file("C:\\Condor3\\new.fpl", "x");
    const std::int64_t written = file_modification_time("C:\\Condor3\\new.fpl");
    EXPECT_GE(written, before - 1);  // on the scale of the clock
    EXPECT_LE(written, static_cast<std::int64_t>(std::time(nullptr)) + 1);

    EXPECT_EQ(file_size("C:\\CONDOR3\\condor.exe"), 2);
    EXPECT_EQ(file_size("C:\\Condor3\\nothing.fpl"), -1);
    EXPECT_EQ(file_size("C:\\Condor3"), -1);
}

TEST(Files, RemoveRenameCopy) {
    FakeWinePrefix prefix(bare_prefix());
    const fs::path ini = prefix.add_file("C:\\Program Files\\Tarvex\\Tarvex.ini", "settings");
    // Rename in a folder with blanks; a taken name is refused and nothing moves.
    EXPECT_EQ(rename_file("C:\\Program Files\\Tarvex\\tarvex.ini", "C:\\Program Files\\Tarvex\\Tarvex_0000.ini"), 0);
    EXPECT_FALSE(fs::exists(ini));
    EXPECT_EQ(TempDir::read(ini.parent_path() / "Tarvex_0000.ini"), "settings");
    prefix.add_file("C:\\Program Files\\Tarvex\\Tarvex.ini", "newer");
    EXPECT_EQ(rename_file("C:\\Program Files\\Tarvex\\Tarvex.ini", "C:\\Program Files\\Tarvex\\TARVEX_0000.INI"),
              EEXIST);
    EXPECT_EQ(TempDir::read(ini), "newer");
    EXPECT_EQ(TempDir::read(ini.parent_path() / "Tarvex_0000.ini"), "settings");
    EXPECT_EQ(rename_file("C:\\nothing.ini", "C:\\other.ini"), ENOENT);

    // Copy with overwrite.
    const fs::path prf = prefix.add_file("C:\\XCSoar\\Condor.prf", "profile");
    EXPECT_EQ(copy_file_over("C:\\XCSoar\\Condor.prf", "C:\\XCSoar\\Condor.prf.bak"), 0);
    EXPECT_EQ(TempDir::read(prf.string() + ".bak"), "profile");
    prefix.add_file("C:\\XCSoar\\Condor.prf", "profile 2");
    EXPECT_EQ(copy_file_over("C:\\xcsoar\\condor.prf", "C:\\XCSoar\\CONDOR.PRF.BAK"), 0);
    EXPECT_EQ(TempDir::read(prf.string() + ".bak"), "profile 2");
    EXPECT_EQ(copy_file_over("C:\\XCSoar\\Condor.prf", "C:\\XCSOAR\\condor.prf"), EINVAL);  // onto itself
    EXPECT_EQ(TempDir::read(prf), "profile 2");
    EXPECT_EQ(copy_file_over("C:\\XCSoar\\missing.prf", "C:\\XCSoar\\x"), ENOENT);
    EXPECT_EQ(copy_file_over("C:\\XCSoar", "C:\\x"), EISDIR);
    EXPECT_EQ(copy_file_over("C:\\XCSoar\\Condor.prf", "C:\\nofolder\\x"), ENOENT);

    // Remove.
    EXPECT_EQ(remove_file("C:\\XCSoar\\CONDOR.PRF.BAK"), 0);
    EXPECT_FALSE(fs::exists(prf.string() + ".bak"));
    EXPECT_EQ(remove_file("C:\\XCSoar\\Condor.prf.bak"), ENOENT);
    EXPECT_EQ(remove_file("C:\\XCSoar"), EISDIR);
    EXPECT_TRUE(fs::exists(prf));
}

TEST(Files, SameFileIsOneFileHoweverItIsWritten) {
    FakeWinePrefix prefix(bare_prefix());
    const fs::path plan = prefix.add_file("C:\\Plans\\Race.fpl", "plan");
    prefix.add_file("C:\\Plans\\Other.fpl", "plan");
    const std::string z_form = "Z:" + plan.string();  // the host form through the whole-file-system drive
    for (const std::string& other : {std::string("c:\\PLANS\\race.FPL"), std::string("C:\\Plans\\..\\Plans\\.\\Race.fpl"),
                                     z_form}) {
        EXPECT_TRUE(same_file("C:\\Plans\\Race.fpl", other)) << other;
    }
    fs::create_symlink(plan, plan.parent_path() / "Linked.fpl");
    EXPECT_TRUE(same_file("C:\\Plans\\Linked.fpl", "C:\\Plans\\Race.fpl"));
    EXPECT_FALSE(same_file("C:\\Plans\\Other.fpl", "C:\\Plans\\Race.fpl"));
    EXPECT_FALSE(same_file("C:\\Plans\\Race.fpl", "C:\\Plans\\New.fpl"));  // one of them is not there
    // Files not there yet: their names compared as Windows compares them.
    EXPECT_TRUE(same_file("C:\\Plans\\New.tsk", "c:\\plans\\NEW.TSK"));
    EXPECT_TRUE(same_file("C:\\Plans\\New\\x.tsk", "c:\\plans\\new\\X.tsk"));
    EXPECT_FALSE(same_file("C:\\Plans\\New.tsk", "C:\\Plans\\New2.tsk"));
    EXPECT_FALSE(same_file("C:\\Plans\\New.tsk", "C:\\Other\\New.tsk"));
    EXPECT_FALSE(same_file("Q:\\Race.fpl", "Q:\\Race.fpl"));  // no such drive
}

TEST(Files, ListAndCreateFolders) {
    FakeWinePrefix prefix(bare_prefix());
    prefix.add_file("C:\\L\\Alps\\Alps.trn", "t");
    prefix.add_file("C:\\L\\alpha.TRN", "t");
    prefix.add_file("C:\\L\\Beta.txt", "t");
    prefix.add_file("C:\\L\\\xC9t\xE9.trn", "t");
    prefix.add_folder("C:\\L\\test");
    std::vector<std::string> names{"stale"};
    EXPECT_EQ(list_folder("c:\\l", names), 0);
    EXPECT_EQ(names, (std::vector<std::string>{"alpha.TRN", "Alps", "Beta.txt", "test", "\xC9t\xE9.trn"}));
    EXPECT_EQ(list_folder("C:\\L", names, "*.trn"), 0);
    EXPECT_EQ(names, (std::vector<std::string>{"alpha.TRN", "\xC9t\xE9.trn"}));
    EXPECT_EQ(list_folder("C:\\L", names, "*.*"), 0);
    EXPECT_EQ(names.size(), 5u);
    EXPECT_EQ(list_folder("C:\\L", names, "?e*"), 0);
    EXPECT_EQ(names, (std::vector<std::string>{"Beta.txt", "test"}));
    EXPECT_NE(list_folder("C:\\missing", names), 0);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(list_folder("C:\\L\\Beta.txt", names), ENOTDIR);

    EXPECT_EQ(create_folder("C:\\users\\tester\\Documents\\XCSoarData\\_Tasks"), 0);
    EXPECT_TRUE(fs::is_directory(prefix.drive_c() / "users/tester/Documents/XCSoarData/_Tasks"));
    EXPECT_EQ(create_folder("C:\\USERS\\TESTER\\documents\\xcsoardata\\_tasks"), 0);  // already there
    EXPECT_EQ(create_folder("C:\\L\\Beta.txt"), EEXIST);
    EXPECT_EQ(create_folder("Q:\\x"), ENOENT);
}

TEST(Files, RelativePathsFollowTheCurrentFolder) {
    FakeWinePrefix prefix(bare_prefix());
    const fs::path work = prefix.add_folder("C:\\work");
    ScopedCwd cwd(work);
    {
        FileWriter out("Tarvex.log");
        EXPECT_TRUE(out.write_line("x"));
        EXPECT_EQ(out.close(), 0);
    }
    EXPECT_TRUE(file_exists(".\\TARVEX.LOG"));
    EXPECT_TRUE(file_exists("..\\work\\Tarvex.log"));
    EXPECT_TRUE(file_exists("\\work\\Tarvex.log"));  // the drive of the current folder
    EXPECT_EQ(TempDir::read(work / "Tarvex.log"), "x\r\n");
}
