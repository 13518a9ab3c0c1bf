// A program folder of its own for the main window, with the globals and the
// working folder back as they were afterwards.
#pragma once

#include "engine/Bibo.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Platine.h"
#include "engine/PlatineView.h"
#include "platform/FileHeader.h"
#include "platform/Paths.h"
#include "platform/Stream.h"
#include "shell/MainForm.h"
#include "support/TestBoard.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
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

    // The component of class T on the board, after `skip` others of it.
    template <class T>
    static T* Find(TPlatine& board, int skip = 0)
    {
        for (TBauteil* object : board.Objects)
            if (auto* found = dynamic_cast<T*>(object); found && skip-- == 0)
                return found;
        return nullptr;
    }
    // A component of class T placed as the palette places one, through the
    // placing stream and a paste.
    // The component's one-object stream read by the board, placed where it
    // hangs; setUp may change the component before it is written.
    template <class T>
    static T* Paste(TPlatine& board, const std::function<void(T&)>& setUp = {})
    {
        return static_cast<T*>(Paste(board, T::StaticClass().Name, [&](TIOBauteil& component) {
            if (setUp)
                setUp(static_cast<T&>(component));
        }));
    }
    // The same by registered class name.
    static TIOBauteil* Paste(TPlatine& board, std::string_view className,
                             const std::function<void(TIOBauteil&)>& setUp = {})
    {
        std::unique_ptr<TIOBauteil> source(CreateComponent(className));
        if (setUp)
            setUp(*source);
        TMemoryStream stream;
        WritePlacingStream(*source, stream);
        board.PasteFromStream(stream, FileVersion);
        board.EndDrag(0, 0, 0, TMouseButton::mbLeft);
        for (auto it = board.Objects.rbegin(); it != board.Objects.rend(); ++it)
            if (className == (*it)->ClassName())
                return dynamic_cast<TIOBauteil*>(*it);
        return nullptr;
    }
    // Opens the palette of the category with this caption.
    static void OpenCategory(TForm1& form, const QString& caption)
    {
        for (QMenu* menu : form.CategoryMenus)
            for (QAction* action : menu->actions())
                if (action->text().remove('&') == caption) {
                    action->trigger();
                    return;
                }
        FAIL() << caption.toStdString();
    }
    // Picks the palette's entry of the class with a click on its sample and
    // places it with a click on the board at the given point of the view.
    static void PickAndPlace(TForm1& form, const char* className, QPoint at)
    {
        TBibo& palette = *form.Bibo;
        std::size_t i = 0;
        while (i < palette.Entries.size() && std::string(palette.Entries[i]->ClassName()) != className)
            ++i;
        ASSERT_LT(i, palette.Entries.size()) << className;
        const TPoint sample =
            palette.Mapping().LPtoDP(TPoint{palette.StripWidth / 2, palette.Entries[i]->GetBounds().Top + 30});
        QTest::mouseClick(&palette, Qt::LeftButton, {}, QPoint(sample.X, sample.Y));
        ASSERT_EQ(form.MainBoard->Mode, TBoardMode::Placing);

        QWidget* board = static_cast<TPlatineView*>(form.MainBoard->View)->viewport();
        QMouseEvent move(QEvent::MouseMove, at, board->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(board, &move);
        QTest::mouseClick(board, Qt::LeftButton, {}, at);
        ASSERT_NE(form.MainBoard->Mode, TBoardMode::Placing);
    }
    // A wire from an output to an input in three pieces, turning halfway.
    static void Wire(TPlatine& board, const TBauteilPin& from, const TBauteilPin& to)
    {
        const Integer middle = (from.X + to.X) / 2 / 20 * 20;
        for (auto [a, b] : {std::pair{TPoint{from.X, from.Y}, TPoint{middle, from.Y}},
                            std::pair{TPoint{middle, from.Y}, TPoint{middle, to.Y}},
                            std::pair{TPoint{middle, to.Y}, TPoint{to.X, to.Y}}})
            if (a != b)
                board.AddWireAndNormalise(a, b);
    }

    QTemporaryDir folder_;
    QString workingFolder_;
    std::unique_ptr<TForm1> form_;
};
