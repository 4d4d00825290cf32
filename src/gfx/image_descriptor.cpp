// Image names as registry keys, and the shared images they find.
#include "gfx/image_descriptor.h"

#include "foundation/utilities.h"
#include "platform/win/win32.h"

#include "foundation/safeguards.h"

CImageDescriptor::CImageDescriptor(const char* name)
{
    CopyString(_Name, name ? name : "");
}

std::uint32_t CImageDescriptor::GetHashValue(unsigned long size) const
{
    std::int32_t sum = 0;
    for (const char* p = _Name; *p; ++p)
        sum = static_cast<std::int32_t>(static_cast<std::uint32_t>(sum)
            + static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(*p))));
    if (size == 0)
        return 0;
    return static_cast<std::uint32_t>(static_cast<std::uint32_t>(sum) % size);
}

bool CImageDescriptor::operator==(const CImageDescriptor& other) const
{
    return stricmp(_Name, other._Name) == 0;
}

CImageNode::CImageNode(const char* file, bool rle)
    : CImage(file, IMAGE_SYSTEM, rle)
    , _Descriptor(file)
{
}

CImageNode::CImageNode(int width, int height, int bits)
    : CImage(width, height, bits, IMAGE_SYSTEM)
{
}
