// The hint window: stepping through the hint texts, the full-screen help and the show-hints box.
#include "widgets/hints.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/settings.h"
#include "events/generic_events.h"
#include "foundation/text_format.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "text/new_text.h"
#include "widgets/button.h"
#include "widgets/generic_button.h"
#include "widgets/interface.h"
#include "widgets/list_box.h"

#include "foundation/safeguards.h"

std::int32_t CHints::_isActive = 0;
std::int32_t CHints::_isFull = 0;
CSprite* CHints::_pFull = nullptr;

namespace {

constexpr const char* kTextFont = "gfx\\fonts\\proforma12.bmp";
constexpr const char* kHeaderFont = "gfx\\fonts\\proformaB12.bmp";
constexpr int kTextWidth = 296;
constexpr int kTextHeight = 94;
constexpr int kCloseHotKey = 13;
constexpr int kWideButton = 100;
constexpr int kShowHintsGap = 24;

CFont* Font(const char* file)
{
    return gpFontDB ? gpFontDB->GetFont(file) : nullptr;
}

// The text of "HINT_<n>", or null when the tables have none.
const char* HintText(int number)
{
    char key[32];
    std::snprintf(key, sizeof key, "HINT_%d", number);
    const char* text = TextStrings.GetString(key);
    if (!text || text[0] == '\0' || std::strcmp(text, kUnknownString) == 0)
        return nullptr;
    return text;
}

CSettingsRecord* Settings()
{
    return gpSettings ? &gpSettings->Record() : nullptr;
}

std::uint16_t TextColour()
{
    return CVideo::TrueToHigh(240, 220, 176);
}

} // namespace

CHints::CHints()
{
    CPoint at(1022 - kWidth, kTop);
    Init(&at, CPoint(kWidth, kHeight), 8);
    CImage* image = GetImage();
    CFont* font = Font(kTextFont);
    mCheckBox = new CRZBtn(kHintCheckBoxBitmap, 0, 0);
    mCheckBox->SetReleaseOnMouseUp(false);
    if (Settings() && Settings()->hintsAtStart)
        mCheckBox->Down();
    mClose = new CRZGenericButton(TextStrings.GetString("HINT_BTN_CLOSE"), font, kWideButton);
    mClose->SetHotKey(kCloseHotKey);
    mMore = new CRZGenericButton(TextStrings.GetString("HINT_BTN_MORE"), font, kWideButton);
    mNext = new CRZGenericButton(TextStrings.GetString("HINT_BTN_NEXT"), font, 0);
    mPrevious = new CRZGenericButton(TextStrings.GetString("HINT_BTN_PREVIOUS"), font, 0);
    for (CRZBtn* button : { mCheckBox, static_cast<CRZBtn*>(mClose), static_cast<CRZBtn*>(mMore),
             static_cast<CRZBtn*>(mNext), static_cast<CRZBtn*>(mPrevious) })
        button->SetDestinationImage(image);
    mForward = 1;
    InitHintBox();
    mPicture = new CSprite(kHintPicture);
    mPicture->SetDestinationImage(image);
    delete _pFull;
    _pFull = new CSprite(kHintFullPicture);
    _isFull = 0;
    _isActive = 1;
    if (gpInterface)
        gpInterface->AddWindow(this);
}

CHints::~CHints()
{
    _isActive = 0;
    ShowFull(false);
    if (CSettingsRecord* settings = Settings()) {
        settings->hintsAtStart = mCheckBox->isDown() ? 1 : 0;
        gpSettings->SaveSettings();
    }
    delete mCheckBox;
    delete mClose;
    delete mMore;
    delete mNext;
    delete mPrevious;
    delete mText;
    delete mPicture;
    delete _pFull;
    _pFull = nullptr;
}

void CHints::ShowText(const char* text)
{
    delete mText;
    mText = new CNewListBox(kTextWidth, kTextHeight, LISTBOX_SHADOW, 0);
    mText->SetFont(Font(kTextFont));
    mText->SetColour(0xFFFF);
    mText->SetDestinationImage(GetImage());
    mText->MoveTo(kTextX, kTextY);
    if (text)
        mText->AddText(text);
}

void CHints::InitHintBox()
{
    CSettingsRecord* settings = Settings();
    const int stored = settings ? settings->lastHint : 1;
    int number = mForward ? stored : stored + 2;
    const char* text = HintText(number);
    if (!text) {
        text = HintText(1);
        number = 1;
    }
    if (settings)
        settings->lastHint = number + 1;
    mCurrent = number;
    ShowText(text);
    mForward = 1;
}

void CHints::PreviousHintBox()
{
    CSettingsRecord* settings = Settings();
    const int stored = settings ? settings->lastHint : 1;
    int number = mForward ? stored - 2 : stored;
    if (number < 1)
        number = kHighestHint;
    while (number > 1 && !HintText(number))
        --number;
    if (settings)
        settings->lastHint = number - 1;
    mCurrent = number;
    ShowText(HintText(number));
    mForward = 0;
}

void CHints::ShowFull(bool on)
{
    _isFull = on ? 1 : 0;
    if (on)
        gInterfaceReceivers.fullScreenHint = _pFull;
    else if (gInterfaceReceivers.fullScreenHint == _pFull)
        gInterfaceReceivers.fullScreenHint = nullptr;
}

void CHints::PlaceButtons(bool onScreen)
{
    const CPoint at = onScreen ? GetPosition() : CPoint();
    mNext->MoveTo(at.x + kNextX, at.y + kNextY);
    mPrevious->MoveTo(at.x + kPreviousX, at.y + kPreviousY);
    mMore->MoveTo(at.x + kMoreX, at.y + kMoreY);
    mClose->MoveTo(at.x + kCloseX, at.y + kCloseY);
    mCheckBox->MoveTo(at.x + kCheckX, at.y + kCheckY);
}

int CHints::Update(CRZEvent* event)
{
    const CRZEvtType type = event->GetType();
    if (_isFull) {
        if (type == _CRZEVT_MOUSELBDOWN_)
            return UPDATE_TAKEN;
        if (type == _CRZEVT_MOUSELBUP_ || type == _CRZEVT_MOUSELBDOUBLECLICK_ || type == _CRZEVT_KEYUP_) {
            ShowFull(false);
            return UPDATE_TAKEN;
        }
        return UPDATE_NOT_TAKEN;
    }
    PlaceButtons(true);
    if (int answer = mNext->Update(event)) {
        if (mNext->IsClicked())
            InitHintBox();
        return answer;
    }
    if (int answer = mPrevious->Update(event)) {
        if (mPrevious->IsClicked())
            PreviousHintBox();
        return answer;
    }
    if (int answer = mClose->Update(event)) {
        if (mClose->IsClicked())
            return UPDATE_REMOVE;
        return answer;
    }
    if (int answer = mCheckBox->Update(event))
        return answer;
    if (int answer = mMore->Update(event)) {
        if (mMore->IsClicked())
            ShowFull(true);
        return answer;
    }
    // The close-all event, dragging within the screen, and the clicks on the window itself.
    return CWindow::Update(event);
}

int CHints::Draw(CRZDrawType type)
{
    if (_isFull) {
        if (_pFull) {
            _pFull->SetDestinationImage(pBackBuffer);
            _pFull->MoveTo(0, 0);
            _pFull->Draw(type);
        }
        return 0;
    }
    Redraw();
    CImage* image = GetImage();
    mPicture->MoveTo(kPictureX, kPictureY);
    mPicture->Draw(type);
    PlaceButtons(false);
    for (CRZBtn* button : { static_cast<CRZBtn*>(mNext), static_cast<CRZBtn*>(mPrevious),
             static_cast<CRZBtn*>(mMore), static_cast<CRZBtn*>(mClose), mCheckBox })
        button->Draw(type);
    if (mText)
        mText->Draw(type);
    if (CFont* bold = Font(kHeaderFont)) {
        const std::string header = FormatDataText(TextStrings.GetString("HINT_HEADER"), { mCurrent });
        bold->PrintDrop(header.c_str(), kHeaderX, kHeaderY, image, TextColour());
    }
    if (CFont* font = Font(kTextFont))
        font->PrintDrop(
            TextStrings.GetString("HINT_SHOWHINTS"), kCheckX + kShowHintsGap, kCheckY, image, TextColour());
    return CWindow::Draw(type);
}
