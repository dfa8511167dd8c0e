#pragma once

#include "foundation/short_text_table.h"

#include <initializer_list>
#include <string_view>

// A table holding `texts` as its entries 0.., each within `capacity` characters.
inline ShortTextTable text_table(std::initializer_list<std::string_view> texts,
                                 std::size_t capacity = ShortTextTable::kMaxCapacity) {
    ShortTextTable table(capacity);
    table.resize(texts.size());
    std::size_t entry = 0;
    for (const std::string_view text : texts) {
        table.set(entry++, text);
    }
    return table;
}
