// The switch and push-button element: pictures and sizing, operation by
// mouse, keys, wheel, hotkeys and the web, the run-state key, and the record
// with its looks (the user pictures travel inside the stream).
#include "panel/elements/FP_Schalter.h"
#include "panel/elements/SwitchPictures.h"

#include "engine/Hotkey.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

namespace {

TEST(SwitchPictures, EveryTypeAndColourHasItsSizeAndDistinctOnAndOffLooks)
{
    const QSize sizes[] = {{20, 20},  {20, 20},  {25, 34}, {40, 40}, {27, 40}, {100, 144},
                           {102, 143}, {102, 143}, {66, 104}, {50, 50}, {33, 33}};
    for (Byte type = 0; type < SwitchTypeCount; ++type)
        for (Byte colour = 0; colour < SwitchColourCount; ++colour) {
            SCOPED_TRACE(testing::Message() << "type " << int(type) << " colour " << int(colour));
            const QImage off = SwitchPicture(colour, type, false);
            const QImage on = SwitchPicture(colour, type, true);
            EXPECT_EQ(off.size(), sizes[type]);
            EXPECT_EQ(on.size(), sizes[type]);
            EXPECT_NE(on, off);
            if (SwitchTypeTransparent(type)) {
                // The key colour surrounds the figure and vanishes when keyed.
                EXPECT_EQ(qAlpha(KeyedTransparent(off).pixel(0, 0)), 0);
                EXPECT_EQ(off.pixel(0, 0), on.pixel(0, 0));
            }
        }
    EXPECT_NE(SwitchPicture(1, 10, true), SwitchPicture(3, 10, true));
}

TEST(Schalter, CreationAndPushButtonMode)
{
    TSchalter s;
    EXPECT_EQ(s.Typ(), Kippschalter2);
    EXPECT_EQ(s.size(), QSize(33, 46));
    EXPECT_EQ(s.Hotkeys.size(), 10u);
    EXPECT_EQ(s.ExtraList, (std::vector<AnsiString>{" ---", "= TOG", "= ON", "= OFF", "= RST"}));
    EXPECT_FALSE(s.State());
    EXPECT_TRUE(s.Button->BisteKnopf);
    s.SetTaster(true);
    EXPECT_EQ(s.Typ(), Druckschalter);
    EXPECT_EQ(s.size(), QSize(26, 26));
    EXPECT_EQ(s.ExtraList, (std::vector<AnsiString>{" --- ", "= PSH"}));
}

TEST(Schalter, SizingFollowsTheTurnedPictureUnlessSizeable)
{
    TSchalter s;
    s.Turn = 1;
    s.LoadPictures();
    EXPECT_EQ(s.size(), QSize(46, 33));
    EXPECT_EQ(s.OffPicture.size(), QSize(40, 27));
    s.Turn = 2;
    s.SetTyp(Kippschalter);
    EXPECT_EQ(s.size(), QSize(26, 26));
    s.resize(80, 80);
    s.SetFarbe(rot);   // not sizeable: back to picture plus frame
    EXPECT_EQ(s.size(), QSize(26, 26));
    s.SetTyp(Wippe1);
    EXPECT_TRUE(s.GetBisteHSkalierbar());
    s.resize(50, 72);
    s.SetFarbe(gelb);
    EXPECT_EQ(s.size(), QSize(50, 72));
    s.SetTyp(Kippschalter);
    s.SetLook(TSchalter::LookButton);
    EXPECT_TRUE(s.GetBisteVSkalierbar());
}

TEST(Schalter, MouseKeysAndWheelOnASwitch)
{
    QWidget window;
    auto* s = new TSchalter;
    s->setParent(&window);
    window.show();
    QTest::mouseClick(s, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(s->State());
    QTest::mouseClick(s, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(s->State());
    QTest::mouseClick(s, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(s->State());
    s->setFocus();
    struct Step { Qt::Key key; bool after; };
    const Step steps[] = {{Qt::Key_Space, true}, {Qt::Key_Space, false}, {Qt::Key_PageUp, true},
                          {Qt::Key_PageUp, true}, {Qt::Key_Home, false}, {Qt::Key_End, true},
                          {Qt::Key_A, true}, {Qt::Key_PageDown, false}};
    for (const Step& step : steps) {
        QTest::keyClick(s, step.key);
        EXPECT_EQ(s->State(), step.after) << step.key;
    }
    auto wheel = [&](int delta) {
        QWheelEvent e(QPointF(5, 5), s->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(s, &e);
    };
    s->setFocus();
    if (s->hasFocus()) {
        wheel(120);
        EXPECT_TRUE(s->State());
        wheel(-120);
        EXPECT_FALSE(s->State());
    }
}

TEST(Schalter, PushButtonIsOnWhileHeldAlsoOutsideAndOnTheButtonLook)
{
    QWidget window;
    auto* s = new TSchalter;
    s->setParent(&window);
    s->SetTaster(true);
    window.resize(200, 200);
    window.show();
    for (bool buttonLook : {false, true}) {
        SCOPED_TRACE(buttonLook);
        s->SetLook(buttonLook ? TSchalter::LookButton : TSchalter::LookPicture);
        s->resize(60, 30);
        QWidget* target = buttonLook ? static_cast<QWidget*>(s->Button) : s;
        QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        EXPECT_TRUE(s->State());
        if (buttonLook) {
            EXPECT_TRUE(s->Button->Down());
        }
        QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, QPoint(150, 150));
        EXPECT_FALSE(s->State());
        if (buttonLook) {
            EXPECT_FALSE(s->Button->Down());
        }
    }
    s->setFocus();
    QTest::keyPress(s, Qt::Key_Space);
    EXPECT_TRUE(s->State());
    QTest::keyRelease(s, Qt::Key_Space);
    EXPECT_FALSE(s->State());
    QTest::keyPress(s, Qt::Key_Home);
    EXPECT_TRUE(s->State());
    QTest::keyRelease(s, Qt::Key_Home);
    EXPECT_FALSE(s->State());
}

TEST(Schalter, HotkeyActions)
{
    TSchalter s;
    s.DefaultState = true;
    auto press = [&](Integer action) {
        s.Hotkeys[0]->ActionIndex = action;
        s.HotkeyPressed(s.Hotkeys[0].get());
    };
    press(1);
    EXPECT_TRUE(s.State());
    press(1);
    EXPECT_FALSE(s.State());
    press(2);
    EXPECT_TRUE(s.State());
    press(3);
    EXPECT_FALSE(s.State());
    press(0);
    EXPECT_FALSE(s.State());
    press(4);   // back to the default, which is on
    EXPECT_TRUE(s.State());

    TSchalter t;
    t.SetTaster(true);
    t.Hotkeys[2]->ActionIndex = 1;
    t.Hotkeys[2]->Key = 'P';
    t.HotkeyDown('P', 0);
    EXPECT_TRUE(t.State());
    t.HotkeyUp('P', 0);
    EXPECT_FALSE(t.State());
}

TEST(Schalter, WebPressOfAPushButtonReadsOnAtLeastOnce)
{
    TFakeClock clock;
    TScopedClock installed(clock);
    clock.SetTickCount(1000);
    TSchalter s;
    s.SetTaster(true);
    s.WebAction(2);
    EXPECT_TRUE(s.GetEingeschaltet());
    clock.AdvanceMs(250);
    EXPECT_TRUE(s.GetEingeschaltet());   // not yet more than 250 ms
    clock.AdvanceMs(1);
    EXPECT_TRUE(s.GetEingeschaltet());   // the releasing read still sees on
    EXPECT_FALSE(s.GetEingeschaltet());
    EXPECT_EQ(s.WebPressTime, 0u);

    TSchalter sw;
    sw.WebAction(2);
    EXPECT_TRUE(sw.GetEingeschaltet());
    clock.AdvanceMs(1000);
    EXPECT_TRUE(sw.GetEingeschaltet());   // a switch stays
    sw.WebAction(1);
    EXPECT_TRUE(sw.GetEingeschaltet());
}

TEST(Schalter, RunStateUnderStatus)
{
    QTemporaryDir dir;
    TIniFile ini((dir.path() + "/_Default.set").toStdString());
    TSchalter s;
    s.SetElementName("S1");
    s.DefaultState = true;
    EXPECT_FALSE(s.LoadState(ini, "Panel", true));
    EXPECT_TRUE(s.LoadState(ini, "Panel", false));   // missing key: the default
    EXPECT_TRUE(s.State());
    s.SetEingeschaltet(false);
    s.SaveState(ini, "Panel");
    EXPECT_TRUE(ini.ValueExists("Panel.S1", "Status"));
    s.SetEingeschaltet(true);
    EXPECT_TRUE(s.LoadState(ini, "Panel", true));
    s.LoadState(ini, "Panel", false);
    EXPECT_FALSE(s.State());

    TSchalter t;
    t.SetTaster(true);
    t.SetElementName("T1");
    t.SetEingeschaltet(true);
    t.SaveState(ini, "Panel");
    EXPECT_FALSE(ini.ValueExists("Panel.T1", "Status"));
    EXPECT_TRUE(t.LoadState(ini, "Panel", true));
}

// A record followed by a marker, read back into a fresh element.
void RoundTrip(TSchalter& source, TSchalter& copy, Byte version = 46)
{
    TMemoryStream stream;
    {
        TWriter writer(stream);
        source.WriteData(stream, writer);
        writer.WriteInteger(4711);
        writer.FlushBuffer();
    }
    stream.Seek(0, TSeekOrigin::soBeginning);
    TReader reader(stream);
    copy.ReadData(stream, reader, version);
    EXPECT_EQ(reader.ReadInteger(), 4711);
}

TEST(Schalter, RecordOfThePictureAndButtonLooks)
{
    TSchalter s;
    s.SetFarbe(blau);
    s.SetTyp(Drehschalter);
    s.Turn = 3;
    s.LoadPictures();
    s.DefaultState = true;
    s.Button->SetCaption("&Go");
    s.Button->SetBeginColor(0x112233);
    s.Button->SetEndColor(0x445566);
    s.ButtonFont.Name = "Liberation Sans";
    s.ButtonFont.Height = -15;
    s.ButtonFont.Style = fsBold | fsUnderline;
    s.ButtonFont.Color = 0x0000FF;
    TSchalter copy;
    RoundTrip(s, copy);
    EXPECT_EQ(copy.Farbe(), blau);
    EXPECT_EQ(copy.Typ(), Drehschalter);
    EXPECT_EQ(copy.Turn, 3);
    EXPECT_EQ(copy.size(), QSize(46, 46));
    EXPECT_TRUE(copy.State());   // the default after reading
    EXPECT_EQ(copy.Button->Caption(), "&Go");
    EXPECT_EQ(copy.ButtonFont.Name, "Liberation Sans");
    EXPECT_EQ(copy.ButtonFont.Height, -15);
    EXPECT_EQ(copy.ButtonFont.Style, fsBold | fsUnderline);
    EXPECT_EQ(copy.ButtonFont.Color, 0x0000FF);

    // Button look, on: the file holds the released colours; the button shows
    // them swapped exactly while on.
    s.SetLook(TSchalter::LookButton);
    s.resize(90, 30);
    s.SetEingeschaltet(true);
    EXPECT_EQ(s.Button->BeginColor(), 0x445566);
    TSchalter copy2;
    RoundTrip(s, copy2);
    EXPECT_EQ(copy2.Look(), TSchalter::LookButton);
    EXPECT_TRUE(copy2.Button->isVisibleTo(&copy2));
    EXPECT_EQ(copy2.size(), QSize(90, 30));
    EXPECT_TRUE(copy2.State());
    EXPECT_EQ(copy2.Button->BeginColor(), 0x445566);
    copy2.SetEingeschaltet(false);
    EXPECT_EQ(copy2.Button->BeginColor(), 0x112233);
    EXPECT_EQ(copy2.Button->EndColor(), 0x445566);
}

TEST(Schalter, UserPicturesTravelInsideTheStream)
{
    TSchalter s;
    s.SetLook(TSchalter::LookUser);
    s.OnPicture = QImage(13, 7, QImage::Format_RGB32);
    s.OnPicture.fill(qRgb(10, 200, 30));
    s.OnPicture.setPixel(3, 4, qRgb(1, 2, 3));
    s.OffPicture = QImage(5, 9, QImage::Format_RGB32);
    s.OffPicture.fill(qRgb(200, 10, 30));
    s.resize(40, 30);
    TSchalter copy;
    RoundTrip(s, copy);
    EXPECT_EQ(copy.Look(), TSchalter::LookUser);
    EXPECT_EQ(copy.size(), QSize(40, 30));
    EXPECT_EQ(copy.OnPicture.convertToFormat(QImage::Format_RGB32), s.OnPicture);
    EXPECT_EQ(copy.OffPicture.convertToFormat(QImage::Format_RGB32), s.OffPicture);
}

TEST(Schalter, LampLookRecord)
{
    TSchalter s;
    s.SetLook(TSchalter::LookLamp);
    s.resize(40, 40);
    s.Lamp->SetLedPlasticColor(0x00FF00);
    s.Lamp->SetLedClass(ialcRound);
    s.Lamp->SetAngle(-900);
    s.Lamp->SetOuterBorderDepth(3);
    TSchalter copy;
    RoundTrip(s, copy);
    EXPECT_EQ(copy.Look(), TSchalter::LookLamp);
    EXPECT_EQ(copy.Lamp->LedPlasticColor(), 0x00FF00);
    EXPECT_EQ(copy.Lamp->LedClass(), ialcRound);
    EXPECT_EQ(copy.Lamp->Angle(), -900);
    EXPECT_EQ(copy.Lamp->OuterBorderDepth(), 3);
    EXPECT_TRUE(copy.Lamp->isVisibleTo(&copy));
    copy.SetEingeschaltet(true);
    EXPECT_TRUE(copy.Lamp->LedOn());
    EXPECT_EQ(copy.Lamp->OuterBorderStyle(), iablsDown);
}

TEST(Schalter, DamagedOrShortRecordsAreRefused)
{
    TSchalter s;
    s.SetLook(TSchalter::LookUser);
    s.OnPicture = QImage(4, 4, QImage::Format_RGB32);
    s.OnPicture.fill(Qt::red);
    s.OffPicture = s.OnPicture;
    TMemoryStream stream;
    {
        TWriter writer(stream);
        s.WriteData(stream, writer);
        writer.FlushBuffer();
    }
    const std::vector<Byte>& bytes = stream.Bytes();
    const std::size_t size = bytes.size();
    // The second picture's header: the first "BM" from the end.
    std::size_t second = size - 2;
    while (second > 0 && !(bytes[second] == 'B' && bytes[second + 1] == 'M')) --second;
    std::vector<Byte> huge = bytes;
    huge[second + 5] = 0x7F;   // claims about two gigabytes
    std::vector<Byte> notBmp = bytes;
    notBmp[second] = 'X';
    // Cut inside the pictures, an oversized and a foreign picture: each must
    // raise a read error, never crash.
    const std::vector<std::vector<Byte>> damaged = {
        std::vector<Byte>(bytes.begin(), bytes.end() - 1), std::vector<Byte>(bytes.begin(), bytes.end() - 60),
        std::vector<Byte>(bytes.begin(), bytes.begin() + second + 3), huge, notBmp};
    for (std::size_t k = 0; k < damaged.size(); ++k) {
        SCOPED_TRACE(k);
        TMemoryStream shortStream(damaged[k]);
        TSchalter copy;
        TReader reader(shortStream);
        EXPECT_THROW(copy.ReadData(shortStream, reader, 46), EReadError);
    }
}

} // namespace
