#pragma once

// Building one XML element line in a fixed-capacity line buffer, and the
// escaping of attribute values shared by the XML task writers.
//
// The buffer holds the trimmed value of a blank-padded field of `capacity`
// characters (the LK8000 task writer uses 1,024); its used part is its text up
// to the last non-blank character. A write that would pass the end of the
// buffer is cut there. Indentation is not part of the buffer: the writers add
// it when they write the line.

#include <cstddef>
#include <string>
#include <string_view>

// Capacity of the line buffer of the LK8000 task writer.
inline constexpr std::size_t kXmlLineCapacity = 1024;

// The buffer becomes "<" followed by the key without its leading blanks.
void xml_start(std::string& ligne, std::string_view key, std::size_t capacity = kXmlLineCapacity);

// The buffer becomes "<", the key without leading and trailing blanks, ">".
void xml_key(std::string& ligne, std::string_view key, std::size_t capacity = kXmlLineCapacity);

// Appends, one blank after the used part, key="value": key and value without
// leading and trailing blanks, the value escaped by xml_attribute_text.
void xml_add_key_val(std::string& ligne, std::string_view key, std::string_view val,
                     std::size_t capacity = kXmlLineCapacity);

// Appends, one blank after the used part, the token without leading and
// trailing blanks followed by ">": a blank token gives " >", "/" gives " />".
void xml_end(std::string& ligne, std::string_view token, std::size_t capacity = kXmlLineCapacity);

// An attribute value made safe for a double-quoted XML attribute: "&" becomes
// "&amp;" (unless it already begins "&lt;", "&gt;" or "&amp;", which names
// carry from the task model's escaping), "<" "&lt;", ">" "&gt;", the double
// quote "&quot;"; control characters, which XML cannot carry, become blanks.
std::string xml_attribute_text(std::string_view value);
