#include "platform/Allocator.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void TuneAllocator()
{
#if defined(__GLIBC__)
    mallopt(M_MXFAST, 0);
#endif
}
