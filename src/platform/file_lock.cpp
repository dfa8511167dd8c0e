#include "platform/file_lock.h"

#include "platform/path_map.h"

#include <sys/file.h>

#include <cerrno>
#include <optional>
#include <string>

int FileLock::try_lock(std::string_view windows_path) {
    if (held()) {
        return 0;
    }
    const std::optional<std::string> host = map_to_host(windows_path);
    if (!host) {
        return ENOENT;
    }
    errno = 0;
    Fd fd(::open(host->c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        return errno != 0 ? errno : EIO;
    }
    int status = 0;
    do {
        errno = 0;
        status = ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0 ? 0 : (errno != 0 ? errno : EIO);
    } while (status == EINTR);
    if (status == 0) {
        fd_.reset(fd.release());
    }
    return status == EAGAIN ? EWOULDBLOCK : status;
}
