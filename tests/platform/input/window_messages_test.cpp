// The window-message calls: queue order and the quit rule, dispatch to the game's procedure, the
// start-up window calls and the message box answered without a display.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/display/basic_hwnd_imp.h"
#include "platform/input/input_hooks.h"
#include "platform/input/window_messages.h"

#include "foundation/safeguards.h"

using namespace Windows;
using input_test::gDispatched;

namespace {

class WindowMessages : public ::testing::Test {
protected:
    void SetUp() override { Drain(); }
    void TearDown() override { Drain(); }
    static void Drain() { input_test::TakeMessages(); }
    static MSG Marker()
    {
        MSG msg {};
        msg.message = 0xDEAD;
        msg.wParam = 0xBEEF;
        return msg;
    }
};

TEST_F(WindowMessages, EmptyQueueAnswersZeroAndLeavesTheRecord)
{
    MSG msg = Marker();
    EXPECT_EQ(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE), FALSE);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, 0xDEADU);
    EXPECT_EQ(msg.wParam, 0xBEEFU);
}

TEST_F(WindowMessages, PeekRemovesOnlyForRemoveFlagOne)
{
    PostMessageA(nullptr, 0x400, 1, -1);
    PostMessageA(nullptr, 0x400, 2, -2);
    MSG msg {};
    for (UINT flag : { 0U, 2U, 0x80U, 0U }) {
        ASSERT_EQ(PeekMessageA(&msg, nullptr, 0, 0, flag), TRUE);
        EXPECT_EQ(msg.wParam, 1U) << "flag " << flag;
    }
    ASSERT_EQ(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE), TRUE);
    EXPECT_EQ(msg.wParam, 1U);
    EXPECT_EQ(msg.lParam, -1);
    EXPECT_EQ(msg.time, 0U);
    EXPECT_EQ(msg.pt.x, 0);
    ASSERT_EQ(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE), TRUE);
    EXPECT_EQ(msg.wParam, 2U);
    EXPECT_EQ(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE), FALSE);

    // A record only looked at is still queued: clearing the queue at the end of loading takes it too.
    PostMessageA(nullptr, 0x400, 3, 0);
    ASSERT_EQ(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE), TRUE);
    clearWindowMessages();
    EXPECT_EQ(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE), FALSE);
}

TEST_F(WindowMessages, QuitComesAfterWhatWasQueuedAndGetTakesWithoutARecord)
{
    PostMessageA(kGameWindowHandle, 0x200, 1, 10);
    PostMessageA(kGameWindowHandle, 0x201, 2, 20);
    PostMessageA(kGameWindowHandle, 0x202, 3, 30);
    ASSERT_EQ(GetMessageA(nullptr, nullptr, 0, 0), TRUE); // a null record still takes the front
    PostQuitMessage(5);

    MSG msg = Marker();
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, 0xDEADU) << "the quit answer touches nothing";
    std::vector<UINT> order;
    while (GetMessageA(&msg, nullptr, 0, 0))
        order.push_back(msg.message);
    EXPECT_EQ(order, (std::vector<UINT> { 0x201, 0x202, WM_QUIT }));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.wParam, 0U);
}

TEST_F(WindowMessages, PeekThenGetPumpsEveryRecordOnce)
{
    for (WPARAM i = 0; i < 5; ++i)
        PostMessageA(nullptr, 0x400, i, 0);
    MSG msg {};
    std::vector<WPARAM> seen;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
        seen.push_back(msg.wParam);
        if (msg.wParam == 1)
            PostMessageA(nullptr, 0x400, 9, 0); // posted while pumping: same pass
    }
    EXPECT_EQ(seen, (std::vector<WPARAM> { 0, 1, 2, 3, 4, 9 }));
}

TEST_F(WindowMessages, TwoThreadsKeepTheirOwnOrder)
{
    constexpr int kEach = 10000;
    auto poster = [](WPARAM thread) {
        for (int i = 0; i < kEach; ++i)
            PostMessageA(nullptr, 0x400, thread, i);
    };
    std::thread a(poster, 1);
    std::thread b(poster, 2);
    // The pump runs meanwhile, as the game's frame does.
    LPARAM next[3] = { 0, 0, 0 };
    int taken = 0;
    MSG msg {};
    auto pump = [&] {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && GetMessageA(&msg, nullptr, 0, 0)) {
            ASSERT_TRUE(msg.wParam == 1 || msg.wParam == 2);
            ASSERT_EQ(msg.lParam, next[msg.wParam]) << "thread " << msg.wParam;
            ++next[msg.wParam];
            ++taken;
        }
    };
    for (int pass = 0; pass < 1000 && taken < 2 * kEach; ++pass)
        pump();
    a.join();
    b.join();
    pump();
    EXPECT_EQ(taken, 2 * kEach);
}

TEST_F(WindowMessages, DispatchHandsTheRecordToTheGame)
{
    gDispatched.clear();
    PostMessageA(kGameWindowHandle, WM_KEYDOWN, 0x41, 7);
    MSG msg {};
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(TranslateMessage(&msg), FALSE);
    EXPECT_EQ(DispatchMessageA(&msg), 77);
    ASSERT_EQ(gDispatched.size(), 1U);
    EXPECT_EQ(gDispatched[0].hwnd, kGameWindowHandle);
    EXPECT_EQ(gDispatched[0].message, WM_KEYDOWN);
    EXPECT_EQ(gDispatched[0].wParam, 0x41U);
    EXPECT_EQ(gDispatched[0].lParam, 7);
    EXPECT_EQ(GetDesktopWindow(), kDesktopWindowHandle);
}

TEST(WindowCalls, SecondCreateWindowAnswersNull)
{
    WNDCLASSEXA windowClass {};
    windowClass.lpszClassName = "Vellmark";
    EXPECT_EQ(RegisterClassExA(&windowClass), TRUE);
    HWND first
        = CreateWindowExA(0, "Vellmark", "Vellmark", 0, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(first, nullptr);
    auto* wrapper = reinterpret_cast<Ravel::BasicHWNDImpOBJC*>(first);
    EXPECT_EQ(Ravel::getGameWindowWrapper(), wrapper);
    EXPECT_EQ(wrapper->getWidth(), 800);
    EXPECT_EQ(CreateWindowExA(0, "Vellmark", "Other", 0, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(Ravel::getGameWindowWrapper(), wrapper);
    EXPECT_EQ(GetSystemMetrics(0), 0);
    delete wrapper;
}

TEST(MessageBox, AnswersTheDefaultButtonAndLogsTheTextLiterally)
{
    SetMessageBoxAutoAnswer(true);
    const struct {
        UINT type;
        int answer;
        const char* button;
    } kCases[] = {
        { MB_OK, IDOK, "[OK]" },
        { 0x10, IDOK, "[OK]" }, // an icon bit with MB_OK
        { MB_YESNO, IDYES, "[Yes]" },
        { MB_YESNOCANCEL | 0x30, IDYES, "[Yes]" },
        { 5, 0, "[unsupported]" },
    };
    for (const auto& c : kCases) {
        testing::internal::CaptureStderr();
        int answer = MessageBoxA(nullptr, "100% sure? %s%n%d", "Caption %s", c.type);
        std::string logged = testing::internal::GetCapturedStderr();
        EXPECT_EQ(answer, c.answer) << "type " << c.type;
        EXPECT_NE(logged.find("\"Caption %s\": 100% sure? %s%n%d"), std::string::npos) << logged;
        EXPECT_NE(logged.find(c.button), std::string::npos) << logged;
    }
    SetMessageBoxAutoAnswer(false);
}

} // namespace
