// The message boxes: text parts laid out once into the window's image under the picture and the realm's
// coat of arms, the pause that pausing boxes hold, the buttons of interface windows and the timed notice.
#include "widgets/message_box.h"

#include <algorithm>
#include <string_view>

#include "app/game.h"
#include "events/event_routing.h"
#include "events/game_clock.h"
#include "foundation/utilities.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "gfx/sprite_list.h"
#include "gfx/video.h"
#include "messages/message_handler.h"
#include "player/player_info_timer.h"
#include "realms/country.h"
#include "widgets/classic_list_box.h"
#include "widgets/interface.h"
#include "widgets/list_box.h"
#include "widgets/standard_buttons.h"
#include "widgets/widget_hooks.h"

#include "foundation/safeguards.h"

CWidgetHooks gWidgetHooks;

namespace {

constexpr int kPartHeight = 320;
constexpr int kNarrowPart = 160;
constexpr int kWidePart = 288;
constexpr const char* kPlainFont = "gfx\\fonts\\proforma12.bmp";
constexpr const char* kBoldFont = "gfx\\fonts\\proformaB12.bmp";
constexpr const char* kTitleFont = "gfx\\fonts\\Lafayette30.bmp";

struct PartStyle {
    const char* font;
    int r, g, b;
    int width;
};

constexpr PartStyle kPartStyles[kNiceBoxParts] = {
    { kPlainFont, 240, 220, 176, kNarrowPart },
    { kTitleFont, 255, 255, 255, kNarrowPart },
    { kPlainFont, 240, 220, 176, kNarrowPart },
    { kBoldFont, 255, 255, 255, kNarrowPart },
    { kPlainFont, 240, 220, 176, kWidePart },
    { kBoldFont, 255, 255, 255, kWidePart },
    { kPlainFont, 240, 220, 176, kWidePart },
    { kPlainFont, 240, 220, 176, kWidePart },
};

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = AsciiUpper(c);
    return upper;
}

int LineHeight(const CNewListBox* part)
{
    return part && part->GetFont() ? part->GetFont()->GetLineHeight() : 0;
}

bool SinglePlayerGame()
{
    return gEventRoutes.game != nullptr && !CRZGame::IsMultiPlayer();
}

} // namespace

// --- CNiceMsgBoxBase ---

CNiceMsgBoxBase::CNiceMsgBoxBase(CRZCountryID country)
    : mCountry(country)
{
    for (int part = 0; part < kNiceBoxParts; ++part) {
        const PartStyle& style = kPartStyles[part];
        SetNewPart(part, FindFont(style.font), CVideo::TrueToHigh(style.r, style.g, style.b), style.width);
    }
    if (gpInterface)
        gpInterface->AddWindow(this);
}

CNiceMsgBoxBase::~CNiceMsgBoxBase()
{
    if (gpInterface)
        gpInterface->RemoveWindow(this);
    delete mShield;
    for (CNewListBox*& part : mParts) {
        delete part;
        part = nullptr;
    }
}

void CNiceMsgBoxBase::SetNewPart(int part, CFont* font, std::uint16_t colour, int width)
{
    if (part < 0 || part >= kNiceBoxParts)
        return;
    delete mParts[part];
    auto* list = new CNewListBox(width, kPartHeight, LISTBOX_SHADOW, 0);
    list->SetFont(font);
    list->SetColour(colour);
    list->SetCentred(true);
    mParts[part] = list;
}

void CNiceMsgBoxBase::SetPart(int part, CFont* font, std::uint16_t colour)
{
    if (CNewListBox* list = GetPart(part)) {
        list->SetFont(font);
        list->SetColour(colour);
    }
}

void CNiceMsgBoxBase::InsertText(const char* text)
{
    if (!text)
        return;
    std::string_view rest(text);
    for (int part = 0; part < kNiceBoxTextParts; ++part) {
        const std::size_t end = rest.find(';');
        const std::string_view piece = rest.substr(0, end);
        const std::string copy = part == 3 || part == 5 ? Upper(piece) : std::string(piece);
        mParts[part]->AddText(copy.c_str());
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
}

void CNiceMsgBoxBase::SetToUpper(int part)
{
    CNewListBox* list = GetPart(part);
    if (!list)
        return;
    std::string lines;
    for (auto it = list->GetHead(); !it.IsEnd(); it++)
        if (const auto* row = dynamic_cast<const CNewListBoxString*>(*it))
            lines += Upper(row->GetText()) + "\n";
    SetNewPart(part, list->GetFont(), list->GetColour(), list->GetWidth());
    if (!lines.empty())
        mParts[part]->AddText(lines.c_str());
}

void CNiceMsgBoxBase::SetPicture(const char* file)
{
    mPicture = file ? file : "";
}

void CNiceMsgBoxBase::InitShield(CRZCountryID country)
{
    delete mShield;
    mShield = gWidgetHooks.MakeCoatOfArms ? gWidgetHooks.MakeCoatOfArms(country) : nullptr;
    if (!mShield || !GetImage())
        return;
    mShield->SetDestinationImage(GetImage());
    for (const CPoint& at : { kShieldLeft, kShieldRight }) {
        mShield->MoveTo(at.x, at.y);
        mShield->Draw(DRAW_TYPE_0);
    }
}

void CNiceMsgBoxBase::Init()
{
    std::unique_ptr<CSprite> picture;
    if (!mPicture.empty()) {
        picture = std::make_unique<CSprite>(mPicture.c_str());
        if (picture->GetWidth() <= 0 || picture->GetHeight() <= 0)
            picture.reset();
    }
    const int pictureHeight = picture ? picture->GetHeight() : 0;
    int height = pictureHeight + 64;
    for (CNewListBox* part : mParts)
        height += part->GetSize() * LineHeight(part) + 5;
    mLayoutSize = CPoint(kNiceBoxWidth, height);
    CWindow::Init(nullptr, mLayoutSize, 16);
    CImage* image = GetImage();
    if (picture) {
        picture->SetDestinationImage(image);
        picture->MoveTo((kNiceBoxWidth - picture->GetWidth()) / 2, 16);
        picture->Draw(DRAW_TYPE_0);
    }
    InitShield(mCountry);
    int y = pictureHeight + 17;
    for (CNewListBox* part : mParts) {
        part->SetDestinationImage(image);
        part->MoveTo((kNiceBoxWidth - part->GetWidth()) / 2, y);
        part->Draw(DRAW_TYPE_0);
        y += part->GetSize() * LineHeight(part) + 5;
    }
}

int CNiceMsgBoxBase::OfferShield(CRZEvent* event, int x, int y)
{
    mShield->MoveTo(x, y);
    const int result = mShield->Update(event);
    if (mShield->IsClicked() && gWidgetHooks.player)
        gWidgetHooks.player->ShowCountry(mCountry);
    return result;
}

int CNiceMsgBoxBase::Update(CRZEvent* event)
{
    if (mShield && CRZCountry::GetCountry(mCountry)) {
        const CPoint at = GetPosition();
        if (const int result = OfferShield(event, at.x + kShieldLeft.x, at.y + kShieldLeft.y))
            return result;
        if (const int result = OfferShield(event, at.x + kShieldRight.x, at.y + kShieldRight.y))
            return result;
    }
    return CWindow::Update(event);
}

// --- CNiceMsgBoxBasePause ---

CNiceMsgBoxBasePause::CNiceMsgBoxBasePause(MessageTypeNumber type, CRZCountryID country)
    : CNiceMsgBoxBase(country)
    , mType(type)
{
    const bool pauses = type >= 0 && type < kMessageTypeCount && CMessageHandler::_MessType[type].pause != 0;
    if (SinglePlayerGame() && gEventRoutes.game->IsStarted() && pauses && gWidgetHooks.player) {
        gWidgetHooks.player->SetPause(true);
        if (gpTimer)
            gpTimer->SetRunning(false);
    }
}

CNiceMsgBoxBasePause::~CNiceMsgBoxBasePause()
{
    // Any pausing box that closes lifts the pause, even while another one is still open.
    if (SinglePlayerGame() && gWidgetHooks.player) {
        gWidgetHooks.player->SetPause(false);
        if (gpTimer)
            gpTimer->RestartTimer();
    }
}

// --- CInterfaceWindow ---

CInterfaceWindow::CInterfaceWindow(bool flag, CRZCountryID country)
    : CNiceMsgBoxBase(country)
    , mButtons(new CSpriteList())
    , mFlag(flag)
{
}

CInterfaceWindow::~CInterfaceWindow()
{
    delete mButtons;
}

void CInterfaceWindow::AddButton(CRZBtn* button)
{
    if (button)
        mButtons->Append(button);
}

int CInterfaceWindow::Update(CRZEvent* event)
{
    UpdateShields(event);
    const CPoint at = GetPosition();
    for (auto it = mButtons->GetHead(); !it.IsEnd(); it++) {
        auto* button = dynamic_cast<CRZBtn*>(*it);
        if (!button)
            continue;
        button->SetOffset(at.x, at.y);
        button->Enable();
        if (IsDisabled(button->GetID()))
            button->Disable();
        const int result = button->Update(event);
        if (button->IsClicked())
            return HandleButtonPressed(button->GetID());
        if (result)
            return result;
    }
    return CNiceMsgBoxBase::Update(event);
}

int CInterfaceWindow::Draw(CRZDrawType type)
{
    for (auto it = mButtons->GetHead(); !it.IsEnd(); it++) {
        if (auto* button = dynamic_cast<CRZBtn*>(*it)) {
            button->SetOffset(0, 0);
            button->SetDestinationImage(GetImage());
        }
    }
    mButtons->Draw(type);
    DrawShields();
    return CWindow::Draw(type);
}

const char* CInterfaceWindow::GetRolloverText(CPoint& point)
{
    for (auto it = mButtons->GetHead(); !it.IsEnd(); it++) {
        auto* button = dynamic_cast<CRZBtn*>(*it);
        if (button && button->Within(point.x, point.y)) {
            const char* tip = GetButtonRollover(button->GetID());
            return tip ? tip : "";
        }
    }
    return "";
}

int CInterfaceWindow::GetWindowInstantRollover(CPoint& point)
{
    return *GetRolloverText(point) != '\0' ? 1 : 0;
}

int CInterfaceWindow::GetExtraSize()
{
    int size = 0;
    for (auto it = mButtons->GetHead(); !it.IsEnd(); it++)
        if (auto* button = dynamic_cast<CRZBtn*>(*it))
            size += button->GetHeight() + 4;
    return size;
}

// --- CMessageBox ---

CMessageBox::CMessageBox(const char* text, int seconds)
{
    Layout(nullptr, text, false);
    InitMsgBox(seconds);
    AddCount();
}

CMessageBox::CMessageBox(const char* header, const char* text, int seconds)
{
    Layout(header, text, true);
    InitMsgBox(seconds);
    AddCount();
}

CMessageBox::~CMessageBox()
{
    if (gpInterface)
        gpInterface->RemoveWindow(this);
    delete mOK;
    SubCount();
}

void CMessageBox::Layout(const char* header, const char* text, bool withHeader)
{
    if (!text)
        text = "";
    CFont* font = FindFont(kPlainFont);
    const int lineHeight = font ? font->GetLineHeight() : 0;
    const int lines = *text == '\0' || !font ? 0 : font->GetLineBreaks(text, 300);
    if (!withHeader && lines == 0) {
        mLayoutSize = CPoint((font ? font->Length(text) : 0) + 64, 64);
        CWindow::Init(nullptr, mLayoutSize, 16);
        if (font)
            font->PrintDropCenter(text, mLayoutSize.x / 2, 16, GetImage(), 0xFFFF);
        return;
    }
    mLayoutSize = CPoint(364, (lines + 1) * lineHeight + 80);
    CWindow::Init(nullptr, mLayoutSize, 16);
    CListBox list(
        16, 0, 300, lines + 2, withHeader && header ? header : "", font, font, nullptr, nullptr, false);
    list.SetDestinationImage(GetImage());
    list.AddText(text, "%777", false);
    list.Draw(DRAW_TYPE_0);
}

void CMessageBox::InitMsgBox(int seconds)
{
    delete mOK;
    mOK = new CRZOKButton();
    PlaceOK();
    mCountdown = std::make_unique<CPlayerInfoTimer>(seconds, nullptr);
    if (gpInterface)
        gpInterface->AddWindow(this);
}

void CMessageBox::PlaceOK()
{
    // Drawn centred 8 pixels above the bottom edge of the window's image; input finds it on the screen.
    const int x = GetWidth() / 2 - mOK->GetWidth() / 2;
    const int y = GetHeight() - mOK->GetHeight() - 8;
    mOK->SetDestinationImage(GetImage());
    mOK->MoveTo(x, y);
    mOK->Draw(DRAW_TYPE_0);
    const CPoint at = GetPosition();
    mOK->MoveTo(at.x + x, at.y + y);
}

int CMessageBox::Draw(CRZDrawType type)
{
    PlaceOK();
    return CWindow::Draw(type);
}

int CMessageBox::Update(CRZEvent* event)
{
    mOK->Update(event);
    if (mOK->IsClicked())
        return 1;
    if (mCountdown && mCountdown->Update())
        return 1;
    return CWindow::Update(event);
}
