// Whole writes of the file layer: a file is replaced with all its new bytes or
// keeps all its old ones, whichever step fails; and the lock of one run at a
// time.

#include "platform/file_faults.h"
#include "platform/file_lock.h"
#include "platform/files.h"

#include "support/fake_wine_prefix.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using tarvex_test::FakePrefixOptions;
using tarvex_test::FakeWinePrefix;
using tarvex_test::TempDir;

namespace {

FakePrefixOptions bare_prefix() {
    FakePrefixOptions options;
    options.condor2.reset();
    options.condor3.reset();
    return options;
}

// The names in a host folder, sorted.
std::vector<std::string> names_in(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class WholeWrite : public ::testing::Test {
protected:
    WholeWrite() : target(prefix.add_file("C:\\XCSoarData\\Condor.prf", kOld)) {}
    ~WholeWrite() override { disarm_file_fault(); }

    // Writes the new profile in three lines: the status of close().
    static int write_new() {
        FileWriter out("C:\\XCSoarData\\condor.PRF");
        for (const char* line : {"One=\"1\"", "Two=\"2\"", "Three=\"3\""}) {
            out.write_line(line);
        }
        return out.close();
    }

    static constexpr const char* kOld = "Old=\"0\"\r\n";
    static constexpr const char* kNew = "One=\"1\"\r\nTwo=\"2\"\r\nThree=\"3\"\r\n";
    FakeWinePrefix prefix{bare_prefix()};
    fs::path target;
};

}  // namespace

TEST_F(WholeWrite, ReplacesTheFileAndKeepsItsPermissions) {
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(write_new(), 0);
    EXPECT_EQ(TempDir::read(target), kNew);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(names_in(target.parent_path()), std::vector<std::string>{"Condor.prf"});
    // A new file, and one whose folder is missing.
    EXPECT_EQ(write_whole_file("C:\\XCSoarData\\New.txt", "n"), 0);
    EXPECT_EQ(TempDir::read(target.parent_path() / "New.txt"), "n");
    EXPECT_EQ(write_whole_file("C:\\Missing\\New.txt", "n"), ENOENT);
}

TEST_F(WholeWrite, NothingReachesTheTargetBeforeClose) {
    {
        FileWriter out("C:\\XCSoarData\\Condor.prf");
        ASSERT_TRUE(out.write_line("Half"));
        EXPECT_EQ(TempDir::read(target), kOld);
    }  // gone without close: given up
    EXPECT_EQ(TempDir::read(target), kOld);
    FileWriter out("C:\\XCSoarData\\Condor.prf");
    out.write_line("Half");
    out.discard();
    EXPECT_EQ(out.close(), 0);
    EXPECT_EQ(TempDir::read(target), kOld);
    EXPECT_EQ(names_in(target.parent_path()), std::vector<std::string>{"Condor.prf"});
}

TEST_F(WholeWrite, EveryFailingStepKeepsTheOldBytes) {
    for (const FileStep step : {FileStep::create, FileStep::write, FileStep::flush, FileStep::rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        arm_file_fault({step, 1, "CONDOR.prf", EIO});
        EXPECT_EQ(write_new(), EIO);
        EXPECT_EQ(TempDir::read(target), kOld);
        EXPECT_EQ(names_in(target.parent_path()), std::vector<std::string>{"Condor.prf"});
    }
    // The fault fired once: the next write goes through.
    EXPECT_EQ(write_new(), 0);
    EXPECT_EQ(TempDir::read(target), kNew);
}

TEST_F(WholeWrite, TheFaultWaitsForItsStepOnItsFile) {
    arm_file_fault({FileStep::write, 3, "Condor.prf", ENOSPC});
    EXPECT_EQ(write_whole_file("C:\\XCSoarData\\Other.prf", "other"), 0);  // another file
    FileWriter out("C:\\XCSoarData\\Condor.prf");
    EXPECT_TRUE(out.write_line("1"));
    EXPECT_TRUE(out.write("2"));
    EXPECT_FALSE(out.write_line("3"));  // the third write
    EXPECT_TRUE(out.write_line("4"));
    EXPECT_EQ(out.status(), ENOSPC);
    EXPECT_EQ(out.close(), ENOSPC);
    EXPECT_EQ(TempDir::read(target), kOld);
}

TEST_F(WholeWrite, ReadOnlyTargetsAndFoldersAreRefused) {
    // No write permission at all: refused even to the superuser.
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    FileWriter refused("C:\\XCSoarData\\Condor.prf");
    EXPECT_FALSE(refused.is_open());
    EXPECT_EQ(refused.open_status(), EACCES);
    EXPECT_EQ(refused.close(), EACCES);
    EXPECT_EQ(copy_file_over("C:\\XCSoarData\\Condor.prf", "C:\\XCSoarData\\Condor.prf"), EINVAL);
    EXPECT_EQ(TempDir::read(target), kOld);
    EXPECT_EQ(write_whole_file("C:\\XCSoarData", "x"), EISDIR);
    EXPECT_EQ(names_in(target.parent_path()), std::vector<std::string>{"Condor.prf"});
}

TEST_F(WholeWrite, ALinkStaysAndItsFileIsReplaced) {
    const fs::path link = target.parent_path() / "Linked.prf";
    fs::create_symlink(target, link);
    EXPECT_EQ(write_whole_file("C:\\XCSoarData\\Linked.prf", "through the link"), 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(TempDir::read(target), "through the link");
}

TEST_F(WholeWrite, DevicesAreWrittenInPlace) {
    EXPECT_EQ(write_whole_file("Z:\\dev\\null", "nothing"), 0);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    if (fs::exists("/dev/full")) {
        EXPECT_EQ(write_whole_file("Z:\\dev\\full", "x"), ENOSPC);
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
}

TEST_F(WholeWrite, CopiesAreWholeWrites) {
    prefix.add_file("C:\\XCSoarData\\Tasks\\Race.tsk", "task");
    const fs::path copy = prefix.add_file("C:\\XCSoarData\\Tasks\\Condor.tsk", "old task");
    arm_file_fault({FileStep::rename, 1, "Condor.tsk", EXDEV});
    EXPECT_EQ(copy_file_over("C:\\XCSoarData\\Tasks\\Race.tsk", "C:\\XCSoarData\\Tasks\\Condor.tsk"), EXDEV);
    EXPECT_EQ(TempDir::read(copy), "old task");
    EXPECT_EQ(names_in(copy.parent_path()), (std::vector<std::string>{"Condor.tsk", "Race.tsk"}));
    EXPECT_EQ(copy_file_over("C:\\XCSoarData\\Tasks\\Race.tsk", "C:\\XCSoarData\\Tasks\\Condor.tsk"), 0);
    EXPECT_EQ(TempDir::read(copy), "task");
}

TEST_F(WholeWrite, AppendAndInPlaceWritersMeetTheirFaults) {
    arm_file_fault({FileStep::create, 1, "Tarvex.log", EACCES});
    FileWriter log("C:\\XCSoarData\\Tarvex.log", WriteMode::in_place);
    EXPECT_EQ(log.open_status(), EACCES);
    arm_file_fault({FileStep::write, 2, "Tarvex.log", ENOSPC});
    {
        FileWriter started("C:\\XCSoarData\\Tarvex.log", WriteMode::in_place);
        EXPECT_TRUE(started.write_line("first"));
    }
    FileWriter appended("C:\\XCSoarData\\Tarvex.log", WriteMode::append);
    EXPECT_FALSE(appended.write_line("second"));
    EXPECT_EQ(appended.close(), ENOSPC);
    EXPECT_EQ(TempDir::read(target.parent_path() / "Tarvex.log"), "first\r\n");
}

TEST(FileLock, OneHolderAtATime) {
    FakeWinePrefix prefix(bare_prefix());
    prefix.add_folder("C:\\Tarvex");
    FileLock first;
    FileLock second;
    EXPECT_EQ(first.try_lock("C:\\Tarvex\\Tarvex.lock"), 0);
    EXPECT_TRUE(first.held());
    EXPECT_EQ(first.try_lock("C:\\Tarvex\\Tarvex.lock"), 0);  // held already
    EXPECT_EQ(second.try_lock("C:\\TARVEX\\tarvex.lock"), EWOULDBLOCK);
    EXPECT_FALSE(second.held());
    first.release();
    EXPECT_EQ(second.try_lock("C:\\Tarvex\\Tarvex.lock"), 0);
    EXPECT_EQ(TempDir::read(prefix.host("C:\\Tarvex\\Tarvex.lock")), "");
    FileLock nowhere;
    EXPECT_EQ(nowhere.try_lock("C:\\Missing\\Tarvex.lock"), ENOENT);
}
