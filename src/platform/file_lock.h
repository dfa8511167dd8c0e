#pragma once

// An advisory lock on a file (flock), so that two runs of the program in one
// installation do not write the same files at once. The lock belongs to the
// open file: it goes when its owner releases it, goes out of scope, or the
// process ends in any way.

#include "platform/posix_fd.h"

#include <string_view>

class FileLock {
public:
    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock on the file at the path (created empty when missing)
    // unless another open file holds it: 0 taken (or held already), EWOULDBLOCK
    // held elsewhere, else why the lock file could not be opened or locked.
    int try_lock(std::string_view windows_path);
    void release() { fd_.close(); }
    bool held() const { return fd_.get() >= 0; }

private:
    Fd fd_;
};
