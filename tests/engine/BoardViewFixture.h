// A board shown in a real view widget on the screen's platform (offscreen in
// tests), with the main window's four-colour palette, and mouse scripts
// written in board units: every position is converted to the viewport pixel
// that shows it.
#pragma once

#include "engine/Globals.h"
#include "engine/PlatineView.h"
#include "platform/MouseCursor.h"
#include "support/TestBoard.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

// Background, grid and rubber-line colours of the board.
inline constexpr TColor BoardBackground = 0xF6FFFF;
inline constexpr TColor GridColour = 0xE6E6E6;

class BoardViewFixture : public ::testing::Test {
protected:
    BoardViewFixture()
    {
        board.BoardPalette = &palette;
        view.resize(600, 400);
    }

    void SetUp() override
    {
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    void TearDown() override
    {
        ResetGlobals();
        ClipCursor(std::nullopt);
    }

    QWidget* Port() { return view.viewport(); }
    QPoint At(TPoint b) const
    {
        const TPoint p = board.BoardToParent(b);
        return {p.X, p.Y};
    }
    // The board point under a viewport pixel.
    TPoint BoardAt(QPoint p) const { return board.DeviceToBoard(TPoint{p.x() + board.ScrollX, p.y() + board.ScrollY}); }

    void Press(TPoint b, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
    {
        held_ |= button;
        QTest::mousePress(Port(), button, keys, At(b));
    }
    void Release(TPoint b, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
    {
        held_ &= ~button;
        QTest::mouseRelease(Port(), button, keys, At(b));
    }
    void Click(TPoint b, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
    {
        Press(b, button, keys);
        Release(b, button, keys);
    }
    // A move with the buttons held since the last press, or none.
    void Move(TPoint b, Qt::KeyboardModifiers keys = {})
    {
        if (held_ == Qt::NoButton && keys == Qt::NoModifier) {
            QTest::mouseMove(Port(), At(b));
            return;
        }
        QMouseEvent event(QEvent::MouseMove, At(b), Port()->mapToGlobal(At(b)), Qt::NoButton, held_, keys);
        QApplication::sendEvent(Port(), &event);
    }
    // Press, the moves, release: a drag along board points.
    void Drag(std::initializer_list<TPoint> path, Qt::MouseButton button = Qt::LeftButton,
              Qt::KeyboardModifiers keys = {})
    {
        const TPoint* p = path.begin();
        Press(*p, button, keys);
        for (++p; p != path.end(); ++p)
            Move(*p, keys);
        Release(*(path.end() - 1), button, keys);
    }

    QImage Picture() { return Port()->grab().toImage(); }
    TColor PixelAt(const QImage& image, TPoint b) const
    {
        const QPoint p = At(b);
        const QRgb c = image.pixel(p);
        return static_cast<TColor>(qRed(c) | (qGreen(c) << 8) | (qBlue(c) << 16));
    }

    Qt::MouseButtons held_;
    TPalette palette{{0xF8F0E6, BoardBackground, GridColour, 0xFADCDC}};
    TTestBoard t;
    TPlatine& board = t.Board();
    TPlatineView view{board};
};
