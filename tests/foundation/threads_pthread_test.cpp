// The thread wrapper: it runs the object's run() on a new thread that already knows its id, a failed
// creation leaves it unstarted, and destroying it waits until the thread is done with it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "foundation/threads.h"

using namespace std::chrono_literals;

namespace {

struct Worker {
    PThread<Worker>* wrapper = nullptr;
    std::chrono::milliseconds pause { 0 };
    std::atomic<uint32_t> idSeen { 0 };
    std::atomic<bool> done { false };
    std::thread::id ranOn;

    void run()
    {
        idSeen = wrapper->GetThreadId();
        ranOn = std::this_thread::get_id();
        std::this_thread::sleep_for(pause);
        done = true;
    }
};

Windows::HANDLE FailToMakeThread(Windows::LPTHREAD_START_ROUTINE, void*, Windows::DWORD*)
{
    return nullptr;
}

} // namespace

TEST(PThread, RunsTheObjectOnItsOwnThreadWithItsIdInPlace)
{
    Worker worker;
    PThread<Worker> thread(&worker, "Noname Thread", 0);
    worker.wrapper = &thread;
    EXPECT_EQ(PThreadBase::kStateMade, thread.GetState());
    ASSERT_TRUE(thread.start());
    EXPECT_EQ(PThreadBase::kStateStarted, thread.GetState());
    thread.Join();
    EXPECT_TRUE(worker.done.load());
    EXPECT_NE(std::this_thread::get_id(), worker.ranOn);
    EXPECT_NE(0u, thread.GetThreadId());
    EXPECT_EQ(thread.GetThreadId(), worker.idSeen.load());
    EXPECT_FALSE(thread.start()) << "a wrapper starts once";
}

TEST(PThread, DestroyingTheWrapperWaitsForItsThread)
{
    Worker worker;
    worker.pause = 50ms;
    auto thread = std::make_unique<PThread<Worker>>(&worker, "Noname Thread", 0);
    worker.wrapper = thread.get();
    ASSERT_TRUE(thread->start());
    thread.reset(); // the thread still sleeps in run() and then leaves the wrapper
    EXPECT_TRUE(worker.done.load());
}

TEST(PThread, FailedCreationAnswersFalseAndLeavesTheWrapperUnstarted)
{
    const int32_t live = PThreadBase::_objects.load();
    PThreadBase::ThreadCreator previous = PThreadBase::SetThreadCreator(&FailToMakeThread);
    {
        Worker worker;
        PThread<Worker> thread(&worker, "Noname Thread", 0);
        worker.wrapper = &thread;
        EXPECT_EQ(live + 1, PThreadBase::_objects.load());
        EXPECT_FALSE(thread.start());
        EXPECT_EQ(PThreadBase::kStateMade, thread.GetState());
        EXPECT_FALSE(worker.done.load());
    }
    PThreadBase::SetThreadCreator(previous);
    EXPECT_EQ(live, PThreadBase::_objects.load());
}

TEST(PThread, WrapperWithoutObjectReportsAndEnds)
{
    testing::internal::CaptureStderr();
    {
        PThread<Worker> thread(nullptr, "Network reader thread", 0);
        ASSERT_TRUE(thread.start());
    }
    std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, report.find("void* PThread::run() was called. Should not happen!"))
        << report;
}
