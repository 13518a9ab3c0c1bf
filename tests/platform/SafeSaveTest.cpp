// Leftover temporary files of saves that a killed process never finished.
#include "platform/SafeSave.h"
#include "support/EndedProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

}   // namespace
