#include "cpw/hosts/x11/x11_keys.h"

#include "cpw/keymouse.h"

#include "platform/encoding.h"

#include <X11/keysym.h>

#include <array>
#include <string_view>

namespace {

struct KeysymValue {
    KeySym keysym;
    int value;
};

// Extended keys by X key code (evdev numbering).
struct ExtendedKey {
    unsigned keycode;
    CpwX11ScanCode scan;
};

constexpr auto extended_keys = std::to_array<ExtendedKey>({
    {62, {0x36, true}},   // Right Shift
    {77, {0x45, true}},   // Num Lock
    {104, {0x1C, true}},  // numeric-pad Enter
    {105, {0x1D, true}},  // Right Ctrl
    {106, {0x35, true}},  // numeric-pad /
    {107, {0x37, true}},  // Print Screen
    {108, {0x38, true}},  // Right Alt
    {110, {0x47, true}},  // Home
    {111, {0x48, true}},  // Up
    {112, {0x49, true}},  // Page Up
    {113, {0x4B, true}},  // Left
    {114, {0x4D, true}},  // Right
    {115, {0x4F, true}},  // End
    {116, {0x50, true}},  // Down
    {117, {0x51, true}},  // Page Down
    {118, {0x52, true}},  // Insert
    {119, {0x53, true}},  // Delete
    {127, {0x45, false}}, // Pause
    {133, {0x5B, true}},  // Left Windows
    {134, {0x5C, true}},  // Right Windows
    {135, {0x5D, true}},  // Application
    {191, {0x64, false}}, // F13 ...
    {192, {0x65, false}},
    {193, {0x66, false}},
    {194, {0x67, false}},
    {195, {0x68, false}},
    {196, {0x69, false}},
    {197, {0x6A, false}},
    {198, {0x6B, false}},
    {202, {0x76, false}}, // F24
});

// Virtual keys by key symbol, for keys other than letters and digits.
constexpr auto virtual_keys = std::to_array<KeysymValue>({
    {XK_BackSpace, 0x08},    {XK_Tab, 0x09},          {XK_ISO_Left_Tab, 0x09}, {XK_Return, 0x0D},
    {XK_Pause, 0x13},        {XK_Break, 0x13},        {XK_Caps_Lock, 0x14},    {XK_Escape, 0x1B},
    {XK_space, 0x20},        {XK_Prior, 0x21},        {XK_Next, 0x22},         {XK_End, 0x23},
    {XK_Home, 0x24},         {XK_Left, 0x25},         {XK_Up, 0x26},           {XK_Right, 0x27},
    {XK_Down, 0x28},         {XK_Print, 0x2C},        {XK_Sys_Req, 0x2C},      {XK_Insert, 0x2D},
    {XK_Delete, 0x2E},       {XK_Super_L, 0x5B},      {XK_Super_R, 0x5C},      {XK_Menu, 0x5D},
    {XK_KP_0, 0x60},         {XK_KP_1, 0x61},         {XK_KP_2, 0x62},         {XK_KP_3, 0x63},
    {XK_KP_4, 0x64},         {XK_KP_5, 0x65},         {XK_KP_6, 0x66},         {XK_KP_7, 0x67},
    {XK_KP_8, 0x68},         {XK_KP_9, 0x69},         {XK_KP_Multiply, 0x6A},  {XK_KP_Add, 0x6B},
    {XK_KP_Separator, 0x6C}, {XK_KP_Subtract, 0x6D},  {XK_KP_Decimal, 0x6E},   {XK_KP_Divide, 0x6F},
    {XK_KP_Enter, 0x0D},     {XK_KP_Home, 0x24},      {XK_KP_Up, 0x26},        {XK_KP_Prior, 0x21},
    {XK_KP_Left, 0x25},      {XK_KP_Begin, 0x0C},     {XK_KP_Right, 0x27},     {XK_KP_End, 0x23},
    {XK_KP_Down, 0x28},      {XK_KP_Next, 0x22},      {XK_KP_Insert, 0x2D},    {XK_KP_Delete, 0x2E},
    {XK_Num_Lock, 0x90},     {XK_Scroll_Lock, 0x91},  {XK_Shift_L, 0xA0},      {XK_Shift_R, 0xA1},
    {XK_Control_L, 0xA2},    {XK_Control_R, 0xA3},    {XK_Alt_L, 0xA4},        {XK_Meta_L, 0xA4},
    {XK_Alt_R, 0xA5},        {XK_Meta_R, 0xA5},       {XK_ISO_Level3_Shift, 0xA5}, {XK_Mode_switch, 0xA5},
    {XK_semicolon, 0xBA},    {XK_equal, 0xBB},        {XK_comma, 0xBC},        {XK_minus, 0xBD},
    {XK_period, 0xBE},       {XK_slash, 0xBF},        {XK_grave, 0xC0},        {XK_bracketleft, 0xDB},
    {XK_backslash, 0xDC},    {XK_bracketright, 0xDD}, {XK_apostrophe, 0xDE},
});

// Virtual keys of the main block by scan code, on a US keyboard (0: none).
constexpr std::string_view us_block_keys = std::string_view(
    // 0x00-0x0F: none, Esc, 1-0, minus, equals, Backspace, Tab
    "\x00\x1B"
    "1234567890\xBD\xBB\x08\x09"
    // 0x10-0x1F: Q-P, [, ], Enter, Ctrl, A, S
    "QWERTYUIOP\xDB\xDD\x0D\xA2"
    "AS"
    // 0x20-0x2F: D-L, ;, ', `, Shift, \, Z, X, C, V
    "DFGHJKL\xBA\xDE\xC0\xA0\xDC"
    "ZXCV"
    // 0x30-0x35: B, N, M, comma, period, slash
    "BNM\xBC\xBE\xBF",
    0x36);

constexpr int oem_102 = 0xE2;  // the extra key of ISO keyboards, scan code 0x56

// System keys (toolkit codes 1-40) by key symbol.
constexpr auto system_keys = std::to_array<KeysymValue>({
    {XK_F1, 1},           {XK_F2, 2},          {XK_F3, 3},           {XK_F4, 4},
    {XK_F5, 5},           {XK_F6, 6},          {XK_F7, 7},           {XK_F8, 8},
    {XK_F9, 9},           {XK_F10, 10},        {XK_F11, 11},         {XK_F12, 12},
    {XK_Left, 13},        {XK_Up, 14},         {XK_Right, 15},       {XK_Down, 16},
    {XK_Prior, 17},       {XK_Next, 18},       {XK_Home, 19},        {XK_End, 20},
    {XK_Insert, 21},      {XK_Delete, 22},     {XK_Caps_Lock, 23},   {XK_Shift_L, 24},
    {XK_Shift_R, 24},     {XK_Control_L, 25},  {XK_Control_R, 25},   {XK_Alt_L, 26},
    {XK_Alt_R, 26},       {XK_Meta_L, 26},     {XK_Meta_R, 26},      {XK_ISO_Level3_Shift, 26},
    {XK_Mode_switch, 26}, {XK_Escape, 27},     {XK_Tab, 28},         {XK_ISO_Left_Tab, 28},
    {XK_BackSpace, 29},   {XK_Return, 30},     {XK_Num_Lock, 37},    {XK_Print, 38},
    {XK_Sys_Req, 38},     {XK_Scroll_Lock, 39}, {XK_Pause, 40},      {XK_Break, 40},
    // the numeric pad, by the symbol it gives (Num Lock decides)
    {XK_KP_Multiply, 31}, {XK_KP_Add, 32},     {XK_KP_Separator, 33}, {XK_KP_Subtract, 34},
    {XK_KP_Decimal, 35},  {XK_KP_Divide, 36},  {XK_KP_Enter, 30},    {XK_KP_Home, 19},
    {XK_KP_Up, 14},       {XK_KP_Prior, 17},   {XK_KP_Left, 13},     {XK_KP_Right, 15},
    {XK_KP_End, 20},      {XK_KP_Down, 16},    {XK_KP_Next, 18},     {XK_KP_Insert, 21},
    {XK_KP_Delete, 22},
});

// Two symbols of X's publishing set, which keysym.h leaves out by default.
constexpr KeySym keysym_trademark = 0xAC9;
constexpr KeySym keysym_ellipsis = 0xAAE;

// Key symbols of cp1252 characters outside Latin-1 that X names by a legacy symbol.
constexpr auto legacy_characters = std::to_array<KeysymValue>({
    {XK_EuroSign, 0x80}, {XK_Scaron, 0x8A}, {XK_OE, 0x8C}, {XK_Zcaron, 0x8E}, {XK_scaron, 0x9A},
    {XK_oe, 0x9C}, {XK_zcaron, 0x9E}, {XK_Ydiaeresis, 0x9F}, {keysym_trademark, 0x99}, {keysym_ellipsis, 0x85},
});

template <std::size_t N>
int find(const std::array<KeysymValue, N>& table, KeySym keysym) {
    for (const KeysymValue& k : table) {
        if (k.keysym == keysym) {
            return k.value;
        }
    }
    return 0;
}

bool is_keypad(KeySym keysym) {
    return keysym >= XK_KP_Space && keysym <= XK_KP_Equal;
}

}  // namespace

CpwX11ScanCode cpw_x11_scancode(unsigned keycode) {
    for (const ExtendedKey& k : extended_keys) {
        if (k.keycode == keycode) {
            return k.scan;
        }
    }
    if (keycode >= 9 && keycode <= 8 + 0x58) {
        return {static_cast<int>(keycode) - 8, false};
    }
    return {0, false};
}

int cpw_x11_virtualkey(KeySym unshifted, KeySym effective, int scancode) {
    if (is_keypad(unshifted)) {
        if (const int vk = find(virtual_keys, effective); vk != 0) {
            return vk;
        }
        return find(virtual_keys, unshifted);
    }
    if (unshifted >= XK_a && unshifted <= XK_z) {
        return static_cast<int>(unshifted - XK_a) + 'A';
    }
    if (unshifted >= XK_A && unshifted <= XK_Z) {
        return static_cast<int>(unshifted - XK_A) + 'A';
    }
    if (unshifted >= XK_0 && unshifted <= XK_9) {
        return static_cast<int>(unshifted - XK_0) + '0';
    }
    if (unshifted >= XK_F1 && unshifted <= XK_F24) {
        return static_cast<int>(unshifted - XK_F1) + 0x70;
    }
    if (const int vk = find(virtual_keys, unshifted); vk != 0) {
        return vk;
    }
    if (scancode > 0 && scancode < static_cast<int>(us_block_keys.size())) {
        return static_cast<unsigned char>(us_block_keys[static_cast<std::size_t>(scancode)]);
    }
    if (scancode == 0x56) {
        return oem_102;
    }
    return 0;
}

CpwX11ToolkitKey cpw_x11_toolkitkey(KeySym unshifted, KeySym effective, int virtualkey) {
    const KeySym key = is_keypad(unshifted) ? effective : unshifted;
    if (key >= XK_KP_0 && key <= XK_KP_9) {
        return {key == XK_KP_0 ? cpw_key_0 : cpw_key_1 + static_cast<int>(key - XK_KP_1), false};
    }
    if (int code = find(system_keys, key); code != 0) {
        return {code, true};
    }
    // An ordinary key: its unshifted character, else its virtual key taken as one.
    const int character = key >= 0x20 && key <= 0xFF ? static_cast<int>(key) : virtualkey;
    return {cpw_keymouse_keyofcharacter(character), false};
}

int cpw_x11_sidekey(KeySym unshifted) {
    switch (unshifted) {
        case XK_Control_L: return cpw_key_leftcontrol;
        case XK_Control_R: return cpw_key_rightcontrol;
        case XK_Shift_L: return cpw_key_leftshift;
        case XK_Shift_R: return cpw_key_rightshift;
        case XK_Alt_L:
        case XK_Meta_L: return cpw_key_leftalt;
        case XK_Alt_R:
        case XK_Meta_R:
        case XK_ISO_Level3_Shift:
        case XK_Mode_switch: return cpw_key_rightalt;
        default: return 0;
    }
}

int cpw_x11_keysym_character(KeySym keysym) {
    if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF)) {
        return static_cast<int>(keysym);
    }
    switch (keysym) {
        case XK_BackSpace: return 8;
        case XK_Tab:
        case XK_ISO_Left_Tab:
        case XK_KP_Tab: return 9;
        case XK_Return:
        case XK_KP_Enter: return 13;
        case XK_Escape: return 27;
        case XK_KP_Space: return ' ';
        case XK_KP_Multiply: return '*';
        case XK_KP_Add: return '+';
        case XK_KP_Separator: return ',';
        case XK_KP_Subtract: return '-';
        case XK_KP_Decimal: return '.';
        case XK_KP_Divide: return '/';
        case XK_KP_Equal: return '=';
        default: break;
    }
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) {
        return static_cast<int>(keysym - XK_KP_0) + '0';
    }
    if (const int c = find(legacy_characters, keysym); c != 0) {
        return c;
    }
    // Unicode key symbols: the code point plus 0x1000000.
    if (keysym >= 0x10000A0 && keysym <= 0x110FFFF) {
        const char byte = cp1252_from_code_point(static_cast<char32_t>(keysym - 0x1000000));
        if (byte != '?') {
            return static_cast<unsigned char>(byte);
        }
    }
    return 0;
}

int cpw_x11_control_character(KeySym effective) {
    if (effective >= XK_a && effective <= XK_z) {
        return static_cast<int>(effective - XK_a) + 1;
    }
    if (effective >= XK_A && effective <= XK_Z) {
        return static_cast<int>(effective - XK_A) + 1;
    }
    switch (effective) {
        case XK_bracketleft:
        case XK_Escape: return 27;
        case XK_backslash: return 28;
        case XK_bracketright: return 29;
        case XK_asciicircum: return 30;
        case XK_underscore: return 31;
        case XK_space: return ' ';
        case XK_Return: return 10;
        case XK_BackSpace: return 127;
        default: return 0;
    }
}

int cpw_x11_character_keysyms(unsigned char character, KeySym keysyms[2]) {
    int count = 0;
    if ((character >= 0x20 && character <= 0x7E) || character >= 0xA0) {
        keysyms[count++] = character;
        return count;
    }
    for (const KeysymValue& k : legacy_characters) {
        if (k.value == character) {
            keysyms[count++] = k.keysym;
            break;
        }
    }
    const char32_t code_point = cp1252_code_point(character);
    if (code_point >= 0xA0) {
        keysyms[count++] = 0x1000000 + code_point;
    }
    return count;
}
