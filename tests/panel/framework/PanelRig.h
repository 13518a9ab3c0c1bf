// A front panel to test on: the panel classes registered, a root container in
// a window of its own, the globals of a freshly started program, and a test
// element with three hotkeys, run-time state and a counted settings dialog.
#pragma once

#include "support/StreamBytes.h"

#include "engine/Globals.h"
#include "engine/Hotkey.h"
#include "engine/Language.h"
#include "panel/framework/Design.h"
#include "panel/framework/PanelClasses.h"
#include "panel/framework/PanelGlobals.h"
#include "platform/IniFile.h"
#include "platform/Stream.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

#include <memory>

// An operating element as the element classes build them: three hotkeys made
// in the constructor, one state key, a dialog that counts its openings.
class TTestElement : public TFP_Element {
    ZK_CLASS(TTestElement, TFP_Element)
public:
    TTestElement()
    {
        resize(40, 20);
        SetHint("Test");
        for (int i = 0; i < 3; ++i)
            Hotkeys.push_back(std::make_unique<THotkey>());
    }
    Integer Value = 0;
    int DialogCount = 0;
    long double Ratio = 0;
    bool HScalable = true;
    bool VScalable = true;
    Integer DialogResult = 1;

    Integer EditProperties() override
    {
        ++DialogCount;
        return DialogResult;
    }
    long double GetAspectRatio() const override { return Ratio; }
    bool GetBisteHSkalierbar() const override { return HScalable; }
    bool GetBisteVSkalierbar() const override { return VScalable; }
    void SaveState(TCustomIniFile& file, const AnsiString& prefix) override
    {
        file.WriteInteger(prefix + "." + ElementName(), "Value", Value);
    }
    bool LoadState(TCustomIniFile& file, const AnsiString& prefix, bool checkOnly) override
    {
        const AnsiString section = prefix + "." + ElementName();
        if (!file.ValueExists(section, "Value"))
            return false;
        if (!checkOnly)
            Value = file.ReadInteger(section, "Value", 0);
        return true;
    }
};

// The window above the panel: it records what the container asks of its hint box.
class TRigWindow : public QWidget, public IPanelHintWindow {
public:
    std::vector<AnsiString> Hints;   // "-" for a hide request
    void ShowHintText(const AnsiString* text) override { Hints.push_back(text ? *text : AnsiString("-")); }
};

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGlobals();
        ResetPanelGlobals();
        RegisterPanelClasses();
        RegisterClass(TTestElement::StaticClass());
        Window = std::make_unique<TRigWindow>();
        Window->resize(400, 300);
        Root = new TDesign;
        Root->setParent(Window.get());
        Root->setGeometry(0, 0, 400, 300);
        Root->setObjectName("Root");
    }
    void TearDown() override
    {
        Window.reset();
        ResetGlobals();
    }

    // The record of an element, as the container writes it.
    static TBytes Record(TFP_Element& element)
    {
        TMemoryStream stream;
        {
            TWriter writer(stream);
            element.WriteData(stream, writer);
        }
        return stream.Bytes();
    }
    static void Read(TFP_Element& element, const TBytes& bytes, Byte version)
    {
        TMemoryStream stream(bytes);
        TReader reader(stream);
        element.ReadData(stream, reader, version);
    }
    // The container's design block.
    TBytes Block(TDesign& design) const
    {
        TMemoryStream stream;
        {
            TWriter writer(stream);
            design.WriteToStream(stream, writer);
        }
        return stream.Bytes();
    }
    template <class T>
    T* Add(const char* className, Integer left, Integer top, Integer width, Integer height)
    {
        auto* element = dynamic_cast<T*>(Root->AddElement(className));
        element->SetBounds(left, top, width, height);
        return element;
    }
    // The window shown, so mouse events reach their widgets.
    void Show()
    {
        Window->show();
        QApplication::processEvents();
    }
    QImage Grab(QWidget& widget) const
    {
        QImage image(widget.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        widget.render(&image);
        return image;
    }

    std::unique_ptr<TRigWindow> Window;
    TDesign* Root = nullptr;
};
