// Linked into test programs that check code against use after free: every block that C++ frees is filled
// with 0xDD and held back for a while before it goes back to the heap, so that a read of a freed object
// finds garbage (a call through a freed handler or pointer then crashes the test) instead of its old state.

#include <windows.h>

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr std::size_t kHeldBack = 4096;

struct Quarantine {
    SRWLOCK lock = SRWLOCK_INIT;
    void* blocks[kHeldBack] = {};
    std::size_t next = 0;
};

Quarantine& Held()
{
    static Quarantine quarantine;
    return quarantine;
}

void* Allocate(std::size_t size)
{
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void Poison(void* p) noexcept
{
    if (!p)
        return;
    std::memset(p, 0xDD, _msize(p));
    Quarantine& held = Held();
    AcquireSRWLockExclusive(&held.lock);
    void* oldest = held.blocks[held.next];
    held.blocks[held.next] = p;
    held.next = (held.next + 1) % kHeldBack;
    ReleaseSRWLockExclusive(&held.lock);
    std::free(oldest);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* p) noexcept { Poison(p); }
void operator delete[](void* p) noexcept { Poison(p); }
void operator delete(void* p, std::size_t) noexcept { Poison(p); }
void operator delete[](void* p, std::size_t) noexcept { Poison(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Poison(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Poison(p); }
