#pragma once

// Running a program the way a user runs it: its own process, a chosen
// environment, current folder and standard input, with standard output,
// standard error and the exit code collected.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tarvex_test {

using Environment = std::vector<std::pair<std::string, std::string>>;

struct ProgramRun {
    std::filesystem::path program;   // the executable file
    std::vector<std::string> args;   // the arguments after the program's path
    Environment environment;         // the whole environment of the program (nothing inherited)
    std::filesystem::path folder;    // the current folder; the caller's when empty
    std::string input;               // standard input; the program sees its end after these bytes
    // The program (and every process it started in its group) is killed
    // with SIGKILL after this long.
    std::chrono::milliseconds timeout{std::chrono::seconds(120)};
    // The largest file the program may write, in bytes (RLIMIT_FSIZE, with
    // SIGXFSZ ignored): a write beyond fails with EFBIG, as on a full disk.
    // No limit when 0.
    std::uint64_t file_size_limit = 0;
};

struct RunOutcome {
    bool started = false;    // false: the program could not be executed (see error)
    int exit_code = -1;      // its exit code; 128 + the signal number when a signal ended it
    bool timed_out = false;  // killed at the timeout
    std::string out;         // standard output, bytes as written
    std::string err;         // standard error, bytes as written
    std::string error;       // why the program could not be started
};

// Runs the program to its end (or the timeout) and collects what it wrote.
// Its argument 0 is the program's path as given.
RunOutcome run_program(const ProgramRun& run);

// Sets or replaces one variable of an environment.
void set_variable(Environment& environment, const std::string& name, const std::string& value);
// Removes a variable; nothing when it is not there.
void remove_variable(Environment& environment, const std::string& name);
// The value of a variable, empty when it is not there.
std::string variable(const Environment& environment, const std::string& name);

}  // namespace tarvex_test
