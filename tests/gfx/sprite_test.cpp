// Sprites: images shared by file name and freed with their last sprite, frames and animation, the draw
// mode an opacity chooses, and hit tests.
#include <gtest/gtest.h>

#include <memory>

#include "events/generic_events.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/image.h"
#include "gfx/image_rle.h"
#include "gfx/palette.h"
#include "gfx/sprite.h"
#include "gfx/video_fixture.h"

#include "foundation/safeguards.h"

namespace {

// An 8-bit picture width × height whose columns hold their index + 2, but column 1 which is transparent.
void WriteSheet(const std::string& name, int width, int height)
{
    const int stride = (width + 3) & ~3;
    std::string pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < stride; ++x)
            pixels += static_cast<char>(x == 1 ? 0 : (x + 2) & 0xFF);
    }
    fixture::WriteFile(name, fixture::Bytes(fixture::Bmp { width, height, 8, 0, 40, 0, 0, true, pixels }));
}

class SpriteTest : public fixture::GfxFileTest {
protected:
    void SetUp() override
    {
        GfxFileTest::SetUp();
        CImageBase::InitAlpha();
        CVideo::pBackBuffer = &screen;
        WriteSheet("gfx/sheet.bmp", 128, 8);
    }
    void TearDown() override
    {
        CVideo::pBackBuffer = nullptr;
        GfxFileTest::TearDown();
    }
    // Images keep their pixels in surfaces of the DirectDraw object; the test brings its own back buffer.
    video_test::ScopedHeadlessVideo video { 320, 240, false };
    CImage screen { 64, 48, 16, IMAGE_SYSTEM };
};

TEST_F(SpriteTest, OneFileOneImageFreedWithItsLastSprite)
{
    const int before = CSprite::_ImageDB.GetCount();
    auto a = std::make_unique<CSprite>("gfx\\sheet.bmp");
    auto b = std::make_unique<CSprite>("GFX\\sheet.bmp");
    auto c = std::make_unique<CSprite>("gfx\\sheet.bmp");
    EXPECT_EQ(a->GetImage(), c->GetImage());
    EXPECT_EQ(a->GetImage()->GetRefCount(), 2);
    EXPECT_NE(a->GetImage(), b->GetImage()) << "the bucket is chosen by the exact bytes";
    EXPECT_EQ(CSprite::_ImageDB.GetCount(), before + 2);
    EXPECT_EQ(a->GetFrameWidth(), 128);
    EXPECT_EQ(a->GetDestinationImage(), &screen);
    EXPECT_EQ(a->GetClippingArea(), CRect(0, 0, 64, 48));
    a.reset();
    EXPECT_EQ(c->GetImage()->GetRefCount(), 1);
    EXPECT_EQ(CSprite::_ImageDB.GetCount(), before + 2);
    c.reset();
    b.reset();
    EXPECT_EQ(CSprite::_ImageDB.GetCount(), before);

    // Private images never enter the registry.
    CSprite sized(8, 4, 16);
    EXPECT_STREQ(sized.GetImage()->GetName(), "sized image");
    CSprite shared("gfx\\sheet.bmp");
    shared.SetTotalFrames(4);
    shared.SetFrame(2);
    ASSERT_EQ(shared.Individualize(), 1);
    EXPECT_EQ(CSprite::_ImageDB.GetCount(), before);
    EXPECT_STREQ(shared.GetFileName(), "gfx\\sheet.bmp");
    EXPECT_EQ(shared.GetFrame(), 2);
    EXPECT_EQ(shared.GetSourceRect(), CRect(64, 0, 96, 8));
}

TEST_F(SpriteTest, FramesAndAnimation)
{
    CSprite s("gfx\\sheet.bmp");
    s.SetTotalFrames(4);
    EXPECT_EQ(s.GetFrameWidth(), 32);
    s.SetFrame(2);
    EXPECT_EQ(s.GetSourceRect(), CRect(64, 0, 96, 8));
    s.SetFrame(99);
    EXPECT_EQ(s.GetFrame(), 3);
    s.SetFrame(-2);
    EXPECT_EQ(s.GetFrame(), 0);
    s.SetTotalFrames(0);
    EXPECT_EQ(s.GetTotalFrames(), 4) << "refused";

    s.SetFrameDelay(10);
    s.SetFrameTimer(7);
    s.SetFrame(1);
    s.FastForward(25);
    EXPECT_EQ(s.GetFrame(), 0);
    EXPECT_EQ(s.GetFrameTimer(), 2);
    EXPECT_TRUE(s.IsFinished());
    EXPECT_TRUE(s.IsAnimating());

    CSprite once("gfx\\sheet.bmp");
    once.SetTotalFrames(4);
    once.SetStopAtEnd(true);
    once.SetRemoveWhenFinished(true);
    once.SetFrameDelay(10);
    once.SetFrame(2);
    CRZAnimTickEvent tick(_CRZEVT_TICK_ANIMATIONS_, 10);
    EXPECT_EQ(once.Update(&tick), 0);
    EXPECT_EQ(once.GetFrame(), 3);
    EXPECT_EQ(once.Update(&tick), 1) << "finished: destroy me";
    EXPECT_EQ(once.GetFrame(), 0);
    EXPECT_FALSE(once.IsAnimating());
    EXPECT_EQ(once.Update(&tick), 0) << "no longer animating";
}

TEST_F(SpriteTest, OpacityChoosesTheDrawModeOfRunLengthImages)
{
    CSprite s("gfx\\sheet.bmp");
    CImageNode* image = s.GetImage();
    s.Draw(DRAW_TYPE_0);
    EXPECT_EQ(image->GetType(), IMAGE_SYSTEM) << "plain images ignore the opacity";
    ASSERT_EQ(image->Encode(4), 1);
    s.SetTotalFrames(4);
    s.SetOpacity(16);
    s.Draw(DRAW_TYPE_0);
    EXPECT_EQ(image->GetType(), IMAGE_TRANSLUCENT);
    EXPECT_EQ(image->GetOpacity(), 16);
    s.SetOpacity(32);
    s.SetScale(7);
    s.Draw(DRAW_TYPE_0);
    EXPECT_EQ(image->GetType(), IMAGE_SYSTEM);
    EXPECT_EQ(image->GetOpacity(), 0);
    EXPECT_EQ(image->GetScale(), 4);
    EXPECT_EQ(s.GetWidth(), 0) << "the width shifts by the stored scale";
    image->SetType(IMAGE_MULTIPLY);
    s.SetOpacity(3);
    s.Draw(DRAW_TYPE_0);
    EXPECT_EQ(image->GetType(), IMAGE_MULTIPLY);
}

TEST_F(SpriteTest, DrawsTheCurrentFrameAtItsPositionLessTheOrigin)
{
    CPalette palette;
    for (int i = 0; i < 256; ++i)
        palette._Normal16[i] = static_cast<std::uint32_t>(i);
    CSprite s("gfx\\sheet.bmp");
    s.SetLocalPalette(&palette);
    ASSERT_EQ(s.GetImage()->Encode(4), 1);
    s.SetTotalFrames(4);
    s.SetFrame(1);
    s.MoveTo(20, 10);
    s.SetOrgin(4, 2);
    s.Draw(DRAW_TYPE_0);
    const auto at = [&](int x, int y) {
        return reinterpret_cast<std::uint16_t*>(screen.Lock() + y * screen.GetPitch())[x];
    };
    EXPECT_EQ(at(16, 8), 32 + 2);
    EXPECT_EQ(at(47, 15), 63 + 2);
    EXPECT_EQ(at(48, 15), 0);
    EXPECT_EQ(at(16, 16), 0);
    s.SetHidden(true);
    s.SetFrame(0);
    s.Draw(DRAW_TYPE_0);
    EXPECT_EQ(at(16, 8), 32 + 2) << "hidden sprites draw nothing";
}

TEST_F(SpriteTest, HitTests)
{
    CSprite s("gfx\\sheet.bmp");
    s.SetTotalFrames(4);
    s.MoveTo(10, 10);
    s.SetOrgin(2, 2);
    // The drawn rectangle: the position less the origin.
    EXPECT_EQ(s.Within(8, 8), 1);
    EXPECT_EQ(s.Within(9, 8), 0) << "column 1 is transparent";
    EXPECT_EQ(s.Within(7, 8), 0);
    EXPECT_EQ(s.Within(8 + 32, 8), 0);
    EXPECT_EQ(s.Within(8, 16), 0);
    s.SetRectangularHit(true);
    EXPECT_EQ(s.Within(9, 8), 1);
    s.SetOffset(5, 0);
    EXPECT_EQ(s.Within(8, 8), 0);
    EXPECT_EQ(s.GetPosition(), CPoint(15, 10));
}

} // namespace
