// Reference counting of the emulated interfaces, and the Win32 calls with fixed answers.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <unistd.h>

#include "platform/elements/iunknown_imp.h"
#include "platform/win/win32.h"

using namespace Windows;

namespace {

int gDestroyed = 0;

// The shape of every emulated interface: the Win32 interface first, then the counting base.
struct IFake : IUnknown {
    virtual int Answer() = 0;

protected:
    ~IFake() = default;
};

class FakeImp : public IFake, public Ravel::IUnknownImp {
public:
    ~FakeImp() override { ++gDestroyed; }
    HRESULT QueryInterface(REFIID iid, void** out) override { return IUnknownImp::QueryInterface(iid, out); }
    ULONG AddRef() override { return IUnknownImp::AddRef(); }
    ULONG Release() override { return IUnknownImp::Release(); }
    int Answer() override { return 42; }
};

} // namespace

TEST(IUnknownImp, CountsAndDeletesItselfOnTheLastRelease)
{
    gDestroyed = 0;
    IFake* fake = new FakeImp;
    EXPECT_EQ(fake->AddRef(), 2u);
    EXPECT_EQ(fake->Release(), 0u);
    EXPECT_EQ(gDestroyed, 0);
    EXPECT_EQ(fake->Answer(), 42);
    EXPECT_EQ(fake->Release(), 0u);
    EXPECT_EQ(gDestroyed, 1);

    // A Release too many through the stale pointer is logged, not a second free.
    testing::internal::CaptureStderr();
    EXPECT_EQ(fake->Release(), 0u);
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(
        printed.find("ERROR [iunknown_imp.cpp] Release of an interface object that was already released"),
        std::string::npos)
        << printed;
    EXPECT_EQ(gDestroyed, 1);
}

TEST(IUnknownImp, BareObjectAnswersQueryInterfaceWithoutTouchingOut)
{
    auto* bare = new Ravel::IUnknownImp;
    EXPECT_EQ(bare->referenceCount(), 1);
    void* out = &out;
    GUID any {};
    EXPECT_EQ(bare->QueryInterface(any, &out), S_OK);
    EXPECT_EQ(out, &out);
    IUnknown* asInterface = bare;
    EXPECT_EQ(asInterface->Release(), 0u);
    testing::internal::CaptureStderr();
    asInterface->Release();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("already released"), std::string::npos);
}

TEST(IUnknownImp, ManyReleasedObjectsAreFreed)
{
    // More objects than the quarantine keeps: the oldest are freed (LeakSanitizer watches this).
    gDestroyed = 0;
    for (int i = 0; i < 200; ++i)
        (new FakeImp)->Release();
    EXPECT_EQ(gDestroyed, 200);
}

TEST(FixedAnswers, WinsockMemoryAndFolders)
{
    WSADATA data;
    std::memset(&data, 0xAB, sizeof data);
    EXPECT_EQ(WSAStartup(0x0202, &data), 0);
    EXPECT_EQ(data.wVersion, 0x0101);
    EXPECT_EQ(data.wHighVersion, 0);
    EXPECT_EQ(data.szSystemStatus[WSASYS_STATUS_LEN], 0);
    EXPECT_EQ(WSACleanup(), 0);

    EXPECT_EQ(closesocket(static_cast<SOCKET>(-1)), -1);
    EXPECT_EQ(WSAGetLastError(), EBADF);

    MEMORYSTATUS memory;
    std::memset(&memory, 0xAB, sizeof memory);
    GlobalMemoryStatus(&memory);
    EXPECT_EQ(memory.dwTotalPhys, 0x20000000u);
    EXPECT_EQ(memory.dwAvailPhys, 0x20000000u);
    EXPECT_EQ(memory.dwLength, 0u);
    EXPECT_EQ(memory.dwAvailVirtual, 0u);

    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    char folder[4096];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof folder, folder), std::strlen(cwd));
    EXPECT_STREQ(folder, cwd);
    char tiny[2] = "x";
    EXPECT_EQ(GetCurrentDirectoryA(sizeof tiny, tiny), std::strlen(cwd) + 1);
    EXPECT_STREQ(tiny, "x");

    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(LoadImageA(nullptr, "icon", 1, 0, 0, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(LoadIconA(nullptr, "icon"), nullptr);
    EXPECT_EQ(GetStockObject(4), nullptr);
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
}
