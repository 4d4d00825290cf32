// Render basics without a window: version texts, card sections and switches, error reports, texture
// bookkeeping, the recorder, and the letterbox of the game area.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/display/screen_state.h"
#include "platform/host/host_scratch.h"
#include "platform/render/basic_texture.h"
#include "platform/render/card_settings.h"
#include "platform/render/gl_errors.h"
#include "platform/render/our_context.h"
#include "platform/render/recorder.h"
#include "support/scratch.h"

using Ravel::BasicTexture;
using Ravel::CardSettings;

namespace {

TEST(RenderVersion, VersionNumberAndCardSection)
{
    struct Case {
        const char* version;
        float number;
        const char* section;
    } cases[] = {
        { "1.5 NVIDIA-1.4.18", 1.5F, "CardSettings#nvidia" },
        { "2.0 ATI-1.4.56", 2.0F, "CardSettings#ati" },
        { "2.1 Foo-1.0", 2.1F, "CardSettings#foo" },
        { "4.5 (Compatibility Profile) Mesa 22.3.6", 4.5F, "CardSettings#mesa" },
        { "3.3 (Core Profile) Mesa 23.1.0", 3.3F, "CardSettings#mesa" },
        { "4.6.0 NVIDIA 535.54.03", 4.6F, "CardSettings#nvidia" },
        { "1.46 \t\r\nXYZ", 1.5F, "CardSettings#xyz" },
        { "3.0", 3.0F, "CardSettings#default" },
        { "", 0.0F, "CardSettings#default" },
        { "4.5 (unclosed", 4.5F, "CardSettings#default" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        EXPECT_FLOAT_EQ(Ravel::ParseGLVersion(c.version), c.number);
        EXPECT_EQ(CardSettings::SectionFromVersion(c.version), c.section);
    }
    EXPECT_EQ(CardSettings::SectionFromVersion(nullptr), "CardSettings#default");
    EXPECT_EQ(Ravel::ParseGLVersion(nullptr), 0.0F);
}

TEST(RenderCardSettings, MinusOneSwitchesAnExtensionOffPerDriver)
{
    host_test::UsePrefs("<key>CardSettings#foo</key><dict>"
                        "<key>GL_EXT_texture_rectangle</key><string>-1</string>"
                        "<key>GL_APPLE_texture_range</key><string>1</string></dict>"
                        "<key>CardSettings#default</key><dict>"
                        "<key>GL_EXT_texture_compression_s3tc</key><string>-1</string></dict>");
    CardSettings& settings = CardSettings::me();
    settings.setVersionText("2.1 Foo-1.0");
    EXPECT_FALSE(settings.get("GL_EXT_texture_rectangle"));
    EXPECT_TRUE(settings.get("GL_APPLE_texture_range"));
    EXPECT_TRUE(settings.get("GL_ARB_multitexture")); // no entry anywhere
    EXPECT_FALSE(settings.get("GL_EXT_texture_compression_s3tc")); // from the default section
    EXPECT_EQ(settings.getRaw("GL_APPLE_texture_range"), 1);

    settings.setVersionText("2.1 Other-1.0");
    EXPECT_TRUE(settings.get("GL_EXT_texture_rectangle"));
    host_test::UsePrefs("");
}

TEST(RenderExtensions, WholeWordsOnly)
{
    const char* list = "GL_ARB_multitexture GL_EXT_texture_rectangle_extra GL_EXT_bgra";
    EXPECT_TRUE(Ravel::IsExtensionListed(list, "GL_EXT_bgra"));
    EXPECT_TRUE(Ravel::IsExtensionListed(list, "GL_ARB_multitexture"));
    EXPECT_FALSE(Ravel::IsExtensionListed(list, "GL_EXT_texture_rectangle"));
    EXPECT_FALSE(Ravel::IsExtensionListed(list, "GL_ARB_multi"));
    EXPECT_FALSE(Ravel::IsExtensionListed(nullptr, "GL_EXT_bgra"));
    EXPECT_FALSE(Ravel::IsExtensionListed(list, ""));
}

struct ErrorScript {
    std::vector<int> codes;
    std::size_t next = 0;
    int reads = 0;
    // After the script: what the driver keeps answering.
    int tail = 0;
};

int NextScripted(void* source)
{
    auto* script = static_cast<ErrorScript*>(source);
    ++script->reads;
    if (script->next < script->codes.size())
        return script->codes[script->next++];
    return script->tail;
}

TEST(RenderErrors, FirstCodeAnsweredAndEndlessSourcesBounded)
{
    struct Case {
        const char* name;
        std::vector<int> codes;
        int tail;
        int answer;
    } cases[] = {
        { "none", {}, 0, 0 },
        { "invalid operation alone is ignored", { 0x0502 }, 0, 0 },
        { "one error", { 0x0500 }, 0, 0x0500 },
        { "first of several", { 0x0501, 0x0505, 0x0500 }, 0, 0x0501 },
        { "invalid operation twice in a row", { 0x0500, 0x0502, 0x0502 }, 0, 0x0502 },
        { "a source that never ends", {}, 0x0500, 0x0500 },
        { "invalid operation after ten errors",
            { 0x0500, 0x0501, 0x0500, 0x0501, 0x0500, 0x0501, 0x0500, 0x0501, 0x0500, 0x0501, 0x0502 },
            0x0500, 0x0500 },
    };
    testing::internal::CaptureStderr();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ErrorScript script { c.codes, 0, 0, c.tail };
        EXPECT_EQ(
            Ravel::ReportGLErrors(NextScripted, &script, "SetTexture", "/a/b/surface.cpp", 12), c.answer);
        EXPECT_LE(script.reads, 64);
    }
    testing::internal::GetCapturedStderr();
}

TEST(RenderErrors, ReportNamesTheOperationAndPlace)
{
    host_test::UsePrefs("<key>logging</key><dict><key>default</key><string>4</string></dict>");
    ErrorScript script { { 0x0505, 0x0500 }, 0, 0, 0 };
    testing::internal::CaptureStderr();
    Ravel::ReportGLErrors(NextScripted, &script, "bind new", "/src/platform/render/surface.cpp", 77);
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(
        log.find("gl has err out of memory (0x00505) from bind new (surface.cpp:77)"), std::string::npos)
        << log;
    EXPECT_NE(log.find("... and invalid enumerant (0x00500)"), std::string::npos) << log;
}

TEST(RenderTexture, PowerOfTwoSizesScalesAndNames)
{
    struct {
        long n;
        long size;
    } sizes[] = { { -3, 0 }, { 0, 0 }, { 1, 1 }, { 3, 4 }, { 640, 1024 }, { 1024, 1024 }, { 1025, 2048 } };
    for (const auto& s : sizes)
        EXPECT_EQ(BasicTexture::CalcPowerTwoSize(s.n), s.size) << s.n;

    BasicTexture rect;
    rect.MakeRectTexture(640, 480);
    EXPECT_EQ(rect.target(), 0x84F5U);
    EXPECT_FLOAT_EQ(rect.scaleX(), 639.0F);
    EXPECT_FLOAT_EQ(rect.scaleY(), 479.0F);

    BasicTexture plain;
    plain.MakeAddressScales(640, 480, 1024, 512);
    EXPECT_EQ(plain.target(), 0x0DE1U);
    EXPECT_FLOAT_EQ(plain.scaleX(), 0.625F);
    EXPECT_FLOAT_EQ(plain.scaleY(), 0.9375F);
    plain.MakeAddressScales(1, 1, 0, 0); // a texture of no size must not divide by zero
    EXPECT_EQ(plain.scaleX(), 0.0F);
}

// Uploads fail until told otherwise; counts what the base asks of it.
class ScriptedTexture : public BasicTexture {
public:
    void Upload(const Ravel::OurContext&) override
    {
        ++uploads;
        if (failUploads)
            throw std::runtime_error("upload failed");
    }
    void PrepareForUse(const Ravel::OurContext&) override { ++prepares; }
    bool failUploads = true;
    int uploads = 0;
    int prepares = 0;
};

TEST(RenderTexture, ContextRegisteredOnlyAfterASuccessfulUpload)
{
    ScriptedTexture texture;
    Ravel::OurContext one { reinterpret_cast<SDL_Window*>(0x10), reinterpret_cast<void*>(0x20) };
    Ravel::OurContext two { reinterpret_cast<SDL_Window*>(0x10), reinterpret_cast<void*>(0x30) };
    EXPECT_FALSE(texture.CheckContext(one, false));
    EXPECT_EQ(texture.uploads, 0);
    EXPECT_FALSE(texture.CheckContext(one, true));
    EXPECT_EQ(texture.uploads, 1);
    texture.failUploads = false;
    EXPECT_TRUE(texture.CheckContext(one, true));
    EXPECT_TRUE(texture.CheckContext(one, true));
    EXPECT_EQ(texture.uploads, 2);
    EXPECT_EQ(texture.prepares, 1);
    EXPECT_FALSE(texture.CheckContext(two, false));
    EXPECT_TRUE(texture.CheckContext(two, true));
    EXPECT_TRUE(texture.CheckContext(one, false)); // the cache moved to two; the map still knows one
    EXPECT_EQ(texture.uploads, 3);

    BasicTexture base;
    EXPECT_THROW(base.Upload(one), std::logic_error);
    EXPECT_FALSE(base.CheckContext(one, true));
}

TEST(RenderTexture, NamesAreNeverReused)
{
    ScriptedTexture a;
    ScriptedTexture b;
    a.MakeName();
    unsigned int first = a.name();
    a.MakeName();
    EXPECT_EQ(a.name(), first);
    b.MakeName();
    EXPECT_GT(b.name(), first);
}

class RecorderTest : public testing::Test {
protected:
    static bool Exists(const char* name) { return access(name, F_OK) == 0; }
    const support::ScratchDir mDir;
    const support::WorkingDirIn mInDir { mDir.path() };
};

TEST_F(RecorderTest, NoFileUntilRecordingIsSwitchedOn)
{
    {
        Ravel::Recorder recorder;
        const float vertices[] = { 0, 0, 0 };
        const std::uint16_t indices[] = { 0 };
        recorder.recIndexedPrimitive(4, vertices, 12, 1, indices, 1);
    }
    EXPECT_FALSE(Exists("rendering.3dmf"));
}

TEST_F(RecorderTest, WritesEachIndexedVertexAndRefusesIndicesPastTheArray)
{
    // Vertices of 5 floats (position and texture coordinates): 20-byte stride.
    const float vertices[] = { 1, 2, 3, 0, 0, 4, 5, 6, 0, 0, 7, 8, 9, 0, 0 };
    const std::uint16_t indices[] = { 2, 0, 9 };
    Ravel::Recorder recorder;
    ASSERT_TRUE(recorder.setEnabled(true));
    recorder.recIndexedPrimitive(4, vertices, 20, 3, indices, 3);
    recorder.setEnabled(false);
    recorder.recIndexedPrimitive(5, vertices, 20, 3, indices, 2);
    std::ifstream file("rendering.3dmf");
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(),
        "######\n# Indexed primitive \n######\n# recIndexedPrimitive ( GL_TRIANGLES, 3 )\nPolyLine (\n"
        "\t3 # nVertices\n\t7 8 9\n\t1 2 3\n\t# index 9 outside the 3 vertices\n)\n######\n");
}

TEST(GameArea, BackBufferScaledAndLetterboxed)
{
    struct {
        int dw, dh, w, h;
        Ravel::ViewportRect expected;
    } cases[] = {
        { 1024, 768, 1024, 768, { 0, 0, 1024, 768 } },
        { 1280, 1024, 1024, 768, { 0, 32, 1280, 960 } }, // bars above and below
        { 1920, 1080, 1024, 768, { 240, 0, 1440, 1080 } }, // bars left and right
        { 800, 600, 1024, 768, { 0, 0, 800, 600 } }, // scaled down
        { 0, 0, 1024, 768, { 0, 0, 0, 0 } },
        { 640, 480, 0, 0, { 0, 0, 640, 480 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dw << "x" << c.dh);
        EXPECT_EQ(Ravel::LetterboxRect(c.dw, c.dh, c.w, c.h), c.expected);
    }
}

} // namespace
