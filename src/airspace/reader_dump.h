#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"

// The airspace reader's debug dump, on while the debug switch
// peldbg00.qdbg_l_0 is set when a read starts: "ASP.txt" in the current
// folder, a whole write put in place when the read ends, with one line per
// step of the read, the same lines going to the airspace trace:
//   "AC"     a zone opened: its number among the file's AC lines, its class
//            index and the class text;
//   "KEEP"   a zone kept: its number, its point count and its built name;
//   "REMOVE" a zone left out: its number, why ("disabled" by the task,
//            "outside" the working window, "points": fewer than three in the
//            load mode, "undrawable": an arc or circle too long to draw) and
//            its name;
//   "READ"   the end of the read: the file, the zones read, the zones kept.
// A dump that cannot be created or written is reported and noted as a file
// not written, as the reader's other outputs are.
class ReaderDump {
public:
    ReaderDump();

    bool on() const { return file_.has_value(); }
    void zone_opened(int nn9, int ityp, std::string_view class_text);
    void zone_kept(int nn9, int points, std::string_view name);
    void zone_removed(int nn9, std::string_view why, std::string_view name);
    // The "READ" line; the dump is closed.
    void finished(std::string_view aspfile, int zones_read);

private:
    void line(const std::string& text);

    std::optional<FileWriter> file_;
    int kept_ = 0;
};

// Name of the reader's debug dump, in the current folder.
inline constexpr const char* kReaderDumpFile = "ASP.txt";
