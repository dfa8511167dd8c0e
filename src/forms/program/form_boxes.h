#pragma once

// Small operations on the boxes of the form shown, by their 1-based number,
// over the form API (forms/kit/form_accessors.h). Every change is shown at
// once (update and refresh on).

#include <string>
#include <string_view>

// A box's values: integer, real, text and type.
struct BoxValue {
    int iv = 0;
    float rv = 0.0f;
    std::string cv;
    int type = 0;
};

// The live value of box n (what the window shows); false when there is no such box.
bool live_value(int n, BoxValue& value);
// Its live text and integer value (blank and 0 when there is no such box).
std::string live_text(int n);
int live_int(int n);

// The number a box holds by its own type: the real value of a real box, the
// integer value of any other.
double box_number(const BoxValue& value);

// Sets the text of box n (integer 0, real 0).
void set_box_text(int n, std::string_view text);
// Sets box n to a whole number: as integer, real and text.
void set_box_whole(int n, int value);
// A tick: integer 1/0, real 0, a one-blank text.
void set_box_tick(int n, bool ticked);
// Makes box n active (editable) or greyed.
void set_box_active(int n, bool active);
bool box_active(int n);
// Sets the file pattern of box n.
void set_box_pattern(int n, std::string_view pattern);
// Sets the type of box n (a file, a folder box).
void set_box_type(int n, int type);
