// A stack of item pointers with an optional size limit and a stream format.
// The edits keep their undo records in one; the owner decides how an item is
// released (OnFreeItem) and how large it is when written (OnItemSize).
#pragma once

#include "platform/Stream.h"
#include "ui/controls/UCLBase.h"

#include <functional>

// An entry of the buffer while iterating from the oldest: -1 is "none".
using TUCLBufferEntry = Integer;

using TUCLFreeItemEvent = std::function<void(TPersistent* Sender, void* Item)>;
using TUCLItemSizeEvent = std::function<void(TPersistent* Sender, void* Item, Integer& Size)>;

class TUCLBuffer : public TUCLObject {
    ZK_ABSTRACT_CLASS(TUCLBuffer, TUCLObject)
public:
    // The tag that opens a stored buffer.
    static constexpr const char* StreamTag = "@UCLBufferStream-V0.1@";

    Integer Count() const { return FCount; }
    Integer MaxEntries = -1;   // -1: no limit

    // Called instead of freeing an item's memory; without it an item is
    // released with std::free (items read from a stream are malloc'ed).
    TUCLFreeItemEvent OnFreeItem;
    TUCLItemSizeEvent OnItemSize;

    virtual TUCLBufferEntry First() const = 0;
    virtual TUCLBufferEntry Next(TUCLBufferEntry Entry) const = 0;
    virtual void* ItemOf(TUCLBufferEntry Entry) const = 0;
    virtual bool IsEnd(TUCLBufferEntry Entry) const = 0;
    virtual bool IsEmpty() const = 0;
    virtual bool IsFull() const = 0;
    // Returns whether the item was taken (a full buffer may refuse it, and
    // the caller then keeps it).
    virtual bool Push(void* Item) = 0;
    virtual void* Pop() = 0;   // nullptr when empty
    virtual void Clear() = 0;

    // A different tag leaves the buffer as it was. Entries whose size runs
    // past the end of the stream raise EReadError.
    virtual void LoadFromStream(TStream& Stream);
    virtual void SaveToStream(TStream& Stream);

    // What OnItemSize reports for the entry's item; 0 without a handler.
    Integer ItemSize(TUCLBufferEntry Entry) const;

protected:
    void FreeItem(void* Item);
    Integer FCount = 0;
};
