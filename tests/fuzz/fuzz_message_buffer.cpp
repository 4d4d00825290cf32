// Reads arbitrary bytes as a network message, the reads chosen by the bytes themselves, and writes back what
// it read: no read may pass the bytes and no write the block, whatever the sender put in.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/dplay/message_buffer.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 65536)
        return 0;
    // A block of exactly the input's size, so that a read past it is caught.
    std::uint8_t* bytes = static_cast<std::uint8_t*>(std::malloc(size ? size : 1));
    if (size)
        std::memcpy(bytes, data, size);
    Ravel::MessageBuffer in(bytes, static_cast<int>(size));
    Ravel::MessageBuffer out;
    char text[64];
    std::uint8_t block[300];
    // Each step consumes at least one byte, so the walk ends with the message.
    for (int step = 0; step < 4096 && !in.Overrun() && in.Remaining() > 0; ++step) {
        switch (in.ReadByte() % 9) {
        case 0:
            out.WriteByte(in.ReadByte());
            break;
        case 1:
            out.WriteShort(in.ReadShort());
            break;
        case 2:
            out.WriteLong(in.ReadLong());
            break;
        case 3:
            out.WriteFloat(in.ReadFloat());
            break;
        case 4:
            if (in.ReadString(text, sizeof text))
                out.WriteString(text);
            break;
        case 5: {
            std::size_t count = in.ReadByte();
            if (in.ReadBytes(block, count))
                out.WriteBytes(block, count);
            break;
        }
        case 6:
            if (!in.ReadCheckToken(0x3F))
                out.WriteCheckToken(0x4F);
            break;
        case 7:
            in.Skip(in.ReadChar());
            break;
        default:
            out.WriteChar(in.ReadChar());
            break;
        }
    }
    out.EndWriting();
    if (out.Size() > Ravel::MessageBuffer::BIG_ENOUGH || in.Position() > in.Size() + 1)
        std::abort();
    std::free(bytes);
    return 0;
}
