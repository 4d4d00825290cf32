// Presenting and blitting: a 1024 by 768 frame flipped in the game window (OpenGL under Mesa; needs an X
// display), keyed 64 by 64 fast blits, the opaque 16-bit copy and the 8-to-16 palette copy.
#include <benchmark/benchmark.h>

#include <SDL.h>
#include <cstdlib>

#include "gfx/direct_draw.h"
#include "gfx/image.h"
#include "gfx/palette.h"
#include "platform/display/basic_hwnd_imp.h"

namespace {

// The display every case draws on: a real window when there is an X display, else headless.
bool Display()
{
    static const bool ready = [] {
        if (!std::getenv("DISPLAY"))
            setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (SDL_Init(SDL_INIT_VIDEO) != 0)
            return false;
        auto* wrapper = new Ravel::BasicHWNDImpOBJC(1024, 768, "bench");
        MainWindowsHwnd = reinterpret_cast<Windows::HWND>(wrapper);
        return CVideo::CreateVideo(0) == 1 && CVideo::SetMode(1024, 768, 16, 0) == 1;
    }();
    return ready;
}

void BM_FlipFrame1024x768(benchmark::State& state)
{
    if (!Display() || !std::getenv("DISPLAY")) {
        state.SkipWithError("needs an X display");
        return;
    }
    std::uint16_t colour = 0;
    for (auto _ : state) {
        CVideo::pBackBuffer->Fill16Bit(++colour & 0x7FFF);
        CVideo::Update();
    }
    state.SetLabel("fill + copy to the primary + flip");
}
BENCHMARK(BM_FlipFrame1024x768)->Unit(benchmark::kMillisecond);

void BM_KeyedBltFast64(benchmark::State& state)
{
    if (!Display()) {
        state.SkipWithError("no display");
        return;
    }
    CImage sprite(64, 64, 16, IMAGE_VIDEO);
    sprite.Fill16Bit(0x1234);
    for (int y = 0; y < 64; y += 2)
        for (int x = 0; x < 64; x += 3)
            *reinterpret_cast<std::uint16_t*>(sprite.Lock(x, y)) = CImageBase::Transparent16Bit;
    sprite.Unlock();
    CVideo::pDD->SetColorKey(sprite.GetSurface());
    CImage dest(1024, 768, 16, IMAGE_SYSTEM);
    int at = 0;
    for (auto _ : state) {
        sprite.Draw((at * 66) % 960, (at * 34) % 704, &dest);
        ++at;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_KeyedBltFast64);

void BM_FastBlt16to16(benchmark::State& state)
{
    if (!Display()) {
        state.SkipWithError("no display");
        return;
    }
    CImage source(1024, 768, 16, IMAGE_SYSTEM);
    source.Fill16Bit(0x4321);
    CImage dest(1024, 768, 16, IMAGE_SYSTEM);
    CRect all(0, 0, 1024, 768);
    for (auto _ : state)
        source.FastBltAsm16to16(0, 0, &all, &dest);
    state.counters["Mpixel/s"] = benchmark::Counter(
        1024.0 * 768.0 * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FastBlt16to16);

void BM_SpriteMacro8to16(benchmark::State& state)
{
    if (!Display()) {
        state.SkipWithError("no display");
        return;
    }
    static CPalette palette;
    for (int i = 0; i < 256; ++i)
        palette._Colors[i][0] = palette._Colors[i][1] = palette._Colors[i][2] = static_cast<std::uint8_t>(i);
    palette.Calc16BitPalette();
    CImage source(1024, 768, 8, IMAGE_SYSTEM);
    source.SetPalette(&palette);
    unsigned char* pixels = source.Lock();
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x)
            pixels[y * source.GetPitch() + x] = static_cast<unsigned char>((x + y) % 256);
    source.Unlock();
    CImage dest(1024, 768, 16, IMAGE_SYSTEM);
    CRect all(0, 0, 1024, 768);
    for (auto _ : state)
        source.proc_SpriteMacro(0, 0, &all, &dest);
    state.counters["Mpixel/s"] = benchmark::Counter(
        1024.0 * 768.0 * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SpriteMacro8to16);

} // namespace
