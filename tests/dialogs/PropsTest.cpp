#include "ui/controls/BitmapButton.h"
#include "dialogs/DLG_Default.h"
#include "dialogs/DLG_Format.h"
#include "dialogs/DLG_Sync.h"
#include "dialogs/PropEditors.h"
#include "engine/Hotkey.h"

#include "engine/Formats.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "ui/controls/UCLBrowseEdit.h"
#include "ui/controls/UCLFontPickers.h"
#include "ui/controls/UCLImageList.h"
#include "ui/controls/UCLImageListBox.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using TAction = TFormHook::TAction;

class PropertySheet : public ::testing::Test {
protected:
    void TearDown() override
    {
        LanguageIndex = 0;
        ResetGlobals();
    }

    // Shows the sheet; the actions act on it and on the sub-dialogs it opens,
    // in the order they are shown.
    Integer Run(std::vector<TAction> actions)
    {
        TFormHook hook(std::move(actions));
        return Dlg.ShowModal();
    }
    template <class E>
    E& Row(std::size_t index)
    {
        return dynamic_cast<E&>(*Dlg.Props->Rows.at(index)->Editor);
    }

    TDefault_Dlg Dlg;
};

void PressOk(TModalForm& form)
{
    QTest::mouseClick(static_cast<TDefault_Dlg&>(form).OKBtn, Qt::LeftButton);
}

void PressCancel(TModalForm& form)
{
    QTest::mouseClick(static_cast<TDefault_Dlg&>(form).CancelBtn, Qt::LeftButton);
}

// ---- Binding ------------------------------------------------------------------

struct TBound {
    AnsiString Text = "alt";
    bool Checked = false;
    Integer Item = 1;
    Integer Spin = 5;
    AnsiString From = "0";
    AnsiString To = "9";
    AnsiString EditCombo = "b";
    std::vector<AnsiString> Lines{"eins", "zwei"};
};

TEST_F(PropertySheet, RowsWriteTheirValuesBackOnOkOnly)
{
    for (bool ok : {false, true}) {
        TBound v;
        auto& p = *Dlg.Props;
        p.AddEdit("Text", v.Text, 0, 100);
        p.AddCheck("Check", v.Checked);
        p.AddCombo("Combo", v.Item, {"a", "b", "c"}, 64);
        p.AddSpin("Spin", v.Spin, 0, 10, 60);
        p.AddRange("Range", v.From, v.To, 0);
        p.AddEditCombo("EditCombo", v.EditCombo, {"a", "b"}, 80);
        p.AddMemo("Memo", v.Lines, 100, 40);
        const Integer result = Run({[&](TModalForm& form) {
            Row<TEditPropEditor>(0).Edit->setText(AnsiToQString("neu \xE4"));
            QTest::mouseClick(Row<TCheckPropEditor>(1).Check, Qt::LeftButton);
            Row<TComboPropEditor>(2).Combo->setCurrentIndex(2);
            Row<TSpinPropEditor>(3).Spin->SetValue(8);
            Row<TRangePropEditor>(4).FromEdit->setText("1");
            Row<TRangePropEditor>(4).ToEdit->setText("7");
            Row<TEditComboPropEditor>(5).Combo->setEditText("frei");
            Row<TMemoPropEditor>(6).Memo->setPlainText("x\ny\nz");
            ok ? PressOk(form) : PressCancel(form);
        }});
        EXPECT_EQ(result, ok ? mrOk : mrCancel);
        EXPECT_EQ(v.Text, ok ? "neu \xE4" : "alt");
        EXPECT_EQ(v.Checked, ok);
        EXPECT_EQ(v.Item, ok ? 2 : 1);
        EXPECT_EQ(v.Spin, ok ? 8 : 5);
        EXPECT_EQ(v.From, ok ? "1" : "0");
        EXPECT_EQ(v.To, ok ? "7" : "9");
        EXPECT_EQ(v.EditCombo, ok ? "frei" : "b");
        EXPECT_EQ(v.Lines, ok ? (std::vector<AnsiString>{"x", "y", "z"}) : (std::vector<AnsiString>{"eins", "zwei"}));
        EXPECT_TRUE(Dlg.Props->Rows.empty()) << "rows are freed after every showing";
        EXPECT_EQ(Dlg.Props->NextTop, 0);
    }
}

TEST_F(PropertySheet, RowsShowTheBoundValues)
{
    TBound v;
    v.Checked = true;
    auto& p = *Dlg.Props;
    p.AddEdit("Text", v.Text, 3, 100);
    p.AddCheck("Check", v.Checked);
    p.AddCombo("Combo", v.Item, {"a", "b", "c"}, 64);
    p.AddEditCombo("EditCombo", v.EditCombo, {"a", "b"}, 80);
    Run({[&](TModalForm&) {
        EXPECT_EQ(Row<TEditPropEditor>(0).Edit->text(), "alt");
        EXPECT_EQ(Row<TEditPropEditor>(0).Edit->maxLength(), 3);
        EXPECT_TRUE(Row<TCheckPropEditor>(1).Check->isChecked());
        EXPECT_EQ(Row<TComboPropEditor>(2).Combo->currentText(), "b");
        EXPECT_EQ(Row<TComboPropEditor>(2).Combo->width(), 64);
        EXPECT_EQ(Row<TEditComboPropEditor>(3).Combo->currentText(), "b");
    }});
}

TEST_F(PropertySheet, SpinAndComboRowsKeepTheirRanges)
{
    Integer spin = 50;
    Integer below = -3;
    Integer item = 7;   // no such item
    Dlg.Props->AddSpin("Spin", spin, 0, 10, 60);
    Dlg.Props->AddSpin("Below", below, 1, 10, 60);
    Dlg.Props->AddCombo("Combo", item, {"a", "b"}, 64);
    Run({[&](TModalForm& form) {
        EXPECT_EQ(Row<TSpinPropEditor>(0).Spin->Value(), 10);
        EXPECT_EQ(Row<TSpinPropEditor>(1).Spin->Value(), 1);
        EXPECT_EQ(Row<TComboPropEditor>(2).Combo->currentIndex(), -1);
        PressOk(form);
    }});
    EXPECT_EQ(spin, 10);
    EXPECT_EQ(below, 1);
    EXPECT_EQ(item, -1);
}

TEST_F(PropertySheet, DayTimeRowDropsTheDate)
{
    TDateTime time = 2.75;   // a date plus 18:00
    TDateTime second = 0.5 + (3 * 60 + 4) / 86400.0;
    Dlg.Props->AddDayTime("Zeit", time);
    Dlg.Props->AddDayTime("Zweite", second);
    Run({[&](TModalForm& form) {
        auto& ed = Row<TDayTimePropEditor>(1);
        EXPECT_EQ(ed.Hours->Value(), 12);
        EXPECT_EQ(ed.Minutes->Value(), 3);
        EXPECT_EQ(ed.Seconds->Value(), 4);
        EXPECT_EQ(ed.Hours->MaxValue(), 23);
        EXPECT_EQ(ed.Seconds->MaxValue(), 59);
        ed.Seconds->SetValue(30);
        PressOk(form);
    }});
    EXPECT_DOUBLE_EQ(time, 0.75);
    EXPECT_DOUBLE_EQ(second, (12 * 3600 + 3 * 60 + 30) / 86400.0);
}

TEST_F(PropertySheet, HotkeyRowEditsKeyModifiersAndAction)
{
    THotkey withActions;
    withActions.Key = 'B';
    withActions.Shift = ssCtrl | ssLeft;
    withActions.ActionIndex = 1;
    THotkey bare;
    bare.Key = 0x70;   // F1: not offered by the list
    bare.ActionIndex = 4;
    Dlg.Props->AddHotkey("Taste", withActions, {"Ein", "Aus", "Um"});
    Dlg.Props->AddHotkey("Andere", bare, {});
    Run({[&](TModalForm& form) {
        auto& a = Row<THotkeyPropEditor>(0);
        EXPECT_EQ(a.KeyList->count(), 38);
        EXPECT_EQ(a.KeyList->currentText(), " < B >");
        EXPECT_TRUE(a.CtrlBtn->isChecked());
        EXPECT_FALSE(a.AltBtn->isChecked());
        EXPECT_EQ(a.ActionList->currentText(), "Aus");
        a.KeyList->setCurrentIndex(37);
        QTest::mouseClick(a.AltBtn, Qt::LeftButton);
        a.ActionList->setCurrentIndex(2);

        auto& b = Row<THotkeyPropEditor>(1);
        EXPECT_EQ(b.KeyList->currentText(), "Kein");
        EXPECT_FALSE(b.ActionList->isVisibleTo(&b));
        PressOk(form);
    }});
    EXPECT_EQ(withActions.Key, ' ');
    EXPECT_EQ(withActions.Shift, ssCtrl | ssAlt);   // the mouse bit is gone
    EXPECT_EQ(withActions.ActionIndex, 2);
    EXPECT_EQ(bare.Key, 0);
    EXPECT_EQ(bare.ActionIndex, -1);
}

TEST_F(PropertySheet, ColourRowAsksTheColourChooserAndWritesBackOnOk)
{
    QTemporaryDir folder;
    SetProgramFolder(folder.path().toStdString() + "/");
    TColor colour = clRed;
    Dlg.Props->AddColor("Farbe", colour);
    TModalHook colours({TModalAnswer::Cancel(), TModalAnswer::Colour(clLime)});
    Run({[&](TModalForm& form) {
        auto& ed = Row<TColorPropEditor>(0);
        TProp& row = *Dlg.Props->Rows[0];
        EXPECT_EQ(ed.ColorBtn->Color(), clRed);
        QTest::mouseClick(ed.ColorBtn, Qt::LeftButton);
        EXPECT_TRUE(row.Changed);                    // marked even though cancelled
        EXPECT_EQ(ed.ColorBtn->Color(), clRed);
        QTest::mouseClick(ed.PropPanel, Qt::LeftButton, Qt::NoModifier, QPoint(60, 5));   // the value area
        EXPECT_EQ(ed.ColorBtn->Color(), clLime);
        EXPECT_EQ(colour, clRed);                    // not before OK
        PressOk(form);
    }});
    EXPECT_EQ(colour, clLime);
    ASSERT_EQ(colours.Requests().size(), 2u);
    EXPECT_EQ(colours.Requests()[0].Color, clRed);
    SetProgramFolder("");
}

TEST_F(PropertySheet, FontRowsEditNameSizeAndStyle)
{
    FontSource().Families = [] {
        return std::vector<std::pair<QString, int>>{{"Outline Sans", TrueTypeFontType}, {"Other Outline", TrueTypeFontType}};
    };
    FontSource().Faces = [](const QString&) { return std::vector<TUCLFontFace>{{true, 0}}; };
    TFont font;
    font.Name = "Outline Sans";
    font.Height = -16;   // 12 points
    font.Style = fsBold | fsUnderline;
    Dlg.Props->AddFontName("Schrift", font);
    Dlg.Props->AddFontStyle("Stil", font);
    Run({[&](TModalForm& form) {
        auto& name = Row<TFontNamePropEditor>(0);
        EXPECT_EQ(name.NameCombo->GetSelectedFont(), "Outline Sans");
        EXPECT_EQ(name.SizeCombo->GetFontSize(), 12);
        EXPECT_FALSE(name.NameCombo->Options() & foDisplaySymbol);
        EXPECT_EQ(name.NameCombo->width(), 220);
        EXPECT_EQ(name.SizeCombo->x(), 229);
        name.NameCombo->SelectFont("Other Outline");
        name.SizeCombo->SetFontSize(24);

        auto& style = Row<TFontStylePropEditor>(1);
        EXPECT_TRUE(style.BoldBtn->isChecked());
        EXPECT_TRUE(style.UnderBtn->isChecked());
        EXPECT_FALSE(style.ItalicBtn->isChecked());
        QTest::mouseClick(style.BoldBtn, Qt::LeftButton);
        QTest::mouseClick(style.StrikeBtn, Qt::LeftButton);
        PressOk(form);
    }});
    ResetFontSource();
    EXPECT_EQ(font.Name, "Other Outline");
    EXPECT_EQ(font.Height, -32);
    EXPECT_EQ(font.Style, fsUnderline | fsStrikeOut);
}

TEST_F(PropertySheet, ImageComboRowTakesThePictureHeight)
{
    TUCLImageList images;
    images.AddItem(new TUCLImageListItem(20, 12));
    Integer item = 1;
    Dlg.Props->AddImageCombo("Bild", item, {"a", "b"}, 90, &images);
    EXPECT_EQ(Dlg.Props->NextTop, 12 + 8);
    Run({[&](TModalForm& form) {
        auto& ed = Row<TImageComboPropEditor>(0);
        EXPECT_EQ(ed.Combo->ItemIndex(), 1);
        EXPECT_EQ(ed.Combo->ItemHeight(), 12);
        ed.Combo->SetItemIndex(0);
        PressOk(form);
    }});
    EXPECT_EQ(item, 0);
}

TEST_F(PropertySheet, FileRowsBrowseWithTheirFilterAndWriteBackOnOk)
{
    AnsiString openName = "alt.txt";
    AnsiString saveName = "alt.csv";
    Dlg.Props->AddFile("Quelle", openName, 0, 150, "Text|*.txt", "txt");
    Dlg.Props->AddSaveFile("Ziel", saveName, 100, 150, "CSV|*.csv", "csv");
    TModalHook files([](const TModalRequest& r) {
        return TModalAnswer::File(r.File.Kind == TFileDialogKind::Save ? "/daten/neu" : "/daten/messung.txt");
    });
    Run({[&](TModalForm& form) {
        auto& source = Row<TFilePropEditor>(0);
        EXPECT_EQ(source.FileEdit->Filename(), "alt.txt");
        EXPECT_EQ(source.FileEdit->width(), 150);
        EXPECT_EQ(Row<TSaveFilePropEditor>(1).FileEdit->MaxLength(), 100);
        source.FileEdit->ButtonClick();
        Row<TSaveFilePropEditor>(1).FileEdit->ButtonClick();
        EXPECT_EQ(openName, "alt.txt");   // not before OK
        PressOk(form);
    }});
    ASSERT_EQ(files.Requests().size(), 2u);
    EXPECT_EQ(files.Requests()[0].File.Kind, TFileDialogKind::Open);
    EXPECT_EQ(files.Requests()[0].File.Filter, "Text|*.txt");
    EXPECT_EQ(files.Requests()[1].File.Kind, TFileDialogKind::Save);
    EXPECT_EQ(openName, "/daten/messung.txt");
    EXPECT_EQ(saveName, "/daten/neu.csv");
}

// ---- Sub-dialog rows --------------------------------------------------------------

TEST_F(PropertySheet, FormatRowWritesTheFormatWhenItsDialogCloses)
{
    TFormat format;
    format.Options = {TFormatOption::Float};
    format.Digits = 4;
    TFormatProp* row = Dlg.Props->AddFormat("Anzeige", format);
    TFormat* appliedToAll = nullptr;
    row->OnApplyToAll = [&](TFormat& f) { appliedToAll = &f; };
    const Integer result = Run({
        [&](TModalForm&) {
            EXPECT_EQ(Row<TFormatPropEditor>(0).ValueLabel->text(), "Fliesskomma");
            QTest::mouseClick(Row<TFormatPropEditor>(0).ChangeBtn, Qt::LeftButton);
            EXPECT_TRUE(format.Options.Contains(TFormatOption::Hexadecimal));   // before the sheet's OK
            EXPECT_TRUE(row->Changed);
            EXPECT_EQ(Row<TFormatPropEditor>(0).ValueLabel->text(), "Hexadezimal");
            EXPECT_EQ(appliedToAll, &format);
        },
        [&](TModalForm& form) {
            auto& f = dynamic_cast<TFormatDlg&>(form);
            EXPECT_EQ(f.Caption(), "Anzeige");
            EXPECT_TRUE(f.cb_AllChannels->isVisibleTo(&f));
            f.HexBtn->click();
            f.fStellen->SetValue(6);
            f.cb_AllChannels->setChecked(true);
            QTest::mouseClick(f.Button1, Qt::LeftButton);
        },
    });
    EXPECT_EQ(result, mrCancel);   // the sheet was cancelled: the format keeps the dialog's values
    EXPECT_EQ(format.Options, (TFormatOptions{TFormatOption::Hexadecimal}));
    EXPECT_EQ(format.Digits, 6);
}

TEST_F(PropertySheet, FormatRowUnchangedByCancelOrAnUnchangedOk)
{
    TFormat format;
    TFormatProp* row = Dlg.Props->AddFormat("Anzeige", format);
    Run({[&](TModalForm&) {
             QTest::mouseClick(Row<TFormatPropEditor>(0).ValueLabel, Qt::LeftButton);
             QTest::mouseClick(Row<TFormatPropEditor>(0).ValueLabel, Qt::LeftButton);
             EXPECT_FALSE(row->Changed);
         },
         [](TModalForm& form) {
             auto& f = dynamic_cast<TFormatDlg&>(form);
             EXPECT_FALSE(f.cb_AllChannels->isVisibleTo(&f));   // no apply-to-all handler
             f.HexBtn->click();
             QTest::mouseClick(f.Button2, Qt::LeftButton);       // Cancel
         },
         [](TModalForm& form) { QTest::mouseClick(dynamic_cast<TFormatDlg&>(form).Button1, Qt::LeftButton); }});
    EXPECT_EQ(format.Options, (TFormatOptions{TFormatOption::Float}));
}

TEST_F(PropertySheet, SyncAndFrameRowsEditTheirTextsInTheirDialogs)
{
    AnsiString sync = "$0D";
    AnsiString prefix = "\"<\"";
    AnsiString suffix = "13";
    Dlg.Props->AddSync("Sync", sync);
    Dlg.Props->AddFrame("Rahmen", prefix, suffix);
    Run({[&](TModalForm& form) {
             EXPECT_EQ(Row<TSyncPropEditor>(0).ValueLabel->text(), "$0D");
             EXPECT_EQ(Row<TSyncPropEditor>(1).ValueLabel->text(), "\"<\" // 13");
             QTest::mouseClick(Row<TSyncPropEditor>(0).ChangeBtn, Qt::LeftButton);
             QTest::mouseClick(Row<TSyncPropEditor>(1).ChangeBtn, Qt::LeftButton);
             EXPECT_EQ(Row<TSyncPropEditor>(0).ValueLabel->text(), "$0A");
             EXPECT_EQ(Row<TSyncPropEditor>(1).ValueLabel->text(), "1 // 2");
             PressCancel(form);
         },
         [](TModalForm& form) {
             auto& d = dynamic_cast<TSync_Dlg&>(form);
             EXPECT_EQ(d.Caption(), "Sync");
             EXPECT_EQ(d.Definition(), "$0D");
             d.SetDefinition("$0A");
             QTest::mouseClick(d.Button2, Qt::LeftButton);
         },
         [](TModalForm& form) {
             auto& d = dynamic_cast<TFrame_Dlg&>(form);
             EXPECT_EQ(d.Prefix(), "\"<\"");
             EXPECT_EQ(d.Suffix(), "13");
             d.SetPrefix("1");
             d.SetSuffix("2");
             QTest::mouseClick(d.Button2, Qt::LeftButton);
         }});
    EXPECT_EQ(sync, "$0A");
    EXPECT_EQ(prefix, "1");
    EXPECT_EQ(suffix, "2");
}

TEST_F(PropertySheet, DialogRowShowsTheCallersForm)
{
    TModalForm form;
    Integer result = 0;
    TDialogProp* row = Dlg.Props->AddDialog("Tabelle", result, &form);
    std::vector<std::string> calls;
    row->OnBeforeShow = [&](TDialogProp* sender) {
        EXPECT_EQ(sender, row);
        calls.push_back("before");
    };
    row->OnAfterShow = [&](TDialogProp*) { calls.push_back("after"); };
    Run({[&](TModalForm& sheet) {
             EXPECT_EQ(Row<TDialogPropEditor>(0).ValueLabel->text(), "Bearbeiten");
             QTest::mouseClick(Row<TDialogPropEditor>(0).ValueLabel, Qt::LeftButton);
             EXPECT_EQ(result, mrCancel);
             EXPECT_FALSE(row->Changed);
             QTest::mouseClick(Row<TDialogPropEditor>(0).ChangeBtn, Qt::LeftButton);
             EXPECT_EQ(result, mrOk);
             EXPECT_TRUE(row->Changed);
             PressCancel(sheet);
         },
         [](TModalForm& f) { f.reject(); },
         [](TModalForm& f) {
             EXPECT_EQ(f.Caption(), "Tabelle");
             f.done(mrOk);
         }});
    EXPECT_EQ(calls, (std::vector<std::string>{"before", "after", "before", "after"}));
}

TEST_F(PropertySheet, DialogRowTakesTheCallersOwnClickAction)
{
    Integer result = 0;
    TDialogProp* row = Dlg.Props->AddDialog("Eigene", result, nullptr);
    int clicks = 0;
    row->OnClick = [&] { ++clicks; };
    Run({[&](TModalForm& sheet) {
        QTest::mouseClick(Row<TDialogPropEditor>(0).ValueLabel, Qt::LeftButton);
        QTest::mouseClick(Row<TDialogPropEditor>(0).ChangeBtn, Qt::LeftButton);
        PressOk(sheet);
    }});
    EXPECT_EQ(clicks, 2);
}

// ---- Sections and sizing ----------------------------------------------------------

struct TSections {
    AnsiString A, B, C;
    bool D = false;
};

TEST_F(PropertySheet, HeadingsCollapseAndOpenTheirSections)
{
    TSections v;
    auto& p = *Dlg.Props;
    p.AddCaption("Erste");
    p.AddEdit("A", v.A, 0, 80);
    p.AddCaption("Leer");
    p.AddCaption("Zweite.");
    p.AddEdit("B", v.B, 0, 80);
    p.AddCheck("D", v.D);
    int layoutChanges = 0;
    Run({[&](TModalForm& form) {
        p.OnLayoutChanged = [&, previous = p.OnLayoutChanged](TPropScrollbox* s) {
            ++layoutChanges;
            previous(s);
        };
        auto& first = Row<TCaptionPropEditor>(0);
        auto& empty = Row<TCaptionPropEditor>(2);
        auto& second = Row<TCaptionPropEditor>(3);
        EXPECT_EQ(second.Heading->text(), "Zweite");   // an open heading after the first loses its points
        const Integer full = p.NextTop;

        QTest::mouseClick(first.Heading, Qt::LeftButton);
        EXPECT_TRUE(first.Collapsed);
        EXPECT_EQ(first.Heading->text(), "Erste...");
        EXPECT_TRUE(Row<TEditPropEditor>(1).isHidden());
        EXPECT_EQ(p.NextTop, full - Row<TEditPropEditor>(1).height());
        EXPECT_EQ(empty.y(), first.height());
        EXPECT_EQ(layoutChanges, 1);

        QTest::mouseClick(empty.Heading, Qt::LeftButton);   // nothing below it: only its text
        EXPECT_EQ(empty.Heading->text(), "Leer...");
        EXPECT_FALSE(Row<TEditPropEditor>(4).isHidden());

        QTest::mouseClick(second.Heading, Qt::LeftButton);
        EXPECT_EQ(second.Heading->text(), "Zweite...");
        EXPECT_TRUE(Row<TEditPropEditor>(4).isHidden());
        EXPECT_TRUE(Row<TCheckPropEditor>(5).isHidden());

        QTest::mouseClick(first.Heading, Qt::LeftButton);
        EXPECT_FALSE(first.Collapsed);
        EXPECT_EQ(first.Heading->text(), "Erste");
        EXPECT_FALSE(Row<TEditPropEditor>(1).isHidden());
        EXPECT_TRUE(Row<TEditPropEditor>(4).isHidden());
        PressOk(form);
    }});
}

TEST_F(PropertySheet, CollapsingTheLastSectionScrollsToTheTop)
{
    std::vector<AnsiString> texts(40);
    auto& p = *Dlg.Props;
    for (int section = 0; section < 2; ++section) {
        p.AddCaption("Abschnitt");
        for (int i = 0; i < 20; ++i)
            p.AddEdit("Zeile", texts[section * 20 + i], 0, 80);
    }
    Run({[&](TModalForm& form) {
        QScrollBar* bar = p.verticalScrollBar();
        ASSERT_GT(bar->maximum(), 60);
        auto& first = Row<TCaptionPropEditor>(0);
        auto& last = Row<TCaptionPropEditor>(21);

        bar->setValue(60);
        QTest::mouseClick(first.Heading, Qt::LeftButton);   // an earlier section: the position stays
        EXPECT_EQ(bar->value(), std::min(60, bar->maximum()));
        QTest::mouseClick(first.Heading, Qt::LeftButton);

        bar->setValue(60);
        QTest::mouseClick(last.Heading, Qt::LeftButton);
        EXPECT_EQ(bar->value(), 0);
        PressOk(form);
    }});
}

TEST_F(PropertySheet, DialogSizesItselfToTheRows)
{
    // No rows: the width stays, the height is the button panel's.
    const int widthBefore = Dlg.width();
    Run({[&](TModalForm& form) {
        EXPECT_EQ(Dlg.height(), TDefault_Dlg::PanelHeight);
        EXPECT_EQ(Dlg.width(), widthBefore);
        PressOk(form);
    }});

    AnsiString a, b;
    Dlg.Props->AddEdit("Kurz", a, 0, 50);
    Dlg.Props->AddEdit("Eine deutlich l\xE4ngere Beschriftung", b, 0, 300);
    Run({[&](TModalForm& form) {
        auto& shortRow = Row<TEditPropEditor>(0);
        auto& longRow = Row<TEditPropEditor>(1);
        const QFontMetrics fm = longRow.NameLabel->fontMetrics();
        const int nameWidth = std::max(fm.horizontalAdvance(longRow.NameLabel->text()) + 10, 100);
        EXPECT_EQ(shortRow.NameWidth(), nameWidth);
        EXPECT_EQ(longRow.NameWidth(), nameWidth);
        EXPECT_EQ(longRow.width(), nameWidth + 4 + 300 + 4);   // the edit's right edge + 4
        EXPECT_EQ(shortRow.width(), longRow.width());
        EXPECT_EQ(Dlg.width(), longRow.width());
        EXPECT_EQ(Dlg.height(), Dlg.Props->NextTop + TDefault_Dlg::PanelHeight);
        EXPECT_EQ(longRow.y(), shortRow.height());
        PressOk(form);
    }});
}

TEST_F(PropertySheet, NarrowRowsGetTheMinimumColumns)
{
    bool flag = false;
    Dlg.Props->AddCheck("X", flag);
    Run({[&](TModalForm& form) {
        auto& row = Row<TCheckPropEditor>(0);
        EXPECT_EQ(row.NameWidth(), 100);   // at least 100 for the names
        EXPECT_EQ(row.width(), 200);       // and at least 100 for the values
        EXPECT_EQ(Dlg.width(), 200);
        PressOk(form);
    }});
}

TEST_F(PropertySheet, TooManyRowsGetAScrollBarAndAWiderDialog)
{
    std::vector<AnsiString> texts(60);
    for (auto& t : texts)
        Dlg.Props->AddEdit("Zeile", t, 0, 80);
    Run({[&](TModalForm& form) {
        const int rowWidth = Row<TEditPropEditor>(0).width();
        EXPECT_LT(Dlg.height(), Dlg.Props->NextTop + TDefault_Dlg::PanelHeight);
        EXPECT_EQ(Dlg.width(), rowWidth + TDefault_Dlg::ScrollBarAllowance);
        PressOk(form);
    }});
}

TEST_F(PropertySheet, CaptionLineBreakBecomesABlank)
{
    Dlg.SetCaption("Zwei\rZeilen\rmehr");
    Run({[&](TModalForm& form) {
        EXPECT_EQ(Dlg.Caption(), "Zwei Zeilen\rmehr");
        PressOk(form);
    }});
}

TEST_F(PropertySheet, FirstEditorGetsTheFocus)
{
    bool flag = false;
    AnsiString text;
    Dlg.Props->AddCaption("Kopf");
    Dlg.Props->AddEdit("Text", text, 0, 80);
    Dlg.Props->AddCheck("Check", flag);
    Run({[&](TModalForm& form) {
        EXPECT_EQ(Dlg.focusWidget(), Row<TEditPropEditor>(1).Edit);
        PressOk(form);
    }});
}

TEST_F(PropertySheet, OptionsSectionOnlyWhileStopped)
{
    AnsiString name = "AND";
    bool adjustable = false;
    const struct {
        bool Running, RunOnly;
        std::size_t Rows;
    } cases[] = {{false, false, 3}, {true, false, 0}, {false, true, 0}};
    for (const auto& c : cases) {
        SimulationRunning = c.Running;
        RunOnlyMode = c.RunOnly;
        Dlg.Props->AddOptionsSection(name, adjustable);
        EXPECT_EQ(Dlg.Props->Rows.size(), c.Rows);
        Dlg.Props->Clear();
    }
    SimulationRunning = RunOnlyMode = false;
    LanguageIndex = 1;
    Dlg.Props->AddOptionsSection(name, adjustable);
    Run({[&](TModalForm& form) {
        EXPECT_EQ(Row<TCaptionPropEditor>(0).Heading->text(), "Options");
        EXPECT_EQ(Row<TEditPropEditor>(1).NameLabel->text(), "Name");
        EXPECT_EQ(Row<TEditPropEditor>(1).Edit->width(), 120);
        EXPECT_EQ(Row<TCheckPropEditor>(2).NameLabel->text(), "Configurable at run-time");
        Row<TEditPropEditor>(1).Edit->setText("UND1");
        QTest::mouseClick(Row<TCheckPropEditor>(2).Check, Qt::LeftButton);
        PressOk(form);
    }});
    EXPECT_EQ(name, "UND1");
    EXPECT_TRUE(adjustable);
}

TEST_F(PropertySheet, ButtonsFollowTheLanguageAndThePinButtonHidesAfterClosing)
{
    for (Integer language : {0, 1, 2}) {
        LanguageIndex = language;
        TDefault_Dlg dlg;
        const char* cancel[] = {"&Abbrechen", "&Cancel", "&Annuler"};
        const char* pins[] = {"Anschl\xFCsse...", "Pins connections...", "Raccordements..."};
        EXPECT_EQ(QStringToAnsi(dlg.CancelBtn->text()), cancel[language]);
        EXPECT_EQ(QStringToAnsi(dlg.PinBtn->toolTip()), pins[language]);
    }
    std::vector<AnsiString> shown;
    PinPortDialogLink().Show = [&](const AnsiString& caption) { shown.push_back(caption); };
    Dlg.SetCaption("Ger\xE4t");
    Dlg.PinBtn->show();
    Run({[&](TModalForm& form) {
        QTest::mouseClick(Dlg.PinBtn, Qt::LeftButton);
        PressOk(form);
    }});
    PinPortDialogLink().Show = nullptr;
    EXPECT_EQ(shown, std::vector<AnsiString>{"Ger\xE4t"});
    EXPECT_TRUE(Dlg.PinBtn->isHidden());
}

TEST_F(PropertySheet, HelpButtonOnlyWithAHelpContextOutsideRunOnlyCopies)
{
    const struct {
        Integer Context;
        bool RunOnly;
        bool Button;
    } cases[] = {{18235, false, true}, {0, false, false}, {18235, true, false}};
    for (const auto& c : cases) {
        RunOnlyMode = c.RunOnly;
        Dlg.SetHelpContext(c.Context);
        Run({[&](TModalForm& form) {
            EXPECT_EQ(bool(Dlg.windowFlags() & Qt::WindowContextHelpButtonHint), c.Button);
            PressOk(form);
        }});
    }
}

// ---- Links ----------------------------------------------------------------------

TEST(PropLinks, MailAddresses)
{
    const struct {
        const char* Text;
        bool Mail;
    } cases[] = {
        {"a@b.c", true}, {"@b.c", false}, {"a@.b.c", false}, {"a@b", false}, {"abc", false},
        {"info@firma.de", true}, {"", false}, {"a.b@c", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsMailAddress(c.Text), c.Mail) << c.Text;
}

TEST(PropLinks, EditRowShowsItsLinkButtonForAddressesFilesAndMail)
{
    QTemporaryDir folder;
    const AnsiString file = folder.path().toStdString() + "/Liste.txt";
    QFile(QString::fromStdString(file)).open(QIODevice::WriteOnly);
    const struct {
        AnsiString Text;
        bool Link;
    } cases[] = {
        {"www.example.org", true}, {"Siehe WwW.Example.org", true}, {"http://localhost", true},
        {"https://localhost", false}, {file, true}, {"Pumpe 3", false}, {"a@b.c", true}, {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsLinkText(c.Text), c.Link) << c.Text;

    TDefault_Dlg dlg;
    AnsiString text = "Pumpe 3";
    TPropEditor* row = dlg.Props->AddEditEx("Notiz", text, 0, 100);
    auto& edit = dynamic_cast<TEditPropEditor&>(*row);
    EXPECT_TRUE(row->ChangeBtn->isHidden());
    EXPECT_EQ(row->ChangeBtn->parentWidget(), row->NamePanel);
    edit.Edit->setText("www.example.org");
    EXPECT_FALSE(row->ChangeBtn->isHidden());

    EXPECT_EQ(LinkUrl("info@firma.de"), QUrl("mailto:info@firma.de"));
    EXPECT_EQ(LinkUrl("www.example.org"), QUrl("http://www.example.org"));
    EXPECT_EQ(LinkUrl(file), QUrl::fromLocalFile(QString::fromStdString(file)));
}

}   // namespace

TEST(TextRowSheet, OneRowWithTheTitleTheHelpAndTheLength)
{
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        AnsiString name = "Filter";
        QString title;
        Integer help = 0;
        int maxLength = 0;
        std::size_t rows = 0;
        TFormHook hook({[&](TModalForm& form) {
            auto& dlg = static_cast<TDefault_Dlg&>(form);
            title = dlg.windowTitle();
            help = dlg.HelpContext();
            rows = dlg.Props->Rows.size();
            auto& row = dynamic_cast<TEditPropEditor&>(*dlg.Props->Rows.at(0)->Editor);
            maxLength = row.Edit->maxLength();
            row.Edit->setText("Tiefpass");
            (ok ? PressOk : PressCancel)(form);
        }});
        EXPECT_EQ(EditTextRow("Makro", 13010, "Bezeichnung", name, 10, 64), ok ? 1 : 2);
        EXPECT_EQ(title, QStringLiteral("Makro"));
        EXPECT_EQ(help, 13010);
        EXPECT_EQ(rows, 1u);
        EXPECT_EQ(maxLength, 10);
        EXPECT_EQ(name, ok ? "Tiefpass" : "Filter");
    }
}

namespace {

// The label's sheet shows its height as the size and gives the chosen size
// back as a positive height; the text is cut to 50 and changes on OK only.
TEST(TextLabelSheet, SizeBecomesTheHeightAndTheTextIsCut)
{
    FontSource().Families = [] { return std::vector<std::pair<QString, int>>{{"Arial", TrueTypeFontType}}; };
    FontSource().Faces = [](const QString&) { return std::vector<TUCLFontFace>{{true, 0}}; };
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        AnsiString text = "Text";
        TFont font;
        font.Name = "Arial";
        font.Height = -27;
        QString title;
        Integer help = -1;
        QStringList captions;
        int shownSize = 0;
        int maxLength = 0;
        TFormHook hook({[&](TModalForm& form) {
            auto& dlg = static_cast<TDefault_Dlg&>(form);
            title = dlg.windowTitle();
            help = dlg.HelpContext();
            for (const auto& row : dlg.Props->Rows)
                captions << row->Editor->NameLabel->text();
            auto& edit = dynamic_cast<TEditPropEditor&>(*dlg.Props->Rows.at(0)->Editor);
            maxLength = edit.Edit->maxLength();
            edit.Edit->setText(QString(60, 'x'));
            auto& names = dynamic_cast<TFontNamePropEditor&>(*dlg.Props->Rows.at(2)->Editor);
            shownSize = names.SizeCombo->GetFontSize();
            names.SizeCombo->SetFontSize(30);
            QTest::mouseClick(ok ? dlg.OKBtn : dlg.CancelBtn, Qt::LeftButton);
        }});
        EXPECT_EQ(EditTextLabel(text, font), ok ? 1 : 2);
        EXPECT_EQ(title, QStringLiteral("Text"));
        EXPECT_EQ(help, 0);
        EXPECT_EQ(captions, (QStringList{"Text", "Schriftart", "Name", "Stil", "Farbe"}));
        EXPECT_EQ(shownSize, 27);
        EXPECT_EQ(maxLength, 50);
        EXPECT_EQ(font.Height, ok ? 30 : 27);
        EXPECT_EQ(text, ok ? std::string(50, 'x') : "Text");
    }
    ResetFontSource();
}

} // namespace
