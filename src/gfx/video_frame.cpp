// The video set-up: the display mode and the two buffers, the pixel format, presenting a frame with the
// cursor, cursor registration and screenshots.
#include "gfx/video.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "foundation/data_file.h"
#include "foundation/logs.h"
#include "gfx/direct_draw.h"
#include "gfx/image.h"
#include "gfx/palette.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/elements/rv_assert.h"
#include "platform/input/window_messages.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kScreenSaveLimit = 10000;

void PutLE(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

CVideo::CVideo(VideoMethod method)
{
    CreateVideo(method);
}

int CVideo::CreateVideo(VideoMethod method)
{
    std::fill(std::begin(Cursor), std::end(Cursor), nullptr);
    Cursors = 0;
    CurrentCursor = 0;
    if (method == 0)
        Initialized = CreateDirectDraw();
    pPalette = CPalette::FindPalette("palette.act");
    return Initialized;
}

int CVideo::CreateDirectDraw()
{
    delete pDD;
    pDD = new CDirectDraw;
    return pDD->CreateObject();
}

int CVideo::ReadPixelFormat(bool front)
{
    const Windows::DDPIXELFORMAT& format = pDD->GetPixelFormat();
    if (format.dwGBitMask == 0x07E0) {
        _RGBFormat = 0;
        CImageBase::Transparent16Bit = 0x07E0;
    } else if (!front || format.dwGBitMask == 0x03E0) {
        _RGBFormat = 1;
        CImageBase::Transparent16Bit = 0x03E0;
    } else {
        mydebug("\nRGBFormat = %d ,r=%d g=%d b=%d \n", static_cast<int>(format.dwRGBBitCount),
            static_cast<int>(format.dwRBitMask), static_cast<int>(format.dwGBitMask),
            static_cast<int>(format.dwBBitMask));
        _RGBFormat = 2;
        return 0;
    }
    return 1;
}

int CVideo::SetMode(int width, int height, int bits, VideoType type)
{
    return SetBuffers(width, height, bits, type, true);
}

int CVideo::SetModeFront(int width, int height, int bits, VideoType type)
{
    return SetBuffers(width, height, bits, type, false);
}

int CVideo::SetBuffers(int width, int height, int bits, VideoType type, bool withBack)
{
    if (!Initialized || !pDD) {
        superdebug("DD Is not initialized properly.\n");
        return 0;
    }
    if (withBack) {
        delete pBackBuffer;
        pBackBuffer = nullptr;
    }
    delete pFrontBuffer;
    pFrontBuffer = nullptr;
    const bool fullScreen = type == 0;
    if (!pDD->SetMode(width, height, bits, fullScreen))
        return 0;
    if (withBack)
        pBackBuffer = new CImage(width, height, bits, IMAGE_SYSTEM);
    pFrontBuffer = fullScreen ? new CImage(width, height, bits, IMAGE_SCREEN)
                              : new CImage(pDD->GetWidth(), pDD->GetHeight(), bits, IMAGE_SCREEN);
    pFrontBuffer->SetScreenSurface(pDD->GetPrimarySurface(), pDD->GetPrimaryDesc());
    FrontClipper = CRect(0, 0, pDD->GetWidth(), pDD->GetHeight());
    // The full mode takes anything that is not 5-6-5 for 5-5-5; the front alone refuses what is neither.
    if (!ReadPixelFormat(!withBack))
        return 0;
    CPalette::RecalcPalettes();
    return 1;
}

namespace {

void RegisterInterfaceCursors()
{
    CVideo::Cursors = 0;
    if (gVideoHooks.InitCursors)
        gVideoHooks.InitCursors();
    if (gVideoHooks.GetCurrentCursor)
        CVideo::CurrentCursor = gVideoHooks.GetCurrentCursor();
}

} // namespace

void CVideo::RestoreAll()
{
    if (!pBackBuffer)
        return;
    SetMode(pBackBuffer->GetWidth(), pBackBuffer->GetHeight(), 16, debuggame ? 1 : 0);
    RegisterInterfaceCursors();
}

void CVideo::RestoreFront()
{
    if (!pBackBuffer)
        return;
    SetModeFront(pBackBuffer->GetWidth(), pBackBuffer->GetHeight(), 16, debuggame ? 1 : 0);
    RegisterInterfaceCursors();
}

void CVideo::Update()
{
    if (!isActive || !pDD || !pBackBuffer || !pFrontBuffer)
        return;
    const int width = pBackBuffer->GetWidth();
    const int height = pBackBuffer->GetHeight();
    Windows::RECT shown { 0, 0, width, height };
    if (debuggame) {
        Windows::RECT window {};
        Windows::GetWindowRect(MainWindowsHwnd, &window);
        const int left = window.left + 4;
        const int top = window.top + Windows::GetSystemMetrics(4) + Windows::GetSystemMetrics(8);
        shown = Windows::RECT { left, top, left + width, top + height };
    }
    FrontClipper = CRect(0, 0, shown.right - shown.left, shown.bottom - shown.top);
    pBackBuffer->Draw(0, 0, CRect(0, 0, width, height), &FrontClipper, pFrontBuffer, nullptr);
    if (CurrentCursor > 0 && CurrentCursor < Cursors)
        pDD->BlitCursor(Cursor[CurrentCursor], Cursor[0], true);
    pDD->Flip();
}

void CVideo::RegisterCursor(const char* file)
{
    if (Cursors >= kMaxCursors)
        return;
    delete Cursor[Cursors];
    Cursor[Cursors] = nullptr;
    if (Cursors == 0) {
        Cursor[0] = new CImage(file, IMAGE_VIDEO, false);
        Cursors = 1;
        delete Cursor[1];
        Cursor[1] = nullptr;
    }
    CImage* image = new CImage(file, IMAGE_VIDEO, false);
    if (pDD && image->GetSurface())
        pDD->SetColorKey(image->GetSurface());
    Cursor[Cursors++] = image;
}

void CVideo::RemoveCursors()
{
    if (Cursors > kMaxCursors - 1)
        RV_assert_failed("Cursors < MAX_CURSORS", __FILE__, __LINE__);
    for (CImage*& slot : Cursor) {
        delete slot;
        slot = nullptr;
    }
    Cursors = 0;
}

void CVideo::SetWindowRect(CRect* rect)
{
    if (rect)
        FrontClipper = CRect(0, 0, rect->right - rect->left, rect->bottom - rect->top);
}

void CVideo::SetPalette(const char* file)
{
    pPalette = CPalette::FindPalette(file);
}

int CVideo::SaveScreen(const char*)
{
    if (!pBackBuffer || (_RGBFormat != 0 && _RGBFormat != 1))
        return 0;
    char name[64] = {};
    bool found = false;
    for (int d = 0; d < kScreenSaveLimit && !found; ++d) {
        std::snprintf(name, sizeof name, "ScreenSave%d.bmp", d);
        std::FILE* existing = OpenDataFile(name, "rb");
        if (existing)
            std::fclose(existing);
        else
            found = true;
    }
    if (!found)
        return 0;

    const int width = pBackBuffer->GetWidth();
    const int height = pBackBuffer->GetHeight();
    // Rows are padded to whole words as every reader of the format expects, and the size written is
    // the one the file has.
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3U;
    const std::uint32_t fileSize = 54 + rowBytes * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out;
    out.reserve(fileSize);
    out.push_back('B');
    out.push_back('M');
    PutLE(out, fileSize, 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4);
    PutLE(out, static_cast<std::uint32_t>(width), 4);
    PutLE(out, static_cast<std::uint32_t>(height), 4);
    PutLE(out, 1, 2);
    PutLE(out, 24, 2);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    PutLE(out, 2834, 4);
    PutLE(out, 2834, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);

    const bool heldBefore = pBackBuffer->GetLockCount() > 0;
    const unsigned char* pixels = pBackBuffer->Lock();
    if (!pixels)
        return 0;
    const int pitch = pBackBuffer->GetPitch();
    for (int y = height - 1; y >= 0; --y) {
        const unsigned char* row = pixels + static_cast<std::size_t>(y) * pitch;
        for (int x = 0; x < width; ++x) {
            std::uint16_t p;
            std::memcpy(&p, row + 2 * x, 2);
            const int blue = (p & 0x1F) << 3;
            const int green = _RGBFormat == 0 ? ((p >> 5) & 0x3F) << 2 : ((p >> 5) & 0x1F) << 3;
            const int red = _RGBFormat == 0 ? (p >> 11) << 3 : ((p >> 10) & 0x1F) << 3;
            out.push_back(static_cast<std::uint8_t>(blue));
            out.push_back(static_cast<std::uint8_t>(green));
            out.push_back(static_cast<std::uint8_t>(red));
        }
        out.resize(out.size() + (rowBytes - static_cast<std::uint32_t>(width) * 3), 0);
    }
    if (!heldBefore)
        pBackBuffer->Unlock();

    std::FILE* file = OpenDataFile(name, "wb");
    if (!file)
        return 0;
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed ? 1 : 0;
}

void CVideo::ShutDown()
{
    delete pBackBuffer;
    pBackBuffer = nullptr;
    delete pFrontBuffer;
    pFrontBuffer = nullptr;
    for (CImage*& slot : Cursor) {
        delete slot;
        slot = nullptr;
    }
    Cursors = 0;
    CurrentCursor = 0;
    if (pDD) {
        pDD->ShutDown();
        delete pDD;
        pDD = nullptr;
    }
    Initialized = 0;
}
