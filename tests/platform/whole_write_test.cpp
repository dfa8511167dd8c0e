// Whole writes of the file layer: a file is replaced with all its new bytes or
// keeps all its old ones, whichever step fails; and the lock of one run at a
// time.

#include "platform/file_faults.h"
#include "platform/file_lock.h"
#include "platform/files.h"
#include "platform/write_batch.h"

#include "support/fake_wine_prefix.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using tarvex_test::FakeWinePrefix;
using tarvex_test::TempDir;

namespace {

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
    FakeWinePrefix prefix{tarvex_test::without_condor()};
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

TEST(FileLock, OneHolderAtATime) {
    FakeWinePrefix prefix(tarvex_test::without_condor());
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

namespace {

// Whole writes of a batch: each with its old bytes until the batch is finished.
class Batched : public WholeWrite {
protected:
    Batched() {
        prefix.add_file("C:\\XCSoarData\\Tasks\\Race.tsk", "old task");
        prefix.add_file("C:\\XCSoarData\\Condor.prf.bak", "old backup");
    }
    std::string host_text(const std::string& windows_path) const { return TempDir::read(prefix.host(windows_path)); }
    static int status_of(const std::vector<BatchedWrite>& outcomes, const std::string& windows_path) {
        for (const BatchedWrite& outcome : outcomes) {
            if (outcome.windows_path == windows_path) {
                return outcome.status;
            }
        }
        return -1;
    }
};

}  // namespace

TEST_F(Batched, FilesWaitForTheBatchAndGoInPlaceTogether) {
    WriteBatch batch;
    EXPECT_EQ(write_whole_file("C:\\XCSoarData\\Tasks\\Race.tsk", "new task"), 0);
    EXPECT_EQ(write_new(), 0);
    EXPECT_EQ(TempDir::read(target), kOld);
    EXPECT_EQ(host_text("C:\\XCSoarData\\Tasks\\Race.tsk"), "old task");
    const std::vector<BatchedWrite> outcomes = finish_write_batch();
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(status_of(outcomes, "C:\\XCSoarData\\Tasks\\Race.tsk"), 0);
    EXPECT_EQ(status_of(outcomes, "C:\\XCSoarData\\condor.PRF"), 0);
    EXPECT_EQ(TempDir::read(target), kNew);
    EXPECT_EQ(host_text("C:\\XCSoarData\\Tasks\\Race.tsk"), "new task");
    EXPECT_EQ(names_in(target.parent_path()), (std::vector<std::string>{"Condor.prf", "Condor.prf.bak", "Tasks"}));
    EXPECT_TRUE(finish_write_batch().empty());
}

TEST_F(Batched, WhatTheProcessLooksAtIsInPlaceFirst) {
    WriteBatch batch;
    write_new();
    EXPECT_EQ(TempDir::read(target), kOld);
    EXPECT_EQ(file_size("C:\\XCSoarData\\Condor.prf"), static_cast<std::int64_t>(std::string(kNew).size()));
    EXPECT_EQ(TempDir::read(target), kNew);
    // A copy of a waiting file copies its new bytes, and waits with it.
    write_whole_file("C:\\XCSoarData\\Tasks\\Race.tsk", "new task");
    EXPECT_EQ(copy_file_over("C:\\XCSoarData\\Tasks\\Race.tsk", "C:\\XCSoarData\\Tasks\\Condor.tsk"), 0);
    EXPECT_EQ(host_text("C:\\XCSoarData\\Tasks\\Race.tsk"), "old task");
    std::vector<std::string> names;
    list_folder("C:\\XCSoarData\\Tasks\\", names);  // a listing shows the files in place
    EXPECT_EQ(names, (std::vector<std::string>{"Condor.tsk", "Race.tsk"}));
    EXPECT_EQ(host_text("C:\\XCSoarData\\Tasks\\Condor.tsk"), "new task");
    // Outcomes of the files put in place on the way are kept for the finish.
    EXPECT_EQ(finish_write_batch().size(), 3u);
}

TEST_F(Batched, AWaitingFileIsNotCopiedOntoItself) {
    WriteBatch batch;
    // A new file and a file of an earlier run, each named as its copy.
    write_whole_file("C:\\XCSoarData\\Condor-PZ.txt", "new zones");
    write_whole_file("C:\\XCSoarData\\Tasks\\Race.tsk", "new task");
    EXPECT_EQ(copy_file_over("C:\\XCSoarData\\Condor-PZ.txt", "C:\\XCSOARDATA\\condor-pz.TXT"), EINVAL);
    EXPECT_EQ(copy_file_over("C:\\XCSoarData\\Tasks\\Race.tsk", "C:\\XCSoarData\\Tasks\\race.tsk"), EINVAL);
    for (const BatchedWrite& outcome : finish_write_batch()) {
        EXPECT_EQ(outcome.status, 0) << outcome.windows_path;
    }
    EXPECT_EQ(host_text("C:\\XCSoarData\\Condor-PZ.txt"), "new zones");
    EXPECT_EQ(host_text("C:\\XCSoarData\\Tasks\\Race.tsk"), "new task");
}

TEST_F(Batched, AFileThatFailsTakesItsDependentsAlong) {
    {
        WriteBatch batch;
        write_whole_file("C:\\XCSoarData\\Other.txt", "other");  // before the keystone: its own
        write_whole_file("C:\\XCSoarData\\Tasks\\Race.tsk", "new task");
        make_keystone("C:\\XCSoarData\\Tasks\\Race.tsk");
        write_whole_file("C:\\XCSoarData\\Condor.prf.bak", "new backup");
        write_new();
        arm_file_fault({FileStep::flush, 1, "Race.tsk", EIO});
        const std::vector<BatchedWrite> outcomes = finish_write_batch();
        EXPECT_EQ(status_of(outcomes, "C:\\XCSoarData\\Other.txt"), 0);
        EXPECT_EQ(status_of(outcomes, "C:\\XCSoarData\\Tasks\\Race.tsk"), EIO);
        EXPECT_EQ(status_of(outcomes, "C:\\XCSoarData\\Condor.prf.bak"), ECANCELED);
        EXPECT_EQ(status_of(outcomes, "C:\\XCSoarData\\condor.PRF"), ECANCELED);
    }
    EXPECT_EQ(host_text("C:\\XCSoarData\\Tasks\\Race.tsk"), "old task");
    EXPECT_EQ(host_text("C:\\XCSoarData\\Condor.prf.bak"), "old backup");
    EXPECT_EQ(TempDir::read(target), kOld);
    {
        // A file after its backup; a copy after its file.
        WriteBatch batch;
        write_whole_file("C:\\XCSoarData\\Condor.prf.bak", "new backup");
        FileWriter out("C:\\XCSoarData\\Condor.prf");
        out.depends_on("C:\\XCSoarData\\Condor.prf.bak");
        out.write("new profile");
        EXPECT_EQ(out.close(), 0);
        write_whole_file("C:\\XCSoarData\\Tasks\\Race.tsk", "new task");
        copy_file_over("C:\\XCSoarData\\Tasks\\Race.tsk", "C:\\XCSoarData\\Condor-task.txt");
        arm_file_fault({FileStep::rename, 1, "Condor.prf.bak", EXDEV});
        const std::vector<BatchedWrite> outcomes = finish_write_batch();
        EXPECT_EQ(status_of(outcomes, "C:\\XCSoarData\\Condor.prf"), ECANCELED);
        EXPECT_EQ(status_of(outcomes, "C:\\XCSoarData\\Tasks\\Race.tsk"), 0);
        EXPECT_EQ(status_of(outcomes, "C:\\XCSoarData\\Condor-task.txt"), 0);
        // A batch inside another one leaves the files to it.
        WriteBatch inner;
        write_whole_file("C:\\XCSoarData\\Left.txt", "left to the outer batch");
    }  // the batch's end puts what is left in place
    EXPECT_EQ(TempDir::read(target), kOld);
    EXPECT_EQ(host_text("C:\\XCSoarData\\Condor-task.txt"), "new task");
    EXPECT_EQ(host_text("C:\\XCSoarData\\Left.txt"), "left to the outer batch");
    EXPECT_TRUE(std::none_of(fs::recursive_directory_iterator(prefix.drive_c()), fs::recursive_directory_iterator(),
                             [](const fs::directory_entry& e) { return e.path().extension() == ".tmp"; }));
}
