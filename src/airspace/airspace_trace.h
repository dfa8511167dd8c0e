#pragma once

#include <string_view>

// The console trace of the airspace code: progress lines, per-zone counts,
// dropped points. Lines collect in one buffer that goes to the console in
// large blocks, so that tracing a large airspace file costs little; the
// reader flushes it when it ends. The trace can be switched off as a whole
// (benchmarks, tests that read large files): callers ask
// airspace_trace_enabled() before they build a line.

bool airspace_trace_enabled();
void set_airspace_trace(bool enabled);

// Adds one line (a line end is appended).
void airspace_trace(std::string_view line);

// Writes what the buffer holds to the console.
void airspace_trace_flush();
