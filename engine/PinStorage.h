// Storage of the components' pin lists. The pins a step writes lie one cache
// line each in their component's list; from the general heap, a large
// board's lists end up spread over thousands of pages between component
// objects, stubs and wires, and a step that writes each output once waits on
// the address translation of a page per gate. Small lists are therefore cut
// one after another from blocks of their own (a freed list's place is reused
// by the next list of its size), so the pins of components created in order
// lie side by side.
#pragma once

#include <cstddef>
#include <new>

namespace PinStorage {

// Bytes of a multiple of 64 at 64-byte alignment; larger or more strictly
// aligned requests come from the general heap.
void* Allocate(std::size_t bytes, std::size_t alignment);
void Free(void* p, std::size_t bytes, std::size_t alignment) noexcept;

} // namespace PinStorage

template <class T>
struct TPinAllocator {
    using value_type = T;

    TPinAllocator() noexcept = default;
    template <class U>
    TPinAllocator(const TPinAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t n) { return static_cast<T*>(PinStorage::Allocate(n * sizeof(T), alignof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { PinStorage::Free(p, n * sizeof(T), alignof(T)); }

    template <class U>
    bool operator==(const TPinAllocator<U>&) const noexcept
    {
        return true;
    }
};
