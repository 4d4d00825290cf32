// Test ground of the images and the video: a headless display (SDL's dummy driver, no window) with the
// DirectDraw object, the display mode and both buffers made as start-up makes them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>

#include "gfx/image.h"

namespace Ravel {
class BasicHWNDImpOBJC;
}

namespace video_test {

// The data generator, built beside the test programs.
std::filesystem::path DataGenerator();
// The tiny data folder of the seed, from the generator beside the test programs, in the program's data
// folder; false when the generator is missing or fails.
bool GenerateTinyData(int seed);

// The 16-bit pixel at (x, y) of an image (locked for the read).
std::uint16_t Pixel16(CImageBase* image, int x, int y);
void SetPixel16(CImageBase* image, int x, int y, std::uint16_t value);
std::uint8_t Pixel8(CImageBase* image, int x, int y);
void SetPixel8(CImageBase* image, int x, int y, std::uint8_t value);

// A display of the size in 5-5-5 through CVideo(0) and SetMode, without a window, for the life of the
// object; images made while it lives have surfaces. Without setMode only the DirectDraw object is made
// (no buffers, the pixel format left alone), for tests that bring their own back buffer.
class ScopedHeadlessVideo {
public:
    explicit ScopedHeadlessVideo(int width = 320, int height = 240, bool setMode = true);
    ~ScopedHeadlessVideo();
    ScopedHeadlessVideo(const ScopedHeadlessVideo&) = delete;
    ScopedHeadlessVideo& operator=(const ScopedHeadlessVideo&) = delete;
    bool ok() const { return mOk; }

private:
    bool mOk = false;
};

// The game window of that size on the X display (under xvfb-run) with the video and a 16-bit display mode
// made for it, for the life of the object; a missing display fails the test.
class ScopedGameWindow {
public:
    ScopedGameWindow(int width, int height, const char* title);
    ~ScopedGameWindow();
    ScopedGameWindow(const ScopedGameWindow&) = delete;
    ScopedGameWindow& operator=(const ScopedGameWindow&) = delete;
    bool ok() const { return mOk; }
    Ravel::BasicHWNDImpOBJC* GetWrapper() const;

private:
    bool mOk = false;
};

class HeadlessVideo : public testing::Test {
protected:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;
    void SetUp() override
    {
        mVideo = std::make_unique<ScopedHeadlessVideo>(kWidth, kHeight);
        ASSERT_TRUE(mVideo->ok());
    }
    void TearDown() override { mVideo.reset(); }

private:
    std::unique_ptr<ScopedHeadlessVideo> mVideo;
};

} // namespace video_test
