// The fixture of the analog sheet tests: opens a component's sheet, lets a
// script fill the rows, records caption, help context and row captions, and
// presses OK or Cancel.
#pragma once

#include "AnalogTestSupport.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/ModalForm.h"
#include "dialogs/PropEditors.h"
#include "dialogs/Props.h"
#include "engine/Globals.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

class TAnalogSheetTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterAnalogClasses(); }
    void TearDown() override { ResetGlobals(); }

    Integer Edit(TIOBauteil& component, bool ok, const std::function<void(TDefault_Dlg&)>& script = {})
    {
        TFormHook hook({[&](TModalForm& form) {
            auto& dlg = static_cast<TDefault_Dlg&>(form);
            Caption = dlg.Caption();
            HelpContext = dlg.HelpContext();
            RowCaptions.clear();
            for (const auto& row : dlg.Props->Rows)
                RowCaptions.push_back(row->Editor->NameLabel->text());
            if (script)
                script(dlg);
            QTest::mouseClick(ok ? dlg.OKBtn : dlg.CancelBtn, Qt::LeftButton);
        }});
        return component.EditProperties();
    }
    template <class E>
    static E& Row(TDefault_Dlg& dlg, std::size_t i)
    {
        return dynamic_cast<E&>(*dlg.Props->Rows.at(i)->Editor);
    }

    AnsiString Caption;
    Integer HelpContext = 0;
    QStringList RowCaptions;
};
