// The fixture of the tests of components that own a panel element: a test
// board, sources wired to a component's inputs, the symbol drawn with states
// shown, and the elements (which live in the test body) unlinked before the
// board goes.
#pragma once

#include "engine/Globals.h"
#include "platform/Canvas.h"
#include "support/TestBoard.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

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
    // A component of a registered class placed on the test board, as its
    // family class F.
    template <class F>
    F* Place(const char* className, Integer x, Integer y)
    {
        auto* component = dynamic_cast<F*>(t.Place(className, x, y));
        EXPECT_NE(component, nullptr) << className;
        return component;
    }
    // A component of the class with these pin counts written and read back:
    // refused with the stream error, or read with the same counts.
    struct TPinCountCase {
        const char* Class;
        Integer Inputs, Outputs;
        bool Refused;
    };
    static void CheckPinCounts(std::initializer_list<TPinCountCase> cases)
    {
        for (const TPinCountCase& c : cases) {
            SCOPED_TRACE(testing::Message() << c.Class << " " << c.Inputs << "/" << c.Outputs);
            TTestBoard source;
            TIOBauteil* component = source.Place(c.Class, 100, 100);
            component->SetInputCount(c.Inputs);
            component->SetOutputCount(c.Outputs);
            const std::vector<Byte> bytes = source.WriteToMemory();
            TTestBoard copy;
            if (c.Refused) {
                EXPECT_THROW(copy.ReadFromMemory(bytes), EReadError);
                continue;
            }
            copy.ReadFromMemory(bytes);
            TIOBauteil* read = FindComponent(copy.Board(), c.Class);
            ASSERT_NE(read, nullptr);
            EXPECT_EQ(read->InputCount, c.Inputs);
            EXPECT_EQ(read->OutputCount, c.Outputs);
        }
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
