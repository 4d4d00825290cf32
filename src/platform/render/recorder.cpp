// The primitive recorder: an indented text dump of each indexed primitive.
#include "platform/render/recorder.h"

#include <cstring>

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

const char* PrimitiveName(int type)
{
    switch (type) {
    case 0:
        return "GL_POINTS";
    case 3:
        return "GL_LINE_STRIP";
    case 4:
        return "GL_TRIANGLES";
    case 5:
        return "GL_TRIANGLE_STRIP";
    case 7:
        return "GL_QUADS";
    default:
        return "unknown";
    }
}

} // namespace

Recorder& Recorder::shared()
{
    static Recorder sRecorder;
    return sRecorder;
}

Recorder::~Recorder()
{
    if (mFile)
        std::fclose(mFile);
}

bool Recorder::setEnabled(bool enabled)
{
    if (enabled && !mFile) {
        mFile = std::fopen(kFileName, "w");
        if (!mFile) {
            mEnabled = false;
            return false;
        }
    }
    mEnabled = enabled;
    return true;
}

void Recorder::line(const char* text)
{
    for (int i = 0; i < mDepth; ++i)
        std::fputc('\t', mFile);
    std::fputs(text, mFile);
}

void Recorder::recIndexedPrimitive(int primitiveType, const float* vertices, int strideBytes, int vertexCount,
    const std::uint16_t* indices, int indexCount)
{
    if (!mEnabled || !mFile)
        return;
    char text[160];
    line("######\n");
    line("# Indexed primitive \n");
    line("######\n");
    std::snprintf(
        text, sizeof text, "# recIndexedPrimitive ( %s, %d )\n", PrimitiveName(primitiveType), indexCount);
    line(text);
    line("PolyLine (\n");
    ++mDepth;
    std::snprintf(text, sizeof text, "%d # nVertices\n", indexCount);
    line(text);
    const auto* base = reinterpret_cast<const unsigned char*>(vertices);
    for (int i = 0; i < indexCount && indices && vertices; ++i) {
        int index = indices[i];
        if (index >= vertexCount || strideBytes < static_cast<int>(3 * sizeof(float))) {
            std::snprintf(text, sizeof text, "# index %d outside the %d vertices\n", index, vertexCount);
            line(text);
            continue;
        }
        float xyz[3];
        std::memcpy(
            xyz, base + static_cast<std::size_t>(index) * static_cast<std::size_t>(strideBytes), sizeof xyz);
        std::snprintf(text, sizeof text, "%g %g %g\n", static_cast<double>(xyz[0]),
            static_cast<double>(xyz[1]), static_cast<double>(xyz[2]));
        line(text);
    }
    --mDepth;
    line(")\n");
    line("######\n");
    std::fflush(mFile);
}

} // namespace Ravel
