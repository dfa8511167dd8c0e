#include "platform/write_batch.h"

#include "platform/file_faults.h"
#include "platform/path_map.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>

namespace {

struct Batch {
    bool open = false;
    std::vector<platform_detail::WaitingWrite> waiting;
    std::vector<BatchedWrite> outcomes;
    std::map<std::string, int> placed;   // target host path -> its outcome, for the files depending on it
    std::vector<std::string> keystones;  // host paths
};

Batch& batch() {
    static Batch the_batch;
    return the_batch;
}

int error_or_io() { return errno != 0 ? errno : EIO; }

// A file whose dependencies were all put in place (or are not of this batch).
bool may_be_placed(const Batch& b, const platform_detail::WaitingWrite& write) {
    return std::all_of(write.depends_on.begin(), write.depends_on.end(), [&b](const std::string& host) {
        const auto found = b.placed.find(host);
        return found == b.placed.end() || found->second == 0;
    });
}

// Flushes every waiting file, then renames each in order.
void put_in_place() {
    Batch& b = batch();
    std::vector<platform_detail::WaitingWrite> waiting = std::move(b.waiting);
    b.waiting.clear();
    std::vector<int> status(waiting.size(), 0);
    // The flushes first, one after the other: the first one takes the
    // journal's flush for all, whose writing out started when they were closed.
    for (std::size_t i = 0; i < waiting.size(); ++i) {
        errno = 0;
        if (const int fault = platform_detail::file_fault(FileStep::flush, waiting[i].target)) {
            status[i] = fault;
        } else if (::fsync(waiting[i].fd) != 0) {
            status[i] = error_or_io();
        }
        errno = 0;
        if (::close(waiting[i].fd) != 0 && status[i] == 0) {
            status[i] = error_or_io();
        }
    }
    for (std::size_t i = 0; i < waiting.size(); ++i) {
        const platform_detail::WaitingWrite& write = waiting[i];
        if (status[i] == 0 && !may_be_placed(b, write)) {
            status[i] = ECANCELED;
        }
        if (status[i] == 0) {
            errno = 0;
            if (const int fault = platform_detail::file_fault(FileStep::rename, write.target)) {
                status[i] = fault;
            } else if (std::rename(write.temporary.c_str(), write.target.c_str()) != 0) {
                status[i] = error_or_io();
            }
        }
        if (status[i] != 0) {
            ::unlink(write.temporary.c_str());
        }
        b.placed[write.host] = status[i];
        b.placed[write.target] = status[i];
        b.outcomes.push_back({write.windows_path, status[i]});
    }
}

}  // namespace

WriteBatch::WriteBatch() {
    if (!batch().open) {
        batch() = Batch{};
        batch().open = true;
        outer_ = true;
    }
}

WriteBatch::~WriteBatch() {
    if (outer_) {
        put_in_place();
        batch() = Batch{};
    }
}

std::vector<BatchedWrite> finish_write_batch() {
    Batch& b = batch();
    if (!b.open) {
        return {};
    }
    put_in_place();
    std::vector<BatchedWrite> outcomes = std::move(b.outcomes);
    b.outcomes.clear();
    return outcomes;
}

void make_keystone(std::string_view windows_path) {
    const std::optional<std::string> host = map_to_host(windows_path);
    if (batch().open && host) {
        batch().keystones.push_back(*host);
    }
}

namespace platform_detail {

bool write_batch_open() { return batch().open; }

void wait_in_batch(WaitingWrite write) {
    Batch& b = batch();
    write.depends_on.insert(write.depends_on.end(), b.keystones.begin(), b.keystones.end());
    b.waiting.push_back(std::move(write));
}

const WaitingWrite* waiting_write(const std::string& host) {
    for (const WaitingWrite& write : batch().waiting) {
        if (write.host == host || write.target == host) {
            return &write;
        }
    }
    return nullptr;
}

void settle(const std::string& host) {
    const std::vector<WaitingWrite>& waiting = batch().waiting;
    if (waiting.empty()) {
        return;
    }
    if (host.empty() || waiting_write(host) != nullptr) {
        put_in_place();
    }
}

void settle_folder(const std::string& host_folder) {
    const std::vector<WaitingWrite>& waiting = batch().waiting;
    std::string name = std::filesystem::path(host_folder).lexically_normal().string();
    while (name.size() > 1 && name.back() == '/') {
        name.pop_back();
    }
    const std::filesystem::path folder(name);
    if (std::any_of(waiting.begin(), waiting.end(), [&folder](const WaitingWrite& write) {
            return std::filesystem::path(write.target).parent_path().lexically_normal() == folder;
        })) {
        put_in_place();
    }
}

}  // namespace platform_detail
