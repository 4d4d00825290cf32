// Where a frame reaches the screen: the front (primary) surface, whose memory a flip shows in the game
// window, and the OpenGL-drawing surface of video-memory requests, whose blits draw straight into the
// window's context.
#pragma once

#include "platform/ddraw/standard_surface.h"

namespace Ravel {

class IDirectDrawFrontSurfaceImp7 : public IDirectDrawStandardSurfaceImp7 {
public:
    ~IDirectDrawFrontSurfaceImp7() override;

    // Presents the source (the front surface itself when none); rectangles, flags and effects are ignored.
    HRESULT Blt(Windows::RECT* destRect, Windows::IDirectDrawSurface7* source, Windows::RECT* sourceRect,
        DWORD flags, Windows::DDBLTFX* fx) override;
    // Shows the surface (null: the back buffer, or the front surface itself without one) as one quad
    // filling the game window, unless the stage drew a 3D scene since the last flip; then presents and
    // waits until OpenGL is done with the pixels. Always 0.
    HRESULT Flip(Windows::IDirectDrawSurface7* surface, DWORD flags) override;
    // Only DDSCAPS_BACKBUFFER: made on the first request as an OpenGL-drawing surface of this size. The
    // out-argument gets no reference of its own.
    HRESULT GetAttachedSurface(Windows::DDSCAPS2* caps, Windows::IDirectDrawSurface7** surface) override;

private:
    Windows::IDirectDrawSurface7* mBackBuffer = nullptr; // one reference held
};

class IDirectDrawGLSurfaceImp7 : public IDirectDrawStandardSurfaceImp7, public SurfaceLockNotification {
public:
    // Sets DDPF_ALPHAPIXELS in the caller's description first.
    void Init(IDirectDrawImp7* parent, Windows::DDSURFACEDESC2* desc) override;

    // Without a source: a colour fill (DDBLT_COLORFILL) or the push of what GDI drew (DDBLT_DDROPS).
    // With one: the whole source drawn into the destination rectangle of the window, keyed with
    // DDBLT_KEYSRC. Other forms -2020. Headless, all of it happens in the surface's pixels.
    HRESULT Blt(Windows::RECT* destRect, Windows::IDirectDrawSurface7* source, Windows::RECT* sourceRect,
        DWORD flags, Windows::DDBLTFX* fx) override;
    // Drawing through the context is watched, so that only what GDI drew is pushed to the screen.
    HRESULT GetDC(Windows::HDC* dc) override;

    // Fills the rectangle of the window with the 5-5-5 fill colour of the effects; -2020 without either.
    virtual HRESULT DrawRectGL(Windows::RECT* rect, DWORD flags, Windows::DDBLTFX* fx);
    // The first GDI drawing after a push clears the surface to 0x8000 (bit 15 marks "not drawn").
    void WillLock() override;
    // Grows the dirty rectangle (right and bottom inclusive) by the drawn one; an empty one is ignored.
    void DoneUnlock(const DRect& rect) override;

    const DRect& dirtyRect() const { return mDirty; }

private:
    void PushDirect();
    // Headless there is no window: fills and blits land in the surface's own pixels instead.
    HRESULT BltInMemory(Windows::RECT* destRect, Windows::IDirectDrawSurface7* source,
        Windows::RECT* sourceRect, DWORD flags, Windows::DDBLTFX* fx);

    DRect mDirty { 0, 0, -1, -1 };
};

} // namespace Ravel
