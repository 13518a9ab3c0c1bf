// A push button drawn by the program itself: eight frame styles, a glyph with
// a separate glyph for the hot state, hot tracking of the caption colour, a
// hand cursor, an attached pop-up menu with a mark, auto-repeat while held,
// predefined kinds that close the parent form with their modal result, and
// keyboard handling as a default or cancel button. The property sheet's
// colour rows use it as a raised colour field.
#pragma once

#include "platform/Colors.h"
#include "platform/SysTypes.h"

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>

#include <QMenu>
class QShortcut;
class QTimer;

class TZVQCustomButton : public QWidget {
    Q_OBJECT
public:
    enum TKind { skCustom, skOK, skCancel, skHelp, skYes, skNo, skClose, skAbort, skRetry, skIgnore, skAll, skSilly };
    enum TStyle { stFlat, stDefault, stNone, stRaised, stFlatDot, stRaisedDot, stFrameLowered, stFrameRaised };
    enum TColorMarginDefault { cmDefault, cmCustom };
    enum TLayout { blGlyphLeft, blGlyphBottom, blGlyphRight, blGlyphTop };
    enum TPositionPopup { puDown, puLeft, puRight };

    using TNotifyEvent = std::function<void(TZVQCustomButton* Sender)>;

    explicit TZVQCustomButton(QWidget* parent = nullptr);
    ~TZVQCustomButton() override;

    TNotifyEvent OnClick;
    TNotifyEvent OnMouseOver;
    TNotifyEvent OnMouseOut;

    TKind ButtonKind() const { return FKind; }
    void SetButtonKind(TKind value);
    TStyle ButtonStyle() const { return FStyle; }
    void SetButtonStyle(TStyle value);
    TColor ColorMarginLeftTop() const { return FColorLeftTop; }
    void SetColorMarginLeftTop(TColor value);
    TColor ColorMarginRightBottom() const { return FColorRightBottom; }
    void SetColorMarginRightBottom(TColor value);
    TColorMarginDefault ColorMarginStyle() const { return FColorMarginStyle; }
    void SetColorMarginStyle(TColorMarginDefault value);

    // Assigning a glyph derives its image count and makes the kind custom.
    const QImage& Glyph() const { return FGlyph; }
    void SetGlyph(const QImage& value);
    const QImage& GlyphHot() const { return FGlyphHot; }
    void SetGlyphHot(const QImage& value);
    Integer NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(Integer value);      // 1..4
    Integer NumGlyphsHot() const { return FNumGlyphsHot; }
    void SetNumGlyphsHot(Integer value);   // 1..4

    TLayout Layout() const { return FLayout; }
    void SetLayout(TLayout value);
    Integer Spacing() const { return FSpacing; }
    void SetSpacing(Integer value);          // 1..5
    Integer SpacingLayout() const { return FSpacingLayout; }
    void SetSpacingLayout(Integer value);    // -5..5

    bool HotTrack = true;
    TColor HotTrackColor = clBlue;
    bool CursorHandCustom = true;
    // The hover sound needs a sound output this library does not link; the
    // setting is kept for forms that store it.
    bool PlayMusic = false;

    QMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu* value);
    bool PopupMenuMark() const { return FPopupMenuMark; }
    void SetPopupMenuMark(bool value);
    Integer PopupMenuMarkGap() const { return FPopupMenuMarkGap; }
    void SetPopupMenuMarkGap(Integer value);   // 1..5
    TPositionPopup PositionPopup = puDown;

    bool RepeatAction = false;
    Integer RepeatStartInterval = 50;   // ms before repeating starts
    Integer RepeatInterval = 50;        // ms between repeated clicks

    bool ShowFocused() const { return FShowFocused; }
    void SetShowFocused(bool value);
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel = false;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    AnsiString Caption() const { return FCaption; }
    void SetCaption(const AnsiString& value);
    AnsiString Hint() const { return FHint; }
    void SetHint(const AnsiString& value);
    AnsiString HintSecondLine() const { return FHintSecondLine; }
    void SetHintSecondLine(const AnsiString& value);
    static AnsiString Version() { return "Version 4.01 (Zentrika)"; }

    // The click: OnClick, the kind's effect, then the pop-up menu.
    virtual void Click();
    // The button is the one Enter clicks in its form.
    bool IsActiveDefault() const { return FActive; }
    virtual void SetDefaultStyle(bool active);

    bool IsHot() const { return FHot; }
    bool IsPressed() const { return FPressed; }
    // Frame widths of the style in the normal and the hot state.
    Integer FrameWidth(bool hot) const;
    // The repeat timers: the first starts on a press, its tick starts the
    // second, whose ticks click.
    QTimer* RepeatStartTimer() const { return FRepeatStartTimer; }
    QTimer* RepeatTimer() const { return FRepeatTimer; }
    void RepeatStartTimerTick();
    void RepeatTimerTick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void MouseEnter();
    void MouseLeave();
    bool HasFocusRect() const;
    bool HasFaceBackground() const;
    void DefaultEdgeColors(TColor& leftTop, TColor& rightBottom) const;
    void StopRepeat();
    void ShowPopup();
    // A key that reached the form unhandled (or this button): whether it
    // clicked the button.
    bool DialogKey(QKeyEvent* event);
    void FocusChanged(QWidget* now);
    void UpdateToolTip();

    TKind FKind = skCustom;
    TStyle FStyle = stFlat;
    TColor FColorLeftTop = clBtnHighlight;
    TColor FColorRightBottom = clBtnShadow;
    TColorMarginDefault FColorMarginStyle = cmDefault;
    QImage FGlyph;
    QImage FGlyphHot;
    Integer FNumGlyphs = 2;
    Integer FNumGlyphsHot = 2;
    TLayout FLayout = blGlyphLeft;
    Integer FSpacing = 4;
    Integer FSpacingLayout = 3;
    QPointer<QMenu> FPopupMenu;
    bool FPopupMenuMark = false;
    Integer FPopupMenuMarkGap = 5;
    bool FShowFocused = true;
    bool FDefault = false;
    TColor FColor = clBtnFace;
    AnsiString FCaption;
    AnsiString FHint;
    AnsiString FHintSecondLine;

    bool FMouseInside = false;
    bool FHot = false;
    bool FMouseOutside = false;
    bool FPressed = false;
    bool FActive = false;
    QTimer* FRepeatStartTimer;
    QTimer* FRepeatTimer;
    QShortcut* FAccelerator;   // Alt and the caption's accelerator
    QPointer<QWidget> FFilteredWindow;
};

class TZVQButton : public TZVQCustomButton {
    Q_OBJECT
public:
    using TZVQCustomButton::TZVQCustomButton;
};

// Where glyph, caption and pop-up mark go inside the content rectangle.
struct TZVQPlacement {
    QRect Glyph;
    QRect Caption;
    QRect Mark;
};
struct TZVQPlacementInput {
    QRect Content;
    QSize GlyphSize;   // one image; empty without a glyph
    QSize TextSize;    // empty without a caption
    QSize MarkSize;
    TZVQCustomButton::TLayout Layout = TZVQCustomButton::blGlyphLeft;
    Integer Spacing = 4;
    Integer SpacingLayout = 3;
    Integer Press = 0;   // 1 while pressed
    bool PopupMenuMark = false;
    Integer PopupMenuMarkGap = 5;
};
TZVQPlacement PlaceGlyphAndCaption(const TZVQPlacementInput& in);

// The image count a glyph of that size implies, given the current count.
Integer GlyphCountForSize(QSize size, Integer current);
