// The network byte stream: little-endian values, texts, check tokens, and reads and writes that would
// pass the end of the bytes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/dplay/message_buffer.h"

#include "foundation/safeguards.h"

using Ravel::MessageBuffer;

namespace {

std::vector<std::uint8_t> Bytes(const MessageBuffer& message)
{
    return std::vector<std::uint8_t>(message.Data(), message.Data() + message.Size());
}

} // namespace

TEST(MessageBuffer, WritesLittleEndianAndReadsBackTheSameValues)
{
    MessageBuffer out;
    out.EndWriting();
    EXPECT_EQ(out.Size(), 0);

    out.WriteLong(0x01020304);
    out.WriteShort(0x0102);
    out.WriteFloat(1.0f);
    out.WriteByte(0xFE);
    out.WriteChar(-2);
    out.WriteString("ab");
    out.WriteString(nullptr);
    out.WriteBytes("\x00\x09", 2);
    out.EndWriting();
    std::vector<std::uint8_t> expected { 0x04, 0x03, 0x02, 0x01, 0x02, 0x01, 0x00, 0x00, 0x80, 0x3F, 0xFE,
        0xFE, 'a', 'b', 0, 0, 0x00, 0x09 };
    EXPECT_EQ(Bytes(out), expected);
    EXPECT_FALSE(out.Overflowed());

    MessageBuffer in(out.Data(), out.Size());
    EXPECT_EQ(in.ReadLong(), 0x01020304u);
    EXPECT_EQ(in.ReadShort(), 0x0102);
    EXPECT_EQ(in.ReadFloat(), 1.0f);
    EXPECT_EQ(in.ReadByte(), 0xFE);
    EXPECT_EQ(in.ReadChar(), -2);
    char text[8];
    EXPECT_TRUE(in.ReadString(text, sizeof text));
    EXPECT_STREQ(text, "ab");
    EXPECT_TRUE(in.ReadString(text, sizeof text));
    EXPECT_STREQ(text, "");
    std::uint8_t raw[2];
    EXPECT_TRUE(in.ReadBytes(raw, 2));
    EXPECT_EQ(raw[1], 9);
    EXPECT_EQ(in.Remaining(), 0);
    EXPECT_FALSE(in.Overrun());
}

TEST(MessageBuffer, WarnsOfATokenWrittenPastByte1300)
{
    struct Case {
        int before;
        bool warned;
    } cases[] = { { 1299, false }, { 1300, true } };
    for (const Case& c : cases) {
        MessageBuffer out;
        for (int i = 0; i < c.before; ++i)
            out.WriteByte(0);
        testing::internal::CaptureStderr();
        out.WriteCheckToken(0x3F);
        std::string printed = testing::internal::GetCapturedStderr();
        out.EndWriting();
        EXPECT_EQ(out.Size(), c.before + 1);
        EXPECT_EQ(out.Data()[c.before], 0x3F);
        EXPECT_EQ(printed == "Write attempt after end of message!! Token: 63\n", c.warned)
            << c.before << printed;
        EXPECT_EQ(printed.empty(), !c.warned);
    }
}

TEST(MessageBuffer, TokenCheckMovesOnAndReportsAMismatchAndTheEnd)
{
    const std::uint8_t bytes[] = { 0x3F, 0x10 };
    MessageBuffer in(bytes, sizeof bytes);
    EXPECT_TRUE(in.ReadCheckToken(0x3F));

    testing::internal::CaptureStderr();
    EXPECT_FALSE(in.ReadCheckToken(0x4F));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Token test failed!!! Expected 79, read 16\n");
    EXPECT_EQ(in.Position(), 2);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(in.ReadCheckToken(0x4F));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        "Token test failed!!! Expected 79, read 0\nRead attempt after end of message!!\n");
}

// Received bytes sit in a block of exactly their size, so that a read past them would be caught.
TEST(MessageBuffer, ReadsPastTheEndGiveZeroAndNeverTouchTheBytesBeyond)
{
    std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[5] { 1, 2, 3, 'x', 'y' });
    MessageBuffer in(bytes.get(), 3);
    EXPECT_EQ(in.ReadShort(), 0x0201);
    EXPECT_EQ(in.ReadLong(), 0u);
    EXPECT_TRUE(in.Overrun());
    EXPECT_EQ(in.ReadByte(), 0);

    // A text whose NUL is not in the message is refused, not read on into the following bytes.
    MessageBuffer text(bytes.get(), 5);
    char out[8] = "junk";
    EXPECT_FALSE(text.ReadString(out, sizeof out));
    EXPECT_STREQ(out, "");
    EXPECT_TRUE(text.Overrun());

    // A longer text is cut to the caller's room and the cursor still passes its NUL.
    const char longText[] = "kingdom\0Z";
    MessageBuffer cut(longText, sizeof longText);
    char small[4];
    EXPECT_TRUE(cut.ReadString(small, sizeof small));
    EXPECT_STREQ(small, "kin");
    EXPECT_EQ(cut.ReadByte(), 'Z');

    std::uint8_t block[4] = { 9, 9, 9, 9 };
    MessageBuffer tooShort(bytes.get(), 2);
    EXPECT_FALSE(tooShort.ReadBytes(block, sizeof block));
    EXPECT_EQ(block[0], 0);
}

TEST(MessageBuffer, AWriterPastTheBlockIsStoppedAndReported)
{
    MessageBuffer out;
    std::vector<std::uint8_t> chunk(5000, 0xAB);
    out.WriteBytes(chunk.data(), chunk.size());
    out.WriteBytes(chunk.data(), chunk.size());
    out.WriteLong(1);
    testing::internal::CaptureStderr();
    out.EndWriting();
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(out.Overflowed());
    EXPECT_LE(out.Size(), MessageBuffer::BIG_ENOUGH);
    EXPECT_NE(
        printed.find("Message bigger than BIG_ENOUGH!!! Size = 10004. You're probably writing over some "
                     "memory right now.\n"),
        std::string::npos)
        << printed;

    // Exactly the block is still a whole message.
    MessageBuffer full;
    std::vector<std::uint8_t> block(MessageBuffer::BIG_ENOUGH, 1);
    full.WriteBytes(block.data(), block.size());
    full.EndWriting();
    EXPECT_FALSE(full.Overflowed());
    EXPECT_EQ(full.Size(), MessageBuffer::BIG_ENOUGH);
}
