#include "panel/framework/FP_Decorations.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "panel/framework/PanelGlobals.h"
#include "platform/AnsiText.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"
#include "platform/Paths.h"
#include "platform/Stream.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

Word ReadRawWord(TReader& reader)
{
    return static_cast<Word>(ReadRawSmallInt(reader));
}

// The size words of a record, limited as the base record's.
QSize ReadSize(TReader& reader)
{
    const Integer w = ReadRawExtent(reader);
    const Integer h = ReadRawExtent(reader);
    return QSize(w, h);
}

// A term written as it reads (UTF-8 source) in the current language.
AnsiString T(const char* german)
{
    return Translate(QStringToAnsi(QString::fromUtf8(german)));
}

} // namespace

// ---- Common rows

void TDecoration::AddCommonRows()
{
    if (userEdit)
        Default_Dlg().Props->AddCheck(T("Zur Laufzeit einstellbar"), RuntimeAdjustable);
}

// ---- Scale

TSkale::TSkale()
{
    resize(200, 30);
}

void TSkale::SetSKTeile(Integer value)
{
    SKTeile = static_cast<Word>(std::clamp(value, 1, 100));
    update();
}

void TSkale::SetSKGrossStart(Integer value)
{
    SKGrossStart = static_cast<Word>(std::clamp(value, 1, 100));
    update();
}

void TSkale::SetSKGrossSchritt(Integer value)
{
    SKGrossSchritt = static_cast<Word>(std::clamp(value, 1, 100));
    update();
}

void TSkale::SetSKOrientierung(Byte value)
{
    SKOrientierung = value;
    update();
}

void TSkale::Paint(TCanvas& canvas)
{
    TFP_Element::Paint(canvas);
    const Integer w = FrameWidth();
    // A file may hold 0 divisions: drawn as one rather than divided by zero.
    const Integer n = std::max<Integer>(SKTeile, 1);
    const Integer W = width(), H = height();
    QPainter& painter = *canvas.Painter();
    const QColor color = ColorToQColor(LineColor);
    auto line = [&](Integer x0, Integer y0, Integer x1, Integer y1) { PixelLine(painter, x0, y0, x1, y1, color); };
    for (Integer i = 1; i <= n + 1; ++i) {
        const Integer y = w + static_cast<Integer>((static_cast<Int64>(H - 2 * w - 1) * (i - 1)) / n);
        const Integer x = w + static_cast<Integer>((static_cast<Int64>(W - 2 * w - 1) * (i - 1)) / n);
        const bool vertical = SKOrientierung == rechts || SKOrientierung == links;
        if (i >= SKGrossStart && SKGrossSchritt > 0 && (i - SKGrossStart) % SKGrossSchritt == 0) {
            if (vertical)
                line(w, y, W - w, y);
            else
                line(x, w, x, H - w);
        }
        switch (SKOrientierung) {
        case rechts: line(w, y, W / 2, y); break;
        case links: line(W - w, y, W / 2, y); break;
        case oben: line(x, H - w, x, H / 2); break;
        case unten: line(x, w, x, H / 2); break;
        default: break;
        }
    }
}

void TSkale::WriteData(TStream& stream, TWriter& writer)
{
    TFP_Element::WriteData(stream, writer);
    WriteRawWord(writer, SKTeile);
    WriteRawWord(writer, SKGrossStart);
    WriteRawWord(writer, SKGrossSchritt);
    WriteRawByte(writer, SKOrientierung);
    WriteRawWord(writer, width());
    WriteRawWord(writer, height());
    writer.WriteInteger(static_cast<Integer>(LineColor));
}

void TSkale::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TFP_Element::ReadData(stream, reader, version);
    SKTeile = ReadRawWord(reader);
    SKGrossStart = ReadRawWord(reader);
    SKGrossSchritt = ReadRawWord(reader);
    SKOrientierung = ReadRawByte(reader);
    const QSize size = ReadSize(reader);
    if (version >= 40)
        LineColor = static_cast<TColor>(reader.ReadInteger());
    SetBounds(x(), y(), size.width(), size.height());
}

Integer TSkale::EditProperties()
{
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(T("Skale"));
    dlg.SetHelpContext(0);
    TPropScrollbox& props = *dlg.Props;
    Integer orientation = SKOrientierung;
    Integer divisions = SKTeile, step = SKGrossSchritt, start = SKGrossStart;
    props.AddCombo(T("Orientierung"), orientation, {T("Rechts"), T("Links"), T("Auf"), T("Ab")}, 120);
    props.AddSpin(T("Teilungen"), divisions, 1, 100, 64);
    props.AddSpin(T("Abstand"), step, 1, 100, 64);
    props.AddSpin(T("Start"), start, 1, 100, 64);
    props.AddColor(T("Farbe"), LineColor);
    AddBackgroundRow(HintergrundFarbe);
    AddCommonRows();
    const Integer result = dlg.ShowModal();
    SetSKTeile(divisions);
    SetSKGrossSchritt(step);
    SetSKGrossStart(start);
    if (orientation >= 0 && orientation <= 3) {
        const bool wasVertical = SKOrientierung <= links;
        const bool isVertical = orientation <= links;
        if (wasVertical != isVertical)
            resize(height(), width());
        SetSKOrientierung(static_cast<Byte>(orientation));
    }
    update();
    return result;
}

// ---- Text label

TBeschriftung::TBeschriftung()
{
    resize(60, 20);
    Font.Name = ArialFamily;
    Font.Height = -12;   // 9 points
    Font.Color = 0;
    SetColor(PanelDefaultColor);
    BackgroundFollowsPanel = true;
    WebTitle = false;
}

void TBeschriftung::Paint(TCanvas& canvas)
{
    TFP_Element::Paint(canvas);
    const Integer w = FrameWidth();
    QPainter& painter = *canvas.Painter();
    painter.save();
    painter.setClipRect(QRect(w, w, width() - 2 * w, height() - 2 * w));
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Font = Font;
    const Integer textWidth = canvas.TextWidth(Text);
    const Integer y = (height() - canvas.TextHeight(Text)) / 2;
    Integer x = w;
    if (Alignment == taRightJustify)
        x = width() - w - textWidth;
    else if (Alignment == taCenter)
        x = (width() - textWidth) / 2;
    canvas.TextOut(x, y, Text);
    painter.restore();
}

void TBeschriftung::WriteData(TStream& stream, TWriter& writer)
{
    TFP_Element::WriteData(stream, writer);
    WriteShortString(writer, Font.Name, 32);
    WriteRawWord(writer, Font.Height);
    WriteRawByte(writer, Font.Style);
    WriteRawLong(writer, Font.Color);
    WriteRawLong(writer, static_cast<Cardinal>(Alignment));
    WriteShortString(writer, Text, MaxText + 1);
    WriteRawWord(writer, width());
    WriteRawWord(writer, height());
}

void TBeschriftung::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TFP_Element::ReadData(stream, reader, version);
    Font.Name = ReadShortString(reader, 32);
    Font.Height = ReadRawSmallInt(reader);
    Font.Style = ReadRawByte(reader) & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    Font.Color = static_cast<TColor>(ReadRawLong(reader));
    const auto alignment = static_cast<Integer>(ReadRawLong(reader));
    if (version > 2 && alignment >= 0 && alignment <= 2)
        Alignment = alignment;
    Text = ReadShortString(reader, MaxText + 1);
    const QSize size = ReadSize(reader);
    SetBounds(x(), y(), size.width(), size.height());
}

Integer TBeschriftung::EditProperties()
{
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(T("Text"));
    dlg.SetHelpContext(0);
    TPropScrollbox& props = *dlg.Props;
    AnsiString text = Text;
    // Combo order: left, centre, right.
    Integer alignment = Alignment == taCenter ? 1 : Alignment == taRightJustify ? 2 : 0;
    props.AddEdit(T("Text"), text, static_cast<Integer>(MaxText), 190);
    props.AddFontName(T("Schriftart"), Font);
    props.AddFontStyle(T("Stil"), Font);
    props.AddColor(T("Farbe"), Font.Color);
    AddBackgroundRow(HintergrundFarbe);
    props.AddCombo(T("Ausrichtung"), alignment, {T("Links"), T("Mitte"), T("Rechts")}, 80);
    AddCommonRows();
    const Integer result = dlg.ShowModal();
    Text = text.substr(0, MaxText);
    if (alignment >= 0 && alignment <= 2)
        Alignment = alignment == 1 ? taCenter : alignment == 2 ? taRightJustify : taLeftJustify;
    update();
    return result;
}

// ---- Frame

TRahmen::TRahmen()
{
    BackgroundFollowsPanel = true;
}

void TRahmen::Paint(TCanvas& canvas)
{
    TFP_Element::Paint(canvas);
    // The bevel fills the area inside the element's own frame.
    const Integer w = FrameWidth();
    QPainter& painter = *canvas.Painter();
    const QRect r(w, w, width() - 2 * w, height() - 2 * w);
    const QColor shadow = ColorToQColor(clBtnShadow), light = ColorToQColor(clBtnHighlight);
    const QColor first = Bevel.Style == bsLowered ? shadow : light;
    const QColor second = Bevel.Style == bsLowered ? light : shadow;
    const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
    // Both end points belong to these lines.
    auto line = [&](int x0, int y0, int x1, int y1, const QColor& c) {
        PixelLine(painter, x0, y0, x0 == x1 ? x1 : x1 + 1, y0 == y1 ? y1 : y1 + 1, c);
    };
    switch (Bevel.Shape) {
    case bsBox:
        line(l, t, rr, t, first);
        line(l, t, l, b, first);
        line(rr, t, rr, b, second);
        line(l, b, rr, b, second);
        break;
    case bsFrame:
        // Two nested outlines: an etched frame.
        line(l, t, rr - 1, t, first);
        line(l, t, l, b - 1, first);
        line(rr - 1, t, rr - 1, b - 1, first);
        line(l, b - 1, rr - 1, b - 1, first);
        line(l + 1, t + 1, rr, t + 1, second);
        line(l + 1, t + 1, l + 1, b, second);
        line(rr, t, rr, b, second);
        line(l, b, rr, b, second);
        break;
    case bsTopLine:
        line(l, t, rr, t, first);
        line(l, t + 1, rr, t + 1, second);
        break;
    case bsBottomLine:
        line(l, b - 1, rr, b - 1, first);
        line(l, b, rr, b, second);
        break;
    case bsLeftLine:
        line(l, t, l, b, first);
        line(l + 1, t, l + 1, b, second);
        break;
    case bsRightLine:
        line(rr - 1, t, rr - 1, b, first);
        line(rr, t, rr, b, second);
        break;
    default: break;
    }
}

void TRahmen::WriteData(TStream& stream, TWriter& writer)
{
    TFP_Element::WriteData(stream, writer);
    WriteRawWord(writer, width());
    WriteRawWord(writer, height());
    WriteRawByte(writer, Bevel.Shape);
    WriteRawByte(writer, Bevel.Style);
}

void TRahmen::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TFP_Element::ReadData(stream, reader, version);
    const QSize size = ReadSize(reader);
    Bevel.Shape = ReadRawByte(reader);
    Bevel.Style = ReadRawByte(reader);
    SetBounds(x(), y(), size.width(), size.height());
}

Integer TRahmen::EditProperties()
{
    // Combo order: frame, panel, lines left, right, top, bottom.
    static constexpr Byte Shapes[] = {bsFrame, bsBox, bsLeftLine, bsRightLine, bsTopLine, bsBottomLine};
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(T("Rahmen"));
    dlg.SetHelpContext(0);
    TPropScrollbox& props = *dlg.Props;
    Integer style = static_cast<Integer>(std::find(std::begin(Shapes), std::end(Shapes), Bevel.Shape) - std::begin(Shapes));
    Integer line = Bevel.Style == bsRaised ? 0 : 1;
    const AnsiString lineWord = T("Linie") + " ";
    props.AddCombo(T("Stil"),
                   style,
                   {T("Rahmen"), T("Panel"), lineWord + T("Links"), lineWord + T("Rechts"), lineWord + T("Oben"),
                    lineWord + T("Unten")},
                   130);
    props.AddCombo(T("Linie"), line, {T("Erhöhung"), T("Vertiefung")}, 130);
    AddCommonRows();
    const Integer result = dlg.ShowModal();
    if (result == 1) {
        if (style >= 0 && style < static_cast<Integer>(std::size(Shapes)))
            Bevel.Shape = Shapes[style];
        if (line == 0 || line == 1)
            Bevel.Style = line == 0 ? bsRaised : bsLowered;
    }
    update();
    return result;
}

// ---- Picture

TLogo::TLogo()
{
    SetHint("Bitmap");
    ShowPlaceholder();
    FitToPicture();
}

void TLogo::ShowPlaceholder()
{
    // A box with a cross.
    Image = QImage(40, 40, QImage::Format_RGB32);
    Image.fill(Qt::white);
    QPainter painter(&Image);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 39, 39);
    painter.drawLine(0, 0, 39, 39);
    painter.drawLine(0, 39, 39, 0);
    placeholder_ = true;
}

void TLogo::FitToPicture()
{
    const Integer f = 2 * FrameWidth();
    resize(Image.width() + f, Image.height() + f);
}

void TLogo::LoadPicture()
{
    // A name with a NUL byte (a damaged record) names no file.
    if (FileName.find('\0') != AnsiString::npos) {
        ShowPlaceholder();
        update();
        return;
    }
    FileName = ResolveDataFile(FileName).substr(0, MaxFileName);
    QImage picture;
    const QString path = QtFileName(FileName);
    if (!FileName.empty() && QFile::exists(path)) {
        QImageReader reader(path);
        // The format by the name's extension, as the picture class does; a
        // misnamed file still opens by its content.
        reader.setDecideFormatFromContent(true);
        picture = reader.read();
    }
    if (picture.isNull()) {
        ShowPlaceholder();
    } else {
        Image = picture;
        placeholder_ = false;
    }
    update();
}

void TLogo::Paint(TCanvas& canvas)
{
    TFP_Element::Paint(canvas);
    const Integer w = FrameWidth();
    const QRect area(w, w, width() - 2 * w, height() - 2 * w);
    if (area.isEmpty())
        return;
    QPainter& painter = *canvas.Painter();
    if (!placeholder_) {
        painter.drawImage(area, Image);
        return;
    }
    // The placeholder is drawn rather than stretched, so it stays sharp at
    // any scale: a white box with a black border and both diagonals.
    const int l = area.left(), t = area.top(), r = area.right(), b = area.bottom();
    painter.fillRect(area, Qt::white);
    PixelLine(painter, l, t, r + 1, t, Qt::black);
    PixelLine(painter, l, b, r + 1, b, Qt::black);
    PixelLine(painter, l, t, l, b + 1, Qt::black);
    PixelLine(painter, r, t, r, b + 1, Qt::black);
    PixelLine(painter, l, t, r, b, Qt::black);
    PixelLine(painter, l, b, r, t, Qt::black);
}

void TLogo::WriteData(TStream& stream, TWriter& writer)
{
    TFP_Element::WriteData(stream, writer);
    WriteShortString(writer, FileName, MaxFileName + 1);
    WriteRawWord(writer, width());
    WriteRawWord(writer, height());
}

void TLogo::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TFP_Element::ReadData(stream, reader, version);
    FileName = ReadShortString(reader, MaxFileName + 1);
    const Integer w = ReadRawSmallInt(reader);
    const Integer h = ReadRawSmallInt(reader);
    // The bounds of the base record stay.
    if (w != 0 && h != 0)
        LoadPicture();
}

Integer TLogo::EditProperties()
{
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(Hint());
    dlg.SetHelpContext(0);
    TPropScrollbox& props = *dlg.Props;
    AnsiString fileName = FileName;
    bool actualSize = false;
    props.AddFile("Bitmap", fileName, 0, 300, "Bitmap (*.bmp)|*.bmp|Bitmap (*.gif)|*.gif|Bitmap (*.jpg)|*.jpg", "BMP");
    props.AddCheck(T("Grösse") + " 1:1", actualSize);
    AddCommonRows();
    const Integer result = dlg.ShowModal();
    if (result == 1) {
        FileName = fileName;
        LoadPicture();
        if (actualSize)
            FitToPicture();
    }
    update();
    return result;
}

void TLogo::EditPanelLook()
{
    TFP_Element::EditPanelLook();
    FitToPicture();
    update();
}

// ---- Area

TFlaeche::TFlaeche()
{
}

void TFlaeche::Paint(TCanvas& canvas)
{
    TFP_Element::Paint(canvas);
    const Integer fw = FrameWidth();
    QPainter& painter = *canvas.Painter();
    QRect r(fw, fw, width() - 2 * fw, height() - 2 * fw);
    // As the shape control draws: the pen inside the area, squares and
    // circles centred with the shorter side.
    // A pen width from a damaged file is drawn within the dialog's range.
    const int pw = std::clamp<Integer>(theShape.PenWidth, 0, 20);
    r.adjust(pw / 2, pw / 2, -(pw + 1) / 2, -(pw + 1) / 2);
    if (theShape.Shape == stSquare || theShape.Shape == stRoundSquare || theShape.Shape == stCircle) {
        const int side = std::min(r.width(), r.height());
        r = QRect(r.left() + (r.width() - side) / 2, r.top() + (r.height() - side) / 2, side, side);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, theShape.Shape >= stRoundRect);
    if (pw > 0)
        painter.setPen(QPen(ColorToQColor(theShape.PenColor), pw));
    else
        painter.setPen(Qt::NoPen);
    painter.setBrush(ColorToQColor(theShape.BrushColor));
    const int radius = std::min(r.width(), r.height()) / 4;
    switch (theShape.Shape) {
    case stRoundRect:
    case stRoundSquare: painter.drawRoundedRect(r, radius, radius); break;
    case stEllipse:
    case stCircle: painter.drawEllipse(r); break;
    default: painter.drawRect(r); break;
    }
    painter.restore();
}

void TFlaeche::WriteData(TStream& stream, TWriter& writer)
{
    TFP_Element::WriteData(stream, writer);
    WriteRawByte(writer, theShape.Shape);
    WriteRawLong(writer, theShape.BrushColor);
    WriteRawLong(writer, theShape.PenColor);
    WriteRawWord(writer, theShape.PenWidth);
    WriteRawWord(writer, width());
    WriteRawWord(writer, height());
}

void TFlaeche::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TFP_Element::ReadData(stream, reader, version);
    theShape.Shape = ReadRawByte(reader);
    theShape.BrushColor = static_cast<TColor>(ReadRawLong(reader));
    theShape.PenColor = static_cast<TColor>(ReadRawLong(reader));
    theShape.PenWidth = ReadRawSmallInt(reader);
    const QSize size = ReadSize(reader);
    SetBounds(x(), y(), size.width(), size.height());
}

Integer TFlaeche::EditProperties()
{
    // Combo order: circle, ellipse, rectangle, rounded rectangle, square, rounded square.
    static constexpr Byte Shapes[] = {stCircle, stEllipse, stRectangle, stRoundRect, stSquare, stRoundSquare};
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(T("Fläche"));
    dlg.SetHelpContext(0);
    TPropScrollbox& props = *dlg.Props;
    Integer style =
        static_cast<Integer>(std::find(std::begin(Shapes), std::end(Shapes), theShape.Shape) - std::begin(Shapes));
    Integer penWidth = theShape.PenWidth;
    props.AddCombo(T("Stil"),
                   style,
                   {T("Kreis"), T("Ellipse"), T("Rechteck"), T("Rechteck, abgerundet"), T("Quadrat"),
                    T("Quadrat, abgerundet")},
                   130);
    props.AddSpin(T("Stiftbreite"), penWidth, 0, 20, 64);
    props.AddColor(T("Stiftfarbe"), theShape.PenColor);
    props.AddColor(T("Füllfarbe"), theShape.BrushColor);
    AddCommonRows();
    const Integer result = dlg.ShowModal();
    if (style >= 0 && style < static_cast<Integer>(std::size(Shapes)))
        theShape.Shape = Shapes[style];
    theShape.PenWidth = std::clamp<Integer>(penWidth, 0, 20);
    update();
    return result;
}
