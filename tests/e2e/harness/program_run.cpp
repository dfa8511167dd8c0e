#include "e2e/harness/program_run.h"

#include "platform/posix_fd.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace tarvex_test {

namespace {

// Writing into a pipe whose reader has gone must fail, not end the test
// program: SIGPIPE is ignored while a run lasts.
class IgnoreSigpipe {
public:
    IgnoreSigpipe() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        ::sigemptyset(&ignore.sa_mask);
        ::sigaction(SIGPIPE, &ignore, &saved_);
    }
    ~IgnoreSigpipe() { ::sigaction(SIGPIPE, &saved_, nullptr); }
    IgnoreSigpipe(const IgnoreSigpipe&) = delete;
    IgnoreSigpipe& operator=(const IgnoreSigpipe&) = delete;

private:
    struct sigaction saved_ {};
};

void set_nonblocking(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK); }

// Appends what can be read now; false once the writer has closed the pipe.
bool drain(int fd, std::string& out) {
    std::array<char, 8192> buffer{};
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n > 0) {
            out.append(buffer.data(), static_cast<std::size_t>(n));
        } else if (n == 0) {
            return false;
        } else if (errno == EINTR) {
            continue;
        } else {
            return errno == EAGAIN || errno == EWOULDBLOCK;
        }
    }
}

int exit_code_of(int status) {
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    if (WIFSIGNALED(status)) {
        return 128 + WTERMSIG(status);
    }
    return -1;
}

}  // namespace

RunOutcome run_program(const ProgramRun& run) {
    RunOutcome outcome;
    const IgnoreSigpipe ignore_sigpipe;

    // Everything the child needs is made before the fork.
    const std::string program = run.program.string();
    std::vector<std::string> strings{program};
    strings.insert(strings.end(), run.args.begin(), run.args.end());
    std::vector<char*> argv;
    for (std::string& s : strings) {
        argv.push_back(s.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> env_strings;
    for (const auto& [name, value] : run.environment) {
        env_strings.push_back(name + "=" + value);
    }
    std::vector<char*> envp;
    for (std::string& s : env_strings) {
        envp.push_back(s.data());
    }
    envp.push_back(nullptr);
    const std::string folder = run.folder.string();
    struct rlimit file_size {};
    file_size.rlim_cur = file_size.rlim_max = static_cast<rlim_t>(run.file_size_limit);
    struct sigaction ignore_xfsz {};
    ignore_xfsz.sa_handler = SIG_IGN;
    ::sigemptyset(&ignore_xfsz.sa_mask);

    Pipe in;
    Pipe out;
    Pipe err;
    Pipe exec_error;  // carries errno when the exec fails; a successful exec closes it
    if (!in.open() || !out.open() || !err.open() || !exec_error.open()) {
        outcome.error = std::string("pipe: ") + std::strerror(errno);
        return outcome;
    }

    const pid_t pid = ::fork();
    if (pid < 0) {
        outcome.error = std::string("fork: ") + std::strerror(errno);
        return outcome;
    }
    if (pid == 0) {
        // Only async-signal-safe calls from here to the exec.
        ::setpgid(0, 0);  // its own group, so that a timeout ends what it started as well
        ::dup2(in.read_end.get(), STDIN_FILENO);
        ::dup2(out.write_end.get(), STDOUT_FILENO);
        ::dup2(err.write_end.get(), STDERR_FILENO);
        if (run.file_size_limit > 0) {
            ::sigaction(SIGXFSZ, &ignore_xfsz, nullptr);
            ::setrlimit(RLIMIT_FSIZE, &file_size);
        }
        int error = 0;
        if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
            error = errno;
        } else {
            ::execve(program.c_str(), argv.data(), envp.data());
            error = errno;
        }
        [[maybe_unused]] const ssize_t written = ::write(exec_error.write_end.get(), &error, sizeof error);
        ::_exit(127);
    }
    ::setpgid(pid, pid);  // also from this side, whichever runs first

    in.read_end.close();
    out.write_end.close();
    err.write_end.close();
    exec_error.write_end.close();

    int exec_errno = 0;
    ssize_t got = 0;
    do {
        got = ::read(exec_error.read_end.get(), &exec_errno, sizeof exec_errno);
    } while (got < 0 && errno == EINTR);
    if (got > 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        outcome.error = "cannot run " + program + " in " + folder + ": " + std::strerror(exec_errno);
        return outcome;
    }
    outcome.started = true;

    set_nonblocking(in.write_end.get());
    set_nonblocking(out.read_end.get());
    set_nonblocking(err.read_end.get());
    std::size_t written = 0;
    if (run.input.empty()) {
        in.write_end.close();
    }

    const auto deadline = std::chrono::steady_clock::now() + run.timeout;
    bool out_open = true;
    bool err_open = true;
    int status = 0;
    bool exited = false;
    while (!exited) {
        std::array<pollfd, 3> fds{};
        nfds_t count = 0;
        if (out_open) {
            fds[count++] = {out.read_end.get(), POLLIN, 0};
        }
        if (err_open) {
            fds[count++] = {err.read_end.get(), POLLIN, 0};
        }
        if (in.write_end.get() >= 0) {
            fds[count++] = {in.write_end.get(), POLLOUT, 0};
        }
        // A short wait, so that the end of the program is seen even when a
        // process it started keeps its output open, and the timeout is kept
        // to the millisecond.
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        ::poll(fds.data(), count, static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, 50)));

        if (out_open) {
            out_open = drain(out.read_end.get(), outcome.out);
        }
        if (err_open) {
            err_open = drain(err.read_end.get(), outcome.err);
        }
        if (in.write_end.get() >= 0) {
            const ssize_t n = ::write(in.write_end.get(), run.input.data() + written, run.input.size() - written);
            if (n > 0) {
                written += static_cast<std::size_t>(n);
            }
            if (written == run.input.size() || (n < 0 && errno != EAGAIN && errno != EINTR)) {
                in.write_end.close();  // the end of the input, or a program that stopped reading
            }
        }

        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            exited = true;
        } else if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(-pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            outcome.timed_out = true;
            exited = true;
        }
    }
    // What the program wrote just before it ended.
    if (out_open) {
        drain(out.read_end.get(), outcome.out);
    }
    if (err_open) {
        drain(err.read_end.get(), outcome.err);
    }
    outcome.exit_code = exit_code_of(status);
    return outcome;
}

void set_variable(Environment& environment, const std::string& name, const std::string& value) {
    const auto it = std::find_if(environment.begin(), environment.end(),
                                 [&name](const auto& entry) { return entry.first == name; });
    if (it == environment.end()) {
        environment.emplace_back(name, value);
    } else {
        it->second = value;
    }
}

void remove_variable(Environment& environment, const std::string& name) {
    std::erase_if(environment, [&name](const auto& entry) { return entry.first == name; });
}

std::string variable(const Environment& environment, const std::string& name) {
    const auto it = std::find_if(environment.begin(), environment.end(),
                                 [&name](const auto& entry) { return entry.first == name; });
    return it == environment.end() ? std::string() : it->second;
}

}  // namespace tarvex_test
