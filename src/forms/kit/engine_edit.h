#pragma once

// Editing the text of a box. Positions start and end (caret, or a selection
// when start < end) count from the first shown character `offset`; every
// position is held within the text.

#include <string>

// Replaces the selection by the character, or inserts it at the caret; then
// the caret stands after it.
void InsertChar(std::string& text, char character, int offset, int& start, int& end);

// Removes the selection, or the character before the caret (scrolling the
// text back when the caret stands at the first shown character); then the
// selection is collapsed to the caret.
void DeleteChar(std::string& text, int& offset, int& start, int& end);

// The characters of a number: digits, "+", "-", "." and "E".
bool IsNum(char character);

// A character that shows: code 32 or above (cp1252 bytes with the high bit
// included); the control characters are not.
bool IsPrint(char character);
