#pragma once

// Reals taken to whole numbers the way the task files want them: the nearest
// whole number, halves away from zero, held within the range of int (so no
// value read from a file can overflow the conversion).
int nearest_int(double value);
