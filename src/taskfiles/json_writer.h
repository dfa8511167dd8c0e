#pragma once

// The JSON export: the task drawn for a map display, as a list of named,
// coloured polylines ("tasks") of latitude/longitude points with
// observation-zone markers between them ("C" cylinder, "L" line, "Q" sector,
// each with its radius), followed by one closed polygon per penalty zone.
// Written in UTF-8.

#include <string>
#include <string_view>

// Capacity of the task name (the output file's name up to ".json").
inline constexpr std::size_t kJsonTaskNameCapacity = 200;

// The text of a JSON string value, without its enclosing quotes: the double
// quote and the backslash escaped, control characters as \u00XX.
std::string json_string_text(std::string_view text);

// Writes the task of the task model to outfi_0, created or emptied first:
// one drawing in blue ("0000FF"), a second one when tarvex01.qfaisector is
// set, then the penalty zones in red ("FF0000"). Positions come from tplat,
// tplon for a SeeYou task input (tarvex01.qcup_in), otherwise from the
// landscape frame, which must be set up. iost: 0 when the file was written;
// otherwise the status of the open that failed (nothing written) or of the
// first write that failed. No message; one trace line on the console.
void write_json(std::string_view outfi_0, int& iost);
