#include "dialogs/DLG_Format.h"

#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using O = TFormatOption;

TFormatExampleInput In(TFormatOptions options, Integer before, Integer after, Integer digits, bool plus = false,
                       const char* prefix = "", const char* suffix = "")
{
    return {options, before, after, digits, plus, prefix, suffix};
}

struct TExampleCase {
    const char* Name;
    TFormatExampleInput Input;
    const char* Min;
    const char* Max;
};

TEST(FormatExamples, ShowTheSmallestAndLargestValue)
{
    const TExampleCase cases[] = {
        {"float 4", In({O::Float}, 4, 2, 4), "0,001", "9999"},
        {"expo 4", In({O::Expo}, 4, 2, 4), "0,001E-99", "9,999E+99"},
        {"expo 2", In({O::Expo}, 4, 2, 2), "0,1E-99", "9,9E+99"},
        {"fixed 4.2", In({O::Fixed}, 4, 2, 4), "0000,01", "9999,99"},
        {"fixed 4.2 no zeros", In({O::Fixed, O::NoZero}, 4, 2, 4), "0,01", "9999,99"},
        {"fixed 3.0", In({O::Fixed}, 3, 0, 4), "000", "999"},
        {"fixed 3.0 no zeros", In({O::Fixed, O::NoZero}, 3, 0, 4), "0", "999"},
        {"hex 4", In({O::Hexadecimal}, 4, 2, 4), "0000", "FFFF"},
        {"binary 3", In({O::Binary}, 4, 2, 3), "000", "111"},
        {"unformatted", In({O::Unformatted}, 4, 2, 4, false, "T=", "!"), "T=\"String\"!", "T=\"String\"!"},
        {"frame", In({O::Float}, 4, 2, 3, false, "U=", " V"), "U=0,01 V", "U=999 V"},
        {"plus sign", In({O::Fixed}, 2, 1, 4, true, "U=", "V"), "U=-00,1V", "U=+99,9V"},
        {"plus sign float", In({O::Float}, 2, 1, 2, true), "-0,1", "+99"},
        {"plus sign expo", In({O::Expo}, 2, 1, 2, true), "-0,1E-99", "+9,9E+99"},
        {"no plus sign for hex", In({O::Hexadecimal}, 4, 2, 2, true), "00", "FF"},
        {"no plus sign for unformatted", In({O::Unformatted}, 4, 2, 2, true), "\"String\"", "\"String\""},
        {"prefix of 10: no sign", In({O::Float}, 4, 2, 2, true, "0123456789"), "01234567890,1", "012345678999"},
        {"prefix of 9: sign", In({O::Float}, 4, 2, 2, true, "012345678"), "012345678-0,1", "012345678+99"},
        {"long prefix cut", In({O::Hexadecimal}, 4, 2, 1, false, "ABCDEFGHIJKL"), "ABCDEFGHIJ0", "ABCDEFGHIJF"},
        {"no kind", In({}, 4, 2, 4, true, "P", "S"), "PS", "PS"},
    };
    for (const auto& c : cases) {
        const TFormatExamples ex = BuildFormatExamples(c.Input);
        EXPECT_EQ(ex.Min, c.Min) << c.Name;
        EXPECT_EQ(ex.Max, c.Max) << c.Name;
    }
}


AnsiString Shown(QLabel* label)
{
    return QStringToAnsi(label->text());
}

TFormat MakeFormat(TFormatOptions options, Integer digits, Integer decimals)
{
    TFormat f;
    f.Options = options;
    f.Digits = digits;
    f.Decimals = decimals;
    return f;
}

// A dialog loaded from the format and shown, as the format row does it.
struct TShownFormatDlg {
    TFormatDlg Dlg;
    explicit TShownFormatDlg(const TFormat& format)
    {
        Dlg.LoadFormat(format);
        Dlg.show();
    }
};

TEST(FormatDialog, OpensWithTheFormatAndShowsItsExamples)
{
    TShownFormatDlg d(MakeFormat({O::Fixed}, 3, 0));
    EXPECT_TRUE(d.Dlg.FixedBtn->isChecked());
    EXPECT_EQ(Shown(d.Dlg.von), "000");
    EXPECT_EQ(Shown(d.Dlg.bis), "999");
    QTest::mouseClick(d.Dlg.Zero, Qt::LeftButton);
    EXPECT_TRUE(d.Dlg.Options.Contains(O::NoZero));
    EXPECT_EQ(Shown(d.Dlg.von), "0");

    d.Dlg.NK->SetValue(2);   // a spin change rebuilds the examples
    EXPECT_EQ(Shown(d.Dlg.von), "0,01");
    EXPECT_EQ(Shown(d.Dlg.bis), "999,99");
    d.Dlg.SuffixEdit->setText(" V");
    EXPECT_EQ(Shown(d.Dlg.bis), "999,99 V");
    EXPECT_FALSE(d.Dlg.cb_AllChannels->isVisibleTo(&d.Dlg));
}

TEST(FormatDialog, KindButtonsKeepZeroSuppressionAndEnableTheirControls)
{
    TShownFormatDlg d(MakeFormat({O::Fixed, O::NoZero}, 4, 2));
    EXPECT_TRUE(d.Dlg.Zero->isChecked());
    d.Dlg.HexBtn->click();
    EXPECT_EQ(d.Dlg.Options, (TFormatOptions{O::Hexadecimal, O::NoZero}));
    EXPECT_FALSE(d.Dlg.VK->isEnabled());
    EXPECT_FALSE(d.Dlg.Zero->isEnabled());
    EXPECT_TRUE(d.Dlg.fStellen->isEnabled());
    EXPECT_FALSE(d.Dlg.cbPlus->isEnabled());
    d.Dlg.FixedBtn->click();
    EXPECT_EQ(d.Dlg.Options, (TFormatOptions{O::Fixed, O::NoZero}));
    EXPECT_TRUE(d.Dlg.VK->isEnabled());
    EXPECT_TRUE(d.Dlg.cbPlus->isEnabled());

    d.Dlg.UnformBtn->click();
    for (QWidget* w : std::initializer_list<QWidget*>{d.Dlg.Zero, d.Dlg.VK, d.Dlg.NK, d.Dlg.fStellen, d.Dlg.cbPlus})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_EQ(Shown(d.Dlg.von), "\"String\"");
}

TEST(FormatDialog, StoresTheDigitsOfTheChosenKindWithinTheSpinRanges)
{
    TFormat hex = MakeFormat({O::Hexadecimal}, 1, 7);
    hex.Prefix = "0x";
    TShownFormatDlg d(hex);
    EXPECT_EQ(d.Dlg.fStellen->Value(), 2);   // 1 digit lies outside 2..12
    EXPECT_TRUE(d.Dlg.StoreFormat(hex));
    EXPECT_EQ(hex.Digits, 2);
    EXPECT_EQ(hex.Decimals, 7);              // not a digit count of this kind
    EXPECT_EQ(hex.Prefix, "0x");
    EXPECT_FALSE(d.Dlg.StoreFormat(hex));    // nothing changed the second time

    TFormat wide = MakeFormat({O::Fixed}, 20, 3);
    TShownFormatDlg w(wide);
    EXPECT_EQ(w.Dlg.VK->Value(), 12);
    QTest::mouseClick(w.Dlg.cbPlus, Qt::LeftButton);
    EXPECT_TRUE(w.Dlg.StoreFormat(wide));
    EXPECT_EQ(wide.Digits, 12);
    EXPECT_EQ(wide.Decimals, 3);
    EXPECT_TRUE(wide.PlusSign);
}

TEST(FormatDialog, TextsFollowTheLanguage)
{
    const struct {
        Integer Language;
        const char* Fixed;
        const char* Prefix;
        const char* Examples;
        const char* Cancel;
    } cases[] = {
        {0, "Komma &fest:", "Prefix:", "Formatbeispiele", "&Abbrechen"},
        {1, "&Fixed:", "Prefix:", "Format examples", "&Cancel"},
        {2, "&Fixe:", "Pr\xE9" "fixe", "Exemples de format", "&Annuler"},
    };
    for (const auto& c : cases) {
        LanguageIndex = c.Language;
        TFormatDlg dlg;
        EXPECT_EQ(QStringToAnsi(dlg.FixedBtn->text()), c.Fixed);
        EXPECT_EQ(QStringToAnsi(dlg.Label4->text()), c.Prefix);
        EXPECT_EQ(QStringToAnsi(dlg.GroupBox2->title()), c.Examples);
        EXPECT_EQ(QStringToAnsi(dlg.Button2->text()), c.Cancel);
        EXPECT_EQ(dlg.Caption(), "Format");
        EXPECT_EQ(QStringToAnsi(dlg.HexBtn->text()), "&Hex:");
    }
    LanguageIndex = 0;
}

}   // namespace
