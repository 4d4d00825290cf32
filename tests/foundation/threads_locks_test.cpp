// The lobby's locks under real threads: the semaphore's wake-up and time-out, the mutex and the
// critical-section object keeping counters exact, and a producer and consumer over a semaphore list.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "foundation/threads.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(PSemaphore, DownWithoutLimitReturnsAfterAnotherThreadsUp)
{
    PSemaphore semaphore(0, "test");
    std::atomic<bool> raised { false };
    std::thread raiser([&] {
        std::this_thread::sleep_for(30ms);
        raised = true;
        semaphore.up();
    });
    EXPECT_EQ(0, semaphore.down(0));
    EXPECT_TRUE(raised.load());
    EXPECT_EQ(0, semaphore.GetValue());
    raiser.join();
}

TEST(PSemaphore, OneUpWakesExactlyOneOfTwoWaiters)
{
    PSemaphore semaphore(0, "test");
    std::atomic<int> woken { 0 };
    auto waiter = [&] {
        EXPECT_EQ(0, semaphore.down(0));
        ++woken;
    };
    std::thread a(waiter);
    std::thread b(waiter);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(0, woken.load());
    semaphore.up();
    for (int i = 0; i < 200 && woken.load() == 0; ++i)
        std::this_thread::sleep_for(5ms);
    std::this_thread::sleep_for(50ms); // room for a wrong second wake-up
    EXPECT_EQ(1, woken.load());
    EXPECT_EQ(0, semaphore.GetValue());
    semaphore.up(); // lets the other waiter go
    a.join();
    b.join();
    EXPECT_EQ(2, woken.load());
}

TEST(PSemaphore, LimitedDownTimesOutOrTakesAtOnce)
{
    PSemaphore semaphore(0, "test");
    auto before = Clock::now();
    EXPECT_EQ(1, semaphore.down(50));
    EXPECT_GE(Clock::now() - before, 50ms);

    semaphore.up();
    before = Clock::now();
    EXPECT_EQ(0, semaphore.down(50));
    EXPECT_LT(Clock::now() - before, 50ms);
}

TEST(PSemaphore, ManyProducersAndConsumersBalance)
{
    constexpr int kThreads = 4;
    constexpr int kUnits = 500;
    PSemaphore semaphore(0, "test");
    std::atomic<int> taken { 0 };
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kUnits; ++i)
                semaphore.up();
        });
        threads.emplace_back([&] {
            for (int i = 0; i < kUnits; ++i) {
                if (semaphore.down(5000) == 0)
                    ++taken;
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(kThreads * kUnits, taken.load());
    EXPECT_EQ(0, semaphore.GetValue());
}

TEST(PSemaphore, StartValueOtherThanZeroIsReportedAndKept)
{
    testing::internal::CaptureStderr();
    PSemaphore semaphore(2, "test");
    std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, report.find("startValue == 0")) << report;
    EXPECT_EQ(0, semaphore.down(10));
    EXPECT_EQ(0, semaphore.down(10));
    EXPECT_EQ(1, semaphore.down(10));
}

// Counters that only stay exact when the lock excludes the other threads.
template <class Lock, class Unlock> int CountUnder(Lock lock, Unlock unlock)
{
    constexpr int kThreads = 4;
    constexpr int kRounds = 5000;
    int counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kRounds; ++i) {
                lock();
                ++counter;
                unlock();
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    return counter;
}

TEST(Mutex, ExcludesOtherThreads)
{
    Mutex mutex("counter");
    EXPECT_EQ("counter", mutex.GetName());
    EXPECT_EQ(20000, CountUnder([&] { mutex.lock(); }, [&] { mutex.unlock(); }));
}

TEST(CWindowsThreadSafeObject, ExcludesOtherThreadsAndNests)
{
    CWindowsThreadSafeObject object;
    CThreadSafeObject& lockable = object;
    EXPECT_EQ(20000, CountUnder([&] { lockable.Lock("a"); }, [&] { lockable.Unlock("a"); }));

    // The owner may enter again; after both leaves another thread gets in.
    lockable.Lock("outer");
    lockable.Lock("inner");
    std::atomic<bool> entered { false };
    std::thread other([&] {
        lockable.Lock("other");
        entered = true;
        lockable.Unlock("other");
    });
    lockable.Unlock("inner");
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(entered.load());
    lockable.Unlock("outer");
    other.join();
    EXPECT_TRUE(entered.load());
}

TEST(PSemaphoreList, ConsumerReceivesEveryEntryInOrder)
{
    constexpr int kEntries = 1000;
    PSemaphoreList<int> list;
    EXPECT_EQ("ThreadSafeList Mutex", list.Mutex::GetName());
    std::thread producer([&] {
        for (int i = 0; i < kEntries; ++i) {
            {
                std::lock_guard<Mutex> guard(list);
                list.push_back(i);
            }
            list.up();
        }
    });
    std::vector<int> received;
    for (int i = 0; i < kEntries; ++i) {
        ASSERT_EQ(0, list.down(5000));
        std::lock_guard<Mutex> guard(list);
        ASSERT_FALSE(list.empty());
        received.push_back(list.front());
        list.pop_front();
    }
    producer.join();
    ASSERT_EQ(kEntries, static_cast<int>(received.size()));
    for (int i = 0; i < kEntries; ++i)
        EXPECT_EQ(i, received[i]);
    EXPECT_TRUE(list.empty());
}
