#include "platform/process.h"

#include "platform/posix_fd.h"
#include "platform/write_batch.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Search path used when PATH is not set, as the C library does.
constexpr std::string_view kDefaultSearchPath = "/bin:/usr/bin";

bool is_executable_file(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// In the child between fork and exec: only async-signal-safe calls.
void move_fd_in_child(int fd, int target) {
    if (fd == target) {
        ::fcntl(fd, F_SETFD, 0);  // keep it open across exec
    } else {
        ::dup2(fd, target);       // the copy does not carry close-on-exec
    }
}

// One read of a descriptor appended to `out`: 1 when more may come (an
// interrupted read included), 0 at its end, -1 on a read error.
int read_once(int fd, std::string& out) {
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
        out.append(buffer, static_cast<std::size_t>(n));
        return 1;
    }
    return n == 0 ? 0 : errno == EINTR ? 1 : -1;
}

// Reads a descriptor to its end; false on a read error.
bool read_all(int fd, std::string& out) {
    for (;;) {
        if (const int status = read_once(fd, out); status <= 0) {
            return status == 0;
        }
    }
}

// Reads the program's output to its end, serving the watched descriptor
// meanwhile; false on a read error.
bool read_all_watching(int fd, std::string& out, const ProcessOptions& options) {
    if (options.watch_fd < 0 || !options.on_watch) {
        return read_all(fd, out);
    }
    pollfd fds[2] = {{fd, POLLIN, 0}, {options.watch_fd, POLLIN, 0}};
    // Served once at the start too: what its reader already holds (events
    // read off the descriptor before the program started) wakes no poll.
    options.on_watch();
    for (;;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return read_all(fd, out);
        }
        if ((fds[1].revents & POLLIN) != 0) {
            options.on_watch();
        }
        if ((fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            fds[1].fd = -1;  // watched no more
        }
        if (fds[0].revents == 0) {
            continue;
        }
        if (const int status = read_once(fd, out); status <= 0) {
            return status == 0;
        }
    }
}

// The exit status; 128 + the signal, noted in `signal`, when a signal ended it.
int wait_for(pid_t pid, int& signal) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    if (WIFSIGNALED(status)) {
        signal = WTERMSIG(status);
        return 128 + signal;
    }
    return -1;
}

// Why find_program found nothing for `name`: a path to something that is
// there but is no executable file (a folder, a file without the execute
// permission) is not executable; anything else is not found.
int not_found_error(const std::string& name) {
    struct stat info {};
    const bool there = name.find('/') != std::string::npos && ::stat(name.c_str(), &info) == 0;
    return there ? EACCES : ENOENT;
}

}  // namespace

std::optional<std::string> script_interpreter(const std::string& path) {
    // The line the system reads: its first bytes.
    constexpr std::size_t kFirstLine = 256;
    std::ifstream file(path, std::ios::binary);
    std::string line(kFirstLine, '\0');
    file.read(line.data(), static_cast<std::streamsize>(line.size()));
    line.resize(static_cast<std::size_t>(file.gcount()));
    if (!line.starts_with("#!")) {
        return std::nullopt;
    }
    const std::size_t start = line.find_first_not_of(" \t", 2);
    if (start == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t end = line.find_first_of(" \t\r\n", start);
    if (start == end) {
        return std::nullopt;
    }
    return line.substr(start, end == std::string::npos ? end : end - start);
}

std::string signal_name(int signal) {
    const char* name = ::sigabbrev_np(signal);
    return name != nullptr ? "SIG" + std::string(name) : "signal " + std::to_string(signal);
}

std::optional<std::string> find_program(std::string_view name) {
    if (name.empty()) {
        return std::nullopt;
    }
    if (name.find('/') != std::string_view::npos) {
        std::string path(name);
        return is_executable_file(path) ? std::optional<std::string>(path) : std::nullopt;
    }
    const char* env = std::getenv("PATH");
    const std::string_view search = env != nullptr ? std::string_view(env) : kDefaultSearchPath;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = search.find(':', start);
        const std::string_view dir = search.substr(start, colon == std::string_view::npos ? colon : colon - start);
        std::string candidate = dir.empty() ? std::string(".") : std::string(dir);
        candidate += '/';
        candidate += name;
        if (is_executable_file(candidate)) {
            return candidate;
        }
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        start = colon + 1;
    }
}

ProcessResult run_process(const std::vector<std::string>& args, const ProcessOptions& options) {
    // A started program finds every file written so far in its place.
    platform_detail::settle("");
    ProcessResult result;
    if (args.empty()) {
        result.start_error = ENOENT;
        return result;
    }
    const std::optional<std::string> program = find_program(args[0]);
    if (!program) {
        result.start_error = not_found_error(args[0]);
        return result;
    }

    // Everything the child needs is prepared before the fork.
    std::vector<std::string> arg_copies(args);
    std::vector<char*> argv;
    argv.reserve(arg_copies.size() + 1);
    for (std::string& arg : arg_copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    Pipe exec_error;  // carries errno when exec fails; closed by a successful exec
    if (!exec_error.open()) {
        result.start_error = errno;
        return result;
    }
    Pipe output;
    if (options.capture_output && !output.open()) {
        result.start_error = errno;
        return result;
    }
    Fd null_input;
    if (options.no_input) {
        null_input.reset(::open("/dev/null", O_RDONLY | O_CLOEXEC));
        if (null_input.get() < 0) {
            result.start_error = errno;
            return result;
        }
    }

    std::fflush(nullptr);  // what the program printed so far comes before the child's output
    const pid_t pid = ::fork();
    if (pid < 0) {
        result.start_error = errno;
        return result;
    }
    if (pid == 0) {
        if (options.no_input) {
            move_fd_in_child(null_input.get(), STDIN_FILENO);
        }
        if (options.capture_output) {
            move_fd_in_child(output.write_end.get(), STDOUT_FILENO);
        }
        ::execv(program->c_str(), argv.data());
        const int error = errno;
        [[maybe_unused]] const ssize_t written = ::write(exec_error.write_end.get(), &error, sizeof error);
        ::_exit(127);
    }

    exec_error.write_end.close();
    output.write_end.close();
    null_input.close();

    int exec_errno = 0;
    ssize_t got = 0;
    do {
        got = ::read(exec_error.read_end.get(), &exec_errno, sizeof exec_errno);
    } while (got < 0 && errno == EINTR);
    if (options.capture_output) {
        read_all_watching(output.read_end.get(), result.output, options);
    }
    int signal = 0;
    const int status = wait_for(pid, signal);
    if (got > 0) {
        result.output.clear();
        result.start_error = exec_errno;
        return result;  // exec failed: not started
    }
    result.started = true;
    result.exit_status = status;
    result.signal = signal;
    return result;
}
