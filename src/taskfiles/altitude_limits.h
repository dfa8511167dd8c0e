#pragma once

#include <cstddef>
#include <string>

// Altitude limits of a turnpoint as text, for the task formats that have no
// field for them (XCSoar, LK8000): a comment for the point and a short tag
// appended to its name, in hundreds of metres.
//
// For point n of the task model:
// - a window (tpsec 1) spans tpalt -/+ tphei / 2: comment
//   "Condor window : alt. limits=LOW-HIGH", name + " [low-high]";
// - an ordinary turnpoint has limits when tphei is neither 0 nor 10000 or
//   more, or when tpwid (its lower limit) is above 0: comment
//   "Alt. limits=LOWER-UPPER", name + " [lower-upper]"; without limits the
//   comment is blank and the name unchanged.
// Metres are written in 5 characters, hundreds of metres in 3 (asterisks when
// they do not fit), then left-adjusted. Both texts are cut at their field's
// capacity. An index outside 0..30 has no limits.
void altitude_limits(int n, std::string& p_nam, std::size_t nam_capacity, std::string& p_comm,
                     std::size_t comm_capacity);
