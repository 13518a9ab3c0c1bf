// The library palette: one library file (one category) shown as a strip of
// live sample components, one below the other with their names, a help mark
// and, for devices, an information mark. A picked entry goes to the main
// window as a one-object stream that the board reads like a paste, so the
// component enters the board the way every other component does.
#pragma once

#include "engine/Platine.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class IDevice;
class TMakro;
class TMemoryStream;
class TReader;
class TStream;

// The stream of one object as a paste reads it: the count 1, the class name,
// the object's record written at position 0,0, and no panel element.
void WritePlacingStream(TBauteil& object, TStream& stream);

class TBibo : public QWidget {
public:
    explicit TBibo(QWidget* owner = nullptr);
    ~TBibo() override;
    TBibo(const TBibo&) = delete;
    TBibo& operator=(const TBibo&) = delete;

    // 254 board units are round(Zoom * 16) pixels.
    double Zoom = 5.0;
    // Per laid-out entry, the board-unit y at which its area ends.
    std::vector<Integer> EntryBottoms;
    Integer LayoutY = 0;
    Integer StripWidth = 0;            // the control's width in board units
    std::function<void(TBibo* sender)> OnPick;
    std::function<void(TBibo* sender)> OnPickMacro;
    // Reads the file's header and keeps its version byte in FileVersion.
    std::function<void(TStream& stream, TReader& reader)> OnReadHeader;
    // The samples in display order, owned.
    std::vector<TBauteil*> Entries;
    const TPalette* Palette = nullptr;
    // Set around bulk loads: no layout, no height change and no painting.
    bool PaintSuppressed = false;
    Byte FileVersion = 0;
    bool TextOnly = false;
    AnsiString FileName;
    TMakro* PickedMacro = nullptr;

    // Replaces the entries with those of the library file; a file that cannot
    // be read leaves an empty palette and raises the stream error.
    void LoadFromFile(const AnsiString& fileName);
    // No entries (a category without its file).
    void Clear();
    // Entries whose bounds are beyond what the palette lays out (huge
    // coordinates or sizes, a strip too long) raise the stream error.
    void ReadEntries(TStream& stream);
    void LayoutEntries();
    // Control points (pixels of the palette).
    TBauteil* EntryAt(Integer x, Integer y) const;
    bool HelpMarkHit(Integer x, Integer y) const;
    bool InfoMarkHit(Integer x, Integer y) const;
    void MouseDown(TMouseButton button, Byte shift, Integer x, Integer y);
    // The type name on one line (its first carriage return as a blank).
    static AnsiString EntryCaption(const TBauteil* entry);
    // The picked entry's one-object stream, only while a pick event runs.
    TMemoryStream* PickStream() const { return pickStream_; }

    void Paint(TCanvas& canvas);
    TMapping Mapping() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ClearEntries();
    void PositionEntries();
    void SetHeightFromLayout();
    TPoint ToBoard(Integer x, Integer y) const;
    // The device of a hardware entry; nullptr for every other entry.
    static IDevice* DeviceOf(const TBauteil* entry);
    static bool ListedLast(const TBauteil* entry);

    TMemoryStream* pickStream_ = nullptr;
};
