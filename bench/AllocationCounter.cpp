#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool Counting = false;
thread_local long Allocations = 0;

void* Allocate(std::size_t size, std::size_t alignment = 0) {
    if (Counting)
        ++Allocations;
    void* memory =
        alignment == 0
            ? std::malloc(size == 0 ? 1 : size)
            : std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
    if (memory == nullptr)
        throw std::bad_alloc();
    return memory;
}

} // namespace

void AllocationCounter::Start() {
    Counting = true;
}

void AllocationCounter::Stop() {
    Counting = false;
}

long AllocationCounter::Count() {
    return Allocations;
}

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return Allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return Allocate(size, static_cast<std::size_t>(alignment));
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
    std::free(memory);
}
