#include "platform/zeroed_table.h"

#include <sys/mman.h>

#include <new>

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
