#pragma once

// The values file of a form: one line "<box name>=<value>" per box, written
// from the form model and read back into it.

#include <string_view>

// Writes the values of boxes 1..count into the file `fnam` (created or
// replaced): 0, or the status of the failed opening or writing.
int frm_write_form_data(std::string_view fnam);

// Reads a values file into the boxes of the same names (unknown names,
// blank lines and lines beginning "#" are skipped): 0, or the status of the
// failed opening (the model unchanged).
int frm_read_form_data(std::string_view fnam);
