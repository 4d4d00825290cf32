// The network byte stream: every multi-byte value is written little-endian, whatever the machine's order.
#include "platform/dplay/message_buffer.h"

#include <cstdio>

#include "platform/elements/rv_assert.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

// Past this many bytes a check token means the writer has lost its count.
constexpr std::size_t kTokenWarningSize = 1300;

} // namespace

MessageBuffer::MessageBuffer()
    : mStart(new std::uint8_t[BIG_ENOUGH]())
    , mCapacity(BIG_ENOUGH)
    , mOwns(true)
    , mWritable(true)
{
}

MessageBuffer::MessageBuffer(const void* bytes, int size)
    : mStart(const_cast<std::uint8_t*>(static_cast<const std::uint8_t*>(bytes)))
    , mSize(bytes && size > 0 ? size : 0)
    , mCapacity(mSize)
{
}

MessageBuffer::MessageBuffer(CopyTag, const void* bytes, int size)
    : mSize(bytes && size > 0 ? size : 0)
    , mCapacity(mSize)
    , mOwns(true)
{
    mStart = new std::uint8_t[mSize > 0 ? mSize : 1]();
    if (mSize > 0)
        std::memcpy(mStart, bytes, static_cast<std::size_t>(mSize));
}

MessageBuffer::~MessageBuffer()
{
    if (mOwns)
        delete[] mStart;
}

void MessageBuffer::PutBytes(const void* bytes, std::size_t count)
{
    if (!mWritable || mOverflowed || count > static_cast<std::size_t>(mCapacity) - mOffset) {
        // Counted as if written, so that EndWriting reports how far the writer went.
        if (!mOverflowed)
            mAttempted = mOffset;
        mOverflowed = true;
        mAttempted += count;
        return;
    }
    if (count > 0)
        std::memcpy(mStart + mOffset, bytes, count);
    mOffset += count;
}

bool MessageBuffer::TakeBytes(void* out, std::size_t count)
{
    std::size_t size = static_cast<std::size_t>(mSize);
    if (mOffset > size || count > size - mOffset) {
        std::memset(out, 0, count);
        mOverrun = true;
        // One past the end: far enough for the token check to see it, never further.
        mOffset = size + 1;
        return false;
    }
    if (count > 0)
        std::memcpy(out, mStart + mOffset, count);
    mOffset += count;
    return true;
}

void MessageBuffer::WriteShort(std::uint16_t value)
{
    std::uint8_t bytes[2] = { static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8) };
    PutBytes(bytes, sizeof bytes);
}

void MessageBuffer::WriteLong(std::uint32_t value)
{
    std::uint8_t bytes[4] = { static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24) };
    PutBytes(bytes, sizeof bytes);
}

void MessageBuffer::WriteFloat(float value)
{
    static_assert(sizeof(float) == 4, "IEEE single precision");
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    WriteLong(bits);
}

void MessageBuffer::WriteString(const char* text)
{
    if (text)
        PutBytes(text, std::strlen(text));
    WriteByte(0);
}

std::uint8_t MessageBuffer::ReadByte()
{
    std::uint8_t value;
    TakeBytes(&value, 1);
    return value;
}

std::uint16_t MessageBuffer::ReadShort()
{
    std::uint8_t bytes[2];
    TakeBytes(bytes, sizeof bytes);
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t MessageBuffer::ReadLong()
{
    std::uint8_t bytes[4];
    TakeBytes(bytes, sizeof bytes);
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8)
        | (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

float MessageBuffer::ReadFloat()
{
    std::uint32_t bits = ReadLong();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool MessageBuffer::ReadString(char* out, std::size_t outSize)
{
    if (out && outSize > 0)
        out[0] = '\0';
    std::size_t size = static_cast<std::size_t>(mSize);
    if (mOffset >= size) {
        mOverrun = true;
        mOffset = size + 1;
        return false;
    }
    const void* nul = std::memchr(mStart + mOffset, 0, size - mOffset);
    if (!nul) {
        mOverrun = true;
        mOffset = size + 1;
        return false;
    }
    std::size_t length = static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - (mStart + mOffset));
    if (out && outSize > 0) {
        std::size_t kept = length < outSize - 1 ? length : outSize - 1;
        std::memcpy(out, mStart + mOffset, kept);
        out[kept] = '\0';
    }
    mOffset += length + 1;
    return true;
}

bool MessageBuffer::ReadBytes(void* out, std::size_t count)
{
    return TakeBytes(out, count);
}

void MessageBuffer::Skip(int count)
{
    if (count <= 0)
        return;
    std::size_t size = static_cast<std::size_t>(mSize);
    if (mOffset > size || static_cast<std::size_t>(count) > size - mOffset) {
        mOverrun = true;
        mOffset = size + 1;
        return;
    }
    mOffset += static_cast<std::size_t>(count);
}

void MessageBuffer::EndWriting()
{
    mSize = static_cast<int>(mOffset);
    if (mOverflowed) {
        int attempted = mAttempted > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(mAttempted);
        RV_assert_failed("mSize <= BIG_ENOUGH", __FILE__, __LINE__);
        std::fprintf(stderr,
            "Message bigger than BIG_ENOUGH!!! Size = %d. You're probably writing over some memory right "
            "now.\n",
            attempted);
    }
}

void MessageBuffer::WriteCheckToken(std::uint8_t token)
{
    WriteByte(token);
    if (mOffset > kTokenWarningSize)
        std::fprintf(stderr, "Write attempt after end of message!! Token: %d\n", token);
}

bool MessageBuffer::ReadCheckToken(std::uint8_t token)
{
    std::uint8_t read;
    if (TakeBytes(&read, 1) && read == token)
        return true;
    std::fprintf(stderr, "Token test failed!!! Expected %d, read %d\n", token, read);
    if (mOffset > static_cast<std::size_t>(mSize))
        std::fprintf(stderr, "Read attempt after end of message!!\n");
    return false;
}

} // namespace Ravel
