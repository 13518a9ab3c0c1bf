#include "ui/controls/UCLBuffer.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

Integer ReadInt32(TStream& Stream)
{
    Byte b[4];
    Stream.ReadBuffer(b, 4);
    return Integer(Cardinal(b[0]) | Cardinal(b[1]) << 8 | Cardinal(b[2]) << 16 | Cardinal(b[3]) << 24);
}

void WriteInt32(TStream& Stream, Integer Value)
{
    const Cardinal v = Cardinal(Value);
    const Byte b[4] = {Byte(v), Byte(v >> 8), Byte(v >> 16), Byte(v >> 24)};
    Stream.WriteBuffer(b, 4);
}

// A block length taken from a stream: never negative, never beyond its end.
std::size_t CheckedLength(TStream& Stream, Integer Length)
{
    if (Length < 0 || Length > Stream.Size() - Stream.Position())
        throw EReadError(SReadError);
    return std::size_t(Length);
}

} // namespace

Integer TUCLBuffer::ItemSize(TUCLBufferEntry Entry) const
{
    Integer size = 0;
    if (OnItemSize)
        OnItemSize(const_cast<TUCLBuffer*>(this), ItemOf(Entry), size);
    return size;
}

void TUCLBuffer::FreeItem(void* Item)
{
    if (OnFreeItem)
        OnFreeItem(this, Item);
    else
        std::free(Item);
}

void TUCLBuffer::SaveToStream(TStream& Stream)
{
    const Integer tagLength = Integer(std::strlen(StreamTag)) + 1;
    WriteInt32(Stream, tagLength);
    Stream.WriteBuffer(StreamTag, std::size_t(tagLength));
    for (TUCLBufferEntry e = First(); !IsEnd(e); e = Next(e)) {
        const Integer size = ItemSize(e);
        WriteInt32(Stream, size);
        if (size > 0)
            Stream.WriteBuffer(ItemOf(e), std::size_t(size));
    }
}

void TUCLBuffer::LoadFromStream(TStream& Stream)
{
    const std::size_t tagLength = CheckedLength(Stream, ReadInt32(Stream));
    std::vector<char> tag(tagLength + 1, '\0');
    Stream.ReadBuffer(tag.data(), tagLength);
    if (std::strcmp(tag.data(), StreamTag) != 0)
        return;
    Clear();
    while (Stream.Position() < Stream.Size()) {
        const std::size_t size = CheckedLength(Stream, ReadInt32(Stream));
        // At least one byte, so that an empty item is still distinguishable
        // from "none".
        void* item = std::malloc(size ? size : 1);
        Stream.ReadBuffer(item, size);
        if (!Push(item))
            std::free(item);
    }
}
