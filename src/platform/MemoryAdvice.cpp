#include "platform/MemoryAdvice.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace zentro {

void AdviseHugePages(void* data, size_t bytes)
{
#ifdef MADV_HUGEPAGE
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (data == nullptr || bytes == 0 || pageSize <= 0)
        return;
    const auto page = static_cast<uintptr_t>(pageSize);
    const auto begin = reinterpret_cast<uintptr_t>(data);
    const uintptr_t first = (begin + page - 1) & ~(page - 1);
    const uintptr_t last = (begin + bytes) & ~(page - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

} // namespace zentro
