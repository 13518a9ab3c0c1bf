// Files are saved to a temporary file beside the target and renamed over it.
// The temporary file is named "<target>.~<process id>.<n>"; one left behind by
// a process that was killed during a save is removed when this program next
// saves into that folder. After the rename the folder is synced: the new name
// is an entry of the folder, and a power loss before that entry reaches the
// disk would bring back the old file or none.
#pragma once

#include <QByteArray>

class QSaveFile;

// A fresh temporary name beside target (a path in the file system's
// encoding). Before this process's first save into a folder, the folder's
// leftover temporary files of ours are removed (RemoveLeftoverTemporaries).
QByteArray TemporaryNameBeside(const QByteArray& target);

// Removes, in folder, every file named like our temporary files that belongs
// to this user and whose process no longer runs. Files of other users, other
// names and files of running processes stay. Returns how many were removed.
int RemoveLeftoverTemporaries(const QByteArray& folder);

// Syncs a folder's entries to the disk (open, fsync, close). False with errno
// set when the folder cannot be opened (missing, not a folder, no permission)
// or the sync fails; a file system that cannot sync folders (EINVAL) counts
// as synced.
bool SyncFolder(const QByteArray& folder);

// Renames temporary over target and syncs target's folder. False with errno
// set when the rename fails (the temporary file is left to the caller) or
// when the sync fails. A folder this user may not read cannot be synced; the
// save stands there as before.
bool RenameOverTarget(const QByteArray& temporary, const QByteArray& target);

// QSaveFile::commit (its data synced and renamed over the target), then the
// folder synced as RenameOverTarget does.
bool CommitSaveFile(QSaveFile& file);
