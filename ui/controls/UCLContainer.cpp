#include "ui/controls/UCLContainer.h"

#include "platform/TextLanguage.h"
#include "ui/controls/UCLStreamUtils.h"

#include <algorithm>
#include <cstring>

namespace {

const char* const Signatures[] = {"UCLIML30", "UCLBML30", "UCLWVL30", "UCLSLL30", "UCLGLL50", "UCLRTL50"};
const char* const Extensions[] = {"iml", "bmp", "wav", "txt", "*", "rtf"};
constexpr int SignatureLength = 8;

Int64 RemainingBytes(TStream& stream)
{
    return std::max<Int64>(0, stream.Size() - stream.Position());
}

// A count read from a stream must leave at least bytesEach bytes per entry.
void CheckCount(TStream& stream, Integer count, Int64 bytesEach)
{
    if (count < 0 || Int64(count) * bytesEach > RemainingBytes(stream))
        throw EReadError(SReadError);
}

}   // namespace

int SavePixelFormatColours(TUCLSavePixelFormat format)
{
    switch (format) {
    case TUCLSavePixelFormat::spfMono: return 2;
    case TUCLSavePixelFormat::spf4bit: return 16;
    case TUCLSavePixelFormat::spf8bit: return 256;
    case TUCLSavePixelFormat::spf16bit: return 65536;
    default: return OwnBitmapForm;
    }
}

Byte SavePixelFormatFlag(TUCLSavePixelFormat format)
{
    switch (format) {
    case TUCLSavePixelFormat::spfMono: return 0x10;
    case TUCLSavePixelFormat::spf4bit: return 0x20;
    case TUCLSavePixelFormat::spf8bit: return 0x40;
    case TUCLSavePixelFormat::spf16bit: return 0x80;
    default: return 0;
    }
}

TUCLSavePixelFormat SavePixelFormatFromFlags(Byte flags)
{
    if (flags & 0x10)
        return TUCLSavePixelFormat::spfMono;
    if (flags & 0x20)
        return TUCLSavePixelFormat::spf4bit;
    if (flags & 0x40)
        return TUCLSavePixelFormat::spf8bit;
    if (flags & 0x80)
        return TUCLSavePixelFormat::spf16bit;
    return TUCLSavePixelFormat::spfDefault;
}

// --- TUCLListItem ---

TUCLListItem::~TUCLListItem()
{
    if (TUCLCustomContainer* owner = Container())
        owner->Forget(this);
}

Byte TUCLListItem::GetFlags() const
{
    Byte flags = 0;
    if (Compressed)
        flags |= ifCompressed;
    if (!Description.empty())
        flags |= ifDescription;
    if (Ident != 0)
        flags |= ifIdent;
    return flags;
}

void TUCLListItem::WriteHeader(TStream& Stream) const
{
    const Byte flags = GetFlags();
    WriteStreamByte(Stream, flags);
    if (flags & ifDescription)
        WriteStreamShortString(Stream, Description);
    if (flags & ifIdent)
        WriteStreamInteger(Stream, Ident);
}

Byte TUCLListItem::ReadHeader(TStream& Stream)
{
    const Byte flags = ReadStreamByte(Stream);
    Compressed = flags & ifCompressed;
    Description = (flags & ifDescription) ? ReadStreamShortString(Stream) : AnsiString();
    Ident = (flags & ifIdent) ? Word(ReadStreamInteger(Stream)) : Word(0);
    return flags;
}

void TUCLListItem::AssignHeader(const TUCLListItem& Source)
{
    Compressed = Source.Compressed;
    Description = Source.Description;
    Ident = Source.Ident;
}

void TUCLListItem::Changed()
{
    TUCLCustomComponent::Changed();
    if (Updating())
        return;
    if (TUCLCustomContainer* owner = Container(); owner && owner->OnChange)
        owner->OnChange(this);
}

TUCLCustomContainer* TUCLListItem::Container() const
{
    return dynamic_cast<TUCLCustomContainer*>(parent());
}

// --- TUCLCustomContainer ---

TUCLCustomContainer::~TUCLCustomContainer()
{
    std::vector<TUCLListItem*> items;
    items.swap(FItems);
    for (TUCLListItem* item : items)
        delete item;
}

TUCLListItem* TUCLCustomContainer::GetItem(int Index) const
{
    return Index >= 0 && Index < int(FItems.size()) ? FItems[std::size_t(Index)] : nullptr;
}

TUCLListItem* TUCLCustomContainer::NewItem()
{
    TUCLListItem* item = nullptr;
    if (ItemClass && ItemClass->Create) {
        TPersistent* created = ItemClass->Create(*ItemClass);
        item = dynamic_cast<TUCLListItem*>(created);
        if (!item)
            delete created;
    }
    if (!item)
        throw EInvalidOperation(AnsiString(ClassName()) + ": Invalid Owner or List");
    item->setParent(this);
    item->Compressed = DefaultCompressed;
    return item;
}

int TUCLCustomContainer::AddItem(TUCLListItem* Item)
{
    if (!Item)
        Item = NewItem();
    else
        Item->setParent(this);
    FItems.push_back(Item);
    Changed();
    return int(FItems.size()) - 1;
}

void TUCLCustomContainer::ClearItems()
{
    std::vector<TUCLListItem*> items;
    items.swap(FItems);
    for (TUCLListItem* item : items)
        delete item;
    Changed();
}

void TUCLCustomContainer::CopyItems(const TUCLCustomContainer& Source)
{
    for (int k = 0; k < Source.Count(); ++k) {
        TUCLListItem* item = NewItem();
        FItems.push_back(item);
        AssignItem(*item, *Source.GetItem(k));
    }
    Changed();
}

void TUCLCustomContainer::Assign(const TUCLCustomContainer& Source)
{
    if (&Source == this)
        return;
    BeginUpdate();
    ClearItems();
    DefaultCompressed = Source.DefaultCompressed;
    CopyItems(Source);
    EndUpdate(true);
}

void TUCLCustomContainer::Forget(TUCLListItem* Item)
{
    FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
}

void TUCLCustomContainer::SaveToStream(TStream& Stream, bool WithIndex)
{
    const Integer count = Integer(FItems.size());
    WriteStreamInteger(Stream, count);
    if (!WithIndex || count == 0) {
        for (TUCLListItem* item : FItems)
            item->WriteData(Stream);
        return;
    }
    const Int64 tablePos = Stream.Position();
    for (Integer k = 0; k < count; ++k)
        WriteStreamInteger(Stream, 0);
    std::vector<Integer> offsets;
    for (TUCLListItem* item : FItems) {
        offsets.push_back(Integer(Stream.Position()));
        item->WriteData(Stream);
    }
    const Int64 end = Stream.Position();
    Stream.SetPosition(tablePos);
    for (Integer offset : offsets)
        WriteStreamInteger(Stream, offset);
    Stream.SetPosition(end);
}

void TUCLCustomContainer::LoadFromStream(TStream& Stream, bool WithIndex)
{
    // Read into fresh items first, so damaged data leaves the container as it was.
    std::vector<TUCLListItem*> loaded;
    try {
        const Integer count = ReadStreamInteger(Stream);
        CheckCount(Stream, count, 1);   // every item holds at least its header byte
        if (WithIndex && count > 0) {
            CheckCount(Stream, count, 4);
            Stream.Seek(Int64(count) * 4, TSeekOrigin::soCurrent);
        }
        for (Integer k = 0; k < count; ++k) {
            loaded.push_back(NewItem());
            loaded.back()->ReadData(Stream);
        }
    } catch (...) {
        for (TUCLListItem* item : loaded)
            delete item;
        throw;
    }
    BeginUpdate();
    ClearItems();
    FItems = std::move(loaded);
    EndUpdate(true);
}

// --- container files ---

const char* ContainerFileSignature(int Type)
{
    return Type >= 0 && Type < ctUnknown ? Signatures[Type] : nullptr;
}

AnsiString ContainerFileExt(int Type, bool WithDot)
{
    if (Type < 0 || Type >= ctUnknown)
        return {};
    return (WithDot ? "." : "") + AnsiString(Extensions[Type]);
}

int ReadContainerFileHeader(const std::string& FileName, Integer& Count, std::vector<Integer>* Offsets)
{
    TFileStream file(FileName, TFileMode::fmOpenRead);
    const AnsiString signature = ReadStreamShortString(file);
    int type = ctUnknown;
    for (int t = 0; t < ctUnknown; ++t)
        if (signature.size() == SignatureLength && signature == Signatures[t])
            type = t;
    Count = ReadStreamInteger(file);
    if (type != ctUnknown && Offsets) {
        CheckCount(file, Count, 4);
        Offsets->clear();
        for (Integer k = 0; k < Count; ++k)
            Offsets->push_back(ReadStreamInteger(file));
    }
    return type;
}

void LoadItemFromContainerFile(const std::string& FileName, int Type, const std::vector<Integer>* Offsets,
                               int Index, TUCLListItem& Item)
{
    std::vector<Integer> read;
    if (!Offsets) {
        Integer count = 0;
        if (ReadContainerFileHeader(FileName, count, &read) != Type) {
            std::string message = PlatformText<std::string>(SFOpenError, "Cannot open file %s",
                                                            "Impossible d\u2019ouvrir le fichier %s");
            message.replace(message.find("%s"), 2, FileName);
            throw std::runtime_error(message);
        }
        Offsets = &read;
    }
    if (Index < 0 || Index >= int(Offsets->size()))
        throw EReadError(SReadError);
    TFileStream file(FileName, TFileMode::fmOpenRead);
    const Integer offset = (*Offsets)[std::size_t(Index)];
    if (offset < 0 || offset >= file.Size())
        throw EReadError(SReadError);
    file.SetPosition(offset);
    Item.ReadData(file);
}
