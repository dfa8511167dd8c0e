#pragma once

// Whole writes put in place together (files.h), to spare the disk a flush of
// its own for each file: one conversion writes half a dozen files, and the
// journal of the disk takes their flushes in one go when they come together.
//
// While a batch is open, FileWriter::close() of a whole write finishes its
// temporary file (every byte written, its writing out to the disk started)
// and returns the status of the writes; the flush and the rename wait for the
// batch. finish_write_batch() flushes every waiting file and then renames each
// over its target in the order they were closed. A file is put in place only
// when the files it depends on were: every file closed after a keystone (the
// task of a conversion), the file a backup keeps (FileWriter::depends_on), a
// copy of a waiting file. A file that is not put in place keeps its old bytes
// and its temporary file is removed.
//
// Until then every target keeps its old bytes. A reading, test, listing,
// removal or rename of a waiting target by this process, a new write of it, a
// started program, all put the waiting files in place first; a copy of a
// waiting file copies its new bytes instead. So nothing in the process can
// see a file half put in place.

#include <string>
#include <string_view>
#include <vector>

// What became of a file of a batch: 0 put in place, ECANCELED given up because
// a file it depends on was not, otherwise the error of its flush or rename.
struct BatchedWrite {
    std::string windows_path;  // as the writer named it
    int status = 0;
};

// Opens a batch for its lifetime; at its end the waiting files are put in
// place (their outcomes then go unseen: finish the batch before). One batch
// at a time: a batch opened inside another one leaves the files to it.
class WriteBatch {
public:
    WriteBatch();
    ~WriteBatch();
    WriteBatch(const WriteBatch&) = delete;
    WriteBatch& operator=(const WriteBatch&) = delete;

private:
    bool outer_ = false;
};

// Puts every waiting file in place and returns the outcomes of all the files
// of the batch since the last call (also those put in place on the way);
// empty when no batch is open.
std::vector<BatchedWrite> finish_write_batch();

// Every file closed after this call in the open batch depends on the file at
// the path (closed before it). Nothing when no batch is open.
void make_keystone(std::string_view windows_path);

namespace platform_detail {

// A whole write that waits for its batch; the file layer hands it over.
struct WaitingWrite {
    std::string windows_path;
    std::string host;       // host path of windows_path
    std::string target;     // host path of the file replaced (host, a symbolic link followed)
    std::string temporary;  // host path of the temporary file, its bytes written
    int fd = -1;            // the temporary file, open for the flush
    std::vector<std::string> depends_on;  // host paths of targets it depends on
};

// True while a batch is open.
bool write_batch_open();
// Takes a closed whole write into the open batch.
void wait_in_batch(WaitingWrite write);
// The waiting write of a target (host path); null when none.
const WaitingWrite* waiting_write(const std::string& host);
// Puts the waiting files in place when `host` is a waiting target, or (for a
// folder) holds one; every waiting file when `host` is empty.
void settle(const std::string& host);
void settle_folder(const std::string& host_folder);

}  // namespace platform_detail
