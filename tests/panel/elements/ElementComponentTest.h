// The fixture of the tests of components that own a panel element: a test
// board, sources wired to a component's inputs, the symbol drawn with states
// shown, and the elements (which live in the test body) unlinked before the
// board goes.
#pragma once

#include "engine/Globals.h"
#include "platform/Canvas.h"
#include "support/TestBoard.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

class ElementComponentTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (TBauteil* object : t.Board().Objects)
            if (auto* component = dynamic_cast<TIOBauteil*>(object))
                component->SetPanelElement(nullptr);
        ResetGlobals();
    }

    // A source with n outputs wired to the component's inputs.
    TBTTestSource* Feed(TIOBauteil* component, Integer n)
    {
        auto* source = t.Place<TBTTestSource>(100, 100);
        source->SetOutputCount(n);
        for (Integer i = 0; i < n; ++i)
            t.Connect(source, i, component, i);
        return source;
    }
    // The component's symbol drawn with its states shown.
    static QImage Symbol(TIOBauteil& component)
    {
        QImage image(1400, 800, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        TCanvas canvas(painter);
        component.ShowComponentStates = true;
        component.Draw(canvas);
        return image;
    }

    TTestBoard t;
};
