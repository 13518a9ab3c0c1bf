// Counts the allocations made through operator new on this thread while it
// is called: a test of a hot path asserts that the count is 0. Using it links
// the counting operator new into the test binary.
#pragma once

#include <functional>

long AllocationsDuring(const std::function<void()>& work);
