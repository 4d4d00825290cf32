// Reference counting of the emulated interfaces, and the quarantine that turns a Release too many
// into a logged line instead of a double free.
#include "platform/elements/iunknown_imp.h"

#include <mutex>
#include <new>

#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kError);

// What a released object's storage holds while it waits in the quarantine. Its three slots line up with
// the first three of every COM interface, so a call through a stale interface pointer lands here.
class Tombstone final : public Windows::IUnknown {
public:
    Windows::HRESULT QueryInterface(Windows::REFIID, void**) override
    {
        gLog.error(
            "QueryInterface on an interface object that was already released (%p)", static_cast<void*>(this));
        return Windows::RV_DXERR_FAILED;
    }
    Windows::ULONG AddRef() override
    {
        gLog.error("AddRef on an interface object that was already released (%p)", static_cast<void*>(this));
        return 0;
    }
    Windows::ULONG Release() override
    {
        gLog.error("Release of an interface object that was already released (%p)", static_cast<void*>(this));
        return 0;
    }

    Windows::LONG mRefCount = IUnknownImp::kDeadMark;
};
static_assert(sizeof(Tombstone) <= sizeof(IUnknownImp), "a tombstone fits in every released object");

// The last released blocks; the oldest is freed when a new one comes. Never destroyed, because
// interface objects may still be released while the process exits.
struct Quarantine {
    static constexpr std::size_t kSize = 64;
    std::mutex lock;
    void* blocks[kSize] {};
    std::size_t next = 0;
};

Quarantine& TheQuarantine()
{
    static Quarantine* sQuarantine = new Quarantine;
    return *sQuarantine;
}

} // namespace

Windows::HRESULT IUnknownImp::QueryInterface(Windows::REFIID, void**)
{
    return Windows::S_OK;
}

Windows::ULONG IUnknownImp::AddRef()
{
    return static_cast<Windows::ULONG>(++mRefCount);
}

Windows::ULONG IUnknownImp::Release()
{
    if (--mRefCount < 1) {
        mRefCount = 0;
        delete this;
    }
    return 0;
}

IUnknownImp::~IUnknownImp()
{
    mRefCount = kDeadMark;
}

void IUnknownImp::operator delete(void* block, std::size_t)
{
    if (!block)
        return;
    // The interface comes first among an emulated class's bases, so its slots start at the block.
    new (block) Tombstone();
    Quarantine& quarantine = TheQuarantine();
    void* evicted = nullptr;
    {
        std::lock_guard<std::mutex> hold(quarantine.lock);
        evicted = quarantine.blocks[quarantine.next];
        quarantine.blocks[quarantine.next] = block;
        quarantine.next = (quarantine.next + 1) % Quarantine::kSize;
    }
    ::operator delete(evicted);
}

} // namespace Ravel
