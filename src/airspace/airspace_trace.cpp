#include "airspace/airspace_trace.h"

#include <string>

#include "platform/console.h"
#include "platform/system_memory.h"

namespace {

// Size at which the buffer goes to the console before the reader's end.
constexpr std::size_t kFlushSize = 64 * 1024;

bool trace_on = true;

// The buffer has its whole size, and its pages, from the start: grown line by
// line it would pass through every smaller size, each new memory to the system.
std::string& trace_buffer() {
    static std::string buffer = [] {
        std::string room;
        room.reserve(kFlushSize + kFlushSize / 8);
        prefault_for_writing(room.data(), room.capacity());
        return room;
    }();
    return buffer;
}

}  // namespace

bool airspace_trace_enabled() { return trace_on; }

void set_airspace_trace(bool enabled) {
    if (!enabled) {
        airspace_trace_flush();
    }
    trace_on = enabled;
}

void airspace_trace(std::string_view line) {
    if (!trace_on) {
        return;
    }
    std::string& buffer = trace_buffer();
    buffer.append(line);
    buffer.push_back('\n');
    if (buffer.size() >= kFlushSize) {
        airspace_trace_flush();
    }
}

void airspace_trace_flush() {
    std::string& buffer = trace_buffer();
    if (!buffer.empty()) {
        console_out(buffer);
        buffer.clear();
    }
}
