#pragma once

// A test seam of the file layer: one step of writing a file fails as a full
// disk, a failing device or a refused rename would make it fail, so that tests
// can show what every writer does then. Nothing in the program arms it.

#include <cerrno>
#include <string>
#include <string_view>

// The steps of writing a file (files.h, FileWriter).
enum class FileStep {
    create,  // creating the file (for a whole write, its temporary file)
    write,   // one write of bytes or of a line
    flush,   // flushing a whole write to the disk
    rename,  // putting a whole write in the place of its target
};

struct FileFault {
    FileStep step = FileStep::write;
    int nth = 1;            // the nth such step on a matching file fails, counted from arming
    std::string file_name;  // the target's file name (no folder, case ignored); empty: any file
    int error = ENOSPC;     // the error the step fails with
};

// Arms one fault, replacing an armed one; it fires once.
void arm_file_fault(const FileFault& fault);
// Disarms the fault.
void disarm_file_fault();

namespace platform_detail {

// For the file layer: 0 when the step on the file at `path` (either form of
// path; only its file name is compared) goes ahead, else the armed error.
int file_fault(FileStep step, std::string_view path);

}  // namespace platform_detail
