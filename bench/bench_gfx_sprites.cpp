// Sprite drawing on the CPU: run-length decoding per draw mode and scale, a 1024 by 768 frame of 300
// sprites and 2,000 glyphs, and the line breaking of an 8 KB text.
#include <benchmark/benchmark.h>

#include <SDL.h>
#include <cstdlib>
#include <string>

#include "gfx/direct_draw.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/palette.h"
#include "platform/display/basic_hwnd_imp.h"

namespace {

// Headless: images need the DirectDraw object for their surfaces, nothing is presented.
bool Display()
{
    static const bool ready = [] {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (SDL_Init(SDL_INIT_VIDEO) != 0)
            return false;
        auto* wrapper = new Ravel::BasicHWNDImpOBJC(1024, 768, "bench");
        MainWindowsHwnd = reinterpret_cast<Windows::HWND>(wrapper);
        CImageBase::InitAlpha();
        return CVideo::CreateVideo(0) == 1 && CVideo::SetMode(1024, 768, 16, 0) == 1;
    }();
    return ready;
}

CPalette gPalette;

// A 4-frame 256 by 64 sheet of runs, literals, shadows and transparent stretches, encoded.
CImage* Sheet()
{
    auto* sheet = new CImage(256, 64, 8, IMAGE_SYSTEM);
    unsigned char* p = sheet->Lock();
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x)
            p[y * sheet->GetPitch() + x] = static_cast<unsigned char>((x % 64) < 8 ? 0
                    : (x % 64) < 12                                                ? 1
                    : (x / 4 + y) % 3 == 0                                         ? 2 + (x * 7 + y) % 200
                                                                                   : 40 + y);
    sheet->Unlock();
    sheet->SetPalette(&gPalette);
    sheet->Encode(4);
    return sheet;
}

void BM_DecodeRLE(benchmark::State& state)
{
    if (!Display()) {
        state.SkipWithError("no display");
        return;
    }
    static CImage* sheet = Sheet();
    const auto mode = static_cast<ImageType>(state.range(0));
    const int scale = static_cast<int>(state.range(1));
    sheet->SetType(mode);
    sheet->SetOpacity(16);
    sheet->SetScale(scale);
    CImage* dest = CVideo::pBackBuffer;
    int frame = 0;
    for (auto _ : state) {
        frame = (frame + 1) & 3;
        sheet->Draw(100 + frame, 100, CRect(frame * 64, 0, frame * 64 + 64, 64), nullptr, dest, nullptr);
    }
    state.counters["Mpixel/s"] = benchmark::Counter(
        64.0 * 64.0 * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeRLE)
    ->ArgsProduct({ { IMAGE_SYSTEM, IMAGE_ALPHA, IMAGE_TRANSLUCENT, IMAGE_MULTIPLY }, { 0, 1, 2 } })
    ->ArgNames({ "mode", "scale" });

void BM_Frame300SpritesAnd2000Glyphs(benchmark::State& state)
{
    if (!Display()) {
        state.SkipWithError("no display");
        return;
    }
    static CImage* sheet = Sheet();
    sheet->SetType(IMAGE_SYSTEM);
    sheet->SetScale(0);
    static CFont* font = [] {
        gpFontDB = new CFontDB;
        LoadInterfaceFonts();
        return SmallFont;
    }();
    if (!font) {
        state.SkipWithError("the fonts need the data folder");
        return;
    }
    const std::string line(100, 'x');
    CImage* dest = CVideo::pBackBuffer;
    for (auto _ : state) {
        dest->Fill16Bit(0);
        for (int i = 0; i < 300; ++i) {
            const int frame = i & 3;
            sheet->Draw((i * 37) % 1000, (i * 53) % 740, CRect(frame * 64, 0, frame * 64 + 64, 64), nullptr,
                dest, nullptr);
        }
        for (int row = 0; row < 20; ++row)
            font->Print(line.c_str(), 0, row * 14, dest, 0x7FFF);
    }
    state.SetLabel("CPU only, nothing presented");
}
BENCHMARK(BM_Frame300SpritesAnd2000Glyphs)->Unit(benchmark::kMillisecond);

void BM_LineBreaks8K(benchmark::State& state)
{
    if (!Display() || !SmallFont) {
        if (!gpFontDB) {
            gpFontDB = new CFontDB;
            LoadInterfaceFonts();
        }
        if (!SmallFont) {
            state.SkipWithError("the fonts need the data folder");
            return;
        }
    }
    std::string text;
    while (text.size() < 8192)
        text += "The \xa7Yhigh\xa7\xa7 middle ages %700lasted\\nlong ";
    for (auto _ : state)
        benchmark::DoNotOptimize(SmallFont->GetLineBreaks(text.c_str(), 300));
}
BENCHMARK(BM_LineBreaks8K)->Unit(benchmark::kMicrosecond);

} // namespace
