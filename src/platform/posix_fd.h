#pragma once

// File descriptors owned by objects: closed when their owner goes. Used where
// programs are started directly and their standard streams are piped, and
// for the lock files.

#include <fcntl.h>
#include <unistd.h>

class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void reset(int fd) {
        close();
        fd_ = fd;
    }
    // Hands the descriptor over: the object no longer closes it.
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void close() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

private:
    int fd_ = -1;
};

// A pipe whose two ends close on exec, so a started program inherits only the
// descriptors moved onto its standard streams.
struct Pipe {
    Fd read_end;
    Fd write_end;
    bool open() {
        int fds[2] = {-1, -1};
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            return false;
        }
        read_end.reset(fds[0]);
        write_end.reset(fds[1]);
        return true;
    }
};
