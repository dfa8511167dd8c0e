#pragma once

// Value checks and increments of the form's boxes. The form engine calls
// them with its own 0-based box index n (box n + 1 of the form model) and its
// own value fields; they check the box's text by the box's type, store the
// accepted value in the form model (form_model.h), hand back the normalised
// text and, for a refused value, a message (English only, but the run's
// language for a path too long). Status results: 1 accepted, 0 refused.
//
// Texts: the value text is taken up to kValueLength characters; the message
// handed back is below 256 characters.

#include <functional>
#include <string>
#include <string_view>

// Checks the text `cval` of engine box n and stores the accepted value.
// kact: the box's active state as the engine sees it (stored in inpt_act;
// an inactive box is accepted as it is). ival: in, the chosen value of tick,
// key and list boxes (list boxes: the 0-based entry); out, the integer value
// of an integer box. rval: in, the real value of a key box; out, the value of
// a real box. cval: in, the typed text; out, the normalised text of an
// accepted value (a refused one stays as typed). msg: out, the message of a
// refusal, empty when accepted. A path box (input file, output file, folder)
// refuses a text that does not fit the program's path fields. An accepted
// value then goes through the application's check (check_values_app). An n
// outside the model's table is refused with an empty message.
int check_values(int n, int kact, int& ival, float& rval, std::string& cval, std::string& msg);

// Checks the real value inpt_rval of engine box n against the box's bounds
// (integer and real boxes; every other type passes). msg: the message of a
// refusal, empty when accepted. ival, rval and cval (the engine's fields of
// the box) are not looked at.
int check_minmax(int n, int& ival, float& rval, std::string& cval, std::string& msg);

// True when vmin is not below vmax (no usable bounds) or vmin <= val <= vmax.
bool check_minmax_0(float val, float vmin, float vmax);

// Steps the number in cval of engine box n by incr steps (negative:
// downward) of the box's step (get_incr of its value), held within the box's
// bounds; stores it in the model and hands it back in cval and in ival
// (integer box) or rval (real box). 0 when the text is not a number of the
// box's kind, or the box is neither an integer nor a real box (cval then
// unchanged).
int incrm_val(int n, int& ival, float& rval, std::string& cval, int incr);

// The number of an integer or a real box's text, read as the checks read
// it: the text (blanks around it aside) must hold one number and nothing
// else (digits, signs, the point, an exponent letter), so that a text pasted
// whole ("12,5") is refused, never read as its first number. False (value
// unchanged) for any other text.
bool read_box_int(std::string_view text, int& value);
bool read_box_real(std::string_view text, float& value);

// The step of the arrows for a value v: 1, 2 or 5 times a power of ten,
// about a 25th of |v| (100 gives 5, 1 gives 0.05); 1 for 0.
float get_incr(float v);

// The integer after the first "_" of key (the whole key without one; 0 when
// it cannot be read); key_num is raised to it when it is larger.
int get_key_num(std::string_view key, int& key_num);

// The application's own check of an accepted value: box n (1-based), its
// label nam, its stored values; 1 accepts, 0 refuses with a message in msg.
using AppValueCheck =
    std::function<int(int n, const std::string& nam, int ival, float rval, const std::string& cval, std::string& msg)>;

// Installs the application's check; an empty function accepts every value.
void set_check_values_app(AppValueCheck check);

// Calls the installed application's check (1 without one).
int check_values_app(int n, const std::string& nam, int ival, float rval, const std::string& cval, std::string& msg);
