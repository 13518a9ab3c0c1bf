#include "support/AllocationCount.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool Counting = false;
thread_local long Allocations = 0;

} // namespace

void* operator new(std::size_t size)
{
    if (Counting)
        ++Allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

long AllocationsDuring(const std::function<void()>& work)
{
    Allocations = 0;
    Counting = true;
    try {
        work();
    } catch (...) {
        Counting = false;
        throw;
    }
    Counting = false;
    return Allocations;
}
