// Linked into test programs that check code against use after free: every block that C++ frees is filled
// with 0xDD and held back for a while before it goes back to the heap, so that a read of a freed object
// finds garbage (a call through a freed handler or pointer crashes the test) instead of its old state.
// The library's other forms of new and delete (arrays, nothrow) end in these.

#include <windows.h>

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

SRWLOCK lock = SRWLOCK_INIT;
void* held[4096];
std::size_t next = 0;

}  // namespace

void* operator new(std::size_t size)
{
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    if (!p)
        return;
    std::memset(p, 0xDD, _msize(p));
    AcquireSRWLockExclusive(&lock);
    void* oldest = held[next];
    held[next] = p;
    next = (next + 1) % 4096;
    ReleaseSRWLockExclusive(&lock);
    std::free(oldest);
}

void operator delete(void* p, std::size_t) noexcept
{
    operator delete(p);
}
