#include "airspace/filtered_copy.h"

#include <algorithm>

#include "airspace/airspace_records.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "platform/files.h"
#include "taskfiles/task_model.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

void CopyBuffer::append(std::string_view line) {
    const std::size_t length = trimmed_length(line);
    const std::size_t end = used_ + length + kLineEnd.size();
    if (end > room_.size()) {
        room_.resize(std::max(end, 2 * room_.size()));
    }
    starts_.push_back(used_);
    const auto at = room_.begin() + static_cast<std::ptrdiff_t>(used_);
    std::copy_n(kLineEnd.begin(), kLineEnd.size(), std::copy_n(line.begin(), length, at));
    used_ = end;
}

std::string_view CopyBuffer::line(int k) const {
    const auto index = static_cast<std::size_t>(k);
    const std::size_t end = index + 1 < starts_.size() ? starts_[index + 1] : used_;
    return std::string_view(room_.data() + starts_[index], end - starts_[index] - kLineEnd.size());
}

std::string_view CopyBuffer::text_before(int k) const {
    const auto index = static_cast<std::size_t>(k);
    return std::string_view(room_.data(), index < starts_.size() ? starts_[index] : used_);
}

void CopyBuffer::drop_before(int k) {
    const std::size_t size = text_before(k).size();
    std::copy(room_.begin() + static_cast<std::ptrdiff_t>(size), room_.begin() + static_cast<std::ptrdiff_t>(used_),
              room_.begin());
    used_ -= size;
    starts_.erase(starts_.begin(), starts_.begin() + k);
    for (std::size_t& start : starts_) {
        start -= size;
    }
}

void clean_crpbuf(CopyBuffer& crpbuf, bool qwrite, bool qlast, bool qdeldup, FileWriter* out) {
    const int nbl = crpbuf.count();
    // Lines are numbered from 1 as the split rule counts them; line k is
    // crpbuf.line(k - 1). The lines are held without trailing blanks: a
    // blank line is an empty one.
    int nf9 = nbl + 1;
    if (!qlast && nbl > 0) {
        nf9 = nbl;
        for (int k = nbl - 1; k >= 1; --k) {
            const std::string_view line = crpbuf.line(k - 1);
            if (!line.empty() && line[0] == '*') {
                nf9 = k;
            } else if (!line.empty()) {
                break;
            }
        }
    }
    const int moved = nf9 - 1;
    if (moved <= 0) {
        return;
    }
    if (out != nullptr && qwrite) {
        // The lines that go leave as they are held, in one write.
        out->write(crpbuf.text_before(moved));
    } else if (out != nullptr && !qdeldup) {
        std::string& lines = crpbuf.outgoing;
        lines.clear();
        for (int k = 0; k < moved; ++k) {
            lines.append("* ");
            lines.append(crpbuf.line(k));
            lines.append(kLineEnd);
        }
        out->write(lines);
    }
    crpbuf.drop_before(moved);
}

namespace {

void framed(FileWriter& out, std::string_view text) {
    out.write_line(fortran_write("(3H***,1X,A,T69,3H***)", {text}));
}

void empty_framed(FileWriter& out) { out.write_line(fortran_write("(3H***,T69,3H***)", {})); }

void rule(FileWriter& out) { out.write_line(fortran_write("(71(1H*))", {})); }

}  // namespace

void write_as_hdr(FileWriter& out) {
    rule(out);
    empty_framed(out);
    framed(out, "CONDOR AIRSPACE AND PENALTY ZONES");
    empty_framed(out);
    framed(out, "NOT TO BE USED FOR REAL-LIFE FLYING");
    framed(out, "PLEASE DO NOT REMOVE THIS NOTICE");
    empty_framed(out);
    rule(out);
    if (as0003.qdupas) {
        return;
    }
    empty_framed(out);
    framed(out, "This file has been created for Condor flight plan:");
    framed(out, trim_right(rd_fpl_2.fpl_000));
    empty_framed(out);
    rule(out);
}

std::string index_line(int nn9, std::string_view name) {
    std::string number;
    append_zone_number(number, nn9);
    std::string line;
    append_index_line(line, number, name);
    return line;
}

void append_zone_number(std::string& out, int nn9) { append_fmt_i(out, nn9, 6); }

void append_index_line(std::string& out, std::string_view zone_number, std::string_view name) {
    out.append(zone_number);
    out.push_back(' ');
    out.append(name.substr(0, trimmed_length(name)));
}
