#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Running another program directly: fork and exec with an argument vector,
// never through a shell, and wait for it to end.

struct ProcessOptions {
    bool capture_output = false;  // collect the program's standard output instead of passing it on
    bool no_input = false;        // give the program /dev/null as standard input
    // While the program runs with its output captured, on_watch is called
    // once at its start and each time watch_fd has something to read (-1:
    // nothing is watched).
    int watch_fd = -1;
    std::function<void()> on_watch;
};

struct ProcessResult {
    bool started = false;  // false: the program was not found or could not be executed
    int exit_status = -1;  // its exit code; 128 + the signal number when a signal ended it
    int signal = 0;        // the signal that ended it, 0 when it exited
    std::string output;    // its standard output, when captured
    // Why it was not started: the system's error number (ENOENT no such
    // program, EACCES a file that is not executable, ENOEXEC one the system
    // cannot run, ...); 0 when it was started.
    int start_error = 0;
};

// Runs args[0] with the arguments args[1..] and waits for it. A name without
// "/" is looked up in the folders of PATH; a name with "/" is used as it stands.
// The program inherits the environment and standard error. An empty argument
// vector, a program that is not found and one that cannot be executed all give
// started = false, with the reason in start_error.
ProcessResult run_process(const std::vector<std::string>& args, const ProcessOptions& options = {});

// The full path of the executable file that run_process would start for `name`,
// or nothing when there is none.
std::optional<std::string> find_program(std::string_view name);

// The interpreter a script's first line "#!" names ("/bin/sh" of "#!/bin/sh
// -e"), for the host file `path`; nothing when it has no such line. A script
// whose interpreter is missing does not start: start_error ENOENT, as for a
// missing program.
std::optional<std::string> script_interpreter(const std::string& path);

// The name of a signal, "SIGKILL"; "signal N" for one the system names not.
std::string signal_name(int signal);
