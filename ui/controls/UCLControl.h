// The two bases of every visible control of the library, both on QWidget:
// TUCLCustomControl for the windowed controls (panels, edits, spin edits,
// scroll bars) and TUCLControl / TUCLBaseControl / TUCLBaseGraphicControl for
// the window-less ones (labels, LED labels, fills, speed buttons).
//
// How window behaviour maps onto widgets:
// - Painting happens only in Paint (called from paintEvent); whatever would
//   be drawn at once (hot and flat borders on focus and mouse moves) sets
//   state and repaints.
// - Transparency: a widget that does not fill its background shows its
//   parent, which is how window-less controls are transparent. A windowed
//   control fills with its colour unless a parent supplies a background
//   (IUCLBackground); a plain form supplies none.
// - There are no visual styles on this platform: UseThemes is always false
//   and every control takes its plain drawing.
// - Children are laid out by Qt layouts inside contentsRect(), which the
//   bevel panels set to their client rectangle.
#pragma once

#include "ui/controls/UCLBase.h"

#include <QPointer>
#include <QWidget>

class QPainter;
class TUCL3DCaption;
class TUCLBevel;
class TUCLFaceController;
class TUCLFillObject;
class TUCLObject;
struct TClassInfo;

// A control that can pass a background on to its transparent children.
class IUCLBackground {
public:
    // The control can give a background to transparent children.
    virtual bool SuppliesBackground() const = 0;
    virtual bool GetTransparent() const = 0;
    // The background under the control changed.
    virtual void RefreshBackground() = 0;

protected:
    ~IUCLBackground() = default;
};

// What a face controller reads of a control's state.
class IUCLFaceControlled {
public:
    virtual bool StateFocused() const = 0;
    virtual bool StateMouseAbove() const = 0;
    virtual bool StateTransparent() const = 0;
    virtual bool StateCtlXP() const = 0;
    virtual bool StateThemed() const = 0;
    virtual bool StateCtl3D() const = 0;
    virtual bool StateEnabled() const = 0;
    virtual TColor StateColor() const = 0;

protected:
    ~IUCLFaceControlled() = default;
};

// Buttons add their pressed state.
class IUCLFaceButton {
public:
    virtual bool StateDown() const = 0;

protected:
    ~IUCLFaceButton() = default;
};

// Edits add modified, read-only and wrong data.
class IUCLFaceEdit {
public:
    virtual bool StateModified() const = 0;
    virtual bool StateReadOnly() const = 0;
    virtual bool StateWrongData() const = 0;

protected:
    ~IUCLFaceEdit() = default;
};

// The control shows its parent's background: it implements IUCLBackground,
// and either its parent window holds a non-widget background object that
// supplies one, or it is transparent on a parent that supplies one.
bool HasParentBackground(const QWidget* Control);
// RefreshBackground of every child of Control that implements IUCLBackground.
void UpdateTransparentChildren(QWidget* Control);

// Which edge of a control a point near it resizes from.
enum class TUCLSizingHit { None, Left, Right, Top, TopLeft, TopRight, Bottom, BottomLeft, BottomRight };
// Outside Inner (the client rectangle deflated by the sizing border): below
// its bottom gives a bottom hit, above its top a top hit, then left or right.
TUCLSizingHit SizingHitTest(const TRect& Inner, TPoint P);

class TUCLCustomControl : public QWidget, public TPersistent, public IUCLBackground, public IUCLFaceControlled {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomControl, TPersistent)
public:
    explicit TUCLCustomControl(QWidget* Parent = nullptr);
    ~TUCLCustomControl() override;

    TNotifyEvent OnAfterEnter, OnAfterExit, OnMouseEnter, OnMouseExit, OnMove;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool CtlXP() const { return FCtlXP; }
    virtual void SetCtlXP(bool Value);

    // An image list (a controller) and the picture in it; free notification
    // clears the reference when the list goes. Negative indexes are ignored.
    TUCLBaseController* ImageList() const { return FImageList; }
    void SetImageList(TUCLBaseController* Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    Integer ListIndex() const { return FListIndex; }
    void SetListIndex(Integer Value);

    bool AllowMoving = false;
    bool AllowSizing = false;
    bool ControlLocked = false;   // no moving or sizing
    bool BringToFront = true;     // raise the control when a move or resize starts
    bool SizeGrip() const { return FSizeGrip; }
    virtual void SetSizeGrip(bool Value);

    bool MouseAbove() const { return FMouseAbove; }
    bool HasFocus() const { return FHasFocus; }

    // Nested: repaints wait until the last EndUpdate.
    void BeginUpdate() { ++FUpdateCount; }
    virtual void EndUpdate(bool Repaint);
    bool IsUpdating() const { return FUpdateCount > 0; }

    // Per-state looks; the control registers with the controller and the
    // reference clears itself when the controller goes.
    TUCLFaceController* FaceController() const;
    void SetFaceController(TUCLFaceController* Value);
    // The face controller's setting of Class for the current state, if any.
    TUCLObject* FaceSetting(const TClassInfo& Class) const;

    // The look of the current state: the face controller's setting for it,
    // else the control's own settings (and no caption, fill or bevel object).
    virtual QFont CurrentFont() const;
    virtual TUCL3DCaption* CurrentFont3D() const;
    virtual bool CurrentTransparent() const;
    virtual bool CurrentCtlXP() const { return FCtlXP; }
    virtual TColor CurrentColor() const;
    virtual TUCLFillObject* CurrentFillObject() const;
    virtual bool CurrentThemed() const;
    virtual bool CurrentCtl3D() const { return FCtl3D; }
    virtual TUCLBevel* CurrentBevel() const;

    // IUCLFaceControlled
    bool StateFocused() const override { return FHasFocus; }
    bool StateMouseAbove() const override { return FMouseAbove; }
    bool StateTransparent() const override { return FTransparent; }
    bool StateCtlXP() const override { return FCtlXP; }
    bool StateThemed() const override { return FCtlXP; }
    bool StateCtl3D() const override { return FCtl3D; }
    bool StateEnabled() const override { return isEnabled(); }
    TColor StateColor() const override { return FColor; }

    virtual bool SupportsXPTheme() const { return false; }
    bool UseThemes() const;
    virtual void ThemeChanged();

    // IUCLBackground
    bool SuppliesBackground() const override { return HasParentBackground(this); }
    bool GetTransparent() const override { return FTransparent; }
    void RefreshBackground() override;

    virtual bool DrawsParentBackground() const { return CurrentTransparent() && SuppliesBackground(); }
    // A settings object or resource of the control changed: repaint.
    virtual void GetChange(TPersistent* Sender);
    virtual bool IsReadOnlyState() const { return false; }
    virtual TRect GetMoveRect() const;
    virtual TRect GetSizeGripRect() const;

protected:
    virtual void Paint(QPainter& Painter);
    virtual void PaintBackground(QPainter& Painter);
    // Fills R like the background, unless a parent supplies it.
    void FillBackground(QPainter& Painter, const TRect& R);
    // The cold look of a flat control (button-face frames) and the hot look
    // (window frame and sunken edge), each over the control's rectangle.
    virtual void DrawFlatBorder(QPainter& Painter);
    virtual void DrawHotBorder(QPainter& Painter);
    // A flat control shows its hot look while focused (bevel panels also
    // while under the mouse).
    virtual bool ShowsHotBorder() const { return FHasFocus; }

    virtual void FlatChanged() {}
    virtual void ImageListChanged() { GetChange(nullptr); }
    virtual void MouseEnter();
    virtual void MouseExit();
    virtual void DoEnter();
    virtual void DoExit();
    virtual void DoMoved();

    void paintEvent(QPaintEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    // Where a press at P starts a resize, when sizing is allowed there.
    TUCLSizingHit SizingHit(TPoint P) const;
    bool ManagedByLayout() const;

    TColor FColor;
    bool FCtl3D = true;
    bool FFlat = false;
    bool FTransparent = false;
    bool FCtlXP = true;
    bool FSizeGrip = false;
    bool FMouseAbove = false;
    bool FHasFocus = false;
    Integer FUpdateCount = 0;
    QPointer<TUCLBaseController> FImageList;
    TUCLChangeLink FImageChangeLink;
    Integer FImageIndex = 0;
    Integer FListIndex = 0;
    QPointer<QObject> FFaceController;

    enum class TDrag { None, Moving, Sizing };
    TDrag FDrag = TDrag::None;
    TUCLSizingHit FSizingHit = TUCLSizingHit::None;
    QPoint FDragStart;     // global position of the press
    QRect FDragGeometry;   // geometry at the press
    bool FMoved = false;
};

// Window-less base: paints on its parent's background unless it fills.
class TUCLControl : public QWidget, public TPersistent, public IUCLBackground {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLControl, TPersistent)
public:
    explicit TUCLControl(QWidget* Parent = nullptr);

    TNotifyEvent OnMouseEnter, OnMouseExit;
    // 1 size changed, 2 position changed, 3 both.
    std::function<void(Byte Changed)> OnBoundsChanged;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool CtlXP() const { return FCtlXP; }
    void SetCtlXP(bool Value);
    // Moves and resizes, then reports what changed once.
    void SetBounds(Integer Left, Integer Top, Integer Width, Integer Height);

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    bool IsUpdating() const { return FUpdateCount > 0; }

    virtual bool SupportsXPTheme() const { return false; }
    virtual void ThemeChanged();
    // Repaint, unless updating.
    virtual void ContentChanged();
    // Nothing to paint (labels override).
    virtual bool IsEmpty() const { return true; }

    // IUCLBackground
    bool SuppliesBackground() const override { return HasParentBackground(this); }
    bool GetTransparent() const override { return false; }
    void RefreshBackground() override {}

protected:
    virtual void Paint(QPainter& Painter) {}
    // Fills the control with its colour.
    void FillSolid(QPainter& Painter);
    virtual void MouseEnter();
    virtual void MouseExit();
    virtual void DoBoundsChanged(Byte Changed);

    void paintEvent(QPaintEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;

private:
    TColor FColor;
    bool FCtlXP = false;
    Integer FUpdateCount = 0;
};

// Adds the image list reference of the windowed base.
class TUCLBaseControl : public TUCLControl {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLBaseControl, TUCLControl)
public:
    explicit TUCLBaseControl(QWidget* Parent = nullptr);
    ~TUCLBaseControl() override;

    TUCLBaseController* ImageList() const { return FImageList; }
    void SetImageList(TUCLBaseController* Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    Integer ListIndex() const { return FListIndex; }
    void SetListIndex(Integer Value);

    virtual bool DrawsParentBackground() const { return false; }
    void RefreshBackground() override;

protected:
    virtual void ImageListChanged() { ContentChanged(); }

private:
    QPointer<TUCLBaseController> FImageList;
    TUCLChangeLink FImageChangeLink;
    Integer FImageIndex = 0;
    Integer FListIndex = 0;
};

// A window-less control that is transparent unless told otherwise.
class TUCLBaseGraphicControl : public TUCLBaseControl {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLBaseGraphicControl, TUCLBaseControl)
public:
    explicit TUCLBaseGraphicControl(QWidget* Parent = nullptr);

    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);

    bool DrawsParentBackground() const override { return FTransparent && HasParentBackground(this); }
    bool GetTransparent() const override { return FTransparent; }

private:
    bool FTransparent = true;
};
