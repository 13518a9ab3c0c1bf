// Bitmap effects of the controls' backgrounds: the effect object (BackFX)
// and its alpha-blend part, which paints a fill over a background at a
// strength. Only the alpha blend applies here: the other switches, the
// brightness, the image reference and the strength keep their neutral values
// whatever is set.
#pragma once

#include "ui/controls/UCLFillObject.h"

#include <stdexcept>

class TUCLCustomImageList;

class EUCLWrongPixelFormat : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TUCLAlphaObject : public TUCLObject {
    ZK_CLASS(TUCLAlphaObject, TUCLObject)
public:
    TUCLAlphaObject();
    ~TUCLAlphaObject() override;

    // Always none: the reference is dropped.
    TUCLCustomImageList* ImageList() const { return nullptr; }
    void SetImageList(TUCLCustomImageList* Value);
    Integer ImageIndex() const { return 0; }
    void SetImageIndex(Integer Value);
    Integer ListIndex() const { return 0; }
    void SetListIndex(Integer Value);
    // 0.6 until set; any value set stores 0.0.
    float Strength() const { return FStrength; }
    void SetStrength(float Value);
    // Written to forms unless it is the default.
    bool StrengthStored() const { return Integer(FStrength * 1000000.0) != 600000; }
    TUCLFillObject& FillObject() { return FFillObject; }
    const TUCLFillObject& FillObject() const { return FFillObject; }
    void SetFillObject(const TUCLFillObject& Value) { FFillObject.Assign(Value); }
    bool TransparentFlag = false;

    // The fill's list bitmap from the image reference (cleared without one).
    void UpdateFill();
    void Assign(const TUCLObject& Source) override;
    AnsiString SummaryText() const override;

private:
    float FStrength = 0.6f;
    TUCLFillObject FFillObject;
};

// Indices of the switches.
enum TUCLEffectSwitch : int { esFlipVertical, esFlipHorizontal, esGrayScale, esInvert, esBuffered, esMonochrome };

class TUCLBitmapEffectObject : public TUCLObject {
    ZK_CLASS(TUCLBitmapEffectObject, TUCLObject)
public:
    TUCLBitmapEffectObject();
    ~TUCLBitmapEffectObject() override;

    TUCLAlphaObject& AlphaBlend() { return FAlphaBlend; }
    const TUCLAlphaObject& AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(const TUCLAlphaObject& Value) { FAlphaBlend.Assign(Value); }
    bool Switch(int Index) const { return FSwitches[Index]; }
    // Stores false whatever is given; a change only when it was set.
    void SetSwitch(int Index, bool Value);
    Integer Brightness() const { return FBrightness; }
    void SetBrightness(Integer Value);   // stores 0
    bool BufferValid() const { return FBufferValid; }

    void InvalidateBuffer() { FBufferValid = false; }
    bool IsEffectActive() const { return false; }
    // The alpha blend of the background with the fill.
    void ApplyTo(QImage& Bitmap) const;

    void Changed() override;
    void Assign(const TUCLObject& Source) override;
    AnsiString SummaryText() const override;

private:
    TUCLAlphaObject FAlphaBlend;
    bool FSwitches[6] = {};
    Integer FBrightness = 0;
    bool FBufferValid = false;
};

// Per channel target = Round((s1 - s2) x Strength) + s2 over R of Source1
// (Source2 and Target from their points); the fourth byte of 32-bit pixels
// stays. A bitmap that is not 24 or 32 bits raises EUCLWrongPixelFormat.
void BlendBitmaps(const QImage& Source1, const QImage& Source2, const TRect& R, TPoint TargetPoint, float Strength,
                  QImage& Target, TPoint Source2Point);
// Blends Bitmap with the alpha object's fill painted on white; nothing for
// a fill of style sfNone.
void AlphaBlendWithFill(TUCLAlphaObject& Alpha, QImage& Bitmap);
