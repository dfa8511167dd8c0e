#pragma once

// The XCSoar task file (.tsk): the task of the task model as an XML document
// that XCSoar loads, with a "created by" comment after it and no declaration
// line. Its texts are written in UTF-8.

#include <string_view>

// Writes the task of the task model (points 1 .. nb_wp - 1) to outfi_0,
// created or emptied first. iost: 0 when the file was written; otherwise the
// status of the open that failed (nothing written) or of the first write that
// failed. Shows no message; one trace line on the console.
void write_tsk(std::string_view outfi_0, int& iost);
