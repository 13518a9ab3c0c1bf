#include "ui/controls/UCLDynLIFOBuffer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Items are heap integers; the handler records which ones were given back.
class ItemStack : public ::testing::Test {
protected:
    void SetUp() override
    {
        Stack.OnFreeItem = [this](TPersistent*, void* Item) {
            Freed.push_back(*static_cast<int*>(Item));
            std::free(Item);
        };
    }
    static void* Item(int Value)
    {
        auto* p = static_cast<int*>(std::malloc(sizeof(int)));
        *p = Value;
        return p;
    }
    std::vector<int> Contents() const
    {
        std::vector<int> values;
        for (TUCLBufferEntry e = Stack.First(); !Stack.IsEnd(e); e = Stack.Next(e))
            values.push_back(*static_cast<int*>(Stack.ItemOf(e)));
        return values;
    }
    std::vector<int> Freed;   // declared first: the stack gives its items back when it goes
    TUCLDynLIFOBuffer Stack;
};

TEST_F(ItemStack, PopsNewestFirstAndNothingWhenEmpty)
{
    EXPECT_EQ(Stack.Pop(), nullptr);
    EXPECT_TRUE(Stack.IsEmpty());
    Stack.Push(Item(1));
    Stack.Push(Item(2));
    EXPECT_EQ(Contents(), (std::vector<int>{1, 2}));
    void* top = Stack.Pop();
    EXPECT_EQ(*static_cast<int*>(top), 2);
    std::free(top);
    EXPECT_EQ(Stack.Count(), 1);
}

TEST_F(ItemStack, FullStackDropsOldestInCircleModeElseRefuses)
{
    Stack.MaxEntries = 3;
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(Stack.Push(Item(i)));
    EXPECT_EQ(Contents(), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(Freed, (std::vector<int>{1}));

    Stack.CircleMode = false;
    void* refused = Item(5);
    EXPECT_FALSE(Stack.Push(refused));
    EXPECT_EQ(Contents(), (std::vector<int>{2, 3, 4}));
    std::free(refused);
}

TEST_F(ItemStack, LimitOfOneClearsBeforePush)
{
    Stack.MaxEntries = 1;
    Stack.Push(Item(1));
    Stack.Push(Item(2));
    EXPECT_EQ(Contents(), (std::vector<int>{2}));
    EXPECT_EQ(Freed, (std::vector<int>{1}));
}

TEST_F(ItemStack, ClearGivesBackNewestFirst)
{
    Stack.Push(Item(1));
    Stack.Push(Item(2));
    Stack.Clear();
    EXPECT_EQ(Freed, (std::vector<int>{2, 1}));
    EXPECT_EQ(Stack.Count(), 0);
}

TEST_F(ItemStack, StreamRoundTripKeepsOrder)
{
    Stack.OnItemSize = [](TPersistent*, void*, Integer& Size) { Size = sizeof(int); };
    Stack.Push(Item(7));
    Stack.Push(Item(8));
    TMemoryStream stream;
    Stack.SaveToStream(stream);
    const std::vector<Byte>& bytes = stream.Bytes();
    ASSERT_EQ(bytes.size(), 4u + 23u + 2 * (4u + 4u));
    EXPECT_EQ(bytes[0], 23);
    EXPECT_EQ(std::memcmp(bytes.data() + 4, "@UCLBufferStream-V0.1@", 23), 0);
    EXPECT_EQ(bytes[27], 4);   // size of the oldest entry
    EXPECT_EQ(bytes[31], 7);

    TUCLDynLIFOBuffer copy;
    stream.SetPosition(0);
    copy.LoadFromStream(stream);
    ASSERT_EQ(copy.Count(), 2);
    void* top = copy.Pop();
    EXPECT_EQ(*static_cast<int*>(top), 8);
    std::free(top);
}

TEST_F(ItemStack, SavingWithoutSizeHandlerWritesEmptyEntries)
{
    Stack.Push(Item(7));
    TMemoryStream stream;
    Stack.SaveToStream(stream);
    ASSERT_EQ(stream.Bytes().size(), 4u + 23u + 4u);
    EXPECT_EQ(stream.Bytes()[27], 0);
}

TEST_F(ItemStack, ForeignTagLeavesStackAsItWas)
{
    Stack.Push(Item(1));
    TMemoryStream stream;
    const Byte data[] = {4, 0, 0, 0, 'a', 'b', 'c', 0, 4, 0, 0, 0, 1, 2, 3, 4};
    stream.WriteBuffer(data, sizeof data);
    stream.SetPosition(0);
    Stack.LoadFromStream(stream);
    EXPECT_EQ(Contents(), (std::vector<int>{1}));
}

TEST_F(ItemStack, EntryRunningPastEndRaises)
{
    TMemoryStream stream;
    TUCLDynLIFOBuffer source;
    source.SaveToStream(stream);
    const Byte entry[] = {100, 0, 0, 0, 1, 2};
    stream.WriteBuffer(entry, sizeof entry);
    stream.SetPosition(0);
    EXPECT_THROW(Stack.LoadFromStream(stream), EReadError);
}

} // namespace
