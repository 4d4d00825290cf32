// CImageDescriptor and CImageNode: the key and the shared, reference-counted image of the sprites'
// image registry, which finds an image already loaded by its file name.
#pragma once

#include <cstdint>

#include "gfx/image.h"

class CImageDescriptor {
public:
    CImageDescriptor() = default;
    // Copies the name; a name of 256 bytes or more is cut to 255 (such a file cannot be opened anyway).
    explicit CImageDescriptor(const char* name);

    // The sum of the name's bytes taken as signed 8-bit values, as an unsigned 32-bit number, modulo
    // size (0 for size 0). Letter case counts here though not in ==, so one image must always be
    // named with the same case to be found.
    std::uint32_t GetHashValue(unsigned long size) const;
    // Names equal with ASCII letter case ignored.
    bool operator==(const CImageDescriptor& other) const;

    const char* GetName() const { return _Name; }

private:
    char _Name[256] = {};
};

class CImageNode : public CImage {
public:
    // A system image of the file (the fallback picture when it cannot be loaded), one reference.
    CImageNode(const char* file, bool rle);
    // A blank system image with an empty name, one reference; never entered in the registry.
    CImageNode(int width, int height, int bits);

    const CImageDescriptor& GetHashKey() const { return _Descriptor; }
    std::int32_t GetRefCount() const { return _RefCount; }
    // Each answers the count after the change; the node is not deleted here, its registry decides.
    std::int32_t AddRef() { return ++_RefCount; }
    std::int32_t Release() { return --_RefCount; }

private:
    CImageDescriptor _Descriptor;
    std::int32_t _RefCount = 1;
};
