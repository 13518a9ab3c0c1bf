// A program folder of its own for the main window, with the globals and the
// working folder back as they were afterwards.
#pragma once

#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/Paths.h"
#include "shell/MainForm.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

class TShellFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        ASSERT_TRUE(QDir(folder_.path()).mkpath("Settings"));
        SetProgramFolder(Program());
        ResetGlobals();
        workingFolder_ = QDir::currentPath();
    }
    void TearDown() override
    {
        form_.reset();
        QDir::setCurrent(workingFolder_);
        SetProgramFolder("");
        ResetGlobals();
    }

    AnsiString Program() const { return folder_.path().toStdString() + "/"; }
    QString Path(const QString& name) const { return folder_.filePath(name); }
    void WriteFile(const QString& name, const QByteArray& content)
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    std::string ReadFile(const QString& name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

    // The development program (or a program of another name) with the given parameters.
    TForm1& Create(const QStringList& parameters = {}, const QString& executable = "zentrika40")
    {
        form_.reset();
        form_ = std::make_unique<TForm1>(QStringList{Path(executable)} + parameters);
        return *form_;
    }

    QTemporaryDir folder_;
    QString workingFolder_;
    std::unique_ptr<TForm1> form_;
};
