#include "platform/process.h"

#include "support/std_streams.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <unistd.h>
#include <gtest/gtest.h>

using tarvex_test::CapturedStdout;
using tarvex_test::ScopedCwd;
using tarvex_test::ScopedEnv;
using tarvex_test::ScopedStdin;
using tarvex_test::TempDir;

namespace {

ProcessOptions capture() {
    ProcessOptions options;
    options.capture_output = true;
    return options;
}

std::filesystem::path executable(const TempDir& dir, const std::string& name, const std::string& bytes) {
    const std::filesystem::path file = dir.write(name, bytes);
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    return file;
}

}  // namespace

TEST(Process, ExitStatusAndSignal) {
    const ProcessResult three = run_process({"sh", "-c", "exit 3"});
    EXPECT_TRUE(three.started);
    EXPECT_EQ(three.exit_status, 3);

    const ProcessResult zero = run_process({"true"});
    EXPECT_TRUE(zero.started);
    EXPECT_EQ(zero.exit_status, 0);

    const ProcessResult killed = run_process({"sh", "-c", "kill -9 $$"});
    EXPECT_TRUE(killed.started);
    EXPECT_EQ(killed.exit_status, 128 + 9);
}

TEST(Process, CapturesOutputAndPassesArgumentsVerbatim) {
    const ProcessResult lines = run_process({"printf", "a\\nb"}, capture());
    EXPECT_EQ(lines.output, "a\nb");

    // No shell sees the arguments: blanks, quotes, "$" and ";" arrive as they are.
    const ProcessResult verbatim =
        run_process({"printf", "%s|", "a b", "$HOME", "'q'", "x; rm -rf y", "\xC3\xA9"}, capture());
    EXPECT_TRUE(verbatim.started);
    EXPECT_EQ(verbatim.output, "a b|$HOME|'q'|x; rm -rf y|\xC3\xA9|");

    std::string passed;
    ProcessResult uncaptured;
    {
        CapturedStdout out;
        uncaptured = run_process({"echo", "through"});
        passed = out.finish();
    }
    EXPECT_TRUE(uncaptured.output.empty());
    EXPECT_EQ(passed, "through\n");
}

TEST(Process, AWatchedDescriptorIsServedWhileTheProgramRuns) {
    // The program ends only once the watch was served: it waits for the file
    // that serving makes.
    const TempDir dir("process-watch");
    const std::filesystem::path served = dir.path() / "served";
    int fds[2] = {-1, -1};
    ASSERT_EQ(::pipe(fds), 0);
    ASSERT_EQ(::write(fds[1], "x", 1), 1);
    ProcessOptions options = capture();
    options.watch_fd = fds[0];
    int calls = 0;
    options.on_watch = [&] {
        char c = 0;
        EXPECT_EQ(::read(fds[0], &c, 1), 1);
        ++calls;
        dir.write("served", "");
    };
    const ProcessResult result = run_process(
        {"sh", "-c", "while [ ! -f \"$0\" ]; do sleep 0.01; done; echo done", served.string()}, options);
    ::close(fds[0]);
    ::close(fds[1]);
    EXPECT_EQ(result.output, "done\n");
    EXPECT_EQ(calls, 1);
}

TEST(Process, AWatchIsServedAtTheStartBeforeAnythingComes) {
    // What the watcher's reader holds already wakes no poll: served once anyway.
    int fds[2] = {-1, -1};
    ASSERT_EQ(::pipe(fds), 0);
    ProcessOptions options = capture();
    options.watch_fd = fds[0];
    int calls = 0;
    options.on_watch = [&calls] { ++calls; };
    EXPECT_EQ(run_process({"true"}, options).exit_status, 0);
    ::close(fds[0]);
    ::close(fds[1]);
    EXPECT_EQ(calls, 1);
}

TEST(Process, StandardInputInheritedOrNone) {
    ScopedStdin input("fed to the child\n");
    ProcessOptions none = capture();
    none.no_input = true;
    const ProcessResult closed = run_process({"cat"}, none);
    EXPECT_EQ(closed.exit_status, 0);
    EXPECT_EQ(closed.output, "");

    const ProcessResult inherited = run_process({"cat"}, capture());
    EXPECT_EQ(inherited.output, "fed to the child\n");
}

TEST(Process, ProgramsThatCannotStart) {
    const TempDir dir;
    EXPECT_FALSE(run_process({}).started);
    EXPECT_FALSE(run_process({"tarvex-no-such-program"}).started);
    EXPECT_FALSE(run_process({(dir.path() / "missing").string()}).started);

    // Present but not executable, and executable bytes the system cannot run.
    const std::filesystem::path plain = dir.write("plain", "#!/bin/sh\nexit 0\n");
    EXPECT_FALSE(run_process({plain.string()}).started);
    const std::filesystem::path garbage = executable(dir, "garbage", std::string("\x7F" "ELFgarbage", 10));
    const ProcessResult bad = run_process({garbage.string()}, capture());
    EXPECT_FALSE(bad.started);
    EXPECT_TRUE(bad.output.empty());
    EXPECT_FALSE(run_process({dir.path().string()}).started);  // a folder
}

TEST(Process, ScriptStartedWithoutArguments) {
    const TempDir dir;
    const std::filesystem::path script = executable(dir, "post run.sh", "#!/bin/sh\necho \"$#\"\nexit 7\n");
    const ProcessResult result = run_process({script.string()}, capture());
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exit_status, 7);
    EXPECT_EQ(result.output, "0\n");
}

TEST(Process, FindProgramOnPath) {
    const TempDir dir;
    const std::filesystem::path tool = executable(dir, "bin/tarvex-tool", "#!/bin/sh\necho found\n");
    dir.write("other/tarvex-tool", "not executable");
    std::filesystem::create_directories(dir.path() / "empty");
    {
        const std::string path = (dir.path() / "other").string() + ":" + (dir.path() / "bin").string() + ":/bin:/usr/bin";
        ScopedEnv env("PATH", path.c_str());
        EXPECT_EQ(find_program("tarvex-tool"), tool.string());  // the non-executable one is skipped
        EXPECT_EQ(run_process({"tarvex-tool"}, capture()).output, "found\n");
        EXPECT_FALSE(find_program("").has_value());
        EXPECT_FALSE(find_program("tarvex-missing").has_value());
    }
    {
        // An empty entry of PATH is the current folder.
        ScopedEnv env("PATH", ":/bin:/usr/bin");
        ScopedCwd cwd(dir.path() / "bin");
        EXPECT_EQ(find_program("tarvex-tool"), "./tarvex-tool");
    }
    EXPECT_EQ(find_program(tool.string()), tool.string());
}
