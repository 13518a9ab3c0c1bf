#include "engine/PinStorage.h"

#include <array>
#include <mutex>

namespace {

constexpr std::size_t Line = 64;
// Lists up to this size come from the blocks: a component's usual few pins.
constexpr std::size_t MostPooled = 64 * Line;
constexpr std::size_t BlockBytes = 256 * 1024;

// Lists that sanitizers watch keep to the general heap, where a use after
// free is found.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool Pooled = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool Pooled = false;
#else
constexpr bool Pooled = true;
#endif
#else
constexpr bool Pooled = true;
#endif

struct TFree {
    TFree* Next;
};

struct TPool {
    std::mutex Lock;
    std::array<TFree*, MostPooled / Line + 1> FreeLists{};
    std::byte* Next = nullptr;    // the unused rest of the current block
    std::byte* End = nullptr;
};

// Never destroyed: pin lists of objects freed at exit still return here.
TPool& Pool()
{
    static TPool* pool = new TPool;
    return *pool;
}

bool IsPooled(std::size_t bytes, std::size_t alignment)
{
    return Pooled && bytes > 0 && bytes <= MostPooled && bytes % Line == 0 && alignment <= Line;
}

} // namespace

void* PinStorage::Allocate(std::size_t bytes, std::size_t alignment)
{
    if (!IsPooled(bytes, alignment))
        return ::operator new(bytes, std::align_val_t(alignment < Line ? Line : alignment));
    TPool& pool = Pool();
    const std::lock_guard<std::mutex> guard(pool.Lock);
    TFree*& free = pool.FreeLists[bytes / Line];
    if (free) {
        TFree* p = free;
        free = p->Next;
        return p;
    }
    if (static_cast<std::size_t>(pool.End - pool.Next) < bytes) {
        // The rest of a block is left unused: at most one list's size.
        pool.Next = static_cast<std::byte*>(::operator new(BlockBytes, std::align_val_t(Line)));
        pool.End = pool.Next + BlockBytes;
    }
    void* p = pool.Next;
    pool.Next += bytes;
    return p;
}

void PinStorage::Free(void* p, std::size_t bytes, std::size_t alignment) noexcept
{
    if (!p)
        return;
    if (!IsPooled(bytes, alignment)) {
        ::operator delete(p, std::align_val_t(alignment < Line ? Line : alignment));
        return;
    }
    TPool& pool = Pool();
    const std::lock_guard<std::mutex> guard(pool.Lock);
    TFree*& free = pool.FreeLists[bytes / Line];
    auto* node = static_cast<TFree*>(p);
    node->Next = free;
    free = node;
}
