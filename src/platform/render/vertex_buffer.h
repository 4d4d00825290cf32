// The storage of a Direct3D vertex buffer: plain memory that, where the driver offers Apple's vertex
// array range, object and fence, the card reads directly, fenced against the game's next writes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Ravel {

class VertexBuffer {
public:
    VertexBuffer() = default;
    // Frees the storage and what the driver held for it, in the current context.
    ~VertexBuffer();
    VertexBuffer(const VertexBuffer&) = delete;
    VertexBuffer& operator=(const VertexBuffer&) = delete;

    // Reads once, in the current context, whether the Apple extensions are there and how many vertices a
    // range may hold.
    static void envCheck();
    // size bytes of vertices stride bytes apart. Throws std::exception when the storage cannot be had.
    void Init(std::size_t size, int stride);

    // Waits for the card's last read of the storage, then hands it out for writing.
    void* Lock();
    // The whole storage goes to the card at the next draw.
    void Unlock();

    // Before a draw: answers whether the vertex arrays still need pointing at this storage.
    bool RenderLock_Part1();
    // Hands the written vertices to the card; prepared records that the arrays are set up.
    void RenderLock_Part2(bool prepared);
    // After a draw: fences the card's read, and turns the shared client arrays off again so that no later
    // draw reads this storage through them.
    void RenderUnlock();

    const std::uint8_t* storage() const { return mStorage; }
    std::uint8_t* storage() { return mStorage; }
    std::size_t size() const { return mSize; }
    int stride() const { return mStride; }
    std::size_t vertexCount() const { return mVertexCount; }
    bool listsPrepared() const { return mListsPrepared; }
    int lockCount() const { return mLockCount; }
    bool unlocked() const { return mUnlocked; }
    bool drawn() const { return mDrawn; }
    // The buffer keeps its own array pointers (Apple's vertex array object); without it every array draw
    // must point the shared arrays at this storage again.
    bool hasArrayObject() const { return mArrayObject != 0; }

    // Shared by all buffers, read by envCheck.
    static int mMaxDMALen;
    static bool mUseAbilities;

private:
    bool UsesRange() const;

    std::uint8_t* mStorage = nullptr;
    unsigned mArrayObject = 0;
    unsigned mFence = 0;
    bool mRangeDeclared = false;
    bool mListsPrepared = false;
    bool mNeedsFlush = false;
    bool mDrawn = false;
    bool mUnlocked = true;
    std::size_t mSize = 0;
    int mStride = 0;
    std::size_t mVertexCount = 0;
    int mLockCount = 0;
    std::size_t mFlushLength = 0;
};

} // namespace Ravel
