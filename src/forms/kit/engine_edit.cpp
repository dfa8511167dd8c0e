#include "forms/kit/engine_edit.h"

#include <algorithm>

namespace {

std::size_t at(const std::string& text, int offset, int position) {
    return static_cast<std::size_t>(std::clamp(offset + position, 0, static_cast<int>(text.size())));
}

}  // namespace

void InsertChar(std::string& text, char character, int offset, int& start, int& end) {
    const std::size_t from = at(text, offset, start);
    if (start < end) {
        text.erase(from, at(text, offset, end) - from);
    }
    text.insert(from, 1, character);
    start = static_cast<int>(from) - offset + 1;
    end = start;
}

void DeleteChar(std::string& text, int& offset, int& start, int& end) {
    if (start < end) {
        const std::size_t from = at(text, offset, start);
        text.erase(from, at(text, offset, end) - from);
    } else if (offset + start > 0 && offset + start <= static_cast<int>(text.size())) {
        text.erase(static_cast<std::size_t>(offset + start - 1), 1);
        if (start > 0) {
            --start;
        } else {
            --offset;
        }
    }
    end = start;
}

bool IsNum(char character) {
    return (character >= '0' && character <= '9') || character == '+' || character == '-' || character == '.' ||
           character == 'E';
}

bool IsPrint(char character) {
    return static_cast<unsigned char>(character) >= 32;
}
