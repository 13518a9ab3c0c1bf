// Runs a digital component's settings on the shared property sheet: records
// its caption, help and row captions, lets `fill` change the rows, and presses
// OK or Cancel.
#pragma once

#include "dialogs/DLG_Default.h"
#include "dialogs/ModalForm.h"
#include "dialogs/PropEditors.h"
#include "dialogs/Props.h"
#include "engine/Bauteil.h"

#include <QPushButton>
#include <QString>
#include <QTest>

#include <functional>
#include <vector>

struct TDialogRun {
    AnsiString Caption;
    Integer HelpContext = 0;
    std::vector<QString> Rows;
    Integer Result = -1;

    TDialogRun(TIOBauteil& part, bool ok, const std::function<void(TPropScrollbox&)>& fill = {})
    {
        TFormHook hook({[&](TModalForm& form) {
            auto& dlg = static_cast<TDefault_Dlg&>(form);
            Caption = dlg.Caption();
            HelpContext = dlg.HelpContext();
            for (const auto& row : dlg.Props->Rows)
                Rows.push_back(row->Editor->CaptionText());
            if (fill)
                fill(*dlg.Props);
            QTest::mouseClick(ok ? dlg.OKBtn : dlg.CancelBtn, Qt::LeftButton);
        }});
        Result = part.EditProperties();
    }
};

template <class E>
E& Row(TPropScrollbox& props, std::size_t i)
{
    return dynamic_cast<E&>(*props.Rows.at(i)->Editor);
}
