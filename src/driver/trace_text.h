#pragma once

#include "foundation/option_records.h"

#include <string>

// A truth value in the driver's console trace lines: "T" or "F".
inline std::string trace_flag(bool value) { return value ? "T" : "F"; }

// The target switches qxcs, qlk8000 and qcup as the trace lines show them,
// "T F F": what was asked for, before or beside the target chosen (ntarg).
inline std::string target_switches_trace() {
    return trace_flag(tarvex01.qxcs) + " " + trace_flag(tarvex01.qlk8000) + " " + trace_flag(tarvex01.qcup);
}
