#include "foundation/file_backup.h"

#include "foundation/unwritten_files.h"
#include "platform/files.h"

#include <string>

int write_backup(std::string_view backup, std::string_view bytes_as_read) {
    if (bytes_as_read.empty() && file_size(backup) > 0) {
        return 0;
    }
    const int status = write_whole_file(backup, bytes_as_read);
    if (status != 0) {
        const std::string name(backup);
        report_unwritten_file(backup, "*** Backup copy failed: \n " + name,
                              "*** Copie de sauvegarde impossible : \n " + name);
    }
    return status;
}
