// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// Replaces the global operator new with one that counts, so that a test or
// a benchmark can tell how many allocations a stretch of code makes.
// Include in exactly one source file of a program.

#include <atomic>
#include <cstdlib>
#include <new>

inline std::atomic<long> allocationCount { 0 };

void* operator new(std::size_t size)
{
    ++allocationCount;
    if (void* p = std::malloc(size == 0 ? 1 : size))
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
