#include "airspace/reader_dump.h"

#include "airspace/airspace_trace.h"
#include "foundation/fortran_format.h"
#include "foundation/message_records.h"
#include "foundation/tell.h"
#include "foundation/unwritten_files.h"

namespace {

void report_unwritten_dump(bool creating) {
    const std::string name = kReaderDumpFile;
    if (creating) {
        tell_and_count(kError, in_user_language(name + "/Airspace debug file : error creating",
                                                name + "/Fichier de d\xE9" "bogage des espaces a\xE9riens : "
                                                       "cr\xE9" "ation impossible"));
    } else {
        tell_and_count(kError, in_user_language(name + "/Airspace debug file : error writing",
                                                name + "/Fichier de d\xE9" "bogage des espaces a\xE9riens : "
                                                       "erreur d'\xE9" "criture"));
    }
    note_unwritten_file(name);
}

}  // namespace

ReaderDump::ReaderDump() {
    if (!peldbg00.qdbg_l_0) {
        return;
    }
    file_.emplace(kReaderDumpFile);
    if (!file_->is_open()) {
        file_.reset();
        report_unwritten_dump(true);
    }
}

void ReaderDump::line(const std::string& text) {
    file_->write_line(text);
    if (airspace_trace_enabled()) {
        airspace_trace(text);
    }
}

void ReaderDump::zone_opened(int nn9, int ityp, std::string_view class_text) {
    if (on()) {
        line(fortran_write("('AC',1X,I6,1X,I2,1X,A)", {nn9, ityp, class_text}));
    }
}

void ReaderDump::zone_kept(int nn9, int points, std::string_view name) {
    if (on()) {
        ++kept_;
        line(fortran_write("('KEEP',1X,I6,1X,I6,1X,A)", {nn9, points, name}));
    }
}

void ReaderDump::zone_removed(int nn9, std::string_view why, std::string_view name) {
    if (on()) {
        line(fortran_write("('REMOVE',1X,I6,1X,A,1X,A)", {nn9, why, name}));
    }
}

void ReaderDump::finished(std::string_view aspfile, int zones_read) {
    if (!on()) {
        return;
    }
    line(fortran_write("('READ',1X,A,2(1X,I6))", {aspfile, zones_read, kept_}));
    if (file_->close() != 0) {
        report_unwritten_dump(false);
    }
    file_.reset();
}
