#include "dialogs/DLG_Sync.h"

#include "engine/AnsiLiteral.h"
#include "engine/ByteDefinition.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

constexpr int DefinitionMaxLength = 200;
constexpr std::size_t PreviewMaxLength = 255;
constexpr int Margin = 8;

}   // namespace

TByteSequenceDlg::TByteSequenceDlg(int width, int height, int editsBottom)
{
    SetFormFont(*this, "MS Sans Serif", -11);
    setFixedSize(width, height);
    const int inner = width - 2 * Margin;

    Monitor = new QLabel(this);
    Monitor->setObjectName("Monitor");
    Monitor->move(Margin, editsBottom + 7);
    MonitorMemo = new QPlainTextEdit(this);
    MonitorMemo->setObjectName("MonitorMemo");
    MonitorMemo->setReadOnly(true);
    MonitorMemo->setGeometry(Margin, editsBottom + 23, inner, 40);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    const int memoTop = editsBottom + 71;
    Memo1->setGeometry(Margin, memoTop, inner, height - 42 - memoTop);

    Button2 = new QPushButton("&OK", this);
    Button2->setObjectName("Button2");
    Button2->setDefault(true);
    Button2->setGeometry(width - 2 * 75 - Margin - 8, height - 33, 75, 25);
    SetModalResult(Button2, mrOk);
    Button1 = new QPushButton(this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(width - 75 - Margin, height - 33, 75, 25);
    Button1->setText(AnsiToQString(ByLanguage("&Abbrechen", "&Cancel", "&Annuler")));
    SetModalResult(Button1, mrCancel);
}

QLineEdit* TByteSequenceDlg::AddDefinitionEdit(const char* name, QLabel*& label, int top)
{
    label = new QLabel(this);
    label->move(Margin, top);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(DefinitionMaxLength);
    edit->setGeometry(Margin, top + 16, width() - 2 * Margin, 21);
    connect(edit, &QLineEdit::textChanged, this, [this] { UpdatePreview(); });
    return edit;
}

void TByteSequenceDlg::SetTexts(const char* caption, const char* monitor,
                                std::initializer_list<const char*> explanation)
{
    SetCaption(caption);
    Monitor->setText(AnsiToQString(monitor));
    Monitor->adjustSize();
    QStringList lines;
    for (const char* line : explanation)
        lines << AnsiToQString(line);
    Memo1->setPlainText(lines.join('\n'));
}

AnsiString TByteSequenceDlg::DefinitionPreview(const AnsiString& definition)
{
    TByteDefinitionBuffer buffer;
    const Integer count = ParseByteDefinition(definition, buffer);
    return HexPreview(buffer.data(), std::size_t(count));
}

void TByteSequenceDlg::ShowPreview(AnsiString line)
{
    if (line.size() > PreviewMaxLength)
        line.resize(PreviewMaxLength);
    MonitorMemo->setPlainText(AnsiToQString(line));
}

AnsiString TByteSequenceDlg::PreviewLine() const
{
    return QStringToAnsi(MonitorMemo->toPlainText());
}

void TByteSequenceDlg::showEvent(QShowEvent* event)
{
    UpdatePreview();
    TModalForm::showEvent(event);
}

// ---- TSync_Dlg --------------------------------------------------------------

TSync_Dlg::TSync_Dlg() : TByteSequenceDlg(403, 312, 45)
{
    setObjectName("Sync_Dlg");
    SynchronEdit = AddDefinitionEdit("SynchronEdit", Label1, Margin);
    switch (LanguageChoice()) {
    case 1:
        SetTexts("Define sync. bytes", "Preview sync. bytes [HEX]",
                 {"When the sync. bytes are recognised", "previously received data is being",
                  "interpreted immediately.", "", "Enter the sync. bytes in the folling format:", "",
                  "- Text constants in quotation marks: \"Hello\"", "- Byte value in decimal format: 127",
                  "- Byte value in hexadecimal format: $0D $10", "", "Separate values with SPACE."});
        Label1->setText("Sync. bytes definition:");
        break;
    case 2:
        SetTexts("Definir octets sync.", "Vue-préliminaire octets sync. [HEX]"_ansi,
                 {"Lorsque les octets de sync. sont reconnus", "les données préalablement reçues"_ansi,
                  "seront immédiatement interprétées."_ansi, "",
                  "Entrez les octets de sync. aux formats suivants:", "",
                  "- Texte entre parenthèses: \"Hello\""_ansi, "- Valeur au format décimal: 127"_ansi,
                  "- Valeur au format héxadécimal: $0D $10"_ansi, "", "Séparez les valeur avec un ESPACE."_ansi});
        Label1->setText(AnsiToQString("Définition octets sync.:"_ansi));
        break;
    default:
        SetTexts("Synchronzeichen definieren", "Synchronzeichen (HEX):",
                 {"Sobald die Synchronzeichenkette empfangen wird,",
                  "werden die zuvor empfangenen Zeichen interpretiert.", "",
                  "Für die Definition der Synchronzeichenkette "_ansi, "können Sie verwenden:"_ansi, "",
                  "  - Textkonstanten in Anführungszeichen z.B.\"HALLO\""_ansi, "  - Bytewerte als Zahl z.B. 127",
                  "  - Bytewerte in Hexdarstellung z.B. $0D $10", "", "Trennen Sie Werte mit Leerzeichen."});
        Label1->setText("Definition der Synchronzeichenkette::");
        break;
    }
    Label1->adjustSize();
}

AnsiString TSync_Dlg::Definition() const
{
    return QStringToAnsi(SynchronEdit->text());
}

void TSync_Dlg::SetDefinition(const AnsiString& text)
{
    SynchronEdit->setText(AnsiToQString(text));
}

void TSync_Dlg::UpdatePreview()
{
    ShowPreview(DefinitionPreview(Definition()));
}

// ---- TFrame_Dlg -------------------------------------------------------------

TFrame_Dlg::TFrame_Dlg() : TByteSequenceDlg(317, 340, 89)
{
    setObjectName("Frame_Dlg");
    PrefixEdit = AddDefinitionEdit("PrefixEdit", Label1, Margin);
    SuffixEdit = AddDefinitionEdit("SuffixEdit", Label2, Margin + 44);
    switch (LanguageChoice()) {
    case 1:
        SetTexts("Frame parameters", "Preview [HEX]",
                 {"Enter Prefix and Suffix in the following format:", "",
                  "- Text constants in quotation marks: \"Hello\"", "- Byte value in decimal format: 127",
                  "- Byte value in hexadecimal format: $0D $10", "", "Separate values with SPACE."});
        Label1->setText("Prefix (send before data)");
        Label2->setText("Suffix (send after data)");
        break;
    case 2:
        SetTexts("Paramètres trame"_ansi, "Vue-péliminaire [HEX]"_ansi,
                 {"Saisissez le Préfixe et le Suffixe aux formats suivants:"_ansi, "",
                  "- Texte entre parenthèses: \"Hello\""_ansi, "- Valeur décimale: 127"_ansi,
                  "- Valeur héxadécimale: $0D $10"_ansi, "", "Séparez les valeurs avec un ESPACE."_ansi});
        Label1->setText(AnsiToQString("Préfixe (envoyé avant la donnée)"_ansi));
        Label2->setText(AnsiToQString("Suffixe (envoyé après la donnée)"_ansi));
        break;
    default:
        SetTexts("Übertragung einrahmen"_ansi, "Übertragungsvorschau (HEX):"_ansi,
                 {"Für Pre-/Suffix können Sie verwenden:"_ansi, "",
                  "  - Textkonstanten in Anführungszeichen z.B.\"HALLO\""_ansi, "  - Bytewerte als Zahl z.B. 127",
                  "  - Bytewerte in Hexdarstellung z.B. $0D $10", "", "Trennen Sie Werte mit Leerzeichen."});
        Label1->setText(AnsiToQString("Präfix (wird vor dem Wert gesendet)"_ansi));
        Label2->setText("Suffix (wird nach dem Wert gesendet)");
        break;
    }
    Label1->adjustSize();
    Label2->adjustSize();
}

AnsiString TFrame_Dlg::Prefix() const
{
    return QStringToAnsi(PrefixEdit->text());
}

AnsiString TFrame_Dlg::Suffix() const
{
    return QStringToAnsi(SuffixEdit->text());
}

void TFrame_Dlg::SetPrefix(const AnsiString& text)
{
    PrefixEdit->setText(AnsiToQString(text));
}

void TFrame_Dlg::SetSuffix(const AnsiString& text)
{
    SuffixEdit->setText(AnsiToQString(text));
}

void TFrame_Dlg::UpdatePreview()
{
    const char* placeholder = ByLanguage(" <Wert>", " <Data>", " <Donnée>"_ansi);
    ShowPreview(DefinitionPreview(Prefix()) + placeholder + DefinitionPreview(Suffix()));
}
