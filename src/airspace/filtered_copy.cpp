#include "airspace/filtered_copy.h"

#include <algorithm>

#include "airspace/airspace_records.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "platform/files.h"
#include "taskfiles/task_model.h"

void CopyBuffer::append(std::string_view line) {
    if (nbl < static_cast<int>(lines.size())) {
        lines[nbl].assign(line);
    } else {
        lines.emplace_back(line);
    }
    ++nbl;
}

void clean_crpbuf(CopyBuffer& crpbuf, bool qwrite, bool qlast, bool qdeldup, FileWriter* out) {
    const int nbl = crpbuf.nbl;
    // Lines are numbered from 1 as the split rule counts them; line k is
    // crpbuf.lines[k - 1].
    int nf9 = nbl + 1;
    if (!qlast && nbl > 0) {
        nf9 = nbl;
        for (int k = nbl - 1; k >= 1; --k) {
            const std::string& line = crpbuf.lines[k - 1];
            if (!line.empty() && line[0] == '*') {
                nf9 = k;
            } else if (!is_blank(line)) {
                break;
            }
        }
    }
    if (out != nullptr && (qwrite || !qdeldup) && nf9 > 1) {
        // The lines that go leave in one write, each with its line end.
        std::string& lines = crpbuf.outgoing;
        lines.clear();
        for (int k = 1; k < nf9; ++k) {
            const std::string& line = crpbuf.lines[k - 1];
            if (!qwrite) {
                lines.append("* ");
            }
            lines.append(line.data(), trimmed_length(line));
            lines.append("\r\n");
        }
        out->write(lines);
    }
    const int moved = nf9 - 1;
    if (moved > 0) {
        std::rotate(crpbuf.lines.begin(), crpbuf.lines.begin() + moved, crpbuf.lines.begin() + nbl);
    }
    crpbuf.nbl = nbl - moved;
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
    std::string line = fmt_i(nn9, 6);
    line.push_back(' ');
    line.append(name.substr(0, trimmed_length(name)));
    return line;
}
