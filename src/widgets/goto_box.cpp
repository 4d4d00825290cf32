// The goto box: finding the place a typed text names, and centring the map on it.
#include "widgets/goto_box.h"

#include <cstring>
#include <strings.h>

#include "app/game.h"
#include "events/generic_events.h"
#include "foundation/identity.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "map/game_map_base.h"
#include "text/new_text.h"
#include "widgets/edit_box.h"
#include "widgets/player_hooks.h"

#include "foundation/safeguards.h"

CGotoBoxHooks gGotoBoxHooks;

namespace {

constexpr int kEscapeKey = 14;
constexpr int kQuestionMark = 63;

bool SameName(const char* name, const char* text)
{
    return name && name[0] != '\0' && strcasecmp(name, text) == 0;
}

// 1..1003 for a text of digits alone that names a province number; 0 otherwise.
int ProvinceNumber(const char* text)
{
    const std::size_t length = std::strlen(text);
    if (length == 0 || length > 4)
        return 0;
    int number = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        number = number * 10 + (text[i] - '0');
    }
    return number >= 1 && number <= kGotoBoxLastProvince ? number : 0;
}

void SetHold(bool hold)
{
    if (gWidgetPlayerHooks.SetHolding)
        gWidgetPlayerHooks.SetHolding(hold);
}

CFont* BoxFont()
{
    return gpFontDB ? gpFontDB->GetFont(kGotoBoxFont) : nullptr;
}

} // namespace

CRZGotoBox::CRZGotoBox()
    : mBackground(new CSprite(kGotoBoxBackground))
    , mEdit(new CEditBox(0, 0, kEditWidth, kEditLength, BoxFont(), CVideo::pBackBuffer, nullptr))
{
    mEdit->SetColor("%777");
}

CRZGotoBox::~CRZGotoBox()
{
    delete mBackground;
    delete mEdit;
}

int CRZGotoBox::HandleInput(CRZInputEvent* event)
{
    return Update(event);
}

int CRZGotoBox::FindProvince(const char* text)
{
    if (!text || text[0] == '\0')
        return -1;
    if (const int number = ProvinceNumber(text))
        return number;
    if (gGotoBoxHooks.GetProvinceName)
        for (int province = 0; province <= kGotoBoxLastProvince; ++province)
            if (SameName(gGotoBoxHooks.GetProvinceName(province), text))
                return province;
    if (gGotoBoxHooks.GetCountryName && gGotoBoxHooks.GetCapitalProvince)
        for (std::uint32_t slot = 0; slot < kCountryTableSlots; ++slot) {
            if (!SameName(gGotoBoxHooks.GetCountryName(static_cast<int>(slot)), text))
                continue;
            // A realm without a capital (or with one off the map) names no place; a later realm of the
            // same name still may.
            const int capital = gGotoBoxHooks.GetCapitalProvince(static_cast<int>(slot));
            if (capital >= 1 && capital <= kGotoBoxLastProvince)
                return capital;
        }
    return -1;
}

void CRZGotoBox::Close()
{
    mOpen = 0;
    SetHold(false);
}

int CRZGotoBox::Update(CRZEvent* event)
{
    auto* input = dynamic_cast<CRZInputEvent*>(event);
    const bool keyUp = event->GetType() == _CRZEVT_KEYUP_ && input;
    const int key = keyUp ? input->Record().value1 : 0;
    if (!mOpen) {
        if (!keyUp || (key != kBackslashKeyCode && key != kQuestionMark))
            return UPDATE_NOT_TAKEN;
        mEdit->ClearString();
        mEdit->SetFocus(true);
        mMessage = TextStrings.GetString("GOTOBOX");
        mOpen = 1;
        if (!CRZGame::IsMultiPlayer())
            SetHold(true);
        return UPDATE_TAKEN;
    }
    if (keyUp && key == kEscapeKey) {
        Close();
        return UPDATE_TAKEN;
    }
    const int answer = mEdit->Update(event);
    if (mEdit->IsEntered()) {
        mEdit->ClearEntered();
        const int province = FindProvince(mEdit->GetText());
        CPoint centre;
        if (province >= 0 && gGotoBoxHooks.GetCenterPoint && gGotoBoxHooks.GetCenterPoint(province, centre)) {
            CGameMapBase::SetFocus(centre.x, centre.y);
            if (gGotoBoxHooks.InvalidateMap)
                gGotoBoxHooks.InvalidateMap();
            Close();
        } else {
            mMessage = TextStrings.GetString("GOTOBOX_FAIL");
        }
    }
    return answer;
}

int CRZGotoBox::Draw(CRZDrawType type)
{
    CImage* back = pBackBuffer;
    if (!mOpen || !back)
        return 0;
    const int w = GetBackBufferWidth();
    const int h = GetBackBufferHeight();
    mBackground->SetDestinationImage(back);
    mBackground->MoveTo(w / 2 - 300, h / 2 - 32);
    mBackground->Draw(type);
    mEdit->SetDestinationImage(back);
    mEdit->MoveTo(w / 2 - 250, h / 2);
    mEdit->Draw(type);
    if (CFont* font = BoxFont())
        font->PrintDrop(mMessage.c_str(), w / 2 - 290, h / 2 - 21, back, TrueToHigh(240, 220, 176));
    return 0;
}
