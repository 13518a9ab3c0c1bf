// The decoration elements that dress a front panel without belonging to a
// component: a scale, a text label, a frame or line, a picture from a file and
// a filled shape. The container stores them in its design block; they have
// no name, no run-time state, and only the picture can go on web pages.
#pragma once

#include "panel/framework/FP_Element.h"
#include "platform/Canvas.h"

#include <QImage>

// The orientation of a scale: ticks on the right, left, top or bottom.
enum TOrientierung : Byte { rechts = 0, links = 1, oben = 2, unten = 3 };

class TDecoration : public TFP_Element {
    ZK_ABSTRACT_CLASS(TDecoration, TFP_Element)
public:
    bool GetPublish() const override { return false; }

protected:
    // The rows every decoration dialog ends with.
    void AddCommonRows();
};

class TSkale : public TDecoration {
    ZK_CLASS(TSkale, TDecoration)
public:
    TSkale();

    Word SKTeile = 20;
    Word SKGrossSchritt = 5;
    Word SKGrossStart = 1;
    Byte SKOrientierung = oben;
    TColor LineColor = 0;

    // Each limits the value to 1..100 and repaints.
    void SetSKTeile(Integer value);
    void SetSKGrossStart(Integer value);
    void SetSKGrossSchritt(Integer value);
    Byte GetSKOrientierung() const { return SKOrientierung; }
    void SetSKOrientierung(Byte value);

    void Paint(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
};

class TBeschriftung : public TDecoration {
    ZK_CLASS(TBeschriftung, TDecoration)
public:
    // Record codes of the alignment (inside the class: the edit controls
    // have an alignment type of the same name).
    enum TAlignment : Integer { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
    static constexpr std::size_t MaxText = 60;
    TBeschriftung();

    AnsiString Text = "Text";
    TFont Font;
    Integer Alignment = taLeftJustify;

    void Paint(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
};

// The class library's bevel shapes and styles as stored.
enum TBevelShape : Byte { bsBox = 0, bsFrame = 1, bsTopLine = 2, bsBottomLine = 3, bsLeftLine = 4, bsRightLine = 5 };
enum TBevelStyle : Byte { bsLowered = 0, bsRaised = 1 };

class TRahmen : public TDecoration {
    ZK_CLASS(TRahmen, TDecoration)
public:
    TRahmen();

    struct TBevel {
        Byte Shape = bsBox;
        Byte Style = bsLowered;
    } Bevel;

    void Paint(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
};

class TLogo : public TDecoration {
    ZK_CLASS(TLogo, TDecoration)
public:
    static constexpr std::size_t MaxFileName = 255;
    TLogo();

    AnsiString FileName;
    QImage Image;   // the picture, or the placeholder

    // Resolves the name (stored back resolved) and loads the picture; a file
    // that is missing or cannot be decoded leaves the placeholder.
    void LoadPicture();
    // The element sized to the picture plus the frame.
    void FitToPicture();
    bool ShowsPlaceholder() const { return placeholder_; }

    void Paint(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
    void EditPanelLook() override;
    bool GetPublish() const override { return Publish; }

private:
    bool placeholder_ = true;
    void ShowPlaceholder();
};

// The class library's shape types as stored.
enum TShapeType : Byte { stRectangle = 0, stSquare = 1, stRoundRect = 2, stRoundSquare = 3, stEllipse = 4, stCircle = 5 };

class TFlaeche : public TDecoration {
    ZK_CLASS(TFlaeche, TDecoration)
public:
    TFlaeche();

    struct TShape {
        Byte Shape = stRectangle;
        TColor BrushColor = 0xFFFFFF;
        TColor PenColor = 0;
        Integer PenWidth = 1;
    } theShape;

    void Paint(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
};
