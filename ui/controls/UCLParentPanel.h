// Panels that keep their own background in a bitmap of their size, so that
// transparent children show it: the parent panel, and the panel fill that
// builds the bitmap from a fill object (with the alpha blend of its bitmap
// effect) and draws a caption with a 3D or effect style.
#pragma once

#include "ui/controls/UCLBitmapEffect.h"
#include "ui/controls/UCLCaption.h"
#include "ui/controls/UCLPanel.h"

#include <memory>

class TUCLCustomParentPanel : public TUCLCustomBevelPanel {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomParentPanel, TUCLCustomBevelPanel)
public:
    explicit TUCLCustomParentPanel(QWidget* Parent = nullptr);
    ~TUCLCustomParentPanel() override;

    // The background bitmap; nullptr while the panel keeps none.
    const QImage* BackgroundBitmap() const { return FBackground.get(); }
    // Builds (or drops) the background bitmap; without Force an existing
    // bitmap of the right size is kept.
    virtual void UpdateBackgroundBitmap(bool Force) = 0;

    bool SuppliesBackground() const override;
    bool DrawsParentBackground() const override;
    // The panel's background under R (panel coordinates) onto Painter at
    // R's place; false when it keeps no bitmap.
    bool PaintBackgroundTo(QPainter& Painter, const TRect& R) const;

    // Reading from a form: no bitmap until Loaded.
    bool Loading() const { return FLoading; }
    void BeginLoading() { FLoading = true; }
    virtual void Loaded();

protected:
    void PaintBackground(QPainter& Painter) override;
    void resizeEvent(QResizeEvent* Event) override;

    std::unique_ptr<QImage> FBackground;

private:
    bool FLoading = false;
};

class TUCLCustomPanelFill : public TUCLCustomParentPanel {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomPanelFill, TUCLCustomParentPanel)
public:
    explicit TUCLCustomPanelFill(QWidget* Parent = nullptr);
    ~TUCLCustomPanelFill() override;

    TUCLAlignment CaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(TUCLAlignment Value);
    TUCLFxCaption& FontFX() { return FFontFX; }
    void SetFontFX(const TUCLFxCaption& Value) { FFontFX.Assign(Value); }
    TUCLFillObject& FillObject() { return FFillObject; }
    void SetFillObject(const TUCLFillObject& Value) { FFillObject.Assign(Value); }
    TUCLBitmapEffectObject& BackFX() { return FBackFX; }
    void SetBackFX(const TUCLBitmapEffectObject& Value) { FBackFX.Assign(Value); }
    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& Value);
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value);

    TUCL3DCaption* CurrentFont3D() const override { return const_cast<TUCLFxCaption*>(&FFontFX); }
    TUCLFillObject* CurrentFillObject() const override { return const_cast<TUCLFillObject*>(&FFillObject); }
    void UpdateBackgroundBitmap(bool Force) override;
    void GetChange(TPersistent* Sender) override;
    TUCLPalette GetPalette() const { return FFillObject.GetPalette(); }

protected:
    void DrawCaption(QPainter& Painter, TRect R, TUCLAlignment Alignment);
    void Paint(QPainter& Painter) override;
    void resizeEvent(QResizeEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void ImageListChanged() override;

private:
    TUCLAlignment FCaptionAlignment = agCenter;
    TUCLFxCaption FFontFX;
    TUCLFillObject FFillObject;
    TUCLBitmapEffectObject FBackFX;
    AnsiString FCaption;
    TColor FFontColor;
};
