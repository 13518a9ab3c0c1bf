#include "ui/controls/UCLDynLIFOBuffer.h"

TUCLDynLIFOBuffer::~TUCLDynLIFOBuffer()
{
    Clear();
}

TUCLBufferEntry TUCLDynLIFOBuffer::First() const
{
    return FItems.empty() ? -1 : 0;
}

TUCLBufferEntry TUCLDynLIFOBuffer::Next(TUCLBufferEntry Entry) const
{
    if (Entry < 0 || Entry + 1 >= Integer(FItems.size()))
        return -1;
    return Entry + 1;
}

void* TUCLDynLIFOBuffer::ItemOf(TUCLBufferEntry Entry) const
{
    if (Entry < 0 || Entry >= Integer(FItems.size()))
        return nullptr;
    return FItems[std::size_t(Entry)];
}

bool TUCLDynLIFOBuffer::IsFull() const
{
    return MaxEntries != -1 && FCount >= MaxEntries;
}

bool TUCLDynLIFOBuffer::Push(void* Item)
{
    if (IsFull()) {
        if (!CircleMode)
            return false;
        if (MaxEntries == 1) {
            Clear();
        } else if (!FItems.empty()) {
            void* oldest = FItems.front();
            FItems.pop_front();
            --FCount;
            FreeItem(oldest);
        }
    }
    FItems.push_back(Item);
    ++FCount;
    return true;
}

void* TUCLDynLIFOBuffer::Pop()
{
    if (FItems.empty())
        return nullptr;
    void* item = FItems.back();
    FItems.pop_back();
    --FCount;
    return item;
}

void TUCLDynLIFOBuffer::Clear()
{
    while (!FItems.empty()) {
        void* item = FItems.back();
        FItems.pop_back();
        FreeItem(item);
    }
    FCount = 0;
}
