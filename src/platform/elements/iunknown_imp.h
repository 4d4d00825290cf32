// The reference counting and self-deletion shared by every emulated DirectX and DirectPlay interface.
#pragma once

#include <cstddef>

#include "platform/win/win_types.h"

namespace Ravel {

// An emulated interface derives from its Win32 interface and from this class, and forwards the three
// IUnknown slots here. Objects are made with new and delete themselves on their last Release.
class IUnknownImp : public Windows::IUnknown {
public:
    IUnknownImp() = default;
    IUnknownImp(const IUnknownImp&) = delete;
    IUnknownImp& operator=(const IUnknownImp&) = delete;

    // Answers 0 and leaves out alone; interfaces that hand out others override it.
    Windows::HRESULT QueryInterface(Windows::REFIID iid, void** out) override;
    // The new count.
    Windows::ULONG AddRef() override;
    // Deletes the object once the count falls below 1; answers 0 in every case. Counting is not atomic:
    // an object is used by one thread at a time.
    Windows::ULONG Release() override;
    virtual ~IUnknownImp();

    Windows::LONG referenceCount() const { return mRefCount; }

    // A released object's storage is kept a while with a marker in its place, so that a Release too many
    // through a stale pointer is logged instead of freeing the memory twice.
    static void operator delete(void* block, std::size_t size);
    // The plain allocation that pairs with the delete above.
    static void* operator new(std::size_t size) { return ::operator new(size); }

    // The mark that a destroyed object leaves in its count.
    static constexpr Windows::LONG kDeadMark = static_cast<Windows::LONG>(0xDEADBEEFU);

private:
    Windows::LONG mRefCount = 1;
};

// The object behind a device-context handle.
struct HDCImp {
    std::uint32_t mValue = 0;
};

} // namespace Ravel
