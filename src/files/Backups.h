// Backups of radio programming: every successful read from a radio, the
// image about to be written before every write, and unsaved programming when
// the editor exits without saving it, kept as programming files in the
// per-user data folder, named after the moment and the operation
// (YYYYMMDD-HHMMSS-read.orv, ...-write.orv, ...-exit.orv; a second one in the
// same second gets -2, -3, ... before ".orv"). Each file is written
// atomically; the newest 200 are kept, older ones removed. Only files named
// this way are ever removed: anything else in the folder is left alone.
#pragma once
#include <ctime>
#include <string>
#include <vector>
#include "files/ImageFile.h"
#include "image/MemoryImage.h"

namespace orv {

enum class BackupKind { Read, Write, Exit };

inline constexpr int kBackupsKept = 200;

// The backup folder: "backups" in the program's per-user data folder
// (platform::dataFolder(): $ORVEDIT_DATA_DIR, else by default
// ~/.local/share/ORVEDIT/ORVEDIT; on Windows %APPDATA%\ORVEDIT). Empty when
// the data folder is.
std::string backupFolder();

struct BackupResult {
    FileStatus status;
    std::string path;   // the file written (empty on failure)
    explicit operator bool() const { return status.ok(); }
};

// Writes `image` as a new backup in `folder` (created when missing, readable
// only by its owner), named after `when` (local time) and `kind`, then
// removes all but the newest `keep` backups. Several programs and threads
// may keep backups in the same folder at once: names never collide.
BackupResult keepBackup(const MemoryImage& image, BackupKind kind, const std::string& folder = backupFolder(),
                        std::time_t when = std::time(nullptr), int keep = kBackupsKept);

// The backups in `folder`, oldest first by the time each was written (full
// paths). Only regular files named as backups are, with a real date and time.
std::vector<std::string> listBackups(const std::string& folder);

// The file name a backup made at `when` (local time) would get before any
// collision suffix, e.g. "20240131-235959-read.orv".
std::string backupFileName(BackupKind kind, std::time_t when, int sequence = 1);

}  // namespace orv
