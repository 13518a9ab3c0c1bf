// Leftover temporary files of saves that a killed process never finished;
// the rename over the target with its folder synced.
#include "platform/SafeSave.h"
#include "support/EndedProcess.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(SafeSave, RemovesOnlyOurOwnLeftoversOfEndedProcesses)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString dead = QString::number(EndedProcess());
    const QString own = QString::number(::getpid());
    const struct {
        QString Name;
        bool Removed;
    } cases[] = {
        {"Anlage.prj.~" + dead + ".0", true},
        {"EXPKIT.INI.~" + dead + ".17", true},
        {"Anlage.prj.~1.0", false},             // process 1 runs
        {"Anlage.prj.~" + own + ".3", false},   // a save of this process
        {"Anlage.prj.~" + dead, false},         // not a name we give
        {"Anlage.prj.~" + dead + ".x", false},
        {"Notiz.~" + dead + ".2.txt", false},
        {"Anlage.prj", false},
    };
    for (const auto& c : cases) {
        QFile file(dir.filePath(c.Name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // A file of another user is never touched (only root can make one).
    const QString foreign = "Fremd.prj.~" + dead + ".1";
    bool haveForeign = false;
    if (::getuid() == 0) {
        QFile file(dir.filePath(foreign));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        haveForeign = ::chown(QFile::encodeName(dir.filePath(foreign)).constData(), 65534, 65534) == 0;
    }

    const QByteArray target = QFile::encodeName(dir.filePath("Neu.prj"));
    const QByteArray temporary = TemporaryNameBeside(target);
    EXPECT_TRUE(temporary.startsWith(target + ".~" + own.toLatin1() + "."));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name.toStdString());
        EXPECT_EQ(QFile::exists(dir.filePath(c.Name)), !c.Removed);
    }
    if (haveForeign) {
        EXPECT_TRUE(QFile::exists(dir.filePath(foreign)));
    }

    // Once per folder and process: a later leftover waits for the next run.
    QFile later(dir.filePath("Anlage.prj.~" + dead + ".9"));
    ASSERT_TRUE(later.open(QIODevice::WriteOnly));
    TemporaryNameBeside(target);
    EXPECT_TRUE(later.exists());
    EXPECT_EQ(RemoveLeftoverTemporaries(QFile::encodeName(dir.path())), 1);
}

QByteArray Content(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void Write(const QString& name, const QByteArray& content)
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

TEST(SafeSave, AFolderSyncReportsWhatItCouldNotOpen)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Write(dir.filePath("Datei"), "x");
    const struct {
        QString Folder;
        bool Synced;
        int Error;
    } cases[] = {
        {dir.path(), true, 0},
        {dir.filePath("fehlt"), false, ENOENT},
        {dir.filePath("Datei"), false, ENOTDIR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Folder.toStdString());
        errno = 0;
        EXPECT_EQ(SyncFolder(QFile::encodeName(c.Folder)), c.Synced);
        if (!c.Synced) {
            EXPECT_EQ(errno, c.Error);
        }
    }
}

TEST(SafeSave, TheRenameReplacesTheTargetAndAFailedOneLeavesIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath("Anlage.prj");
    Write(target, "alt");
    const QByteArray temporary = TemporaryNameBeside(QFile::encodeName(target));
    Write(QFile::decodeName(temporary), "neu");
    EXPECT_TRUE(RenameOverTarget(temporary, QFile::encodeName(target)));
    EXPECT_EQ(Content(target), "neu");
    EXPECT_FALSE(QFile::exists(QFile::decodeName(temporary)));

    // The temporary file is gone: nothing to rename, the target stays.
    errno = 0;
    EXPECT_FALSE(RenameOverTarget(temporary, QFile::encodeName(target)));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(Content(target), "neu");
}

TEST(SafeSave, ASaveFileCommitsIntoItsFolderOrReportsFailure)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath("Farben.dat");
    Write(target, "alt");
    {
        QSaveFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("neu");
        EXPECT_TRUE(CommitSaveFile(file));
    }
    EXPECT_EQ(Content(target), "neu");
    // A folder that does not exist: nothing is written, failure is reported.
    QSaveFile missing(dir.filePath("fehlt/Farben.dat"));
    EXPECT_FALSE(missing.open(QIODevice::WriteOnly));
    EXPECT_FALSE(CommitSaveFile(missing));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Farben.dat"});
}

}   // namespace
