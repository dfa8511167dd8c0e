#include "support/xvfb_server.h"

#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <thread>

namespace tarvex_test {

namespace {

// Reads the display number the server writes to its -displayfd pipe.
std::string read_display_number(int fd, std::chrono::seconds wait) {
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0) {
            return {};
        }
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return {};
        }
        char c = 0;
        const ssize_t n = read(fd, &c, 1);
        if (n <= 0) {
            return {};  // the server ended (or never started)
        }
        if (c == '\n') {
            return number;
        }
        number += c;
    }
}

}  // namespace

XvfbServer& XvfbServer::instance() {
    static XvfbServer server;
    return server;
}

XvfbServer::XvfbServer() {
    int fds[2] = {-1, -1};
    if (pipe(fds) != 0) {
        failure_ = "no pipe for the X server";
        return;
    }
    const pid_t parent = getpid();
    const std::string fd_text = std::to_string(fds[1]);
    const std::string screen = std::to_string(screen_width) + "x" + std::to_string(screen_height) + "x24";
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        failure_ = "the X server could not be started (fork)";
        return;
    }
    if (pid == 0) {
        // The child: only async-signal-safe calls until exec.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) {
            _exit(1);
        }
        close(fds[0]);
        const int null_fd = open("/dev/null", O_RDWR);
        if (null_fd >= 0) {
            dup2(null_fd, STDIN_FILENO);
            dup2(null_fd, STDOUT_FILENO);
            dup2(null_fd, STDERR_FILENO);
        }
        const char* argv[] = {"Xvfb", "-displayfd", fd_text.c_str(), "-screen", "0", screen.c_str(),
                              "-nolisten", "tcp", "-noreset", nullptr};
        execvp("Xvfb", const_cast<char* const*>(argv));
        _exit(127);
    }
    close(fds[1]);
    const std::string number = read_display_number(fds[0], std::chrono::seconds(30));
    close(fds[0]);
    if (number.empty()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        failure_ = "Xvfb could not be started (is the xvfb package installed?)";
        return;
    }
    pid_ = pid;
    display_ = ":" + number;
}

XvfbServer::~XvfbServer() {
    if (pid_ <= 0) {
        return;
    }
    kill(pid_, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
}

bool display_required() {
    const char* v = std::getenv("CPW_REQUIRE_DISPLAY");
    return v != nullptr && std::string(v) == "1";
}

}  // namespace tarvex_test
