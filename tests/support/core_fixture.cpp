#include "support/core_fixture.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> counting{false};
std::atomic<int64_t> allocations{0};

void* Allocate(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

}  // namespace

// The test program's allocations go through these, so a test can count them.
void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace orrelume::test {

void StartCountingAllocations() {
    allocations = 0;
    counting = true;
}

int64_t StopCountingAllocations() {
    counting = false;
    return allocations.load();
}

UniverseSettings TinyUniverse() {
    UniverseSettings u;
    u.stars = 200;
    u.galaxy = 5;
    u.eSteps = 4;
    u.gSteps = 3;
    u.gPCtrl = 1;
    u.gCCtrl = 1;
    u.recycle = 2;
    u.amStar = 10;
    return u;
}

}  // namespace orrelume::test
