#include "hardware/framework/DLG_Byte.h"

#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "hardware/framework/EditGrid.h"
#include "platform/AnsiText.h"


#include <cstdio>

namespace {

constexpr int Margin = 8;
constexpr int GridBottom = 260;

}   // namespace

TByte_Dlg::TByte_Dlg() : TByteSequenceDlg(400, 505, GridBottom)
{
    setObjectName("Byte_Dlg");
    Grid = new TEditGrid("Grid", this);
    Grid->setGeometry(Margin, Margin, width() - 2 * Margin, GridBottom - Margin);
    Grid->setHorizontalHeaderLabels({" Nr.", ""});
    Grid->setColumnWidth(0, 50);
    std::vector<AnsiString> names;
    for (Integer n = 0; n < SequenceCount; ++n) {
        char name[8];
        std::snprintf(name, sizeof name, " $%02X", unsigned(n));
        names.push_back(name);
    }
    Grid->SetRows(names);
    Grid->setCurrentCell(0, 1);
    // The preview follows the current row and every keystroke in it.
    connect(Grid, &QTableWidget::currentCellChanged, this, [this] { UpdatePreview(); });
    connect(Grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->row() == Grid->currentRow())
            UpdatePreview();
    });

    switch (LanguageChoice()) {
    case 1:
        SetTexts("Byte sequences", "Preview [HEX]",
                 {"You may define 256 byte sequences. Format:", "", "- Text constants in quotation marks: \"Hello\"",
                  "- Byte value in decimal format: 127", "- Byte value in hexadecimal format: $0D $10", "",
                  "Separate values with SPACE."});
        break;
    case 2:
        SetTexts("Séquence d´octets"_ansi, "Pré-visualisation [HEX]"_ansi,
                 {"Vous pouvez définir une séquence de 256 octets. Format:"_ansi, "",
                  "- Texte entre parenthèses: \"Hello\""_ansi, "- Valeur décimale: 127"_ansi,
                  "- valeur héxadecimale: $0D $10"_ansi, "", "Séparez les valeurs avec des espaces."_ansi});
        break;
    default:
        SetTexts("Bytefolgen definieren", "Übertragungsvorschau (HEX)"_ansi,
                 {"Sie können 256 Bytefolgen definieren. Verwenden Sie"_ansi, "",
                  "  - Textkonstanten in Anführungszeichen z.B.\"HALLO\""_ansi, "  - Bytewerte als Zahl z.B. 127",
                  "  - Bytewerte in Hexdarstellung z.B. $0D $10", "", "Trennen Sie Werte mit Leerzeichen."});
        break;
    }
}

void TByte_Dlg::UpdatePreview()
{
    ShowPreview(DefinitionPreview(Grid->CellText(Grid->currentRow())));
}

TByte_Dlg& Byte_Dlg()
{
    // Kept to the end like the other forms of the program.
    static TByte_Dlg* dialog = new TByte_Dlg;
    return *dialog;
}
