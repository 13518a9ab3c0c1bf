// A custom-drawn push button with a colour-gradient face, a bevel of one-pixel
// rings and a caption drawn flat, raised or inset. The face is composed in a
// work picture and copied in one piece, so the button does not flicker.
// In passive mode the button ignores its own presses and clicks; its owner
// sets the pressed look through SetDown (the switch element does this).
// The picture turns used by the switch element live here too.
#pragma once

#include "platform/SysTypes.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

enum TGradientStyle : Byte { gsHorizontal = 0, gsVertical, gsElliptic, gsRectangle, gsVertCenter, gsHorizCenter };
enum TTextStyle : Byte { tsNormal = 0, tsRaised, tsInset };
enum TShadeType : Byte { stLight = 0, stHeavy };
enum TPreset : Byte { None = 0, GoldCoast, LimeBox, Aluminum, SunRise, BrassedOff };
enum TJustification : Byte { jLeft = 0, jCenter, jRight };

class TGradBtn : public QWidget {
public:
    explicit TGradBtn(QWidget* owner = nullptr);
    ~TGradBtn() override;

    // Step i of n between two colours, each channel interpolated and
    // truncated toward zero; the high bytes of both colours are ignored.
    static TColor ColorStep(TColor begin, TColor end, Integer i, Integer n);
    // The caption without its accelerator marks: "&Start" gives "Start",
    // "a&&b" gives "a&b"; a trailing "&" is kept.
    static QString StripAccelerator(const QString& caption);

    // ---- Published properties (a changed value repaints)
    void SetDisabledColor(TColor colour);
    void SetBtnHiliteClr(TColor colour);
    void SetBtnShadowClr(TColor colour);
    // Taken only while it leaves at least five pixels of face on each side.
    void SetBtnFrameSize(Integer size);
    void SetTxtHiliteClr(TColor colour);
    void SetTxtShadowClr(TColor colour);
    void SetBeginColor(TColor colour);
    void SetEndColor(TColor colour);
    void SetSwapColors(bool swap) { swapColors_ = swap; }
    void SetShowFocus(bool show) { showFocus_ = show; }
    void SetGradientStyle(TGradientStyle style);
    void SetTextStyle(TTextStyle style);
    void SetTextShadeType(TShadeType shade);
    // Presets are not offered: an assignment leaves None.
    void SetPresets(TPreset) {}
    void SetJustification(TJustification justification);
    void SetCaption(const QString& caption);
    void SetFontColor(TColor colour);

    TColor DisabledColor() const { return disabledColor_; }
    TColor BtnHiliteClr() const { return btnHilite_; }
    TColor BtnShadowClr() const { return btnShadow_; }
    Integer BtnFrameSize() const { return frameSize_; }
    TColor TxtHiliteClr() const { return txtHilite_; }
    TColor TxtShadowClr() const { return txtShadow_; }
    TColor BeginColor() const { return beginColor_; }
    TColor EndColor() const { return endColor_; }
    bool SwapColors() const { return swapColors_; }
    bool ShowFocus() const { return showFocus_; }
    TGradientStyle GradientStyle() const { return gradientStyle_; }
    TTextStyle TextStyle() const { return textStyle_; }
    TShadeType TextShadeType() const { return shadeType_; }
    TPreset Presets() const { return None; }
    TJustification Justification() const { return justification_; }
    const QString& Caption() const { return caption_; }
    TColor FontColor() const { return fontColor_; }

    // Passive mode: presses and clicks leave the look alone and fire no
    // OnClick; the mouse events still reach their handlers.
    bool BisteKnopf = false;

    // Events
    std::function<void()> OnClick;
    std::function<void(QMouseEvent*)> OnMouseDown;
    std::function<void(QMouseEvent*)> OnMouseUp;
    std::function<void(QMouseEvent*)> OnDblClick;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

    // The pressed look from outside (true while down).
    void SetDown(bool value);
    bool Down() const { return down_; }
    // True at rest; false while pressed by the mouse (and while SetDown(false)).
    bool FrameSunken() const { return frameSunken_; }

    // Composes the face as the next paint shows it.
    QImage RenderFace() const;
    // A click: returns a pressed button to rest, then fires OnClick. Nothing
    // in passive mode.
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Changed();
    void ExchangeColors();
    void FillGradient(QImage& work) const;
    void DrawCaption(QPainter& painter, Integer a) const;
    void UpdateShortcut();

    TColor disabledColor_;
    TColor btnHilite_;
    TColor btnShadow_;
    Integer frameSize_ = 1;
    TColor txtHilite_;
    TColor txtShadow_;
    TColor beginColor_ = 0x800000;
    TColor endColor_ = 0xFFFF00;
    bool swapColors_ = true;
    bool showFocus_ = false;
    TGradientStyle gradientStyle_ = gsVertCenter;
    TTextStyle textStyle_ = tsRaised;
    TShadeType shadeType_ = stLight;
    TJustification justification_ = jCenter;
    QString caption_;
    TColor fontColor_ = 0x000000;
    bool frameSunken_ = true;
    bool down_ = false;
    int shortcutId_ = 0;
};

// Picture turns; each replaces the picture in place. The quarter turns keep
// the pixel format and colour table; the half turn gives a 32-bit picture.
void RotateBitmap90Left(QImage& picture);
void RotateBitmap90Right(QImage& picture);
void RotateBitmap180(QImage& picture);
