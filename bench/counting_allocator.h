#pragma once
// Replaces the global operator new and delete of a benchmark program so it can count live
// heap bytes and allocations. Each block carries its size in front of it so that unsized
// deletes are counted too. Include it from exactly one source file of a program.

#include <cstddef>
#include <cstdlib>
#include <new>

namespace zu::bench {

inline std::size_t g_liveBytes = 0;
inline std::size_t g_allocations = 0;
inline constexpr std::size_t kHeader = alignof(std::max_align_t);

inline void* Allocate(std::size_t size) {
    auto* p = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!p) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(p) = size;
    g_liveBytes += size;
    ++g_allocations;
    return p + kHeader;
}

inline void Release(void* block) noexcept {
    if (!block) return;
    auto* p = static_cast<unsigned char*>(block) - kHeader;
    g_liveBytes -= *reinterpret_cast<std::size_t*>(p);
    std::free(p);
}

}  // namespace zu::bench

void* operator new(std::size_t size) { return zu::bench::Allocate(size); }
void* operator new[](std::size_t size) { return zu::bench::Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return zu::bench::Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { zu::bench::Release(p); }
void operator delete[](void* p) noexcept { zu::bench::Release(p); }
void operator delete(void* p, std::size_t) noexcept { zu::bench::Release(p); }
void operator delete[](void* p, std::size_t) noexcept { zu::bench::Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { zu::bench::Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { zu::bench::Release(p); }
