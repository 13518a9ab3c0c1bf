// Files are saved to a temporary file beside the target and renamed over it.
// The temporary file is named "<target>.~<process id>.<n>"; one left behind by
// a process that was killed during a save is removed when this program next
// saves into that folder.
#pragma once

#include <QByteArray>

// A fresh temporary name beside target (a path in the file system's
// encoding). Before this process's first save into a folder, the folder's
// leftover temporary files of ours are removed (RemoveLeftoverTemporaries).
QByteArray TemporaryNameBeside(const QByteArray& target);

// Removes, in folder, every file named like our temporary files that belongs
// to this user and whose process no longer runs. Files of other users, other
// names and files of running processes stay. Returns how many were removed.
int RemoveLeftoverTemporaries(const QByteArray& folder);
