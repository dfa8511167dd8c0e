#pragma once

#include <cstdint>
#include <initializer_list>

// A counted string: a heap text together with its length, in a small heap
// record. The empty string has str null and len 0; a non-empty one always has
// len + 1 bytes allocated, the last one the NUL. Operations that build a string
// return a new record the caller frees with cstr::freeStr; operations that
// replace or free a string take the address of the caller's record pointer and
// leave null there after freeing. Null records are accepted everywhere.
struct StringContext {
    char* str;
    std::uint32_t len;
};

// The operations carry short names (str, len, ...), so they live in their own
// namespace. Positions and counts are bytes; negative ones are out of range.
namespace cstr {

StringContext* newString();                               // both fields zero; null when memory runs out
StringContext* crtStr();                                  // new empty string
StringContext* crtStrLen(int n);                          // n NUL characters
void freeStr(StringContext** s);
void strClr(StringContext* s);                            // frees the text, keeps the record
StringContext* strCpy(const StringContext* s);
StringContext* cpyString(const char* text);
StringContext* cpyStrLen(const StringContext* s, int n);  // first min(n, len) characters
StringContext* cpyStringLen(const char* bytes, int n);
void setStr(StringContext** s, const StringContext* t);   // t may be *s itself
StringContext** setString(StringContext** s, const char* text);  // text may lie inside *s
int sizeStr(StringContext** s, int n);                    // exactly n NUL characters; returns n
StringContext* getString(StringContext** s);

char* str(const StringContext* s);
int len(const StringContext* s);
int strLen(const StringContext* s);
int getChar(const StringContext* s, int pos);             // pos == len gives the NUL
int setChar(StringContext* s, int pos, int c);
int delChar(StringContext** s, int pos);
int dropChar(StringContext** s);

// subStr(s, from, to): the characters from `from` up to, not including,
// position `to`; a negative `to` stands for the end of the string.
StringContext* subStr(const StringContext* s, int from, int to);
StringContext* subStrShort(const StringContext* s, int from);
StringContext* subStrLen(const StringContext* s, int from, int n);
StringContext* strToken(StringContext** s, const char* separator);

int concatStr(StringContext** s, const StringContext* t);
int concatString(StringContext** s, const char* text);
int concatStringLen(StringContext** s, const char* text);
int concatChar(StringContext** s, int c);

namespace detail {
int concat_texts(StringContext** s, std::initializer_list<const char*> texts);
}

// Appends each text in turn, stopping at a null or empty one.
template <typename... Texts>
int concatStrings(StringContext** s, const char* first, Texts... rest) {
    return detail::concat_texts(s, {first, static_cast<const char*>(rest)...});
}

// Comparisons: 0 when both records (or both texts) are null, -1 when only one
// is; otherwise the byte difference, never reading past either text.
int compareStrCs(const StringContext* s, const StringContext* t);
int compareStrLenCs(const StringContext* s, const StringContext* t, int n);
int compareStringLenCs(const StringContext* s, const char* text, int n);
int compareStrNc(const StringContext* s, const StringContext* t);
int compareStringNc(const StringContext* s, const char* text);
int compareStrLenNc(const StringContext* s, const StringContext* t, int n);
int compareStringLenNc(const StringContext* s, const char* text, int n);

int replaceString(StringContext** s, const char* a, const char* b);
int containsStr(const StringContext* s, const StringContext* t);
int containsString(const StringContext* s, const char* text);

int strToInt32(const StringContext* s);                   // saturates at the int32 range
double strToFloat64(const StringContext* s);              // finite: out of range saturates, NaN gives 0
StringContext* int32ToStr(std::int32_t n);
StringContext* float64ToStr(double x);                    // shortest text that reads back the same

}  // namespace cstr
