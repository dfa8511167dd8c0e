#pragma once

#include <string>
#include <string_view>
#include <vector>

class FileWriter;

// The filtered copy of an airspace text: lines wait in a buffer until the
// zone they belong to is decided, then go to the copy unchanged, behind "* ",
// or nowhere; the copy starts with a notice header; index files list kept
// zones by number and name.

// Lines read since the last flush, in the order read, held back to back as
// the copy writes them: without trailing blanks, each followed by "\r\n", so
// that the lines of a kept zone leave in one piece. The room is kept from
// flush to flush and grows as a zone needs; a line is copied into it and
// nothing else touched.
class CopyBuffer {
public:
    void append(std::string_view line);
    void clear() {
        used_ = 0;
        starts_.clear();
    }
    int count() const { return static_cast<int>(starts_.size()); }
    // Line k (from 0) without its trailing blanks and its line end.
    std::string_view line(int k) const;
    // The lines before line k (all of them for k = count()), line ends included.
    std::string_view text_before(int k) const;
    // Forgets the lines before line k.
    void drop_before(int k);

    std::string outgoing;  // the lines of a commented-out flush, kept to be reused

private:
    std::vector<char> room_;           // the lines with their line ends in the first used_ characters
    std::size_t used_ = 0;
    std::vector<std::size_t> starts_;  // where each line begins
};

// Flushes the buffer to the copy `out`. With `qlast` every line goes;
// otherwise the last line (the AC line that opened the next zone) stays, and
// so does the run of comment lines (blank lines between them included)
// directly above it. The lines that go lose their trailing blanks and are
// written unchanged with `qwrite`, behind "* " without `qwrite` and without
// `qdeldup`, not at all without `qwrite` and with `qdeldup`. The lines that
// stay move to the front. Nothing is written when `out` is null.
void clean_crpbuf(CopyBuffer& crpbuf, bool qwrite, bool qlast, bool qdeldup, FileWriter* out);

// Writes the notice header (71 columns) into `out`; unless as0003.qdupas is
// on, it names the flight plan read (rd_fpl_2.fpl_000).
void write_as_hdr(FileWriter& out);

// An index line: the zone number right-justified in 6 columns, a blank and
// the name without trailing blanks.
std::string index_line(int nn9, std::string_view name);

// The zone number as an index line shows it (I6), and the index line made
// of that text and the name, added to `out`.
void append_zone_number(std::string& out, int nn9);
void append_index_line(std::string& out, std::string_view zone_number, std::string_view name);
