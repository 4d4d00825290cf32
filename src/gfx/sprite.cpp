// Sprites: shared images by file name, frames, animation by the game's animation ticks, drawing and hit
// tests.
#include "gfx/sprite.h"

#include <algorithm>

#include "events/event.h"
#include "events/generic_events.h"
#include "gfx/image.h"
#include "gfx/image_rle.h"

#include "foundation/safeguards.h"

std::int32_t CSprite::Reference = 0;
CSprite::ImageDB CSprite::_ImageDB(CSprite::kImageDBBuckets);

CSprite::CSprite()
{
    AllocateBitmap(kDummyImageName);
    Init();
}

CSprite::CSprite(const char* file)
    : CDrawable(file)
{
    AllocateBitmap(file);
    Init();
}

CSprite::CSprite(int width, int height, int bits)
{
    Create(width, height, bits);
    Init();
}

CSprite::~CSprite()
{
    Deallocate();
    --Reference;
}

void CSprite::Init()
{
    _Hidden = 0;
    _StopAtEnd = 0;
    _RectangularHit = 0;
    _Light = 0;
    _Scale = 0;
    _Clip = CRect(0, 0, GetBackBufferWidth(), GetBackBufferHeight());
    _pDest = pBackBuffer;
    ++Reference;
    _FrameDelay = 0;
    _FrameTimer = 0;
    MoveTo(0, 0);
    _OriginX = _OriginY = 0;
    SetTotalFrames(1);
    _RemoveWhenFinished = 0;
    _Finished = 0;
}

int CSprite::AllocateBitmap(const char* file)
{
    if (_pImage)
        Deallocate();
    const CImageDescriptor key(file);
    if (CImageNode* shared = _ImageDB.Find(key)) {
        shared->AddRef();
        _pImage = shared;
        return 1;
    }
    _pImage = new CImageNode(file, false);
    _ImageDB.Add(_pImage);
    return 1;
}

int CSprite::Deallocate()
{
    if (!_pImage)
        return 0;
    if (_pImage->Release() > 0) {
        _pImage = nullptr;
        return 1;
    }
    // Private images were never registered; removing this very node leaves a namesake alone.
    _ImageDB.Remove(static_cast<const CImageNode*>(_pImage));
    delete _pImage;
    _pImage = nullptr;
    return 1;
}

int CSprite::SetBitmap(const char* file)
{
    _OriginX = _OriginY = 0;
    const int result = AllocateBitmap(file);
    SetTotalFrames(1);
    return result;
}

void CSprite::Create(int width, int height, int bits)
{
    Deallocate();
    _pImage = new CImageNode(width, height, bits);
    SetTotalFrames(1);
}

int CSprite::Individualize()
{
    if (!_pImage || GetFileName()[0] == '\0')
        return 0;
    const CImageDescriptor descriptor(GetFileName());
    Deallocate();
    _pImage = new CImageNode(descriptor.GetName(), false);
    SetFrame(_CurrentFrame);
    return 1;
}

void CSprite::SetTotalFrames(int frames)
{
    if (frames < 1)
        return;
    _TotalFrames = frames;
    _FrameWidth = _pImage ? _pImage->GetWidth() / frames : 0;
    SetFrame(0);
}

void CSprite::SetFrame(int frame)
{
    frame = std::clamp(frame, 0, _TotalFrames - 1);
    if (_pImage)
        _Src = CRect(frame * _FrameWidth, 0, frame * _FrameWidth + _FrameWidth, _pImage->GetHeight());
    _CurrentFrame = frame;
}

void CSprite::NextFrame()
{
    ++_FrameTimer;
    if (_FrameDelay != 0 && _FrameTimer >= _FrameDelay) {
        const int next = (_CurrentFrame + 1) % _TotalFrames;
        SetFrame(next);
        _FrameTimer = 0;
        if (next == 0)
            _Finished = 1;
    }
}

void CSprite::FastForward(int ticks)
{
    if (_FrameDelay <= 0)
        return;
    _FrameTimer += ticks;
    const int frames = _FrameTimer / _FrameDelay;
    _FrameTimer %= _FrameDelay;
    if (_CurrentFrame + frames >= _TotalFrames) {
        _Finished = 1;
        if (_StopAtEnd) {
            SetFrame(0);
            _FrameDelay = 0;
            _FrameTimer = 0;
            return;
        }
    }
    SetFrame((_CurrentFrame + frames) % _TotalFrames);
}

int CSprite::IsAnimating()
{
    return _FrameDelay > 0 ? 1 : 0;
}

int CSprite::Update(CRZEvent* event)
{
    if (!event || event->GetType() != _CRZEVT_TICK_ANIMATIONS_ || !IsAnimating())
        return UPDATE_NOT_TAKEN;
    FastForward(static_cast<CRZAnimTickEvent*>(event)->Record().ticks);
    return _RemoveWhenFinished == 1 && _Finished == 1 ? UPDATE_REMOVE : UPDATE_NOT_TAKEN;
}

void CSprite::ApplyOpacity()
{
    if (!_pImage || !_pImage->GetRLEHeader())
        return;
    const ImageType mode = _pImage->GetType();
    if (mode == IMAGE_ALPHA || mode == IMAGE_MULTIPLY)
        return;
    if (_Opacity >= 32) {
        _pImage->SetType(IMAGE_SYSTEM);
        _pImage->SetOpacity(0);
    } else {
        _pImage->SetType(IMAGE_TRANSLUCENT);
        _pImage->SetOpacity(_Opacity);
    }
}

void CSprite::DrawAt(int x, int y, int scale)
{
    _pImage->SetScale(std::clamp(scale, 0, 4));
    _pImage->SetLight(_Light);
    _pImage->Draw(x, y, _Src, &_Clip, _pDest, nullptr);
}

int CSprite::Draw(CRZDrawType)
{
    if (_Hidden || !_pImage || !_pDest)
        return 0;
    ApplyOpacity();
    DrawAt(_X - _OriginX + _OffsetX, _Y - _OriginY + _OffsetY, _Scale);
    return 0;
}

void CSprite::MoveTo(int x, int y)
{
    _X = x;
    _Y = y;
}

void CSprite::MoveRel(int dx, int dy)
{
    _X += dx;
    _Y += dy;
}

int CSprite::SetOrgin(int x, int y)
{
    _OriginX = x;
    _OriginY = y;
    return 1;
}

CPoint CSprite::GetPosition()
{
    return { _X + _OffsetX, _Y + _OffsetY };
}

int CSprite::GetWidth()
{
    return _FrameWidth >> std::clamp(_Scale, 0, 31);
}

int CSprite::GetHeight()
{
    return _pImage ? _pImage->GetHeight() >> std::clamp(_Scale, 0, 31) : 0;
}

bool CSprite::HitsFramePixel(int dx, int dy, int shift)
{
    if (_RectangularHit)
        return true;
    return !_pImage->IsPixelTransparent((dx << shift) + _FrameWidth * _CurrentFrame, dy << shift);
}

int CSprite::Within(int x, int y)
{
    if (!_pImage)
        return 0;
    // Relative to where Draw puts the frame's top-left corner, so that a sprite is hit where it shows.
    const int dx = x - (_X + _OffsetX - _OriginX);
    const int dy = y - (_Y + _OffsetY - _OriginY);
    if (dx < 0 || dx >= GetWidth() || dy < 0 || dy >= GetHeight())
        return 0;
    return HitsFramePixel(dx, dy, std::clamp(_Scale, 0, 31)) ? 1 : 0;
}

int CSprite::SetDestinationImage(CImage* image)
{
    _pDest = image;
    return 1;
}

void CSprite::SetClippingArea(const CRect* rect)
{
    if (rect)
        _Clip = *rect;
}

void CSprite::SetClippingArea(int left, int top, int right, int bottom)
{
    _Clip = CRect(left, top, right, bottom);
}

const char* CSprite::GetFileName() const
{
    return _pImage ? _pImage->GetHashKey().GetName() : "";
}

void CSprite::SetLocalPalette(CPalette* palette)
{
    if (_pImage)
        _pImage->SetPalette(palette);
}

CPalette* CSprite::GetLocalPalette() const
{
    return _pImage ? _pImage->GetPalette() : nullptr;
}

void CSprite::SetScale(int scale)
{
    _Scale = scale;
}
