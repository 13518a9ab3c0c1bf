// Containers: non-visual components that own a list of data items (images,
// bitmaps, strings, waves) and tell the controls using them when the content
// changes. Each item keeps its data in one byte block (header + data) that
// also makes up container files, from which single items can be read back.
#pragma once

#include "ui/controls/UCLBase.h"

#include "platform/Stream.h"

#include <string>
#include <vector>

class TUCLCustomContainer;

// Pixel formats an item's bitmap is saved in.
enum class TUCLSavePixelFormat { spfDefault, spfMono, spf4bit, spf8bit, spf16bit };
// Colour count handed to the bitmap writer: -1 (own form), 2, 16, 256, 65536.
int SavePixelFormatColours(TUCLSavePixelFormat format);
// Header bits 4-7 of a pixel format, and back (the first bit set wins).
Byte SavePixelFormatFlag(TUCLSavePixelFormat format);
TUCLSavePixelFormat SavePixelFormatFromFlags(Byte flags);

// Item header flags.
inline constexpr Byte ifCompressed = 0x01;
inline constexpr Byte ifDescription = 0x02;
inline constexpr Byte ifIdent = 0x04;
inline constexpr Byte ifData = 0x08;

// One data item of a container; its owner (QObject parent) is the container.
class TUCLListItem : public TUCLCustomComponent {
    ZK_ABSTRACT_CLASS(TUCLListItem, TUCLCustomComponent)
public:
    explicit TUCLListItem(QObject* Owner = nullptr) : TUCLCustomComponent(Owner) {}
    ~TUCLListItem() override;

    AnsiString Description;
    Word Ident = 0;
    bool Compressed = false;   // the item's blocks use the compressed form

    virtual void Clear() {}
    virtual bool IsEmpty() const { return false; }
    // The item's data block: header, then what the item holds.
    virtual void ReadData(TStream& Stream) {}
    virtual void WriteData(TStream& Stream) {}
    // Header flags: compressed, description and ident bits; items add theirs.
    virtual Byte GetFlags() const;

    void WriteHeader(TStream& Stream) const;   // flags from GetFlags
    Byte ReadHeader(TStream& Stream);          // sets the three fields, returns the flags
    void AssignHeader(const TUCLListItem& Source);

    // The item's own OnChange, then the container's OnChange with the item as sender.
    void Changed() override;
    TUCLCustomContainer* Container() const;
};

// Where a container's items take their data from when they hold none.
enum class TUCLContainerSource { csNone, csContainerFile, csResource, csBitmapFile, csBitmapLoader };

// Owner of a list of items; an item's owner is the container.
class TUCLCustomContainer : public TUCLBaseController {
    ZK_ABSTRACT_CLASS(TUCLCustomContainer, TUCLBaseController)
public:
    explicit TUCLCustomContainer(QObject* Owner = nullptr) : TUCLBaseController(Owner) {}
    ~TUCLCustomContainer() override;

    bool DefaultCompressed = false;
    const TClassInfo* ItemClass = nullptr;   // class of the items the container creates
    // External source for items without data (bitmap lists read it).
    TUCLContainerSource SourceKind = TUCLContainerSource::csNone;
    std::string SourceFileName;
    int PathPrefix = 2;   // ppProgram

    virtual int Count() const { return int(FItems.size()); }
    virtual bool IsEmpty() const { return FItems.empty(); }
    virtual TUCLListItem* GetItem(int Index) const;   // nullptr out of range
    // Count, then (with an index table of absolute positions) the items' data.
    virtual void SaveToStream(TStream& Stream, bool WithIndex);
    // Replaces the items; damaged data raises EReadError and keeps the old items.
    virtual void LoadFromStream(TStream& Stream, bool WithIndex);

    // Appends Item (taking ownership); nullptr appends a new ItemClass item
    // with the container's defaults. Returns its index.
    int AddItem(TUCLListItem* Item = nullptr);
    void ClearItems();
    // Appends a copy of every item of Source.
    void CopyItems(const TUCLCustomContainer& Source);
    // ClearItems, defaults and CopyItems as one change.
    virtual void Assign(const TUCLCustomContainer& Source);

protected:
    // A new item of ItemClass owned by the container, with the container's defaults.
    virtual TUCLListItem* NewItem();
    // Copies one item's settings and data into another of the same class.
    virtual void AssignItem(TUCLListItem& Target, const TUCLListItem& Source) = 0;

private:
    friend class TUCLListItem;
    void Forget(TUCLListItem* Item);
    std::vector<TUCLListItem*> FItems;
};

// Container files: a signature, the item count, the item offsets, the items.
enum TUCLContainerType {
    ctImageList, ctBitmapList, ctWaveList, ctStringList, ctGlyphList, ctRichTextList, ctUnknown
};
const char* ContainerFileSignature(int Type);   // "UCLIML30" ...; nullptr for ctUnknown
AnsiString ContainerFileExt(int Type, bool WithDot);
// The file's type (ctUnknown when no signature matches) and item count; for a
// known type and given Offsets the item offsets too.
int ReadContainerFileHeader(const std::string& FileName, Integer& Count, std::vector<Integer>* Offsets);
// Reads item Index of the file into Item. Without Offsets the header is read
// first and a file of another type raises "Datei %s kann nicht geöffnet werden"
// (in the text language of platform/TextLanguage.h).
void LoadItemFromContainerFile(const std::string& FileName, int Type, const std::vector<Integer>* Offsets,
                               int Index, TUCLListItem& Item);
inline constexpr const char* SFOpenError = "Datei %s kann nicht geöffnet werden";
