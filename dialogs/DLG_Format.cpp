#include "dialogs/DLG_Format.h"

#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

constexpr std::size_t ExamplePrefixLength = 10;

// n times the character, the last one replaced by "1": the smallest step.
AnsiString SmallestStep(Integer n, char fill)
{
    AnsiString s(std::size_t(std::max(n, 0)), fill);
    if (!s.empty())
        s.back() = '1';
    return s;
}

AnsiString Run(Integer n, char c)
{
    return AnsiString(std::size_t(std::max(n, 0)), c);
}

bool IsSignedKind(TFormatOptions options)
{
    return options.Contains(TFormatOption::Fixed) || options.Contains(TFormatOption::Float)
        || options.Contains(TFormatOption::Expo);
}

}   // namespace

TFormatExamples BuildFormatExamples(const TFormatExampleInput& in)
{
    TFormatExamples ex;
    ex.Min = ex.Max = in.Prefix.substr(0, ExamplePrefixLength);
    if (in.PlusSign && IsSignedKind(in.Options) && ex.Min.size() < ExamplePrefixLength) {
        ex.Min += '-';
        ex.Max += '+';
    }
    const TFormatOptions o = in.Options;
    if (o.Contains(TFormatOption::Unformatted)) {
        ex.Min += "\"String\"";
        ex.Max += "\"String\"";
    } else if (o.Contains(TFormatOption::Expo)) {
        ex.Min += "0," + SmallestStep(in.Digits - 1, '0') + "E-99";
        ex.Max += "9," + Run(in.Digits - 1, '9') + "E+99";
    } else if (o.Contains(TFormatOption::Float)) {
        ex.Min += "0," + SmallestStep(in.Digits - 1, '0');
        ex.Max += Run(in.Digits, '9');
    } else if (o.Contains(TFormatOption::Fixed)) {
        ex.Min += o.Contains(TFormatOption::NoZero) ? AnsiString("0") : Run(in.Before, '0');
        ex.Max += Run(in.Before, '9');
        if (in.After > 0) {
            ex.Min += "," + SmallestStep(in.After, '0');
            ex.Max += "," + Run(in.After, '9');
        }
    } else if (o.Contains(TFormatOption::Hexadecimal)) {
        ex.Min += Run(in.Digits, '0');
        ex.Max += Run(in.Digits, 'F');
    } else if (o.Contains(TFormatOption::Binary)) {
        ex.Min += Run(in.Digits, '0');
        ex.Max += Run(in.Digits, '1');
    }
    ex.Min += in.Suffix;
    ex.Max += in.Suffix;
    return ex;
}

namespace {

// The kinds in the order their buttons are checked when the dialog opens.
constexpr TFormatOption Kinds[] = {TFormatOption::Fixed, TFormatOption::Float, TFormatOption::Hexadecimal,
                                   TFormatOption::Binary, TFormatOption::Expo, TFormatOption::Unformatted};

QString Text(const char* ansi)
{
    return AnsiToQString(ansi);
}

TUCLSpinEdit* Spin(QWidget* parent, const char* name, int x, int y, Integer min, Integer max, Integer value)
{
    auto* spin = Place(new TUCLSpinEdit(parent), name, x, y, 49, 21);
    spin->SetMinValue(min);
    spin->SetMaxValue(max);
    spin->SetValue(value);
    return spin;
}

// The spin edit's value, brought into its range also when a typed number
// has not been clamped yet.
Integer SpinValue(TUCLSpinEdit* spin)
{
    return std::clamp(spin->Value(), spin->MinValue(), spin->MaxValue());
}

}   // namespace

TFormatDlg::TFormatDlg()
{
    setObjectName("FormatDlg");
    SetFormFont(*this, "MS Sans Serif", -11);
    setFixedSize(393, 300);
    SetCaption("Format");

    GroupBox1 = Place(new QGroupBox("Format", this), "GroupBox1", 8, 8, 241, 209);
    FixedBtn = Place(new QRadioButton(Text("Komma &fest:"), GroupBox1), "FixedBtn", 10, 34, 110, 17);
    Label1 = Place(new QLabel("Vorkomma", GroupBox1), "Label1", 124, 16, 52, 13);
    Label2 = Place(new QLabel("Nachkomma", GroupBox1), "Label2", 180, 16, 58, 13);
    VK = Spin(GroupBox1, "VK", 124, 32, 1, 12, 4);
    NK = Spin(GroupBox1, "NK", 180, 32, 0, 12, 2);
    Zero = Place(new QCheckBox(Text("führende &Nullen unterdrücken"_ansi), GroupBox1), "Zero", 26, 58, 200, 17);
    FloatBtn = Place(new QRadioButton(Text("&Fliesskomma:"), GroupBox1), "FloatBtn", 10, 86, 110, 17);
    Label3 = Place(new QLabel("Stellen", GroupBox1), "Label3", 180, 68, 58, 13);
    fStellen = Spin(GroupBox1, "fStellen", 180, 84, 2, 12, 4);
    HexBtn = Place(new QRadioButton("&Hex:", GroupBox1), "HexBtn", 10, 110, 110, 17);
    BinBtn = Place(new QRadioButton("&Bin:", GroupBox1), "BinBtn", 10, 130, 110, 17);
    ExpBtn = Place(new QRadioButton("&Exp:", GroupBox1), "ExpBtn", 10, 150, 110, 17);
    UnformBtn = Place(new QRadioButton("&Unformatiert/$String", GroupBox1), "UnformBtn", 10, 170, 200, 17);
    cbPlus = Place(new QCheckBox("&Pluszeichen anzeigen", this), "cbPlus", 16, 224, 230, 17);

    GroupBox2 = Place(new QGroupBox("Formatbeispiele", this), "GroupBox2", 256, 8, 129, 73);
    von = Place(new QLabel("Min.", GroupBox2), "von", 8, 24, 117, 16);
    bis = Place(new QLabel("Max.", GroupBox2), "bis", 8, 46, 117, 16);
    for (QLabel* example : {von, bis})
        SetFormFont(*example, "Courier New", -11);

    GroupBox3 = Place(new QGroupBox("Datenrahmen", this), "GroupBox3", 256, 88, 129, 129);
    Label4 = Place(new QLabel("Prefix:", GroupBox3), "Label4", 8, 20, 110, 13);
    PrefixEdit = Place(new QLineEdit(GroupBox3), "PrefixEdit", 8, 36, 113, 21);
    Label5 = Place(new QLabel("Suffix:", GroupBox3), "Label5", 8, 68, 110, 13);
    SuffixEdit = Place(new QLineEdit(GroupBox3), "SuffixEdit", 8, 84, 113, 21);

    cb_AllChannels = Place(new QCheckBox(Text("Format für alle Kanäle &übernehmen"_ansi), this), "cb_AllChannels",
                           16, 244, 230, 17);
    cb_AllChannels->hide();
    Button1 = Place(new QPushButton("&OK", this), "Button1", 224, 268, 75, 25);
    Button1->setDefault(true);
    SetModalResult(Button1, mrOk);
    Button2 = Place(new QPushButton("&Abbrechen", this), "Button2", 310, 268, 75, 25);
    SetModalResult(Button2, mrCancel);

    if (LanguageChoice() != 0) {
        const bool en = LanguageChoice() == 1;
        FixedBtn->setText(en ? "&Fixed:" : "&Fixe:");
        FloatBtn->setText(en ? "F&loat:" : "F&lottante:");
        UnformBtn->setText("&Unformated/$String");
        Zero->setText(Text(en ? "Suppress leading zero" : "Suppression zéro d´entête"_ansi));
        for (QLabel* label : {Label1, Label2, Label3})
            label->setText("Digits");
        cbPlus->setText(Text(en ? "Add ´+´ to positive values"_ansi : "Ajouter ´+´ aux valeurs positives"_ansi));
        GroupBox3->setTitle(en ? "Data frame" : "Trame");
        if (!en) {
            Label4->setText(Text("Préfixe"_ansi));
            Label5->setText("Suffixe");
        }
        GroupBox2->setTitle(en ? "Format examples" : "Exemples de format");
        cb_AllChannels->setText(Text(en ? "Assign format to &all channels" : "Assignez le format à &tous les canaux"_ansi));
        Button2->setText(en ? "&Cancel" : "&Annuler");
    }

    for (TFormatOption kind : Kinds)
        connect(KindButton(kind), &QRadioButton::clicked, this, [this, kind] { KindClicked(kind); });
    connect(Zero, &QCheckBox::clicked, this, [this] { ZeroClicked(); });
    connect(cbPlus, &QCheckBox::clicked, this, [this] { DoBereich(); });
    for (TUCLSpinEdit* spin : {VK, NK, fStellen})
        spin->OnChange = [this](TPersistent*) { DoBereich(); };
    for (QLineEdit* edit : {PrefixEdit, SuffixEdit})
        connect(edit, &QLineEdit::textChanged, this, [this] { DoBereich(); });
}

QRadioButton* TFormatDlg::KindButton(TFormatOption kind) const
{
    switch (kind) {
    case TFormatOption::Fixed: return FixedBtn;
    case TFormatOption::Float: return FloatBtn;
    case TFormatOption::Hexadecimal: return HexBtn;
    case TFormatOption::Binary: return BinBtn;
    case TFormatOption::Expo: return ExpBtn;
    default: return UnformBtn;
    }
}

void TFormatDlg::KindClicked(TFormatOption kind)
{
    const bool noZero = Options.Contains(TFormatOption::NoZero);
    Options = TFormatOptions{kind};
    if (noZero)
        Options.Include(TFormatOption::NoZero);
    const bool fixed = kind == TFormatOption::Fixed;
    for (QWidget* w : std::initializer_list<QWidget*>{Zero, VK, NK})
        w->setEnabled(fixed);
    fStellen->setEnabled(!fixed && kind != TFormatOption::Unformatted);
    DoBereich();
}

void TFormatDlg::ZeroClicked()
{
    if (Zero->isChecked())
        Options.Include(TFormatOption::NoZero);
    else
        Options.Exclude(TFormatOption::NoZero);
    DoBereich();
}

void TFormatDlg::DoBereich()
{
    TFormatExampleInput in;
    in.Options = Options;
    in.Before = SpinValue(VK);
    in.After = SpinValue(NK);
    in.Digits = SpinValue(fStellen);
    in.PlusSign = cbPlus->isChecked();
    in.Prefix = QStringToAnsi(PrefixEdit->text());
    in.Suffix = QStringToAnsi(SuffixEdit->text());
    const TFormatExamples ex = BuildFormatExamples(in);
    von->setText(AnsiToQString(ex.Min));
    bis->setText(AnsiToQString(ex.Max));
    cbPlus->setEnabled(FixedBtn->isChecked() || FloatBtn->isChecked() || ExpBtn->isChecked());
}

void TFormatDlg::showEvent(QShowEvent* event)
{
    const TFormatOptions loaded = Options;
    for (TFormatOption kind : Kinds)
        if (loaded.Contains(kind)) {
            KindButton(kind)->setChecked(true);
            KindClicked(kind);
        }
    Zero->setChecked(Options.Contains(TFormatOption::NoZero));
    DoBereich();
    TModalForm::showEvent(event);
}

void TFormatDlg::LoadFormat(const TFormat& format)
{
    Options = format.Options;
    const TFormatOptions o = format.Options;
    if (o.Contains(TFormatOption::Fixed)) {
        VK->SetValue(format.Digits);
        NK->SetValue(format.Decimals);
    }
    if (o.Contains(TFormatOption::Float) || o.Contains(TFormatOption::Hexadecimal)
        || o.Contains(TFormatOption::Binary) || o.Contains(TFormatOption::Expo))
        fStellen->SetValue(format.Digits);
    PrefixEdit->setText(AnsiToQString(format.Prefix));
    SuffixEdit->setText(AnsiToQString(format.Suffix));
    cbPlus->setChecked(format.PlusSign);
}

bool TFormatDlg::StoreFormat(TFormat& format)
{
    TFormat edited;
    edited.Assign(format);
    edited.Options = Options;
    if (Options.Contains(TFormatOption::Fixed)) {
        edited.Digits = SpinValue(VK);
        edited.Decimals = SpinValue(NK);
    }
    if (Options.Contains(TFormatOption::Float) || Options.Contains(TFormatOption::Hexadecimal)
        || Options.Contains(TFormatOption::Binary) || Options.Contains(TFormatOption::Expo))
        edited.Digits = SpinValue(fStellen);
    edited.Prefix = QStringToAnsi(PrefixEdit->text());
    edited.Suffix = QStringToAnsi(SuffixEdit->text());
    edited.PlusSign = cbPlus->isChecked();
    const bool changed = edited.Options != format.Options || edited.Digits != format.Digits
        || edited.Decimals != format.Decimals || edited.Prefix != format.Prefix || edited.Suffix != format.Suffix
        || edited.PlusSign != format.PlusSign;
    format.Assign(edited);
    return changed;
}
