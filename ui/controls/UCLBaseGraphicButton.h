// The window-less button: a visual state machine driven by the mouse, radio
// groups among the buttons of one parent, latching, automatic repeat while
// held, a drop-down menu (optionally a split button with a separate arrow
// part), the caption's accelerator, and the drawing of glyph and caption.
#pragma once

#include "ui/controls/UCLButtonLayout.h"
#include "ui/controls/UCLCaption.h"
#include "ui/controls/UCLControl.h"
#include "ui/controls/UCLGlyph.h"
#include "ui/controls/UCLTimerPool.h"

#include <QMenu>
#include <QPointer>

#include <memory>

class QShortcut;

class TUCLBaseGraphicButton : public TUCLBaseControl {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLBaseGraphicButton, TUCLBaseControl)
public:
    explicit TUCLBaseGraphicButton(QWidget* Parent = nullptr);
    ~TUCLBaseGraphicButton() override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;   // a double click on a latched button
    TNotifyEvent OnDropDown;

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    // The caption unless UseCaption is off.
    QString GetCaptionText() const { return FUseCaption ? FCaption : QString(); }
    // The font's colour (Qt's fonts carry none).
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value);

    TUCLButtonLayout& ButtonLayout() { return FButtonLayout; }
    TUCLFxCaption& FontFX() { return FFontFX; }
    TUCLGlyph& GlyphObject() { return FGlyph; }

    bool RepeatedClick = false;
    Word RepeatingDelay = 500;
    Word RepeatingInterval = 100;
    bool HideHint = true;
    bool UseGlobalTimer = false;
    bool UseCaption() const { return FUseCaption; }
    void SetUseCaption(bool Value);
    TColor EnterColor() const { return FEnterColor; }
    void SetEnterColor(TColor Value);
    bool EnterColorChange() const { return FEnterColorChange; }
    void SetEnterColorChange(bool Value);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);

    // Drop-down menu: below the button (moved right by DropDownIndent), or
    // with DropDownRight at its right (moved down).
    QMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(QMenu* Value);
    Integer DropDownIndent() const { return FDropDownIndent; }
    void SetDropDownIndent(Integer Value);
    bool DropDownRight() const { return FDropDownRight; }
    void SetDropDownRight(bool Value);
    // Split button: the rightmost DropDownComboWidth pixels open the menu;
    // switching it on or off widens or narrows the button by that width.
    bool DropDownCombo() const { return FDropDownCombo; }
    void SetDropDownCombo(bool Value);
    Integer DropDownComboWidth() const { return FDropDownComboWidth; }
    void SetDropDownComboWidth(Integer Value);
    bool SplitPartShown() const { return FDropDownMenu && FDropDownCombo; }

    // Radio groups: buttons of one parent with the same GroupIndex (0: none).
    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    bool Pressed() const { return FPressed; }
    // Latches or releases a grouped button (a button without a group never
    // latches; a latched button of a group without AllowAllUp stays).
    void SetPressed(bool Value);

    // The bitmap of the glyph; its width sets NumGlyphs (square cells).
    const QImage& GetGlyph() const { return FGlyph.Bitmap(); }
    void SetGlyph(const QImage& Value);
    Integer NumGlyphs() const { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(Integer Value);

    Byte State() const { return FState; }
    // Opens the drop-down menu (modal) and returns when it has closed.
    void DropDown();
    void Click();

    TUCLTimer* HoverTimer() const { return FHoverTimer.get(); }
    TUCLTimer* RepeatTimer() const { return FRepeatTimer.get(); }

protected:
    void SetState(Byte S, bool Force);
    virtual bool HotWhileDown() const { return false; }
    virtual bool GlyphChangesOnHot() const { return FGlyph.Style() == 1; }
    virtual bool FaceChangesOnHot() const { return false; }
    virtual bool IsSpecialShape() const { return false; }
    virtual void DoRepeatClick() { Click(); }
    // The glyph of the state and the caption in R.
    virtual void DrawCaptionAndGlyph(QPainter& Canvas, const TRect& R);
    // The cursor is still over the button (hover check and mouse up).
    bool CursorInside() const;
    // Another button of the group latched: release this one and take its
    // AllowAllUp.
    void ButtonPressed(TUCLBaseGraphicButton* Sender);
    void NotifyGroup();
    void ImageListChanged() override;
    void FontChanged(bool FromFontFX);

    void MouseEnter() override;
    void MouseExit() override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void changeEvent(QEvent* Event) override;

    bool FTransparentFace = false;

private:
    void CheckMouseLeave();
    void RepeatTimerTick();
    void Accelerator();
    void UpdateShortcut();

    QString FCaption;
    TColor FFontColor;
    TUCLButtonLayout FButtonLayout;
    TUCLFxCaption FFontFX;
    TUCLGlyph FGlyph;
    bool FUseCaption = true;
    TColor FEnterColor;
    bool FEnterColorChange = false;
    bool FMultiLine = false;
    QPointer<QMenu> FDropDownMenu;
    Integer FDropDownIndent = 0;
    bool FDropDownRight = false;
    bool FDropDownCombo = false;
    Integer FDropDownComboWidth = 12;
    Integer FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FPressed = false;
    bool FCaptured = false;
    Byte FState = bsUp;
    Byte FPreviousState = bsUp;
    std::unique_ptr<TUCLTimer> FHoverTimer;
    std::unique_ptr<TUCLTimer> FRepeatTimer;
    QShortcut* FShortcut = nullptr;
};
