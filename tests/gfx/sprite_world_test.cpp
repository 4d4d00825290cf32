// Map sprites: frames and origin of a new sheet, the scale the map's zoom gives, placement through the
// view, and ".spr" definitions with the draw modes they choose and the errors they stop at.
#include <gtest/gtest.h>

#include <string>

#include "datalang/parser.h"
#include "foundation/fatal_error.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/image.h"
#include "gfx/image_rle.h"
#include "gfx/sprite_world.h"
#include "gfx/video_fixture.h"
#include "support/fatal_message.h"

#include "foundation/safeguards.h"

namespace {

void WriteSheet(const std::string& name, int width, int height)
{
    const int stride = (width + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride * height), '\x05');
    fixture::WriteFile(name, fixture::Bytes(fixture::Bmp { width, height, 8, 0, 40, 0, 0, true, pixels }));
}

class SpriteWorldTest : public fixture::GfxFileTest {
protected:
    void SetUp() override
    {
        GfxFileTest::SetUp();
        CImageBase::InitAlpha();
        CVideo::pBackBuffer = &screen;
        CGameMapBase::SetMapWindow(CRect(0, 0, 256, 192));
        CGameMapBase::SetZoomLevel(0);
        CGameMapBase::SetFocus(0, 0);
        WriteSheet("gfx/map/units/bmp/walk.bmp", 64, 10);
    }
    void TearDown() override
    {
        CVideo::pBackBuffer = nullptr;
        CGameMapBase::SetZoomLevel(0);
        GfxFileTest::TearDown();
    }
    // Parses the definition into the sprite; the parse error's message, or "" when it read.
    std::string Parse(CSpriteWorld& sprite, const std::string& text)
    {
        fixture::WriteFile("unit.spr", text);
        return support::FatalMessageOf([&] {
            CRZParser parser((support::gDataFolder + "/unit.spr").c_str(), "r");
            EXPECT_EQ(sprite.ParseFields(parser), 0);
        });
    }
    // Images keep their pixels in surfaces of the DirectDraw object; the test brings its own back buffer.
    video_test::ScopedHeadlessVideo video { 320, 240, false };
    CImage screen { 256, 192, 16, IMAGE_SYSTEM };
};

TEST_F(SpriteWorldTest, FramesOriginAndZoom)
{
    CSpriteWorld s("gfx\\map\\units\\bmp\\walk.bmp");
    s.SetTotalFrames(4);
    EXPECT_EQ(s.GetFrameWidth(), 16);
    EXPECT_EQ(s.GetOrigin(), CPoint(8, 5));
    EXPECT_GE(s.GetFrame(), 0);
    EXPECT_LT(s.GetFrame(), 4);
    EXPECT_EQ(s.GetDestinationImage(), &screen);
    EXPECT_EQ(s.GetClippingArea(), CRect(0, 0, 256, 192));
    s.SetScale(1);
    for (auto [zoom, drawn] : { std::pair { 0, 1 }, { 2, 3 }, { 4, 4 } }) {
        CGameMapBase::SetZoomLevel(zoom);
        s.Draw(DRAW_TYPE_0);
        EXPECT_EQ(s.GetImage()->GetScale(), drawn) << zoom;
    }
}

TEST_F(SpriteWorldTest, PlacedThroughTheView)
{
    CSpriteWorld s("gfx\\map\\units\\bmp\\walk.bmp");
    s.SetTotalFrames(4);
    s.SetRectangularHit(true);
    s.MoveTo(100, 50);
    EXPECT_EQ(s.GetPosition(), CPoint(100, 50));
    // The frame's top-left corner at the world position less the origin: (92, 45).
    EXPECT_EQ(s.Within(92, 45), 1);
    EXPECT_EQ(s.Within(107, 54), 1);
    EXPECT_EQ(s.Within(108, 54), 0);
    EXPECT_EQ(s.Intersecting(108, 0, 200, 200), 1) << "touching edges count";
    EXPECT_EQ(s.Intersecting(109, 0, 200, 200), 0);
    // In the map surface the corner lies at the world position.
    EXPECT_EQ(s.Within(100, 50, true), 1);
    EXPECT_EQ(s.Within(99, 50, true), 0);
    CGameMapBase::SetZoomLevel(1);
    EXPECT_EQ(s.Within(46, 22), 1);
    EXPECT_EQ(s.Within(54, 22), 0);
}

TEST_F(SpriteWorldTest, Definitions)
{
    CSpriteWorld s;
    EXPECT_EQ(
        Parse(s,
            "sprite = { bitmap = walk.bmp frames = 4 speed = 12 origin = { x = 3 y = 9 } transparency = 2 }"),
        "");
    ASSERT_NE(s.GetImage()->GetRLEHeader(), nullptr);
    EXPECT_EQ(s.GetImage()->GetRLEHeader()->nFrames, 4);
    EXPECT_EQ(s.GetFrequency(), 12);
    EXPECT_EQ(s.GetOrigin(), CPoint(3, 9));
    EXPECT_EQ(s.GetImage()->GetType(), IMAGE_MULTIPLY);
    s.Draw(DRAW_TYPE_0);
    EXPECT_EQ(s.GetImage()->GetType(), IMAGE_MULTIPLY) << "kept when drawn";
    EXPECT_FALSE(s.IsStatic());

    struct Case {
        const char* text;
        ImageType mode;
        int opacity;
    } modes[] = {
        { "transparency = 1", IMAGE_ALPHA, 32 },
        { "transparency = 1 opacity = 12", IMAGE_TRANSLUCENT, 12 },
        { "transparency = 1 opacity = 40", IMAGE_SYSTEM, 32 },
    };
    for (const Case& c : modes) {
        // Each its own sheet, so that none is encoded already.
        const std::string name = std::string("m") + std::to_string(c.mode) + ".bmp";
        WriteSheet("gfx/map/units/bmp/" + name, 32, 4);
        CSpriteWorld m;
        EXPECT_EQ(Parse(m, "sprite = { bitmap = " + name + " frames = 2 " + c.text + " }"), "");
        m.Draw(DRAW_TYPE_0);
        EXPECT_EQ(m.GetImage()->GetType(), c.mode) << c.text;
        EXPECT_EQ(m.GetOpacity(), c.opacity) << c.text;
    }

    struct Error {
        const char* text;
        const char* message;
    } errors[] = {
        { "bitmap = walk.bmp", "Sprite keyword not found.." }, { "sprite = { origin = 4 }", "No left curly" },
        { "sprite = { bitmap = kept.bmp frames = 0 }", "frames must be 1 or more" },
        { "sprite = { colour = red }", "SpriteWorld : Unexpected field" },
        { "sprite = { speed = 3 ", "" }, // the end of the file inside the block
    };
    WriteSheet("gfx/map/units/bmp/kept.bmp", 16, 4);
    for (const Error& e : errors) {
        CSpriteWorld kept("gfx\\map\\units\\bmp\\kept.bmp");
        kept.SetFrequency(77);
        const std::string message = Parse(kept, e.text);
        EXPECT_NE(message, "") << e.text;
        EXPECT_NE(message.find(e.message), std::string::npos) << message;
        EXPECT_EQ(kept.GetFrequency(), 77) << "left as it was";
        EXPECT_EQ(kept.GetImage()->GetRLEHeader(), nullptr);
    }
}

} // namespace
