#include "AllocationCount.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> heldBytes{0};
std::atomic<std::size_t> peakBytes{0};

void* Allocate(std::size_t size, bool mayFail)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        if (mayFail)
            return nullptr;
        throw std::bad_alloc();
    }
    const std::size_t held = heldBytes += malloc_usable_size(block);
    std::size_t peak = peakBytes.load();
    while (held > peak && !peakBytes.compare_exchange_weak(peak, held)) {
    }
    return block;
}

void Release(void* block) noexcept
{
    if (block == nullptr)
        return;
    heldBytes -= malloc_usable_size(block);
    std::free(block);
}

}  // namespace

std::size_t HeldBytes() { return heldBytes.load(); }

std::size_t StartPeak()
{
    const std::size_t held = heldBytes.load();
    peakBytes = held;
    return held;
}

std::size_t PeakBytes() { return peakBytes.load(); }

void* operator new(std::size_t size) { return Allocate(size, false); }
void* operator new[](std::size_t size) { return Allocate(size, false); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size, true); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size, true); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }
