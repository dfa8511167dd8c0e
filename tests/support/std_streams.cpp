#include "support/std_streams.h"

#include <cstdio>
#include <stdexcept>
#include <stdio_ext.h>
#include <unistd.h>

namespace tarvex_test {

namespace {

// An anonymous temporary file's descriptor, positioned at its start.
int temporary_file(const std::string& bytes) {
    std::FILE* file = std::tmpfile();
    if (file == nullptr) {
        throw std::runtime_error("tmpfile failed");
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fflush(file);
    const int fd = ::dup(::fileno(file));
    std::fclose(file);
    ::lseek(fd, 0, SEEK_SET);
    return fd;
}

}  // namespace

ScopedStdin::ScopedStdin(const std::string& bytes) : saved_(::dup(STDIN_FILENO)) {
    const int fd = temporary_file(bytes);
    __fpurge(stdin);
    ::dup2(fd, STDIN_FILENO);
    ::close(fd);
    std::clearerr(stdin);
}

ScopedStdin::~ScopedStdin() {
    __fpurge(stdin);  // drop what was read ahead and not consumed
    ::dup2(saved_, STDIN_FILENO);
    ::close(saved_);
    std::clearerr(stdin);
}

CapturedStdout::CapturedStdout() : saved_(-1), file_(temporary_file("")) {
    std::fflush(stdout);
    saved_ = ::dup(STDOUT_FILENO);
    ::dup2(file_, STDOUT_FILENO);
}

CapturedStdout::~CapturedStdout() { finish(); }

std::string CapturedStdout::finish() {
    if (saved_ < 0) {
        return {};
    }
    std::fflush(stdout);
    ::dup2(saved_, STDOUT_FILENO);
    ::close(saved_);
    saved_ = -1;
    std::string text;
    ::lseek(file_, 0, SEEK_SET);
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(file_, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(file_);
    file_ = -1;
    return text;
}

}  // namespace tarvex_test
