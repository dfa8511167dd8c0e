#pragma once

#include <string_view>

// What an input file is, from its file name (the part after the last "\"):
// a Condor flight plan when the name holds ".fpl", else a SeeYou task when it
// holds ".cup", in any letter case ("RACE1.FPL" is a flight plan); anything
// else is of a type the program does not read. A blank path is no input.
enum class InputKind { none, flight_plan, seeyou_task, unknown };

InputKind input_kind(std::string_view path);

// The extension that marks an input kind: ".fpl" or ".cup" (empty otherwise).
std::string_view input_extension(InputKind kind);
