// The one byte stream of everything that crosses the network: little-endian values, NUL-terminated texts
// and one-byte check tokens, written into an owned 8192-byte block or read over received bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Ravel {

class MessageBuffer {
public:
    // The largest message of the game; writers keep within it.
    static constexpr int BIG_ENOUGH = 8192;

    // For writing: an owned, zero-filled block of BIG_ENOUGH bytes, cursor at the start, size 0.
    MessageBuffer();
    // Over received bytes, not owned and not copied; size is the message length.
    MessageBuffer(const void* bytes, int size);
    // Over an owned copy of the bytes (a queued message keeps its own).
    struct CopyTag { };
    MessageBuffer(CopyTag, const void* bytes, int size);
    virtual ~MessageBuffer();

    MessageBuffer(const MessageBuffer&) = delete;
    MessageBuffer& operator=(const MessageBuffer&) = delete;

    // Writing. A value that would pass the end of the block is dropped and the buffer marked overflowed,
    // so a runaway writer cannot reach the memory behind it.
    void WriteByte(std::uint8_t value) { PutBytes(&value, 1); }
    void WriteChar(std::int8_t value) { WriteByte(static_cast<std::uint8_t>(value)); }
    void WriteShort(std::uint16_t value);
    void WriteLong(std::uint32_t value);
    void WriteFloat(float value);
    // The characters and a NUL; a null text is the NUL alone.
    void WriteString(const char* text);
    void WriteBytes(const void* bytes, std::size_t count) { PutBytes(bytes, count); }

    // Reading mirrors writing. A value that would pass the end of the message reads as 0 (the bytes that
    // are there are not used) and marks the buffer overrun; the cursor still moves on.
    std::uint8_t ReadByte();
    std::int8_t ReadChar() { return static_cast<std::int8_t>(ReadByte()); }
    std::uint16_t ReadShort();
    std::uint32_t ReadLong();
    float ReadFloat();
    // Reads a text up to and past its NUL and copies at most outSize - 1 characters of it, always
    // terminated (out may be null with outSize 0 to skip the text). False, with an empty copy and the
    // buffer overrun, when the message ends before the NUL. A longer text is cut and answers true.
    bool ReadString(char* out, std::size_t outSize);
    // Copies count bytes; false (and overrun, out zero-filled) when fewer remain.
    bool ReadBytes(void* out, std::size_t count);

    // Ends a written message: the size becomes the bytes written. A writer that went past the block gets
    // the assertion and the warning line with the size it wanted; the message keeps only what fitted and
    // stays marked, and senders refuse it.
    void EndWriting();

    // A token that lands past byte 1300 is written all the same, with a warning: the game keeps its
    // records well below that, so one there means a writer has lost count.
    void WriteCheckToken(std::uint8_t token);
    // True when the next byte is the token; the cursor moves on in every case.
    bool ReadCheckToken(std::uint8_t token);

    const std::uint8_t* Data() const { return mStart; }
    int Size() const { return mSize; }
    // Bytes from the start to the cursor (past mSize after a read beyond the end).
    int Position() const { return static_cast<int>(mOffset); }
    int Remaining() const
    {
        return mOffset < static_cast<std::size_t>(mSize) ? mSize - static_cast<int>(mOffset) : 0;
    }
    // Moves the cursor by count bytes, as a read would.
    void Skip(int count);
    bool Overflowed() const { return mOverflowed; }
    bool Overrun() const { return mOverrun; }

protected:
    std::uint8_t* MutableData() { return mStart; }

private:
    void PutBytes(const void* bytes, std::size_t count);
    bool TakeBytes(void* out, std::size_t count);

    std::uint8_t* mStart = nullptr;
    // The cursor as an offset: it may pass mSize while reading (each step at most one past the end)
    // and reach the capacity while writing; it never points outside the bytes.
    std::size_t mOffset = 0;
    // How far a writer went once it passed the block, for the report.
    std::size_t mAttempted = 0;
    int mSize = 0;
    int mCapacity = 0;
    bool mOwns = false;
    bool mWritable = false;
    bool mOverflowed = false;
    bool mOverrun = false;
};

} // namespace Ravel
