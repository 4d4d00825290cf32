// Windows: placement and cascade, the frame from its tiles, dragging, and the span-buffer drawing that
// writes each screen pixel once a frame.
#include "widgets/window.h"

#include <algorithm>
#include <string>

#include "events/generic_events.h"
#include "gfx/image.h"
#include "gfx/palette.h"
#include "gfx/sprite.h"
#include "gfx/sprite_list.h"
#include "widgets/input.h"

#include "foundation/safeguards.h"

CWindowsTiles* gpWindowsTiles16 = nullptr;
CWindowsTiles* gpWindowsTiles8 = nullptr;
CWindowsTiles* gpWindowsTiles7 = nullptr;

std::vector<CSBuffer> CWindow::_SBuffer;
CPoint CWindow::_CenterPos(300, 100);
int CWindow::_nCount = 0;
CWindow* CWindow::_pLastWindow = nullptr;
bool (*CWindow::_pIsTutorial)() = nullptr;

namespace {

constexpr int kSidePanelWidth = 244;
constexpr int kTopBarHeight = 32;
constexpr int kShadowWidth = 8;

const char* const kFrameTileNames[CWindowsTiles::kTileCount]
    = { "b", "bl", "br", "c", "cl", "cr", "t", "tl", "tr" };
const char* const kTooltipTileNames[CWindowsTiles::kTileCount]
    = { "tt32", "tt31", "tt33", "tt22", "tt21", "tt23", "tt12", "tt11", "tt13" };

} // namespace

CWindowsTiles::CWindowsTiles(int set)
{
    if (set != 16 && set != 8 && set != 7)
        return;
    CPalette* palette = CPalette::FindPalette("dialogue.act");
    for (int i = 0; i < kTileCount; ++i) {
        std::string file = "gfx\\interface\\";
        file += set == 7 ? std::string(kTooltipTileNames[i])
                         : (set == 16 ? "win_" : "win8_") + std::string(kFrameTileNames[i]);
        file += ".bmp";
        mTiles[i] = new CSprite(file.c_str());
        mTiles[i]->SetLocalPalette(palette);
    }
}

CWindowsTiles::~CWindowsTiles()
{
    for (CSprite* tile : mTiles)
        delete tile;
}

void CSBuffer::Clear()
{
    spans.clear();
    spans.push_back({ 0, 2 * CVideo::GetBackBufferWidth() - 2 });
}

CWindow::CWindow() = default;

CWindow::CWindow(CPoint* position, CPoint size, int tileSize)
{
    if (position) {
        const int width = GetBackBufferWidth();
        const int height = GetBackBufferHeight();
        if (position->x > width - kSidePanelWidth)
            position->x = width - kSidePanelWidth;
        if (position->x + size.x > width)
            position->x = width - size.x;
        if (position->y < kTopBarHeight)
            position->y = kTopBarHeight;
        if (position->y + size.y > height)
            position->y = height - size.y;
    }
    Init(position, size, tileSize);
}

CWindow::~CWindow()
{
    delete mChildren;
    delete mImage;
    if (_pLastWindow == this)
        _pLastWindow = nullptr;
}

void CWindow::Init(CPoint* position, CPoint size, int tileSize)
{
    mShadow = 0;
    mDragging = 0;
    mTileSize = tileSize == 16 ? 16 : 8;
    mTiles = tileSize == 16 ? gpWindowsTiles16
        : tileSize == 8     ? gpWindowsTiles8
        : tileSize == 7     ? gpWindowsTiles7
                            : nullptr;
    delete mChildren;
    mChildren = new CSpriteList();
    mWidth = std::max(3 * mTileSize, size.x) / mTileSize * mTileSize;
    mHeight = std::max(3 * mTileSize, size.y) / mTileSize * mTileSize;
    delete mImage;
    mImage = new CImage(mWidth, mHeight, 16, IMAGE_SYSTEM);
    if (position) {
        mX = position->x;
        mY = position->y;
    } else {
        const bool tutorial = _pIsTutorial && _pIsTutorial();
        mX = tutorial ? 8 : _CenterPos.x;
        mY = tutorial ? 50 : _CenterPos.y;
        _CenterPos = CPoint(_CenterPos.x + 8, _CenterPos.y + 8);
        if (_CenterPos.x > 600)
            _CenterPos = CPoint(300, 100);
        if (mY + mHeight > 500)
            mY = 500 - mHeight;
    }
    if (!CInput::_isLeftButton)
        mDragging = 1;
    Redraw();
    _pLastWindow = this;
}

void CWindow::Redraw()
{
    mClip = CRect(0, 0, GetBackBufferWidth() - 1, GetBackBufferHeight() - 1);
    if (!mTiles || !mImage)
        return;
    const int t = mTileSize;
    auto paint = [&](CWindowsTiles::Tile which, int x, int y) {
        if (CSprite* tile = mTiles->Get(which)) {
            tile->SetDestinationImage(mImage);
            tile->MoveTo(x, y);
            tile->Draw(DRAW_TYPE_0);
        }
    };
    for (int y = t; y <= mHeight - 2 * t; y += t)
        for (int x = t; x <= mWidth - 2 * t; x += t)
            paint(CWindowsTiles::CENTRE, x, y);
    for (int x = t; x <= mWidth - 2 * t; x += t) {
        paint(CWindowsTiles::TOP, x, 0);
        paint(CWindowsTiles::BOTTOM, x, mHeight - t);
    }
    for (int y = t; y <= mHeight - 2 * t; y += t) {
        paint(CWindowsTiles::CENTRE_LEFT, 0, y);
        paint(CWindowsTiles::CENTRE_RIGHT, mWidth - t, y);
    }
    paint(CWindowsTiles::TOP_LEFT, 0, 0);
    paint(CWindowsTiles::TOP_RIGHT, mWidth - t, 0);
    paint(CWindowsTiles::BOTTOM_LEFT, 0, mHeight - t);
    paint(CWindowsTiles::BOTTOM_RIGHT, mWidth - t, mHeight - t);
}

int CWindow::isWithin(int x, int y) const
{
    return x >= mX && x <= mX + mWidth && y >= mY && y <= mY + mHeight ? 1 : 0;
}

void CWindow::SetWithinScreen()
{
    mX = std::max(mX, 0);
    mY = std::max(mY, 0);
    mX = std::min(mX, GetBackBufferWidth() - mWidth - 1);
    mY = std::min(mY, GetBackBufferHeight() - mHeight - 1);
}

int CWindow::Update(CRZEvent* event)
{
    if (event->GetType() == _CRZEVT_CLOSEALLWINDOWS_)
        return UPDATE_REMOVE;
    int answer = mChildren ? mChildren->Update(event) : 0;
    if (answer == 0) {
        const CPoint mouse = CInput::GetMousePosition();
        const CRZEvtType type = event->GetType();
        if (type == _CRZEVT_MOUSELBHELD_ && mDragging && CInput::_isLeftButton) {
            mX = mouse.x - mGrabX;
            mY = mouse.y - mGrabY;
            SetWithinScreen();
            answer = UPDATE_TAKEN;
        } else if (isWithin(mouse.x, mouse.y)) {
            if (type == _CRZEVT_MOUSELBUP_) {
                mDragging = 0;
                answer = UPDATE_TAKEN;
            } else if (type == _CRZEVT_MOUSEMOVE_ || type == _CRZEVT_MOUSELBDOUBLECLICK_) {
                answer = UPDATE_TAKEN;
            } else if (type == _CRZEVT_MOUSELBDOWN_) {
                answer = UPDATE_TO_FRONT;
                if (CInput::_isLeftButton) {
                    mDragging = 1;
                    mGrabX = mouse.x - mX;
                    mGrabY = mouse.y - mY;
                }
            }
        }
    }
    if (!CInput::_isLeftButton)
        mDragging = 0;
    return answer;
}

void CWindow::TranslateInputEvent(CRZEvent* event)
{
    CInput::_MouseOffset = CPoint(mX, mY);
    if (auto* input = dynamic_cast<CRZInputEvent*>(event)) {
        input->Record().x -= mX;
        input->Record().y -= mY;
    }
}

void CWindow::DeTranslateInputEvent(CRZEvent* event)
{
    CInput::_MouseOffset = CPoint();
    if (auto* input = dynamic_cast<CRZInputEvent*>(event)) {
        input->Record().x += mX;
        input->Record().y += mY;
    }
}

void CWindow::InitClass()
{
    _SBuffer.assign(kSpanRows, CSBuffer());
}

void CWindow::ShutdownClass()
{
    _SBuffer.clear();
    _SBuffer.shrink_to_fit();
}

void CWindow::ClearSBuffer()
{
    for (CSBuffer& row : _SBuffer)
        row.Clear();
}

int CWindow::Draw(CRZDrawType type)
{
    CImage* back = pBackBuffer;
    if (!back || !mImage)
        return 0;
    const int first = std::max(mY, 0);
    const int last = std::min({ mY + mHeight, GetBackBufferHeight() - 1, kSpanRows });
    if (first >= last)
        return 0;
    unsigned char* source = mImage->Lock();
    unsigned char* target = back->Lock();
    if (source && target) {
        const std::uint16_t seeThrough = TrueToHigh(35, 35, 35);
        const std::uint16_t quarterMask = TrueToHigh(63, 63, 63);
        const int left = 2 * mX;
        const int right = 2 * (mX + mWidth);
        std::vector<CSpan> kept;
        for (int row = first; row < last && row < static_cast<int>(_SBuffer.size()); ++row) {
            auto* to = reinterpret_cast<std::uint16_t*>(
                target + static_cast<std::ptrdiff_t>(row) * back->GetPitch());
            const auto* from = reinterpret_cast<const std::uint16_t*>(
                source + static_cast<std::ptrdiff_t>(row - mY) * mImage->GetPitch());
            kept.clear();
            for (const CSpan& span : _SBuffer[row].spans) {
                if (span.end < left || span.start >= right) {
                    kept.push_back(span);
                    continue;
                }
                if (span.start < left)
                    kept.push_back({ span.start, left - 2 });
                if (span.end > right - 2)
                    kept.push_back({ right, span.end });
                const int a = std::max(span.start, left) / 2;
                const int b = std::min(span.end, right - 2) / 2;
                for (int x = a; x <= b; ++x) {
                    const std::uint16_t pixel = from[x - mX];
                    to[x] = pixel == seeThrough ? static_cast<std::uint16_t>((to[x] >> 2) & quarterMask)
                                                : pixel;
                }
            }
            _SBuffer[row].spans.swap(kept);
        }
    }
    if (source)
        mImage->Unlock();
    if (target)
        back->Unlock();
    if (mShadow) {
        const CRect side(mX - kShadowWidth, mY + kShadowWidth, mX, mY + mHeight + kShadowWidth);
        const CRect below(mX, mY + mHeight, mX + mWidth - kShadowWidth, mY + mHeight + kShadowWidth);
        back->HalfIntensity(&side);
        back->HalfIntensity(&below);
    }
    if (mChildren)
        mChildren->Draw(type);
    return 0;
}
