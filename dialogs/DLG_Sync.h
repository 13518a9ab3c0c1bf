// The two dialogs that edit byte-sequence definitions with a live
// hexadecimal preview: a synchronisation sequence (TSync_Dlg) and the prefix
// and suffix sent around a value (TFrame_Dlg). The property sheet's
// byte-sequence and frame rows create one for a single showing.
#pragma once

#include "dialogs/ModalForm.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// What both dialogs share: the explanation, the preview and the buttons.
class TByteSequenceDlg : public TModalForm {
    Q_OBJECT
public:
    QLabel* Monitor;
    QPlainTextEdit* MonitorMemo;   // the preview, one line
    QPlainTextEdit* Memo1;         // how to write a definition
    QPushButton* Button1;          // Cancel
    QPushButton* Button2;          // OK

    AnsiString PreviewLine() const;

protected:
    TByteSequenceDlg(int width, int height, int editsBottom);
    // An edit for a definition of at most 200 characters, its label above it.
    QLineEdit* AddDefinitionEdit(const char* name, QLabel*& label, int top);
    void SetTexts(const char* caption, const char* monitor, std::initializer_list<const char*> explanation);
    // " " and two hexadecimal digits per byte of the definition.
    static AnsiString DefinitionPreview(const AnsiString& definition);
    // At most 255 characters of the line.
    void ShowPreview(AnsiString line);
    virtual void UpdatePreview() = 0;
    void showEvent(QShowEvent* event) override;
};

class TSync_Dlg : public TByteSequenceDlg {
    Q_OBJECT
public:
    explicit TSync_Dlg();

    QLabel* Label1;
    QLineEdit* SynchronEdit;

    AnsiString Definition() const;
    void SetDefinition(const AnsiString& text);

protected:
    void UpdatePreview() override;
};

class TFrame_Dlg : public TByteSequenceDlg {
    Q_OBJECT
public:
    explicit TFrame_Dlg();

    QLabel* Label1;
    QLineEdit* PrefixEdit;
    QLabel* Label2;
    QLineEdit* SuffixEdit;

    AnsiString Prefix() const;
    AnsiString Suffix() const;
    void SetPrefix(const AnsiString& text);
    void SetSuffix(const AnsiString& text);

protected:
    void UpdatePreview() override;
};
