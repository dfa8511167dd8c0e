#include "taskfiles/xml_writer.h"

#include "foundation/fixed_text.h"

#include <array>

namespace {

// The entities an attribute value may already hold; their "&" stays as it is.
constexpr std::array<std::string_view, 3> kKeptEntities = {"&lt;", "&gt;", "&amp;"};

bool starts_kept_entity(std::string_view rest) {
    for (const std::string_view entity : kKeptEntities) {
        if (rest.substr(0, entity.size()) == entity) {
            return true;
        }
    }
    return false;
}

// The text without leading and trailing blanks.
std::string trimmed(std::string_view text) { return left_adjust(text); }

// Appends `addition` one blank after the used part of the buffer.
void append_after_used(std::string& ligne, const std::string& addition, std::size_t capacity) {
    ligne = fit_field(trim_right(ligne) + " " + addition, capacity);
}

}  // namespace

void xml_start(std::string& ligne, std::string_view key, std::size_t capacity) {
    ligne = fit_field("<" + left_adjust(key), capacity);
}

void xml_key(std::string& ligne, std::string_view key, std::size_t capacity) {
    ligne = fit_field("<" + trimmed(key) + ">", capacity);
}

void xml_add_key_val(std::string& ligne, std::string_view key, std::string_view val, std::size_t capacity) {
    append_after_used(ligne, trimmed(key) + "=\"" + xml_attribute_text(trimmed(val)) + "\"", capacity);
}

void xml_end(std::string& ligne, std::string_view token, std::size_t capacity) {
    append_after_used(ligne, trimmed(token) + ">", capacity);
}

std::string xml_attribute_text(std::string_view value) {
    std::string text;
    text.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
            case '&':
                text += starts_kept_entity(value.substr(i)) ? "&" : "&amp;";
                break;
            case '<':
                text += "&lt;";
                break;
            case '>':
                text += "&gt;";
                break;
            case '"':
                text += "&quot;";
                break;
            default:
                text += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
                break;
        }
    }
    return text;
}
