// The memo as forms and the front panel's text display create it.
#pragma once

#include "ui/controls/UCLCustomMemo.h"

class TUCLMemo : public TUCLCustomMemo {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLMemo, TUCLCustomMemo)
public:
    explicit TUCLMemo(QWidget* Parent = nullptr) : TUCLCustomMemo(Parent) {}
};
