// Scoped memory pools of the emulated threads; Linux needs no autorelease pool, so they only pair up.
#pragma once

namespace Windows {

struct OpaqueMemPool;

// A token for the work that follows; never null.
OpaqueMemPool* startMemoryPool();
// Ends the pool that startMemoryPool answered; null is ignored.
void cleanMemoryPool(OpaqueMemPool* pool);

} // namespace Windows
