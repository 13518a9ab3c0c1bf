// The single-line edit as forms and the front panel's inputs create it.
#pragma once

#include "ui/controls/UCLCustomEdit.h"

class TUCLEdit : public TUCLCustomEdit {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLEdit, TUCLCustomEdit)
public:
    explicit TUCLEdit(QWidget* Parent = nullptr) : TUCLCustomEdit(Parent) {}
};
