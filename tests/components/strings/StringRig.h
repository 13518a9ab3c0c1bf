// A text component on a test board with one text source per connected
// input, placed before it, so that one step carries the sources' texts
// through the component. Numbers are given as their texts (a text input
// reads them parsed); an input given as Open stays unconnected.
#pragma once

#include "components/strings/BT_StrCRC.h"
#include "components/strings/BT_StrConvert.h"
#include "components/strings/BT_StrInfo.h"
#include "components/strings/BT_StrMemory.h"
#include "components/strings/BT_StrOperations.h"
#include "components/strings/BT_StrPanel.h"
#include "support/TestBoard.h"

#include "engine/Globals.h"
#include "engine/Language.h"

#include <gtest/gtest.h>

#include <optional>
#include <variant>

inline const std::optional<AnsiString> Open;

// Every text component family's rows.
inline const TRowList& StringRows()
{
    static const TRowList rows = [] {
        TRowList all;
        for (TRowList (*family)() :
             {&StrPanelRows, &StrConvertRows, &StrOperationRows, &StrMemoryRows, &StrInfoRows, &StrCrcRows})
            for (const TComponentRow* row : family())
                all.push_back(row);
        return all;
    }();
    return rows;
}

inline void RegisterAllComponents()
{
    RegisterRows(StringRows());
}

// A text component placed by class name, as its family's class.
template <class T>
T* PlaceAs(TTestBoard& t, std::string_view className, Integer x, Integer y)
{
    return static_cast<T*>(t.Place(className, x, y));
}

// The text classes registered; every global back to its start value after.
class StringTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterAllComponents(); }
    void TearDown() override { ResetGlobals(); }
};

class TStringRig {
public:
    TStringRig(std::string_view className, const std::vector<std::optional<AnsiString>>& inputs,
               Integer inputCount = -1)
    {
        RegisterAllComponents();
        for (std::size_t i = 0; i < inputs.size(); ++i)
            sources_.push_back(inputs[i] ? t_.Place<TBTTestTextSource>(100, 100 + 200 * static_cast<Integer>(i))
                                         : nullptr);
        C = t_.Place(className, 2000, 100);
        if (inputCount >= 0)
            C->SetInputCount(inputCount);
        for (std::size_t i = 0; i < inputs.size(); ++i)
            if (sources_[i])
                t_.Connect(sources_[i], 0, C, static_cast<Integer>(i));
        Set(inputs);
    }
    void Set(const std::vector<std::optional<AnsiString>>& inputs)
    {
        for (std::size_t i = 0; i < inputs.size() && i < sources_.size(); ++i)
            if (sources_[i] && inputs[i])
                sources_[i]->Texts[0] = *inputs[i];
    }
    void Set(std::size_t input, const AnsiString& text) { sources_[input]->Texts[0] = text; }
    void Step() { t_.CalculateAll(); }
    const AnsiString& Text(Integer output) const { return C->Outputs[output].Text; }
    Extended Value(Integer output) const { return C->Outputs[output].Value; }
    TTestBoard& Board() { return t_; }

    TIOBauteil* C = nullptr;

private:
    TTestBoard t_;
    std::vector<TBTTestTextSource*> sources_;
};
