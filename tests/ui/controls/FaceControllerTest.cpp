#include "ui/controls/UCLFaceController.h"

#include "ui/controls/UCLBevel.h"
#include "ui/controls/UCLCaption.h"
#include "ui/controls/UCLEdit.h"
#include "ui/controls/UCLFillObject.h"
#include "ui/controls/UCLPanel.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const char* StateName(int index)
{
    return PredefinedStates()[index].Name;
}

// Flags in the order Focused, MouseAbove, Down, Modified, ReadOnly, WrongData,
// Disabled; 1 set, 2 clear.
TUCLStatePattern Flags(const char* set)
{
    TUCLStatePattern out{};
    for (int k = 0; k < 7; ++k)
        out[k] = set[k] == '1' ? 1 : 2;
    return out;
}

class TPanel : public TUCLSimplePanel {
public:
    using TUCLSimplePanel::TUCLSimplePanel;
};

}   // namespace

TEST(FaceController, StateMatchingTable)
{
    struct Case {
        const char* flags;   // F M D Mo R W Di
        const char* state;
    };
    const Case cases[] = {
        {"0000000", "Normal"},
        {"0000001", "Disabled"},
        {"1111111", "Disabled"},   // disabled wins over everything
        {"0000011", "Disabled"},
        {"0000010", "Error"},
        {"1100010", "Error"},      // wrong data before focus
        {"1000000", "Focused"},
        {"1100000", "Focused"},    // focused wins over the mouse above
        {"1000100", "Focused"},    // and over read-only
        {"1001000", "Focused"},
        {"0000100", "ReadOnly"},
        {"0100100", "ReadOnly"},
        {"0100000", "Hot"},
        {"0110000", "Hot"},        // pressed under the mouse is still hot
        {"0111000", "Hot"},
        {"0010000", "Pressed"},
        {"0011000", "Pressed"},
        {"0001000", "Modified"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(StateName(MatchControlState(Flags(c.flags))), c.state) << c.flags;
    // A pattern nothing matches (bytes other than 1 and 2) falls back to Normal.
    EXPECT_STREQ(StateName(MatchControlState(TUCLStatePattern{3, 3, 3, 3, 3, 3, 3})), "Normal");
    EXPECT_STREQ(ControlStateFlagNames()[5], "WrongData");
}

TEST(FaceController, FlagsComeFromTheControlsInterfaces)
{
    QWidget window;
    auto* edit = new TUCLEdit(&window);
    auto* other = new TUCLEdit(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_EQ(ControlStateFlags(edit), Flags("1000000"));
    edit->SetBooleanOption(1, true);   // read-only
    edit->SetBooleanOption(2, true);   // modified
    EXPECT_EQ(ControlStateFlags(edit), Flags("1001100"));
    other->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(ControlStateFlags(edit), Flags("0001100"));
    edit->setEnabled(false);
    EXPECT_EQ(ControlStateFlags(edit), Flags("0001101"));
    // A plain widget answers only what it has: enabled or not.
    QWidget plain;
    EXPECT_EQ(ControlStateFlags(&plain), Flags("0000000"));
}

TEST(FaceController, ControlsTakeTheSettingsOfTheirState)
{
    TUCLFaceController controller;
    auto* focusedColor = new TUCLColorObject;
    focusedColor->SetColor(0x00FFFF);
    auto* disabledColor = new TUCLColorObject;
    disabledColor->SetColor(0x808080);
    auto* bevel = new TUCLBevel;
    bevel->SetMode(TUCLBevelMode::bmEdge);
    auto* settings = new TUCLCtlSettings;
    settings->SetOption(0, true);
    auto* fx = new TUCLFxCaption;
    TUCLCFCSettingObjects& objects = controller.SettingObjects();
    objects.AddSetting(focusedColor, "Gelb");
    objects.AddSetting(disabledColor, "");
    objects.AddSetting(bevel, "Rahmen");
    objects.AddSetting(settings, "Durchsichtig");
    objects.AddSetting(fx, "Schrift");
    EXPECT_EQ(objects.Name(1), "TUCLColorObject0");
    TUCLCFCStateObject& disabled = controller.AddState();
    disabled.Kind = PredefinedStates()[0].Pattern;
    disabled.Settings = {"TUCLColorObject0", "Durchsichtig", "Schrift", "Fehlt"};
    TUCLCFCStateObject& normal = controller.AddState();
    normal.Settings = {"Rahmen", "Gelb"};
    TUCLCFCStateObject& normalAgain = controller.AddState();   // the first one of a kind counts
    normalAgain.Settings = {"Durchsichtig"};
    controller.BeginLoading();
    controller.Loaded();
    // Unknown names are gone after loading.
    EXPECT_EQ(disabled.Settings, (std::vector<AnsiString>{"TUCLColorObject0", "Durchsichtig", "Schrift"}));

    TPanel panel;
    panel.SetColor(0x123456);
    const TUCLBevel* ownBevel = &panel.Bevel();
    EXPECT_EQ(panel.CurrentColor(), 0x123456);
    panel.SetFaceController(&controller);
    EXPECT_EQ(controller.Controls(), std::vector<QWidget*>{&panel});
    // Normal: its colour and bevel; no setting of the other kinds.
    EXPECT_EQ(panel.CurrentColor(), 0x00FFFF);
    EXPECT_EQ(panel.CurrentBevel(), bevel);
    EXPECT_FALSE(panel.CurrentTransparent());
    EXPECT_EQ(panel.CurrentFont3D(), nullptr);
    EXPECT_EQ(controller.FindStateObject(&panel), &normal);
    // Disabled: the first colour in the list, transparency, the caption (an
    // effect caption is a 3D caption); the panel's own bevel again.
    panel.setEnabled(false);
    EXPECT_EQ(panel.CurrentColor(), 0x808080);
    EXPECT_TRUE(panel.CurrentTransparent());
    EXPECT_TRUE(panel.CurrentThemed());   // CtlXP of the settings object
    EXPECT_EQ(panel.CurrentFont3D(), fx);
    EXPECT_EQ(panel.CurrentBevel(), ownBevel);
    EXPECT_EQ(panel.CurrentFillObject(), nullptr);
    // No state object for the state: the control's own values.
    panel.setEnabled(true);
    controller.ClearStates();
    EXPECT_EQ(panel.CurrentColor(), 0x123456);
    EXPECT_EQ(panel.CurrentBevel(), ownBevel);
    EXPECT_EQ(controller.FindStateObject(&panel), nullptr);
    panel.SetFaceController(nullptr);
    EXPECT_TRUE(controller.Controls().empty());
}

TEST(FaceController, ControlsForgetAControllerThatGoes)
{
    TPanel panel;
    {
        TUCLFaceController controller;
        panel.SetFaceController(&controller);
    }
    EXPECT_EQ(panel.FaceController(), nullptr);
    auto* controller = new TUCLFaceController;
    {
        TPanel gone;
        gone.SetFaceController(controller);
    }
    EXPECT_TRUE(controller->Controls().empty());
    delete controller;
}

TEST(FaceController, SettingObjectsListAndSummaries)
{
    TUCLCFCSettingObjects objects;
    EXPECT_EQ(objects.AddSetting(nullptr, "x"), -1);
    objects.AddSetting(new TUCLColorObject, "");
    objects.AddSetting(new TUCLColorObject, "TUCLColorObject1");
    objects.AddSetting(new TUCLColorObject, "");
    EXPECT_EQ(objects.Name(0), "TUCLColorObject0");
    EXPECT_EQ(objects.Name(2), "TUCLColorObject2");
    EXPECT_EQ(objects.UniqueSettingName("A"), "A0");
    EXPECT_EQ(TUCLCFCSettingObjects::CreateSettingObject(TUCLObject::StaticClass()), nullptr);
    EXPECT_EQ(TUCLCFCSettingObjects::CreateSettingObject(TUCLBrush::StaticClass()), nullptr);
    std::unique_ptr<TUCLObject> font(TUCLCFCSettingObjects::CreateSettingObject(TUCLFontObject::StaticClass()));
    EXPECT_STREQ(font->ClassName(), "TFont");

    TUCLColorObject color;
    EXPECT_EQ(color.Color(), clBtnFace);
    EXPECT_EQ(color.SummaryText(), "clBtnFace");
    color.SetColor(0x123456);
    EXPECT_EQ(color.SummaryText(), "$00123456");
    TUCLCtlSettings ctl;
    EXPECT_EQ(ctl.SummaryText(), "Transp.: False, CtlXP: True");
    int changes = 0;
    ctl.OnChange = [&changes](TPersistent*) { ++changes; };
    ctl.SetOption(0, true);
    ctl.SetOption(0, true);   // unchanged: no change
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(ctl.SummaryText(), "Transp.: True, CtlXP: True");

    TUCLCFCSettingObjects copy;
    copy.AddSetting(new TUCLCtlSettings, "old");
    copy.Assign(objects);
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.Find("old"), nullptr);
    EXPECT_NE(copy.Object(1), objects.Object(1));
}

TEST(FaceController, KindPropertyKeepsOnlyPredefinedPatterns)
{
    // Written: a list of seven integers.
    TUCLFaceController controller;
    TUCLCFCStateObject& state = controller.AddState();
    state.Kind = PredefinedStates()[2].Pattern;   // Focused
    TMemoryStream written;
    {
        TWriter writer(written);
        state.WriteKind(writer);
    }
    EXPECT_EQ(written.Bytes(), (std::vector<Byte>{1, 2, 1, 2, 0, 2, 0, 2, 0, 2, 0, 2, 2, 2, 2, 0}));

    struct Case {
        std::vector<int> values;
        const char* state;
        bool error;
    };
    const Case cases[] = {
        {{1, 0, 0, 0, 0, 2, 2}, "Focused", false},
        {{0, 0, 0, 0, 0, 0, 1}, "Disabled", false},
        {{0, 0, 0, 0, 0, 1, 1}, "Normal", false},      // not predefined
        {{0, 0, 0, 0, 0, 0}, "Normal", false},         // short: the missing byte is 0
        {{}, "Normal", false},
        {{0, 0, 0, 0, 0, 0, 1, 0}, nullptr, true},     // more than seven
    };
    for (const Case& c : cases) {
        TMemoryStream stream;
        {
            TWriter writer(stream);
            writer.WriteValue(TValueType::vaList);
            for (int v : c.values)
                writer.WriteInteger(v);
            writer.WriteValue(TValueType::vaNull);
        }
        stream.SetPosition(0);
        state.Kind = PredefinedStates()[3].Pattern;
        TReader reader(stream);
        if (c.error) {
            EXPECT_THROW(state.ReadKind(reader), EReadError);
            continue;
        }
        state.ReadKind(reader);
        EXPECT_STREQ(StateName(MatchControlState(state.Kind)), c.state);
        EXPECT_EQ(state.Kind, NormalizeStatePattern(state.Kind));
    }
}

TEST(FaceController, SettingsBlockReadsBackAndRefusesDamage)
{
    TUCLFaceController source;
    auto* color = new TUCLColorObject;
    color->SetColor(0x00FF00);
    auto* ctl = new TUCLCtlSettings;
    ctl->SetOption(1, false);
    auto* bevel = new TUCLBevel;
    bevel->SetMode(TUCLBevelMode::bmCustom);
    bevel->SetStyleOuter(TUCLBevelStyle::bvRaised);
    bevel->SetWidthOuter(3);
    bevel->SetBorderSides(fsLeft | fsTop);
    auto* font = new TUCLFontObject;
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(17);
    f.setBold(true);
    font->SetFont(f, 0x0000FF);
    auto* caption = new TUCLFxCaption;
    caption->SetStyle(TUCLThreeDStyle::tdRaised);
    caption->SetAngle(90);
    source.SettingObjects().AddSetting(color, "Farbe");
    source.SettingObjects().AddSetting(ctl, "Stil");
    source.SettingObjects().AddSetting(bevel, "Rahmen");
    source.SettingObjects().AddSetting(font, "Schrift");
    source.SettingObjects().AddSetting(caption, "Effekt");
    source.SettingObjects().AddSetting(new TUCLFillObject, "Fuellung");
    const std::vector<Byte> block = source.SettingsBlock();
    ASSERT_GE(block.size(), 4u);
    EXPECT_EQ(std::string(block.begin(), block.begin() + 4), "TPF0");

    TUCLFaceController target;
    TUCLCFCStateObject& state = target.AddState();
    state.Settings = {"Rahmen", "Weg"};
    target.ReadSettingsBlock(block);
    const TUCLCFCSettingObjects& read = target.SettingObjects();
    ASSERT_EQ(read.Count(), 6);
    EXPECT_EQ(dynamic_cast<TUCLColorObject*>(read.Find("Farbe"))->Color(), 0x00FF00);
    EXPECT_FALSE(dynamic_cast<TUCLCtlSettings*>(read.Find("Stil"))->CtlXP());
    const auto* b = dynamic_cast<TUCLBevel*>(read.Find("Rahmen"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->StyleOuter(), TUCLBevelStyle::bvRaised);
    EXPECT_EQ(b->WidthOuter(), 3);
    EXPECT_EQ(b->BorderSides(), fsLeft | fsTop);
    const auto* ft = dynamic_cast<TUCLFontObject*>(read.Find("Schrift"));
    ASSERT_NE(ft, nullptr);
    EXPECT_EQ(ft->Font.pixelSize(), 17);
    EXPECT_TRUE(ft->Font.bold());
    EXPECT_EQ(ft->Color, 0x0000FF);
    const auto* cap = dynamic_cast<TUCLFxCaption*>(read.Find("Effekt"));
    ASSERT_NE(cap, nullptr);
    EXPECT_EQ(cap->Style(), TUCLThreeDStyle::tdRaised);
    EXPECT_EQ(cap->Angle(), 90);
    EXPECT_NE(dynamic_cast<TUCLFillObject*>(read.Find("Fuellung")), nullptr);
    EXPECT_EQ(state.Settings, std::vector<AnsiString>{"Rahmen"});   // relinked
    EXPECT_EQ(target.SettingsBlock(), block);

    // Every cut of the block, and a changed class name, is refused and
    // leaves the settings as they were.
    for (std::size_t cut = 0; cut < block.size(); cut += 7) {
        std::vector<Byte> damaged(block.begin(), block.begin() + cut);
        EXPECT_THROW(target.ReadSettingsBlock(damaged), EReadError) << cut;
        EXPECT_EQ(target.SettingObjects().Count(), 6);
    }
    std::vector<Byte> renamed = block;
    const std::string cls = "TUCLColorObject";
    auto at = std::search(renamed.begin(), renamed.end(), cls.begin(), cls.end());
    ASSERT_NE(at, renamed.end());
    at[4] = 'X';
    EXPECT_THROW(target.ReadSettingsBlock(renamed), EReadError);
    EXPECT_EQ(target.SettingObjects().Count(), 6);
    // An empty list: no "Settings" property at all.
    TUCLFaceController empty;
    TUCLFaceController fromEmpty;
    fromEmpty.ReadSettingsBlock(empty.SettingsBlock());
    EXPECT_EQ(fromEmpty.SettingObjects().Count(), 0);
}

TEST(FaceController, AssignCopiesSettingsAndRelinksStates)
{
    TUCLFaceController source;
    source.SettingObjects().AddSetting(new TUCLColorObject, "Farbe");
    TUCLCFCStateObject& state = source.AddState();
    state.Settings = {"Farbe"};
    source.ResolveAll();
    TUCLFaceController target;
    target.Assign(source);
    ASSERT_EQ(target.StateCount(), 1);
    EXPECT_EQ(target.State(0).Bound(0), target.SettingObjects().Find("Farbe"));
    EXPECT_NE(target.State(0).Bound(0), source.SettingObjects().Find("Farbe"));
}
