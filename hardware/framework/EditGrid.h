// A two-column text grid as the device dialogs use it: column 0 names the
// row and is read-only, column 1 is edited in place. Every keystroke is taken
// into the cell at once, as the class library's string grid does, so a
// reader of a cell (a description stored on close, a preview) never misses
// an edit in progress.
#pragma once

#include "platform/SysTypes.h"

#include <QTableWidget>

#include <vector>

class TEditGrid : public QTableWidget {
    Q_OBJECT
public:
    TEditGrid(const char* name, QWidget* parent);

    // Rows named by column 0, with empty text cells.
    void SetRows(const std::vector<AnsiString>& names);
    // The text of row in column 1; empty outside the rows.
    AnsiString CellText(Integer row) const;
    void SetCellText(Integer row, const AnsiString& text);
};
