#pragma once

// Every record and carried state of the foundation, and of the platform below
// it, back to its start: the option records, the message, installation,
// pilot settings and terrain-extent records, the local frame, the airspace
// names and the stopwatches. The log (reset_log) and the seams tests replace
// (the message box, the wait clock, the time of day, the program's folder)
// are left to the test that set them, so that a test may reset the records in
// the middle of a run. The reset of each layer above calls this one.
void reset_foundation_layer();
