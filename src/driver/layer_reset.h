#pragma once

// Every global record of the program and every state it carries from one step
// to the next back to its start: the driver's own (the conversion form's field
// numbers, the command line) and, through reset_airspace_layer, those of every
// layer below. The log and the seams tests replace stay as they are (see
// foundation/layer_reset.h). The program itself never calls it: its start-up
// sets the options to their defaults (set_startup_defaults).
void reset_all_records();
