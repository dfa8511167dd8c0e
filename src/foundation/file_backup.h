#pragma once

// Backups of the files the program rewrites (a profile or a map list as
// ".bak", the settings file as "Tarvex_NNNN.ini"): made from the bytes of the
// file as it was read for the rewrite, never from a second reading, and
// written whole.

#include <string_view>

// Writes `bytes_as_read` as the backup. A file that was read empty never
// replaces a backup that holds something: the backup is kept (a rewrite
// killed half way by an older program may have left the file empty). 0 when
// the backup holds the bytes or was kept; otherwise the write's status, told
// as an error ("*** Backup copy failed:" and the backup's path), logged and
// noted as a file not written (unwritten_files.h).
int write_backup(std::string_view backup, std::string_view bytes_as_read);
