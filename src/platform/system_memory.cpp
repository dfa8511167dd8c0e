#include "platform/system_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <new>

namespace {

// Below this a block's few pages are not worth a request of their own.
constexpr std::size_t kPrefaultFrom = 16 * 1024;

}  // namespace

void prefault_for_writing(void* start, std::size_t bytes) {
    if (bytes < kPrefaultFrom) {
        return;
    }
    // The whole pages the block lies in: all of them are the process's.
    static const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto first = reinterpret_cast<std::uintptr_t>(start) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(start) + bytes + page - 1) & ~(page - 1);
    ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
}

namespace platform_detail {

void* map_zeroed(std::size_t bytes) {
    if (bytes == 0) {
        return nullptr;
    }
    void* const memory = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        throw std::bad_alloc();
    }
    return memory;
}

void unmap_zeroed(void* memory, std::size_t bytes) {
    if (memory != nullptr) {
        ::munmap(memory, bytes);
    }
}

}  // namespace platform_detail
