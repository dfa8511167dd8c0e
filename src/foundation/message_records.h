#pragma once

#include <string>

// Shared records of the message routines.

// Message switches and counters of the run (all zero at start).
struct Cmndta001 {
    bool qfr = false;    // messages in French
    bool qline = false;  // console mode: user messages go to standard output, not to boxes
    int nbwarn = 0;      // warnings reported through error_message_pxr
    int nberr = 0;       // errors reported through error_message_pxr
    // The last error told, as shown: the reason that a run ending with a
    // non-zero exit code and no text of its own gives on standard error.
    std::string last_error;
};
extern Cmndta001 cmndta001;
void reset_cmndta001();

// Texts shared with the terrain code; nothing in the program sets them.
struct LocaC {
    std::string msg_tit;  // title of the boxes of error_message_pxr (40 characters; empty)
    std::string infile;   // input file name of the terrain code (256 characters)
};
extern LocaC loca_c;
void reset_loca_c();

// Debug switches; all false in the program.
struct Peldbg00 {
    bool qdis_wrn = false;  // error_message_pxr hands messages to screen_message instead of a box
    bool qdbg_l_0 = false;  // extra diagnostic lines on the console
    bool qdbg_l_1 = false;  // more diagnostic lines on the console
};
extern Peldbg00 peldbg00;
void reset_peldbg00();
