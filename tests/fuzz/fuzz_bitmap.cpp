// Feeds arbitrary bytes to the bitmap reader as a whole file: it must load or refuse, never read or
// write outside its buffers, and the image-name hash must take any bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/bitmap_file.h"
#include "gfx/image_descriptor.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A destination of 256 KiB: pictures needing more are refused by the capacity check.
    static std::vector<unsigned char> pixels(256 << 10);
    CBitmap bitmap;
    // The file's own row size, then a pitch just wider than any row of a small picture.
    if (bitmap.LoadFromMemory(data, size, pixels.data(), -1, pixels.size(), "fuzz"))
        (void)bitmap.GetPitch();
    CBitmap odd;
    odd.LoadFromMemory(data, size, pixels.data(), 1029, pixels.size(), "fuzz");

    const std::string name(reinterpret_cast<const char*>(data), size < 300 ? size : 300);
    const CImageDescriptor descriptor(name.c_str());
    (void)descriptor.GetHashValue(511);
    return 0;
}
