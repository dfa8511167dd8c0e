#include "foundation/fortran_format.h"

#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>

namespace {

// ---------------------------------------------------------------- fields

std::string asterisks(int w) { return std::string(static_cast<std::size_t>(w), '*'); }

// Appends `text` right-adjusted in w characters; asterisks when it does not
// fit; the text itself when w is 0 (the width needed).
void append_right_adjusted(std::string& out, std::string_view text, int w) {
    if (w == 0) {
        out.append(text);
        return;
    }
    const auto width = static_cast<std::size_t>(w);
    if (text.size() > width) {
        out.append(width, '*');
        return;
    }
    out.append(width - text.size(), ' ');
    out.append(text);
}

std::string right_adjust(std::string_view text, int w) {
    std::string out;
    append_right_adjusted(out, text, w);
    return out;
}

// Like append_right_adjusted, but drops the optional zero of "0.xxx" /
// "-0.xxx" when the field is too narrow for it.
void append_right_adjusted_dropping_zero(std::string& out, std::string_view text, int w, std::string& spare) {
    if (w != 0 && text.size() > static_cast<std::size_t>(w)) {
        const std::size_t zero = (!text.empty() && text[0] == '-') ? 1 : 0;
        if (text.size() > zero + 1 && text[zero] == '0' && text[zero + 1] == '.') {
            spare.assign(text);
            spare.erase(zero, 1);
            append_right_adjusted(out, spare, w);
            return;
        }
    }
    append_right_adjusted(out, text, w);
}

std::string right_adjust_dropping_zero(const std::string& text, int w) {
    std::string out;
    std::string spare;
    append_right_adjusted_dropping_zero(out, text, w, spare);
    return out;
}

std::string printf_text(const char* pattern, int precision, double value) {
    const int n = std::snprintf(nullptr, 0, pattern, precision, value);
    std::string text(static_cast<std::size_t>(n), '\0');
    std::snprintf(text.data(), text.size() + 1, pattern, precision, value);
    return text;
}

// Room for the digits of a double with up to kFixedDigitsDecimals decimals
// (309 before the point at most).
constexpr int kFixedDigitsDecimals = 64;
constexpr std::size_t kFixedDigitsRoom = 400;

// 10^d exactly, d = 0..18, and the bits of 5^d (10^d = 5^d x 2^d).
constexpr int kExactPowers = 19;
constexpr std::array<double, kExactPowers> kPowersOfTen = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
constexpr std::array<int, kExactPowers> kFiveBits = [] {
    std::array<int, kExactPowers> bits{};
    unsigned long long five = 1;
    for (int d = 0; d < kExactPowers; ++d) {
        bits[static_cast<std::size_t>(d)] = static_cast<int>(std::bit_width(five));
        five *= 5;
    }
    return bits;
}();

// The value x 10^d rounded to a whole number as printf rounds (the nearest,
// ties to even), when that can be done exactly in double: a value of few
// significant bits (every float is one) times 10^d is exact when the bits
// of both fit the 53 of a double. False otherwise.
bool scaled_whole(double magnitude, int d, unsigned long long& whole) {
    if (d >= kExactPowers || !(magnitude < 9.0e18 / kPowersOfTen[static_cast<std::size_t>(d)])) {
        return false;
    }
    if (magnitude == 0.0) {
        whole = 0;
        return true;
    }
    const auto bits = std::bit_cast<unsigned long long>(magnitude);
    constexpr unsigned long long kFraction = (1ULL << 52) - 1;
    if ((bits >> 52) == 0) {
        return false;  // subnormal
    }
    const unsigned long long mantissa = (bits & kFraction) | (1ULL << 52);
    const int significant = 53 - std::countr_zero(mantissa);
    if (significant + kFiveBits[static_cast<std::size_t>(d)] > 53) {
        return false;
    }
    whole = static_cast<unsigned long long>(std::nearbyint(magnitude * kPowersOfTen[static_cast<std::size_t>(d)]));
    return true;
}

// Appends a non-negative value with d decimals exactly as printf's "%.*f"
// writes it (std::to_chars is specified to give printf's text).
void append_fixed_digits(std::string& out, double magnitude, int d) {
    if (unsigned long long whole = 0; scaled_whole(magnitude, d, whole)) {
        std::array<char, 24> digits;
        const auto length =
            static_cast<std::size_t>(std::to_chars(digits.data(), digits.data() + digits.size(), whole).ptr -
                                     digits.data());
        const auto decimals = static_cast<std::size_t>(d);
        if (length <= decimals) {
            out += '0';
            if (decimals > 0) {
                out += '.';
            }
            out.append(decimals - length, '0');
            out.append(digits.data(), length);
        } else {
            out.append(digits.data(), length - decimals);
            if (decimals > 0) {
                out += '.';
                out.append(digits.data() + length - decimals, decimals);
            }
        }
        return;
    }
    if (d <= kFixedDigitsDecimals) {
        std::array<char, kFixedDigitsRoom> buffer;
        const auto [end, error] =
            std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::fixed, d);
        if (error == std::errc()) {
            out.append(buffer.data(), end);
            return;
        }
    }
    out += printf_text("%.*f", d, magnitude);
}

bool all_digits_zero(std::string_view text) {
    for (const char c : text) {
        if (c >= '1' && c <= '9') {
            return false;
        }
    }
    return true;
}

std::string nonfinite(double value, int w) {
    if (std::isnan(value)) {
        return right_adjust("NaN", w);
    }
    const bool negative = value < 0;
    const int room = w - (negative ? 1 : 0);
    std::string text = (w == 0 || room >= 8) ? "Infinity" : "Inf";
    if (negative) {
        text.insert(0, "-");
    }
    return right_adjust(text, w);
}

void check_width(int w) {
    if (w < 0) {
        throw FortranFormatError("negative field width");
    }
}

// Appends Iw.m (m < 0: no minimum of digits).
void append_i(std::string& out, long long value, int w, int m) {
    check_width(w);
    if (w == 0 && m < 0) {
        // I0: the digits and their sign as they are; a single digit at once.
        if (value >= 0 && value <= 9) {
            out.push_back(static_cast<char>('0' + value));
            return;
        }
        std::array<char, 24> text;
        out.append(text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr);
        return;
    }
    const bool negative = value < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    // A sign, up to 20 digits or m zeros before them.
    constexpr std::size_t kRoom = 24;
    std::array<char, kRoom> digits;
    std::size_t length = 0;
    if (!(m == 0 && value == 0)) {
        length = static_cast<std::size_t>(std::to_chars(digits.data(), digits.data() + kRoom, magnitude).ptr -
                                          digits.data());
    }
    const std::size_t zeros = m > 0 && static_cast<std::size_t>(m) > length ? static_cast<std::size_t>(m) - length : 0;
    const std::size_t size = (negative ? 1 : 0) + zeros + length;
    if (size + 1 > kRoom) {
        // Many leading zeros: built in a string.
        std::string text = negative ? "-" : "";
        text.append(zeros, '0');
        text.append(digits.data(), length);
        append_right_adjusted(out, text, w);
        return;
    }
    // The field in one piece when it fits the room: its blanks, the sign,
    // the zeros and the digits.
    const std::size_t width = w == 0 ? size : static_cast<std::size_t>(w);
    if (size > width) {
        out.append(width, '*');
        return;
    }
    std::size_t blanks = width - size;
    if (width > kRoom) {
        out.append(blanks, ' ');
        blanks = 0;
    }
    std::array<char, kRoom> text;
    std::size_t at = 0;
    for (; at < blanks; ++at) {
        text[at] = ' ';
    }
    if (negative) {
        text[at++] = '-';
    }
    for (std::size_t i = 0; i < zeros; ++i) {
        text[at++] = '0';
    }
    for (std::size_t i = 0; i < length; ++i) {
        text[at++] = digits[i];
    }
    out.append(text.data(), at);
}

// Appends Fw.d with a kP scale factor; `spare` is working room.
void append_f(std::string& out, double value, int w, int d, int scale, std::string& spare) {
    check_width(w);
    if (d < 0) {
        throw FortranFormatError("F needs d >= 0");
    }
    if (!std::isfinite(value)) {
        out += nonfinite(value, w);
        return;
    }
    if (scale != 0) {
        const double factor = std::pow(10.0, scale);
        if (std::fabs(value) > DBL_MAX / factor) {
            out += w == 0 ? std::string("*") : asterisks(w);
            return;
        }
        value *= factor;
    }
    if (unsigned long long whole = 0; scaled_whole(std::fabs(value), d, whole)) {
        // The usual case, built right to left in place: the digits of `whole`
        // with the point d digits from their right and at least one digit
        // before it, as printf writes them; the sign when a digit is not zero.
        const bool negative = std::signbit(value) && whole != 0;
        std::array<char, 48> field;
        char* const end = field.data() + field.size();
        char* p = end;
        if (d == 0) {
            *--p = '.';
        }
        for (int i = 0; i < d; ++i) {
            *--p = static_cast<char>('0' + whole % 10);
            whole /= 10;
        }
        if (d > 0) {
            *--p = '.';
        }
        do {
            *--p = static_cast<char>('0' + whole % 10);
            whole /= 10;
        } while (whole != 0);
        if (negative) {
            *--p = '-';
        }
        append_right_adjusted_dropping_zero(out, std::string_view(p, static_cast<std::size_t>(end - p)), w, spare);
        return;
    }
    // The sign, then the digits as printf writes them.
    std::string& text = spare;
    text.assign(1, '-');
    append_fixed_digits(text, std::fabs(value), d);
    if (d == 0) {
        text += '.';
    }
    const bool negative = std::signbit(value) && !all_digits_zero(text);
    const std::string_view shown = negative ? std::string_view(text) : std::string_view(text).substr(1);
    std::string dropped;
    append_right_adjusted_dropping_zero(out, shown, w, dropped);
}

// ---------------------------------------------------------------- format items

enum class Kind {
    Group,
    Integer,  // I
    Fixed,    // F
    Exponent, // E
    Text,     // A
    Logical,  // L
    Hex,      // Z
    Literal,  // 'text', "text", nH
    Right,    // nX, TRn
    TabTo,    // Tn
    Left,     // TLn
    Slash,    // /
    Colon,    // :
    Scale,    // kP
};

struct Item {
    Kind kind = Kind::Literal;
    int repeat = 1;
    int w = -1;  // width, or the count of a move, or the scale factor
    int d = -1;  // decimals, or the minimum of digits
    std::string literal;
    std::vector<Item> group;
};

bool is_data(Kind kind) {
    return kind == Kind::Integer || kind == Kind::Fixed || kind == Kind::Exponent || kind == Kind::Text ||
           kind == Kind::Logical || kind == Kind::Hex;
}

bool has_data(const std::vector<Item>& items, std::size_t from) {
    for (std::size_t i = from; i < items.size(); ++i) {
        if (is_data(items[i].kind) || (items[i].kind == Kind::Group && has_data(items[i].group, 0))) {
            return true;
        }
    }
    return false;
}

class Parser {
public:
    explicit Parser(std::string_view format) : f_(format) {}

    std::vector<Item> parse() {
        skip_blanks();
        if (at_end() || f_[p_] != '(') {
            fail("a format begins with '('");
        }
        ++p_;
        std::vector<Item> items = parse_list();
        skip_blanks();
        if (!at_end()) {
            fail("text after the closing ')'");
        }
        return items;
    }

private:
    static constexpr int kMaxNumber = 1000000;

    [[noreturn]] void fail(const std::string& why) const {
        throw FortranFormatError("format \"" + std::string(f_) + "\": " + why);
    }

    bool at_end() const { return p_ >= f_.size(); }

    void skip_blanks() {
        while (!at_end() && (f_[p_] == ' ' || f_[p_] == '\t')) {
            ++p_;
        }
    }

    char upper_here() {
        skip_blanks();
        if (at_end()) {
            fail("missing ')'");
        }
        const char c = f_[p_];
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }

    bool digit_here() {
        skip_blanks();
        return !at_end() && f_[p_] >= '0' && f_[p_] <= '9';
    }

    // Reads an unsigned number (blanks inside are ignored, as Fortran does).
    int number() {
        if (!digit_here()) {
            fail("number expected");
        }
        long long n = 0;
        while (digit_here()) {
            n = n * 10 + (f_[p_] - '0');
            if (n > kMaxNumber) {
                fail("number too large");
            }
            ++p_;
        }
        return static_cast<int>(n);
    }

    int optional_number(int absent) { return digit_here() ? number() : absent; }

    std::string quoted() {
        const char quote = f_[p_++];
        std::string text;
        while (true) {
            if (at_end()) {
                fail("unclosed quoted text");
            }
            const char c = f_[p_++];
            if (c == quote) {
                if (!at_end() && f_[p_] == quote) {
                    text += quote;
                    ++p_;
                    continue;
                }
                return text;
            }
            text += c;
        }
    }

    std::vector<Item> parse_list() {
        std::vector<Item> items;
        while (true) {
            const char first = upper_here();
            if (first == ')') {
                ++p_;
                return items;
            }
            if (first == ',') {
                ++p_;
                continue;
            }
            int sign = 1;
            bool signed_number = false;
            if (first == '-' || first == '+') {
                sign = first == '-' ? -1 : 1;
                signed_number = true;
                ++p_;
            }
            const bool counted = digit_here();
            if (signed_number && !counted) {
                fail("number expected after a sign");
            }
            const int count = counted ? number() : 1;
            const char c = upper_here();
            Item item;
            if (signed_number && c != 'P') {
                fail("a sign stands only before P");
            }
            if (counted && count == 0 && c != 'P') {
                fail("a count of 0");
            }
            switch (c) {
            case '(':
                ++p_;
                item.kind = Kind::Group;
                item.repeat = count;
                item.group = parse_list();
                break;
            case 'P':
                ++p_;
                if (!counted) {
                    fail("P needs a scale factor");
                }
                if (count > 99) {
                    fail("scale factor out of range");
                }
                item.kind = Kind::Scale;
                item.w = sign * count;
                break;
            case 'X':
                ++p_;
                item.kind = Kind::Right;
                item.w = count;
                break;
            case 'H': {
                ++p_;
                if (!counted) {
                    fail("H needs a count");
                }
                if (f_.size() - p_ < static_cast<std::size_t>(count)) {
                    fail("H text runs past the end");
                }
                item.kind = Kind::Literal;
                item.literal = std::string(f_.substr(p_, static_cast<std::size_t>(count)));
                p_ += static_cast<std::size_t>(count);
                break;
            }
            case '/':
                ++p_;
                item.kind = Kind::Slash;
                item.repeat = count;
                break;
            case ':':
                ++p_;
                if (counted) {
                    fail("a count before ':'");
                }
                item.kind = Kind::Colon;
                break;
            case '\'':
            case '"':
                if (counted) {
                    fail("a count before a quoted text");
                }
                item.kind = Kind::Literal;
                item.literal = quoted();
                break;
            case 'T': {
                ++p_;
                if (counted) {
                    fail("a count before T");
                }
                const char next = upper_here();
                if (next == 'L' || next == 'R') {
                    ++p_;
                    item.kind = next == 'L' ? Kind::Left : Kind::Right;
                } else {
                    item.kind = Kind::TabTo;
                }
                item.w = number();
                if (item.kind == Kind::TabTo && item.w == 0) {
                    fail("T0");
                }
                break;
            }
            case 'I':
            case 'F':
            case 'E':
            case 'A':
            case 'L':
            case 'Z':
                ++p_;
                item = data_descriptor(c);
                item.repeat = count;
                break;
            default:
                fail(std::string("unknown edit descriptor '") + f_[p_] + "'");
            }
            items.push_back(std::move(item));
        }
    }

    Item data_descriptor(char letter) {
        Item item;
        switch (letter) {
        case 'I': item.kind = Kind::Integer; break;
        case 'F': item.kind = Kind::Fixed; break;
        case 'E': item.kind = Kind::Exponent; break;
        case 'A': item.kind = Kind::Text; break;
        case 'L': item.kind = Kind::Logical; break;
        default: item.kind = Kind::Hex; break;
        }
        item.w = optional_number(-1);
        if (item.w < 0 && letter != 'A') {
            fail(std::string(1, letter) + " needs a width");
        }
        skip_blanks();
        const bool dotted = !at_end() && f_[p_] == '.';
        if (dotted) {
            if (letter == 'A' || letter == 'L') {
                fail(std::string(1, letter) + " takes no '.'");
            }
            ++p_;
            item.d = number();
        } else if (letter == 'F' || letter == 'E') {
            fail(std::string(1, letter) + " needs '.d'");
        }
        return item;
    }

    std::string_view f_;
    std::size_t p_ = 0;
};

// ---------------------------------------------------------------- records

// The records of a write: collected one by one (fortran_records), or joined
// by '\n' into one text as they are written (fortran_write).
class RecordWriter {
public:
    explicit RecordWriter(bool joined) : joined_(joined) {}

    void put(std::string_view text) {
        const std::size_t size = text_.size() - start_;
        if (pos_ >= size) {
            text_.append(pos_ - size, ' ');
            text_.append(text);
        } else {
            const std::size_t overlap = std::min(text.size(), size - pos_);
            text_.replace(start_ + pos_, overlap, text);
        }
        pos_ += text.size();
    }
    void move_right(int n) { pos_ += static_cast<std::size_t>(n); }
    void move_left(int n) { pos_ = pos_ > static_cast<std::size_t>(n) ? pos_ - static_cast<std::size_t>(n) : 0; }
    void move_to(int column) { pos_ = static_cast<std::size_t>(column - 1); }
    void end_record() {
        if (joined_) {
            text_ += '\n';
            start_ = text_.size();
        } else {
            records_.push_back(std::move(text_));
            text_.clear();
        }
        pos_ = 0;
    }
    std::vector<std::string> finish_records() {
        end_record();
        return std::move(records_);
    }
    std::string finish_text() { return std::move(text_); }

private:
    bool joined_;
    std::vector<std::string> records_;
    std::string text_;       // the records so far (joined) or the current one
    std::size_t start_ = 0;  // where the current record begins in text_
    std::size_t pos_ = 0;    // position in the current record
};

class Runner {
public:
    Runner(std::span<const FortranValue> values, RecordWriter& out) : values_(values), out_(out) {}

    bool values_left() const { return next_ < values_.size(); }

    // Runs the items from `from`; false when the write stopped because a data
    // descriptor or a ':' found no value left.
    bool run(const std::vector<Item>& items, std::size_t from) {
        for (std::size_t i = from; i < items.size(); ++i) {
            const Item& item = items[i];
            for (int r = 0; r < item.repeat; ++r) {
                if (!run_one(item)) {
                    return false;
                }
            }
        }
        return true;
    }

private:
    [[noreturn]] static void wrong_kind(char letter) {
        throw FortranFormatError(std::string("value of the wrong kind for ") + letter);
    }

    bool run_one(const Item& item) {
        switch (item.kind) {
        case Kind::Group: return run(item.group, 0);
        case Kind::Literal: out_.put(item.literal); return true;
        case Kind::Right: out_.move_right(item.w); return true;
        case Kind::Left: out_.move_left(item.w); return true;
        case Kind::TabTo: out_.move_to(item.w); return true;
        case Kind::Slash: out_.end_record(); return true;
        case Kind::Colon: return values_left();
        case Kind::Scale: scale_ = item.w; return true;
        default: break;
        }
        if (!values_left()) {
            return false;
        }
        const auto& value = values_[next_++].value();
        switch (item.kind) {
        case Kind::Integer:
            if (!std::holds_alternative<long long>(value)) {
                wrong_kind('I');
            }
            field_.clear();
            append_i(field_, std::get<long long>(value), item.w, item.d);
            out_.put(field_);
            break;
        case Kind::Hex:
            if (!std::holds_alternative<long long>(value)) {
                wrong_kind('Z');
            }
            out_.put(fmt_z(std::get<long long>(value), item.w, item.d));
            break;
        case Kind::Fixed:
            field_.clear();
            append_f(field_, real_of(value, 'F'), item.w, item.d, scale_, spare_);
            out_.put(field_);
            break;
        case Kind::Exponent: out_.put(fmt_e(real_of(value, 'E'), item.w, item.d, scale_)); break;
        case Kind::Text:
            if (!std::holds_alternative<std::string>(value)) {
                wrong_kind('A');
            }
            put_text(std::get<std::string>(value), item.w);
            break;
        case Kind::Logical:
            if (!std::holds_alternative<bool>(value)) {
                wrong_kind('L');
            }
            out_.put(fmt_l(std::get<bool>(value), item.w));
            break;
        default: break;
        }
        return true;
    }

    // Aw: the first w characters, or the text right-adjusted in w characters.
    void put_text(std::string_view text, int w) {
        if (w < 0 || text.size() >= static_cast<std::size_t>(w)) {
            out_.put(w < 0 ? text : text.substr(0, static_cast<std::size_t>(w)));
            return;
        }
        field_.assign(static_cast<std::size_t>(w) - text.size(), ' ');
        field_.append(text);
        out_.put(field_);
    }

    static double real_of(const std::variant<long long, double, bool, std::string>& value, char letter) {
        if (const auto* real = std::get_if<double>(&value)) {
            return *real;
        }
        if (const auto* integer = std::get_if<long long>(&value)) {
            return static_cast<double>(*integer);
        }
        wrong_kind(letter);
    }

    std::span<const FortranValue> values_;
    RecordWriter& out_;
    std::size_t next_ = 0;
    int scale_ = 0;
    std::string field_;  // the field being written
    std::string spare_;  // working room of the field functions
};

// A parsed format and where it resumes when values remain at its end: its
// last top-level group, or its beginning.
struct ParsedFormat {
    std::vector<Item> items;
    std::size_t resume = 0;
};

// Formats are parsed once per thread: the program writes the same few dozen
// formats over and over. A cache that grows past this many formats (texts
// made at run time) starts afresh.
constexpr std::size_t kMaxCachedFormats = 512;

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

const ParsedFormat& parsed_format(std::string_view format) {
    thread_local std::unordered_map<std::string, ParsedFormat, TextHash, std::equal_to<>> cache;
    if (const auto found = cache.find(format); found != cache.end()) {
        return found->second;
    }
    ParsedFormat parsed;
    parsed.items = Parser(format).parse();
    for (std::size_t i = 0; i < parsed.items.size(); ++i) {
        if (parsed.items[i].kind == Kind::Group) {
            parsed.resume = i;
        }
    }
    if (cache.size() >= kMaxCachedFormats) {
        cache.clear();
    }
    return cache.emplace(std::string(format), std::move(parsed)).first->second;
}

void write_records(std::string_view format, std::span<const FortranValue> values, RecordWriter& out) {
    const ParsedFormat& parsed = parsed_format(format);
    Runner runner(values, out);
    bool going = runner.run(parsed.items, 0);
    while (going && runner.values_left()) {
        if (!has_data(parsed.items, parsed.resume)) {
            throw FortranFormatError("format \"" + std::string(format) + "\": values left but no data descriptor");
        }
        out.end_record();
        going = runner.run(parsed.items, parsed.resume);
    }
}

}  // namespace

// ---------------------------------------------------------------- public

std::vector<std::string> fortran_records(std::string_view format, std::span<const FortranValue> values) {
    RecordWriter out(false);
    write_records(format, values, out);
    return out.finish_records();
}

std::vector<std::string> fortran_records(std::string_view format, std::initializer_list<FortranValue> values) {
    return fortran_records(format, std::span<const FortranValue>(values.begin(), values.size()));
}

std::string fortran_write(std::string_view format, std::span<const FortranValue> values) {
    RecordWriter out(true);
    write_records(format, values, out);
    return out.finish_text();
}

std::string fortran_write(std::string_view format, std::initializer_list<FortranValue> values) {
    return fortran_write(format, std::span<const FortranValue>(values.begin(), values.size()));
}

std::string fmt_i(long long value, int w, int m) {
    std::string out;
    append_i(out, value, w, m);
    return out;
}

void append_fmt_i(std::string& out, long long value, int w, int m) { append_i(out, value, w, m); }

void append_fmt_f(std::string& out, double value, int w, int d) {
    thread_local std::string spare;
    append_f(out, value, w, d, 0, spare);
}

std::string fmt_z(long long value, int w, int m) {
    check_width(w);
    unsigned long long bits = static_cast<unsigned long long>(value);
    if (value < 0 && value >= INT32_MIN) {
        bits = static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), kHex[bits % 16]);
        bits /= 16;
    } while (bits != 0);
    if (m == 0 && value == 0) {
        digits.clear();
    }
    if (m > 0 && digits.size() < static_cast<std::size_t>(m)) {
        digits.insert(0, static_cast<std::size_t>(m) - digits.size(), '0');
    }
    return right_adjust(digits, w);
}

std::string fmt_f(double value, int w, int d, int scale) {
    std::string out;
    std::string spare;
    append_f(out, value, w, d, scale, spare);
    return out;
}

std::string fmt_e(double value, int w, int d, int scale) {
    check_width(w);
    if (d < 0 || !(-d < scale && scale < d + 2)) {
        throw FortranFormatError("E needs d >= 0 and a scale factor k with -d < k < d+2");
    }
    if (!std::isfinite(value)) {
        return nonfinite(value, w);
    }
    // Significant digits shown: d + 1 with a positive scale factor, d + k otherwise.
    const int significant = scale > 0 ? d + 1 : d + scale;
    std::string digits;
    int exponent = 0;
    if (value == 0.0) {
        digits.assign(static_cast<std::size_t>(significant), '0');
    } else {
        // "D.DDDE+xx" (or "DE+xx" for one digit): value = D.DDD * 10**x.
        const std::string text = printf_text("%.*E", significant - 1, std::fabs(value));
        const std::size_t e = text.find('E');
        for (std::size_t i = 0; i < e; ++i) {
            if (text[i] != '.') {
                digits += text[i];
            }
        }
        const int x = std::stoi(text.substr(e + 1));
        // As 0.DDDD * 10**(x+1), shown with k digits moved before the point.
        exponent = x + 1 - scale;
    }
    std::string mantissa;
    if (scale > 0) {
        const auto before = static_cast<std::size_t>(scale);
        mantissa = digits.substr(0, before) + "." + digits.substr(before);
    } else {
        mantissa = "0." + std::string(static_cast<std::size_t>(-scale), '0') + digits;
    }
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude > 999) {
        return w == 0 ? std::string("*") : asterisks(w);
    }
    std::string exponent_text = exponent < 0 ? "-" : "+";
    if (magnitude <= 99) {
        exponent_text = "E" + exponent_text + (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
    } else {
        exponent_text += std::to_string(magnitude);
    }
    const bool negative = std::signbit(value) && !all_digits_zero(digits);
    return right_adjust_dropping_zero((negative ? "-" : "") + mantissa + exponent_text, w);
}

std::string fmt_1pe(double value, int w, int d) { return fmt_e(value, w, d, 1); }

std::string fmt_a(std::string_view text, int w) {
    if (w < 0) {
        return std::string(text);
    }
    const auto width = static_cast<std::size_t>(w);
    if (text.size() >= width) {
        return std::string(text.substr(0, width));
    }
    return std::string(width - text.size(), ' ') + std::string(text);
}

std::string fmt_l(bool value, int w) {
    check_width(w);
    return right_adjust(value ? "T" : "F", w == 0 ? 1 : w);
}
