// The item stack of the edits' undo and redo records: newest on top; when a
// size limit is reached the oldest entry makes room (CircleMode) or the new
// item is refused.
#pragma once

#include "ui/controls/UCLBuffer.h"

#include <deque>

class TUCLDynLIFOBuffer : public TUCLBuffer {
    ZK_CLASS(TUCLDynLIFOBuffer, TUCLBuffer)
public:
    TUCLDynLIFOBuffer() = default;
    TUCLDynLIFOBuffer(const TUCLDynLIFOBuffer&) = delete;
    TUCLDynLIFOBuffer& operator=(const TUCLDynLIFOBuffer&) = delete;
    ~TUCLDynLIFOBuffer() override;

    bool CircleMode = true;

    // Iteration runs from the oldest entry to the newest.
    TUCLBufferEntry First() const override;
    TUCLBufferEntry Next(TUCLBufferEntry Entry) const override;
    void* ItemOf(TUCLBufferEntry Entry) const override;
    bool IsEnd(TUCLBufferEntry Entry) const override { return Entry < 0; }
    bool IsEmpty() const override { return FItems.empty(); }
    bool IsFull() const override;
    bool Push(void* Item) override;
    void* Pop() override;
    // Every item, newest first, goes to OnFreeItem (or is freed).
    void Clear() override;

private:
    std::deque<void*> FItems;   // front: oldest
};
