// A debugging record of drawn primitives, written to "rendering.3dmf" only while recording is on.
#pragma once

#include <cstdint>
#include <cstdio>

namespace Ravel {

class Recorder {
public:
    // Opens nothing: the file is made when recording is first switched on.
    Recorder() = default;
    // The one recorder of the Direct3D devices, made on first use.
    static Recorder& shared();
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Switching on creates (truncating) "rendering.3dmf" in the current folder once; false when it cannot
    // be made, and recording stays off.
    bool setEnabled(bool enabled);
    bool enabled() const { return mEnabled; }

    // One primitive: the first three floats of each indexed vertex. Indices beyond vertexCount are
    // skipped with a note instead of reading past the array.
    void recIndexedPrimitive(int primitiveType, const float* vertices, int strideBytes, int vertexCount,
        const std::uint16_t* indices, int indexCount);

    static constexpr const char* kFileName = "rendering.3dmf";

private:
    void line(const char* text);

    std::FILE* mFile = nullptr;
    bool mEnabled = false;
    int mDepth = 0;
};

} // namespace Ravel
