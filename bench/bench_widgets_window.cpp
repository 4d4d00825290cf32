// Windows through the span buffer: twenty overlapping 256 by 192 windows drawn front to back into a
// 1024 by 768 back buffer, the span buffer cleared first, as every frame does; the time is per frame.
#include <benchmark/benchmark.h>

#include <SDL.h>
#include <cstdlib>

#include "gfx/direct_draw.h"
#include "gfx/image.h"
#include "gfx/sprite_list.h"
#include "gfx/video.h"
#include "platform/display/basic_hwnd_imp.h"
#include "widgets/window.h"

namespace {

bool Display()
{
    static const bool ready = [] {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (SDL_Init(SDL_INIT_VIDEO) != 0)
            return false;
        auto* wrapper = new Ravel::BasicHWNDImpOBJC(1024, 768, "bench");
        MainWindowsHwnd = reinterpret_cast<Windows::HWND>(wrapper);
        return CVideo::CreateVideo(0) == 1 && CVideo::SetMode(1024, 768, 16, 0) == 1;
    }();
    return ready;
}

void BM_TwentyOverlappingWindows1024x768(benchmark::State& state)
{
    if (!Display()) {
        state.SkipWithError("no headless display");
        return;
    }
    CWindow::InitClass();
    CWindowList windows;
    for (int i = 0; i < 20; ++i) {
        CPoint at(40 + 36 * i, 40 + 24 * i);
        windows.Append(new CWindow(&at, CPoint(256, 192), 16));
    }
    for (auto _ : state) {
        CWindow::ClearSBuffer();
        windows.DrawFrontToBack(DRAW_TYPE_0);
        benchmark::ClobberMemory();
    }
    CWindow::ShutdownClass();
}
BENCHMARK(BM_TwentyOverlappingWindows1024x768)->Unit(benchmark::kMillisecond);

} // namespace
