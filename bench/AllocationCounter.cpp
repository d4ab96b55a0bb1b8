#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Each block carries a header with its requested size and whether it was counted. The header
// keeps the block aligned for any fundamental type.
struct alignas(alignof(std::max_align_t)) Header {
    std::size_t size;
    bool counted;
};
static_assert(sizeof(Header) % __STDCPP_DEFAULT_NEW_ALIGNMENT__ == 0);

std::atomic<bool> counting{false};
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};
std::atomic<std::size_t> liveBlocks{0};
std::atomic<std::size_t> peakBlocks{0};

void* Allocate(std::size_t size) noexcept {
    void* raw = std::malloc(sizeof(Header) + (size == 0 ? 1 : size));
    if (raw == nullptr) return nullptr;
    auto* header = static_cast<Header*>(raw);
    header->size = size;
    header->counted = counting.load(std::memory_order_relaxed);
    if (header->counted) {
        const std::size_t live = liveBytes.fetch_add(size, std::memory_order_relaxed) + size;
        if (live > peakBytes.load(std::memory_order_relaxed)) {
            peakBytes.store(live, std::memory_order_relaxed);
            peakBlocks.store(liveBlocks.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
        }
        liveBlocks.fetch_add(1, std::memory_order_relaxed);
    }
    return header + 1;
}

void* AllocateOrThrow(std::size_t size) {
    for (;;) {
        if (void* p = Allocate(size)) return p;
        std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) throw std::bad_alloc();
        handler();
    }
}

void Free(void* p) noexcept {
    if (p == nullptr) return;
    Header* header = static_cast<Header*>(p) - 1;
    if (header->counted) {
        liveBytes.fetch_sub(header->size, std::memory_order_relaxed);
        liveBlocks.fetch_sub(1, std::memory_order_relaxed);
    }
    std::free(header);
}

}  // namespace

namespace AllocationCounter {

void Start() {
    liveBytes = 0;
    peakBytes = 0;
    liveBlocks = 0;
    peakBlocks = 0;
    counting = true;
}

void Stop() { counting = false; }

std::size_t LiveBytes() { return liveBytes; }
std::size_t PeakBytes() { return peakBytes; }
std::size_t LiveBlocks() { return liveBlocks; }
std::size_t PeakBlocks() { return peakBlocks; }

}  // namespace AllocationCounter

// The replaceable global allocation functions (the over-aligned forms keep their own pair).
void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Free(p); }
