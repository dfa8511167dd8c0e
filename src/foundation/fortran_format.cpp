#include "foundation/fortran_format.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// ---------------------------------------------------------------- fields

std::string asterisks(int w) { return std::string(static_cast<std::size_t>(w), '*'); }

// Right-adjusts `text` in w characters; asterisks when it does not fit; the
// text itself when w is 0 (the width needed).
std::string right_adjust(const std::string& text, int w) {
    if (w == 0) {
        return text;
    }
    const auto width = static_cast<std::size_t>(w);
    if (text.size() > width) {
        return asterisks(w);
    }
    return std::string(width - text.size(), ' ') + text;
}

// Like right_adjust, but drops the optional zero of "0.xxx" / "-0.xxx" when
// the field is too narrow for it.
std::string right_adjust_dropping_zero(std::string text, int w) {
    if (w != 0 && text.size() > static_cast<std::size_t>(w)) {
        const std::size_t zero = (!text.empty() && text[0] == '-') ? 1 : 0;
        if (text.size() > zero + 1 && text[zero] == '0' && text[zero + 1] == '.') {
            text.erase(zero, 1);
        }
    }
    return right_adjust(text, w);
}

std::string printf_text(const char* pattern, int precision, double value) {
    const int n = std::snprintf(nullptr, 0, pattern, precision, value);
    std::string text(static_cast<std::size_t>(n), '\0');
    std::snprintf(text.data(), text.size() + 1, pattern, precision, value);
    return text;
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

class RecordWriter {
public:
    void put(std::string_view text) {
        if (pos_ > current_.size()) {
            current_.append(pos_ - current_.size(), ' ');
        }
        const std::size_t overlap = std::min(text.size(), current_.size() - pos_);
        current_.replace(pos_, overlap, text);
        pos_ += text.size();
    }
    void move_right(int n) { pos_ += static_cast<std::size_t>(n); }
    void move_left(int n) { pos_ = pos_ > static_cast<std::size_t>(n) ? pos_ - static_cast<std::size_t>(n) : 0; }
    void move_to(int column) { pos_ = static_cast<std::size_t>(column - 1); }
    void end_record() {
        records_.push_back(std::move(current_));
        current_.clear();
        pos_ = 0;
    }
    std::vector<std::string> finish() {
        end_record();
        return std::move(records_);
    }

private:
    std::vector<std::string> records_;
    std::string current_;
    std::size_t pos_ = 0;
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
            out_.put(fmt_i(std::get<long long>(value), item.w, item.d));
            break;
        case Kind::Hex:
            if (!std::holds_alternative<long long>(value)) {
                wrong_kind('Z');
            }
            out_.put(fmt_z(std::get<long long>(value), item.w, item.d));
            break;
        case Kind::Fixed: out_.put(fmt_f(real_of(value, 'F'), item.w, item.d, scale_)); break;
        case Kind::Exponent: out_.put(fmt_e(real_of(value, 'E'), item.w, item.d, scale_)); break;
        case Kind::Text:
            if (!std::holds_alternative<std::string>(value)) {
                wrong_kind('A');
            }
            out_.put(fmt_a(std::get<std::string>(value), item.w));
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
};

}  // namespace

// ---------------------------------------------------------------- public

std::vector<std::string> fortran_records(std::string_view format, std::span<const FortranValue> values) {
    const std::vector<Item> items = Parser(format).parse();
    std::size_t resume = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].kind == Kind::Group) {
            resume = i;
        }
    }
    RecordWriter out;
    Runner runner(values, out);
    bool going = runner.run(items, 0);
    while (going && runner.values_left()) {
        if (!has_data(items, resume)) {
            throw FortranFormatError("format \"" + std::string(format) + "\": values left but no data descriptor");
        }
        out.end_record();
        going = runner.run(items, resume);
    }
    return out.finish();
}

std::vector<std::string> fortran_records(std::string_view format, std::initializer_list<FortranValue> values) {
    return fortran_records(format, std::span<const FortranValue>(values.begin(), values.size()));
}

std::string fortran_write(std::string_view format, std::span<const FortranValue> values) {
    const std::vector<std::string> records = fortran_records(format, values);
    std::string text = records.front();
    for (std::size_t i = 1; i < records.size(); ++i) {
        text += '\n';
        text += records[i];
    }
    return text;
}

std::string fortran_write(std::string_view format, std::initializer_list<FortranValue> values) {
    return fortran_write(format, std::span<const FortranValue>(values.begin(), values.size()));
}

std::string fmt_i(long long value, int w, int m) {
    check_width(w);
    const bool negative = value < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    std::string digits = (m == 0 && value == 0) ? std::string() : std::to_string(magnitude);
    if (m > 0 && digits.size() < static_cast<std::size_t>(m)) {
        digits.insert(0, static_cast<std::size_t>(m) - digits.size(), '0');
    }
    return right_adjust((negative ? "-" : "") + digits, w);
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
    check_width(w);
    if (d < 0) {
        throw FortranFormatError("F needs d >= 0");
    }
    if (!std::isfinite(value)) {
        return nonfinite(value, w);
    }
    if (scale != 0) {
        const double factor = std::pow(10.0, scale);
        if (std::fabs(value) > DBL_MAX / factor) {
            return w == 0 ? std::string("*") : asterisks(w);
        }
        value *= factor;
    }
    std::string digits = printf_text("%.*f", d, std::fabs(value));
    if (d == 0) {
        digits += '.';
    }
    const bool negative = std::signbit(value) && !all_digits_zero(digits);
    return right_adjust_dropping_zero((negative ? "-" : "") + digits, w);
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
