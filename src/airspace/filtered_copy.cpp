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
    starts.push_back(text.size());
    text.append(line.data(), trimmed_length(line));
    text.append(kLineEnd);
}

std::string_view CopyBuffer::line(int k) const {
    const auto index = static_cast<std::size_t>(k);
    const std::size_t end = index + 1 < starts.size() ? starts[index + 1] : text.size();
    return std::string_view(text).substr(starts[index], end - starts[index] - kLineEnd.size());
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
    const std::size_t moved_size = moved < nbl ? crpbuf.starts[static_cast<std::size_t>(moved)] : crpbuf.text.size();
    if (out != nullptr && qwrite) {
        // The lines that go leave as they are held, in one write.
        out->write(std::string_view(crpbuf.text).substr(0, moved_size));
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
    crpbuf.text.erase(0, moved_size);
    crpbuf.starts.erase(crpbuf.starts.begin(), crpbuf.starts.begin() + moved);
    for (std::size_t& start : crpbuf.starts) {
        start -= moved_size;
    }
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
    std::string line;
    append_index_line(line, nn9, name);
    return line;
}

void append_index_line(std::string& out, int nn9, std::string_view name) {
    append_fmt_i(out, nn9, 6);
    out.push_back(' ');
    out.append(name.substr(0, trimmed_length(name)));
}
