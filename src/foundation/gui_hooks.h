#pragma once

// Hooks through which the airspace, terrain and message code would update a
// display window. The program has no such window: every hook returns at once
// and ignores its arguments. Today only error_message_pxr calls any of them
// (screen_message, upd_err_count); the others wait for the airspace raster
// build and the terrain code.

#include <cstdint>
#include <string_view>

// Progress of the airspace raster build, in percent.
void prg_bar(int nprg);

void upd_prm();

// A zone found round a position: the zone number (or -1 with code 0 before a
// scan) and a code (1 entered, -1 near, -2 approaching, 100 inside in plan view).
void trig_as(std::int32_t zone, std::int32_t code);

void update_wp_n();

void update_wp_nam();

// A message of error_message_pxr for the screen: its severity, the number of
// lines filled and three lines of at most 127 characters.
void screen_message(int msg_status, int nlines, std::string_view line1, std::string_view line2,
                    std::string_view line3);

void set_error();

// The error and warning counters changed.
void upd_err_count(int nberr, int nbwarn);

// The reach grid step of a new reachability computation.
void upd_rchgri(int ngri);
