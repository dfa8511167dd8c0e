#pragma once

// The platform services of the form engine: the text clipboard and the
// native handle of the form's window.

#include "cpw/types.h"

#include <cstdint>
#include <string>
#include <string_view>

// The clipboard's text, at most engine_value_chars; empty when the clipboard
// holds no text, no program holds it or its holder does not answer in time.
// Returns 0.
int rd_clp(std::string& buffer);

// Hands the text to the clipboard, after two console lines: the text and its
// size with the ending NUL. 0; 1 when the clipboard could not be taken (a
// line in the log says so; the form goes on).
int wr_clp(std::string_view text);

// The native handle of a window of the context; 0 when the id is not one of
// its windows.
std::uintptr_t get_hwnd(CpwContext* ctx, std::uint32_t id);
