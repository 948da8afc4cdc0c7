// Every object allocation of kolvest that finds no memory ends in the out-of-memory report.
#include "Fatal.h"

#include <cstdlib>
#include <new>

void* operator new(std::size_t size)
{
    void* memory = std::malloc(size ? size : 1);
    if (!memory)
        OutOfMemory(size);
    return memory;
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}
