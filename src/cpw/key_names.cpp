#include "cpw/key_names.h"

#include <array>
#include <string_view>

namespace {

constexpr int extended = 256;

struct NamedKey {
    int scancode;
    std::string_view name;
};

// Scan codes of the main block and the numeric pad, then the extended keys.
constexpr std::array<NamedKey, 119> named_keys = {{
    {0x01, "Esc"},         {0x02, "1"},           {0x03, "2"},          {0x04, "3"},
    {0x05, "4"},           {0x06, "5"},           {0x07, "6"},          {0x08, "7"},
    {0x09, "8"},           {0x0A, "9"},           {0x0B, "0"},          {0x0C, "-"},
    {0x0D, "="},           {0x0E, "Backspace"},   {0x0F, "Tab"},        {0x10, "Q"},
    {0x11, "W"},           {0x12, "E"},           {0x13, "R"},          {0x14, "T"},
    {0x15, "Y"},           {0x16, "U"},           {0x17, "I"},          {0x18, "O"},
    {0x19, "P"},           {0x1A, "["},           {0x1B, "]"},          {0x1C, "Enter"},
    {0x1D, "Ctrl"},        {0x1E, "A"},           {0x1F, "S"},          {0x20, "D"},
    {0x21, "F"},           {0x22, "G"},           {0x23, "H"},          {0x24, "J"},
    {0x25, "K"},           {0x26, "L"},           {0x27, ";"},          {0x28, "'"},
    {0x29, "`"},           {0x2A, "Shift"},       {0x2B, "\\"},         {0x2C, "Z"},
    {0x2D, "X"},           {0x2E, "C"},           {0x2F, "V"},          {0x30, "B"},
    {0x31, "N"},           {0x32, "M"},           {0x33, ","},          {0x34, "."},
    {0x35, "/"},           {0x36, "Right Shift"}, {0x37, "Num *"},      {0x38, "Alt"},
    {0x39, "Space"},       {0x3A, "Caps Lock"},   {0x3B, "F1"},         {0x3C, "F2"},
    {0x3D, "F3"},          {0x3E, "F4"},          {0x3F, "F5"},         {0x40, "F6"},
    {0x41, "F7"},          {0x42, "F8"},          {0x43, "F9"},         {0x44, "F10"},
    {0x45, "Pause"},       {0x46, "Scroll Lock"}, {0x47, "Num 7"},      {0x48, "Num 8"},
    {0x49, "Num 9"},       {0x4A, "Num -"},       {0x4B, "Num 4"},      {0x4C, "Num 5"},
    {0x4D, "Num 6"},       {0x4E, "Num +"},       {0x4F, "Num 1"},      {0x50, "Num 2"},
    {0x51, "Num 3"},       {0x52, "Num 0"},       {0x53, "Num Del"},    {0x54, "Sys Req"},
    {0x56, "\\"},          {0x57, "F11"},         {0x58, "F12"},        {0x64, "F13"},
    {0x65, "F14"},         {0x66, "F15"},         {0x67, "F16"},        {0x68, "F17"},
    {0x69, "F18"},         {0x6A, "F19"},         {0x6B, "F20"},        {0x6C, "F21"},
    {0x6D, "F22"},         {0x6E, "F23"},         {0x76, "F24"},
    {extended + 0x1C, "Num Enter"},
    {extended + 0x1D, "Right Ctrl"},
    {extended + 0x35, "Num /"},
    {extended + 0x37, "Prnt Scrn"},
    {extended + 0x38, "Right Alt"},
    {extended + 0x45, "Num Lock"},
    {extended + 0x46, "Break"},
    {extended + 0x47, "Home"},
    {extended + 0x48, "Up"},
    {extended + 0x49, "Page Up"},
    {extended + 0x4B, "Left"},
    {extended + 0x4D, "Right"},
    {extended + 0x4F, "End"},
    {extended + 0x50, "Down"},
    {extended + 0x51, "Page Down"},
    {extended + 0x52, "Insert"},
    {extended + 0x53, "Delete"},
    {extended + 0x5B, "Left Windows"},
    {extended + 0x5C, "Right Windows"},
    {extended + 0x5D, "Application"},
}};

}  // namespace

std::string cpw_keyname(int scancode) {
    for (const NamedKey& key : named_keys) {
        if (key.scancode == scancode) {
            return std::string(key.name);
        }
    }
    return {};
}
