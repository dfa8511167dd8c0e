#pragma once

// The sl texts: NUL-terminated byte strings on the heap. Every operation that
// yields a text allocates a new zero-filled block of exactly the needed size
// plus the NUL; the caller owns it and releases it with slFree. A null result
// means memory ran out (or, where said, that the input was refused).
//
// Positions are 0-based byte offsets and pass through slWrapPos: a position
// above the length becomes the length, a negative one counts back from the end
// (and stops at 0). Bytes are bytes (cp1252); case folding is the C locale's,
// so only A-Z and a-z fold.

int slLength(const char* text);                 // bytes before the NUL; 0 for null
char* slStringOfSize(int n);                    // n + 1 zero bytes (n < 0 taken as 0)
void slFree(char* text);                        // null allowed
int slClear(char* text);                        // every character set to NUL; returns how many
char* slStringFromBuffer(const char* bytes, int n);
char* slSizeTo(const char* text, int n);        // cut or blank-padded to exactly n characters
char* slCopy(const char* text);                 // null gives an empty text
int slDropLastChar(char* text);                 // new length, -1 for an empty or null text

char* slAppend(const char* a, const char* b);   // a null side counts as empty
char* slAppendAndFree(char* a, const char* b);  // slAppend, then frees a

char* slLower(const char* text);
char* slUpper(const char* text);
int slEquals(const char* a, const char* b);     // 1 when equal; two nulls are equal

int slWrapPos(const char* text, int pos);
int slCharAt(const char* text, int pos);        // unsigned byte; 0 when pos is above the length
int slSetCharAt(char* text, int pos, int c);    // 1 when stored (only inside the text)
int slDropCharAt(char* text, int pos);          // 1 when a character was removed
char* slSubString(const char* text, int from, int to);  // both positions included
char* slInsert(const char* text, const char* t, int pos);

// Searches: -1 when t does not occur, when a text is null, or when t is empty
// or longer than the text.
int slFindFrom(const char* text, const char* t, int from);
int slFind(const char* text, const char* t);
int slContains(const char* text, const char* t);
int slCount(const char* text, const char* t);   // non-overlapping; 0 where a search gives -1
char* slReplace(const char* text, const char* t, const char* r);
int slRFindFrom(const char* text, const char* t, int from);

int slFindAnyCaseFrom(const char* text, const char* t, int from);
int slFindAnyCase(const char* text, const char* t);
int slContainsAnyCase(const char* text, const char* t);
int slEqualsAnyCase(const char* a, const char* b);  // two empty texts are not equal here
