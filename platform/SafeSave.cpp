#include "platform/SafeSave.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QSaveFile>
#include <QSet>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The process id of a name "<something>.~<pid>.<n>", or 0 when it is none of ours.
pid_t TemporaryOwner(const QByteArray& name)
{
    const qsizetype mark = name.lastIndexOf(".~");
    if (mark <= 0)
        return 0;
    const QByteArrayList parts = name.mid(mark + 2).split('.');
    if (parts.size() != 2 || parts[0].isEmpty() || parts[1].isEmpty())
        return 0;
    for (const QByteArray& part : parts)
        for (char c : part)
            if (c < '0' || c > '9')
                return 0;
    bool ok = false;
    const long pid = parts[0].toLong(&ok);
    return ok && pid > 0 ? pid_t(pid) : 0;
}

bool ProcessRuns(pid_t pid)
{
    return ::kill(pid, 0) == 0 || errno != ESRCH;   // EPERM: it runs under another user
}

QByteArray FolderOf(const QByteArray& target)
{
    const qsizetype slash = target.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);
}

bool TargetFolderSynced(const QByteArray& target)
{
    return SyncFolder(FolderOf(target)) || errno == EACCES;
}

}   // namespace

int RemoveLeftoverTemporaries(const QByteArray& folder)
{
    const QDir dir(QFile::decodeName(folder));
    int removed = 0;
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QByteArray name = QFile::encodeName(entry);
        const pid_t pid = TemporaryOwner(name);
        if (pid == 0 || pid == ::getpid() || ProcessRuns(pid))
            continue;
        const QByteArray path = folder + '/' + name;
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid())
            continue;
        if (::unlink(path.constData()) == 0)
            ++removed;
    }
    return removed;
}

QByteArray TemporaryNameBeside(const QByteArray& target)
{
    static QMutex mutex;
    static QSet<QByteArray> cleaned;
    const QByteArray folder = FolderOf(target);
    bool first = false;
    {
        QMutexLocker lock(&mutex);
        if (!cleaned.contains(folder)) {
            cleaned.insert(folder);
            first = true;
        }
    }
    if (first)
        RemoveLeftoverTemporaries(folder);
    static std::atomic<unsigned> counter{0};
    return target + ".~" + QByteArray::number(::getpid()) + "." + QByteArray::number(counter++);
}

bool SyncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    const int err = errno;
    ::close(fd);
    errno = err;
    return synced;
}

bool RenameOverTarget(const QByteArray& temporary, const QByteArray& target)
{
    return std::rename(temporary.constData(), target.constData()) == 0 && TargetFolderSynced(target);
}

bool CommitSaveFile(QSaveFile& file)
{
    return file.commit() && TargetFolderSynced(QFile::encodeName(file.fileName()));
}
