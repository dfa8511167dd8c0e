#pragma once

// Every record of the form kit, and of the foundation and platform below it,
// back to its start: the form model and the engine's tables, metrics,
// interaction state and window record (a window still open is not closed:
// frm_close_graphics does that). The seams tests replace (the application's
// value check, the engine's checks and callback) go with the engine's window
// record or are left to the test that set them, as the foundation's are.
void reset_forms_kit_layer();
