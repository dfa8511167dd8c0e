#pragma once

// The native dialogs of the colour and file boxes. Each replaces the box's
// text with the choice (cut to the box's engine_value_chars) and its value
// where the box has one; a cancelled file or folder dialog leaves the text
// as it was and says so in an error box.

// Colour box i: the colour chooser, started at the box's colour.
void engine_choose_colour(int i);

// Input-file (7), output-file (8) or folder (9) box i: the open-file,
// save-file or folder dialog, started at the box's text.
void engine_choose_path(int i);
