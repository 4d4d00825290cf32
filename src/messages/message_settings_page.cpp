// The message settings page of the options screen: every reportable type under its heading, a radio group
// of the four ways a type can be shown, and OK, CANCEL and DEFAULT. It edits the live flags at once.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "events/generic_events.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "messages/message_handler.h"
#include "text/new_text.h"
#include "widgets/generic_button.h"
#include "widgets/list_box.h"
#include "widgets/radio_button.h"

#include "foundation/safeguards.h"

namespace {

constexpr const char* kHeadingFont = "gfx\\fonts\\proformaB12.bmp";
constexpr const char* kLabelFont = "gfx\\fonts\\proforma12.bmp";
constexpr const char* kPageHeaderFont = "gfx\\fonts\\Lafayette36.bmp";
constexpr const char* kRadioImage = "gfx\\settings\\btn_radio.bmp";
constexpr const char* kListFrame = "gfx\\settings\\bg_settings_listbox.bmp";
constexpr int kListSize = 254;
constexpr int kHeadingType = 103;

// The four ways a type is shown, as the radio group numbers them.
enum Choice { kNone = 1, kLog = 2, kBox = 3, kPause = 4 };
constexpr const char* kChoiceLabels[]
    = { "DO_NOT_DISPLAY", "DISPLAY_IN_LOG", "DISPLAY_IN_BOX", "DISPLAY_PAUSE" };

struct CSetupRow {
    int type; // kHeadingType for a heading
    const char* key;
};

// The page's rows in order: types 0 to 7 are not on it.
std::vector<CSetupRow> SetupList()
{
    std::vector<CSetupRow> rows;
    const auto heading = [&](const char* key) { rows.push_back({ kHeadingType, key }); };
    const auto types = [&](std::initializer_list<int> list) {
        for (int type : list)
            rows.push_back({ type, nullptr });
    };
    heading("HEADER_CHARACTER");
    types({ 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40 });
    heading("HEADER_ECONOMICAL");
    types({ 41 });
    heading("HEADER_DIPLOMATIC");
    types({ 92, 81, 91, 82, 83, 84, 85, 86, 87, 88, 89, 90, 97 });
    for (int type = 42; type <= 80; ++type)
        types({ type });
    types({ 93, 94, 95, 96, 98, 99, 100, 101, 102 });
    heading("HEADER_BATTLES_AND_MILITARY");
    types({ 8, 9, 10, 16, 17, 18, 19, 20, 21, 11, 12, 13, 14, 15, 22, 23 });
    return rows;
}

int ChoiceOf(const CMessType& type)
{
    if (!type.shown)
        return kNone;
    if (type.pause)
        return kPause;
    return type.box ? kBox : kLog;
}

void ApplyChoice(CMessType& type, int choice)
{
    type.shown = choice != kNone ? 1 : 0;
    type.box = choice == kBox || choice == kPause ? 1 : 0;
    type.pause = choice == kPause ? 1 : 0;
}

// A question is always put in a box: "not shown" and "log only" are not offered for it.
void OfferChoices(CRZMenuBtn* const* choices, const CMessType& type)
{
    for (int i = 0; i < 2; ++i) {
        if (choices[i] == nullptr)
            continue;
        if (type.boxKind == kMessageBoxQuestion)
            choices[i]->Disable();
        else
            choices[i]->Enable();
    }
}

CFont* Font(const char* file)
{
    return FindFont(file);
}

} // namespace

void CMessageHandler::InitSetup(CSprite* background)
{
    RemoveSetup();
    mSetupBackground = background;
    const CPoint origin = background != nullptr ? background->GetPosition() : CPoint();
    const int width = background != nullptr ? background->GetWidth() : 0;
    const int height = background != nullptr ? background->GetHeight() : 0;
    const struct {
        const char* key;
        int x;
        int hotKey;
    } buttons[kSetupButtons] = {
        { "CANCEL", width / 4, 14 },
        { "OK", width / 2, 13 },
        { "DEFAULT", 3 * width / 4, 'd' },
    };
    for (int i = 0; i < kSetupButtons; ++i) {
        auto* button = new CRZGenericButton(TextStrings.GetString(buttons[i].key), Font(kHeadingFont), 0);
        button->SetHotKey(buttons[i].hotKey);
        button->MoveTo(origin.x + buttons[i].x - button->GetWidth() / 2, origin.y + height - 96);
        mSetupButtons[i] = button;
    }
    mSetupRadio = new CNewRadioButton();
    for (int choice = kNone; choice <= kPause; ++choice) {
        CRZMenuBtn* button = mSetupRadio->AddEntry(kRadioImage, choice, false);
        button->SetTotalFrames(4);
        const CPoint at(origin.x + 40, origin.y + 313 + 17 * (choice - 1));
        button->SetRelativePosition(at.x, at.y);
        button->MoveTo(at.x, at.y);
        mSetupChoices[choice - 1] = button;
    }
    mSetupList = new CNewListBox(kListSize, kListSize, LISTBOX_SHADOW, 0);
    mSetupList->MoveTo(origin.x + 48, origin.y + 60);
    mSetupList->SetScrollBarPosRelative(8);
    for (CMessType& type : _MessType) {
        type.savedShown = type.shown;
        type.savedBox = type.box;
        type.savedPause = type.pause;
    }
    mSetupFrame = new CSprite(kListFrame);
    mSetupFrame->MoveTo(origin.x + 30, origin.y + 50);
    for (const CSetupRow& row : SetupList()) {
        if (row.type == kHeadingType) {
            auto* heading = new CNewListBoxString(Font(kHeadingFont), TextStrings.GetString(row.key), 250,
                CVideo::TrueToHigh(255, 255, 255), false, true);
            heading->SetDestinationImage(CVideo::pBackBuffer);
            mSetupList->Append(heading);
            continue;
        }
        char key[64];
        std::snprintf(key, sizeof key, "%s_SETUP", _MessType[row.type].stem);
        mSetupList->SetFont(Font(kLabelFont));
        mSetupList->AddString(TextStrings.GetString(key), row.type, true, CRZID())
            ->SetColour(CVideo::TrueToHigh(240, 220, 176));
    }
    mSetupList->ResetPos();
    mSetupEntry = nullptr;
    mSetupType = -1;
    mSetupActive = 1;
}

void CMessageHandler::RemoveSetup()
{
    delete mSetupList;
    mSetupList = nullptr;
    delete mSetupRadio;
    mSetupRadio = nullptr;
    for (CRZGenericButton*& button : mSetupButtons) {
        delete button;
        button = nullptr;
    }
    delete mSetupFrame;
    mSetupFrame = nullptr;
    for (CRZMenuBtn*& choice : mSetupChoices)
        choice = nullptr;
    mSetupEntry = nullptr;
    mSetupType = -1;
    mSetupActive = 0;
}

int CMessageHandler::Update(CRZEvent* event)
{
    if (!mSetupActive || event == nullptr)
        return 0;
    // 1. The list's current line, when it is a type, is the selected one.
    auto* current = dynamic_cast<CSelectableListBoxString*>(mSetupList->GetSelected());
    if (current != nullptr && current != mSetupEntry)
        mSetupEntry = current;
    auto* entry = dynamic_cast<CSelectableListBoxString*>(mSetupEntry);
    // 2. DEFAULT: the selected type's built-in flags.
    CRZGenericButton* defaults = mSetupButtons[kSetupDefault];
    if (const int answer = defaults->Update(event)) {
        if (defaults->IsClicked() && mSetupType >= 0) {
            CMessType& type = _MessType[mSetupType];
            type.shown = type.defaultShown;
            type.box = type.defaultBox;
            type.pause = type.defaultPause;
            mSetupRadio->SetSelected(ChoiceOf(type));
            OfferChoices(mSetupChoices, type);
        }
        return answer;
    }
    // 3. A choice applies at once.
    const int before = mSetupRadio->GetSelected();
    if (const int answer = mSetupRadio->Update(event)) {
        if (mSetupType >= 0 && mSetupRadio->GetSelected() != before) {
            CMessType& type = _MessType[mSetupType];
            ApplyChoice(type, mSetupRadio->GetSelected());
            OfferChoices(mSetupChoices, type);
            return UPDATE_TAKEN;
        }
        return answer;
    }
    // 4. A newly selected type shows its choice.
    if (entry != nullptr && entry->GetValue() != mSetupType && entry->GetValue() >= 0
        && entry->GetValue() < kMessageTypeCount) {
        mSetupType = entry->GetValue();
        mSetupRadio->SetSelected(ChoiceOf(_MessType[mSetupType]));
        OfferChoices(mSetupChoices, _MessType[mSetupType]);
    }
    // 5. The list.
    if (const int answer = mSetupList->Update(event))
        return answer;
    // 6. OK keeps the live flags; with no type ever selected there is nothing to store.
    CRZGenericButton* ok = mSetupButtons[kSetupOK];
    if (ok->Update(event) && ok->IsClicked()) {
        if (mSetupType >= 0)
            UpdateSettings();
        return UPDATE_REMOVE;
    }
    // 7. CANCEL takes every change back.
    CRZGenericButton* cancel = mSetupButtons[kSetupCancel];
    if (cancel->Update(event) && cancel->IsClicked()) {
        for (CMessType& type : _MessType) {
            type.shown = type.savedShown;
            type.box = type.savedBox;
            type.pause = type.savedPause;
        }
        return UPDATE_REMOVE;
    }
    return 0;
}

int CMessageHandler::Draw(CRZDrawType type)
{
    if (!mSetupActive)
        return 0;
    CImage* screen = CVideo::pBackBuffer;
    mSetupFrame->Draw(type);
    mSetupList->Draw(type);
    const CPoint origin = mSetupBackground != nullptr ? mSetupBackground->GetPosition() : CPoint();
    const int width = mSetupBackground != nullptr ? mSetupBackground->GetWidth() : 0;
    if (mSetupType >= 0 && screen != nullptr) {
        if (CFont* font = Font(kPageHeaderFont))
            font->PrintDropCenter(TextStrings.GetString("MESSAGE_HEADER"), origin.x + width / 2,
                origin.y + 24, screen, CVideo::TrueToHigh(255, 255, 255));
        mSetupRadio->Draw(type);
        if (CFont* font = Font(kLabelFont))
            for (int i = 0; i < 4; ++i)
                font->PrintDrop(TextStrings.GetString(kChoiceLabels[i]), origin.x + 58,
                    origin.y + 313 + 17 * i, screen, CVideo::TrueToHigh(240, 220, 176));
    }
    for (CRZGenericButton* button : mSetupButtons)
        button->Draw(type);
    return 0;
}
