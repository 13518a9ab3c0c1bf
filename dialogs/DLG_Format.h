// The number-format dialog: kind, digit counts, leading-zero suppression,
// plus sign, prefix and suffix of a TFormat, with two examples that show the
// smallest and the largest value the format can display.
#pragma once

#include "dialogs/ModalForm.h"
#include "engine/Formats.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TUCLSpinEdit;

// What the examples are built from: the dialog's settings as they stand.
struct TFormatExampleInput {
    TFormatOptions Options;
    Integer Before = 4;      // places before the point (fixed)
    Integer After = 2;       // places after the point (fixed)
    Integer Digits = 4;      // digit count of the other kinds
    bool PlusSign = false;
    AnsiString Prefix;
    AnsiString Suffix;
};

struct TFormatExamples {
    AnsiString Min;   // "von"
    AnsiString Max;   // "bis"
};

// The examples of the dialog; the decimal separator is always ",".
TFormatExamples BuildFormatExamples(const TFormatExampleInput& input);

class TFormatDlg : public TModalForm {
    Q_OBJECT
public:
    TFormatDlg();

    TFormatOptions Options;   // the option set being edited

    QGroupBox* GroupBox1;
    QRadioButton* FixedBtn;
    TUCLSpinEdit* VK;         // places before the point, 1..12
    TUCLSpinEdit* NK;         // places after the point, 0..12
    QLabel* Label1;
    QLabel* Label2;
    QCheckBox* Zero;
    QRadioButton* FloatBtn;
    TUCLSpinEdit* fStellen;   // digits, 2..12
    QLabel* Label3;
    QRadioButton* HexBtn;
    QRadioButton* BinBtn;
    QRadioButton* ExpBtn;
    QRadioButton* UnformBtn;
    QCheckBox* cbPlus;
    QGroupBox* GroupBox2;
    QLabel* von;
    QLabel* bis;
    QGroupBox* GroupBox3;
    QLabel* Label4;
    QLineEdit* PrefixEdit;
    QLabel* Label5;
    QLineEdit* SuffixEdit;
    QCheckBox* cb_AllChannels;
    QPushButton* Button1;     // OK
    QPushButton* Button2;     // Cancel

    // The format into the dialog: options, the digit counts of its kind,
    // prefix, suffix and plus sign.
    void LoadFormat(const TFormat& format);
    // The dialog into the format: the digit counts only of the kind chosen.
    // Whether anything changed.
    bool StoreFormat(TFormat& format);

    // Rebuilds von and bis from the settings as they stand.
    void DoBereich();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void KindClicked(TFormatOption kind);
    void ZeroClicked();
    QRadioButton* KindButton(TFormatOption kind) const;
};
