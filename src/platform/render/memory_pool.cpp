// Memory pools: tokens only, since nothing on Linux collects objects per pool.
#include "platform/render/memory_pool.h"

#include "foundation/safeguards.h"

namespace Windows {

struct OpaqueMemPool {
    int unused;
};

OpaqueMemPool* startMemoryPool()
{
    return new OpaqueMemPool {};
}

void cleanMemoryPool(OpaqueMemPool* pool)
{
    delete pool;
}

} // namespace Windows
