// Queue and stack order, empty pops, and a queue that only marks while locked.
#include "foundation/queue_stack.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(CQueue, FirstInFirstOut)
{
    CQueue<char> queue;
    for (char c : std::string("abc"))
        queue.Push(c);
    EXPECT_EQ(*queue.Peek(), 'a');
    std::string out;
    while (queue.GetSize() != 0) {
        CQueue<char>::Reference top = queue.Pop();
        out += *top;
    }
    EXPECT_EQ(out, "abc");
    EXPECT_TRUE(queue.Pop().IsEmpty());
    EXPECT_TRUE(queue.Peek().IsEnd());
}

TEST(CQueue, LockedPopOnlyMarksAndEraseLeavesValues)
{
    int a = 1, b = 2;
    CQueue<int*> queue;
    queue.Push(&a);
    queue.Push(&b);
    queue.Lock();
    EXPECT_EQ(*queue.Pop(), &a);
    EXPECT_EQ(queue.GetSize(), 2);
    queue.Unlock();
    EXPECT_EQ(queue.GetSize(), 1);
    queue.Erase();
    EXPECT_TRUE(queue.IsEmpty());
    EXPECT_EQ(a + b, 3);
}

TEST(CStack, LastInFirstOutAndEmptyPopGivesDefault)
{
    CStack<char> stack;
    for (char c : std::string("abc"))
        stack.Push(c);
    std::string out;
    while (!stack.IsEmpty())
        out += stack.Pop();
    EXPECT_EQ(out, "cba");
    EXPECT_EQ(stack.Pop(), '\0');
    CStack<int*> pointers;
    EXPECT_EQ(pointers.Pop(), nullptr);
}

} // namespace
