// The speed buttons: the window-less button with its face painted in one of
// the library's button styles. The main window's tool bar and library panel,
// the front panel's tool buttons and the edits' custom buttons are these.
#pragma once

#include "ui/controls/UCLBaseGraphicButton.h"
#include "ui/controls/UCLButtonBase.h"

class TUCLCustomSpeedButton : public TUCLBaseGraphicButton {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomSpeedButton, TUCLBaseGraphicButton)
public:
    explicit TUCLCustomSpeedButton(QWidget* Parent = nullptr);

    TUCLUserButtonStyle ButtonStyle() const { return FButtonStyle; }
    // Sets the glyph's hot style (grey images until hot) for ubsFlatUnColored,
    // ubsNavigator and ubsExplorer, and a transparent face for ubsExplorer,
    // ubsExplorerColored and ubsOfficeTransp.
    void SetButtonStyle(TUCLUserButtonStyle Value);
    // Pixels of the face's border.
    Integer BorderWidth() const;

protected:
    bool HotWhileDown() const override;
    bool FaceChangesOnHot() const override;
    void Paint(QPainter& Painter) override;

private:
    TUCLUserButtonStyle FButtonStyle = ubsWin40;
};

class TUCLSpeedButton : public TUCLCustomSpeedButton {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLSpeedButton, TUCLCustomSpeedButton)
public:
    explicit TUCLSpeedButton(QWidget* Parent = nullptr) : TUCLCustomSpeedButton(Parent) {}
};
