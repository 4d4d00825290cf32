// The options screen of a running game.
#include "app/game_settings.h"

#include <cmath>
#include <cstdio>

#include "app/game.h"
#include "app/settings.h"
#include "events/generic_events.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/song.h"
#include "gfx/sprite.h"
#include "messages/message_handler.h"
#include "platform/sound/sound.h"
#include "text/new_text.h"
#include "widgets/generic_button.h"
#include "widgets/interface.h"
#include "widgets/list_box.h"
#include "widgets/message_box.h"

#include "foundation/safeguards.h"

namespace {

constexpr const char* kSliderTrack = "gfx\\interface\\sprite_slider.bmp";
constexpr const char* kSliderMinus = "gfx\\interface\\button area\\btn_minus.bmp";
constexpr const char* kSliderPlus = "gfx\\interface\\button area\\btn_plus.bmp";
constexpr const char* kSliderKnob = "gfx\\interface\\button area\\btn_slider.bmp";
constexpr int kValueRight = 228;
// A notice that the options were not kept stays this long unless the player closes it.
constexpr int kNotSavedSeconds = 20;

constexpr const char* kSpeedKeys[] = { "FEOPT_GAMESPEED0", "FEOPT_GAMESPEED1", "FEOPT_GAMESPEED2",
    "FEOPT_GAMESPEED3", "FEOPT_GAMESPEED4", "FEOPT_GAMESPEED5", "FEOPT_GAMESPEED6", "FEOPT_GAMESPEED7" };
constexpr const char* kAutosaveKeys[]
    = { "FEOPT_AUTOSAVE1", "FEOPT_AUTOSAVE2", "FEOPT_AUTOSAVE3", "FEOPT_AUTOSAVE4", "FEOPT_AUTOSAVE5" };
constexpr int kSpeedEntry = 0;
constexpr int kAutosaveEntry = 3;
constexpr int kEffectEntry = 4;
constexpr int kMusicEntry = 5;

bool IsLeftReleaseWithin(CRZEvent* event, CFrontEndEntry& entry)
{
    if (event == nullptr || event->GetType() != _CRZEVT_MOUSELBUP_)
        return false;
    const CPoint at = CInput::EventPosition(event);
    return entry.Within(at.x, at.y) != 0;
}

CFont* Font(const char* file)
{
    return FindFont(file);
}

} // namespace

CSettingBtnEntry::CSettingBtnEntry(CFont* font, const char* label, std::int32_t* target, int count,
    const char* const* keys, CPoint position, int number)
    : COptionEntry(font, label, count, keys, target != nullptr ? *target : 0, number)
    , mTarget(target)
{
    for (int i = 0; i < count; ++i) {
        CRZMenuBtn* button = GetChoiceButton(i);
        button->SetRelativePosition(position.x + 128, position.y + 202 + 17 * i);
        button->MoveTo(position.x + 128, position.y + 202 + 17 * i);
    }
}

int CSettingBtnEntry::Update(CRZEvent* event)
{
    if (IsLeftReleaseWithin(event, *this))
        mChosen = 1;
    if (!mChosen)
        return 0;
    // The host's speed and autosave are every player's: in a network game they stay as they were set.
    if (CRZGame::IsMultiPlayer() && GetOption() != 1)
        SetEnabled(false);
    mRadio.Update(event);
    if (mTarget != nullptr)
        *mTarget = GetValue();
    return 0;
}

int CSettingBtnEntry::Draw(CRZDrawType type)
{
    CFrontEndEntry::Draw(type);
    CFont* font = Font(kOptionsFont);
    if (font == nullptr || mDest == nullptr)
        return 0;
    font->PrintDropRight(
        TextStrings.GetString(GetChoiceKey(GetValue())), mX + kValueRight, mY, mDest, 0xFFFF);
    if (!mChosen)
        return 0;
    mRadio.Draw(type);
    for (int i = 0; i < GetCount(); ++i) {
        const CPoint at = GetChoiceButton(i)->GetPosition();
        const std::uint16_t colour = i == GetValue() ? 0xFFFF : TrueToHigh(128, 128, 128);
        font->Print(TextStrings.GetString(GetChoiceKey(i)), at.x + 22, at.y + 2, mDest, colour);
    }
    return 0;
}

CSettingSliderEntry::CSettingSliderEntry(CFont* font, const char* label, std::int32_t* target, int maximum,
    CPoint position, CPoint size, int number)
    : CFrontEndEntry(font, label, nullptr, number)
    , mSlider(0.0f, static_cast<float>(maximum), static_cast<float>(target != nullptr ? *target : 0), 1.0f,
          kSliderMinus, kSliderPlus, kSliderKnob, kSliderTrack)
    , mTarget(target)
    , mNumber(number)
{
    mSlider.GetMinusArrow().SetTotalFrames(4);
    mSlider.GetPlusArrow().SetTotalFrames(4);
    mSlider.GetKnob().SetTotalFrames(4);
    mSlider.MoveTo(position.x + size.x / 2 - mSlider.GetWidth() / 2, position.y + 256);
}

int CSettingSliderEntry::GetValue() const
{
    return static_cast<int>(std::lround(mSlider.GetValue()));
}

int CSettingSliderEntry::Update(CRZEvent* event)
{
    if (IsLeftReleaseWithin(event, *this))
        mChosen = 1;
    if (!mChosen)
        return 0;
    mSlider.Update(event);
    if (mTarget != nullptr)
        *mTarget = GetValue();
    return 0;
}

int CSettingSliderEntry::Draw(CRZDrawType type)
{
    CFrontEndEntry::Draw(type);
    CFont* font = Font(kOptionsFont);
    if (font == nullptr || mDest == nullptr)
        return 0;
    char value[16];
    std::snprintf(value, sizeof value, "%d", GetValue());
    font->PrintDropRight(value, mX + kValueRight, mY, mDest, 0xFFFF);
    if (!mChosen)
        return 0;
    mSlider.Draw(type);
    if (CFont* large = Font(kOptionsHeaderFont)) {
        const CPoint at = mSlider.GetPosition();
        const int centre = at.x + mSlider.GetWidth() / 2;
        large->PrintDropCenter(mShortName.c_str(), centre, at.y - 23, mDest, 0xFFFF);
        large->PrintDropCenter(value, centre, at.y + 19, mDest, 0xFFFF);
    }
    return 0;
}

CGameSettings::CGameSettings(CSprite* background)
    : mBackground(background)
{
    const CPoint origin = background != nullptr ? background->GetPosition() : CPoint();
    const CPoint size
        = background != nullptr ? CPoint(background->GetWidth(), background->GetHeight()) : CPoint();
    if (gpSettings != nullptr) {
        const CSettingsRecord& record = gpSettings->Record();
        mAIAggressiveness = record.aiAggressiveness;
        mSpeed = record.gameSpeed;
        mEffectVolume = record.effectVolume;
        mMusicVolume = record.musicVolume;
        mAutosave = record.autosave;
    }
    CFont* font = Font(kOptionsFont);
    mList = new CNewListBox(228, 188, LISTBOX_SHADOW, 0);
    mList->MoveTo(origin.x + 62, origin.y + 72);
    const auto button = [&](const char* key, int width, int x, int y) {
        auto* made = new CRZGenericButton(TextStrings.GetString(key), font, width);
        made->MoveTo(origin.x + x, origin.y + y);
        return made;
    };
    mOK = button("OK", 80, 182, 373);
    mCancel = button("CANCEL", 80, 88, 373);
    mMessages = button("INGAME_MESSAGES", 176, 88, 350);
    const auto add = [&](CFrontEndEntry* entry) {
        entry->SetDestinationImage(pBackBuffer);
        mList->Append(entry);
    };
    mSpeedEntry = new CSettingBtnEntry(
        font, TextStrings.GetString("FEOPT_GAMESPEED"), &mSpeed, 8, kSpeedKeys, origin, kSpeedEntry);
    add(mSpeedEntry);
    mAutosaveEntry = new CSettingBtnEntry(
        font, TextStrings.GetString("FEOPT_AUTOSAVE"), &mAutosave, 5, kAutosaveKeys, origin, kAutosaveEntry);
    add(mAutosaveEntry);
    mEffectEntry = new CSettingSliderEntry(
        font, TextStrings.GetString("OPTION_SFXVOLUME"), &mEffectVolume, 100, origin, size, kEffectEntry);
    add(mEffectEntry);
    mMusicEntry = new CSettingSliderEntry(
        font, TextStrings.GetString("OPTION_MUSICVOLUME"), &mMusicVolume, 100, origin, size, kMusicEntry);
    add(mMusicEntry);
    mList->ResetPos();
}

CGameSettings::~CGameSettings()
{
    if (mMessagesOpen)
        gMessageHandler.RemoveSetup();
    delete mList;
    delete mOK;
    delete mCancel;
    delete mMessages;
}

void CGameSettings::ApplyVolumes(int effect, int music)
{
    if (gpSound != nullptr)
        gpSound->Volume(effect);
    if (gpSongHandler != nullptr)
        gpSongHandler->Volume(music);
}

int CGameSettings::Update(CRZEvent* event)
{
    if (event == nullptr)
        return 0;
    if (mMessagesOpen) {
        const int answer = gMessageHandler.Update(event);
        if (answer == UPDATE_REMOVE) {
            gMessageHandler.RemoveSetup();
            mMessagesOpen = 0;
        }
        return answer;
    }
    // The player hears the volumes while dragging.
    ApplyVolumes(mEffectEntry->GetValue(), mMusicEntry->GetValue());
    if (const int answer = mList->Update(event)) {
        auto* current = dynamic_cast<CFrontEndEntry*>(mList->GetSelected());
        if (current != nullptr && current != mSelected) {
            mList->ForEach([](CNewListBoxEntry* row) {
                if (auto* entry = dynamic_cast<CFrontEndEntry*>(row))
                    entry->SetChosen(false);
            });
            mSelected = current;
            mSelected->SetChosen(true);
        }
        return answer;
    }
    if (const int answer = mOK->Update(event)) {
        if (!mOK->IsClicked())
            return answer;
        if (gpSettings != nullptr) {
            CSettingsRecord& record = gpSettings->Record();
            record.gameSpeed = mSpeedEntry->GetValue();
            record.autosave = mAutosaveEntry->GetValue();
            record.effectVolume = mEffectEntry->GetValue();
            record.musicVolume = mMusicEntry->GetValue();
            // The options hold for this session whatever happens; the player must know they will not last.
            if (!gpSettings->SaveSettings() && gpInterface != nullptr)
                new CMessageBox(TextStrings.GetString("OPTIONS_NOT_SAVED"), kNotSavedSeconds);
            ApplyVolumes(record.effectVolume, record.musicVolume);
        }
        mFinished = 1;
        return answer;
    }
    if (const int answer = mCancel->Update(event)) {
        if (!mCancel->IsClicked())
            return answer;
        if (gpSettings != nullptr)
            ApplyVolumes(gpSettings->Record().effectVolume, gpSettings->Record().musicVolume);
        mFinished = 1;
        return answer;
    }
    if (const int answer = mMessages->Update(event)) {
        if (mMessages->IsClicked()) {
            gMessageHandler.InitSetup(mBackground);
            mMessagesOpen = 1;
        }
        return answer;
    }
    return 0;
}

int CGameSettings::Draw(CRZDrawType type)
{
    if (mMessagesOpen)
        return gMessageHandler.Draw(type);
    if (pBackBuffer == nullptr)
        return 0;
    const CPoint origin = mBackground != nullptr ? mBackground->GetPosition() : CPoint();
    const int width = mBackground != nullptr ? mBackground->GetWidth() : 0;
    const std::uint16_t gold = TrueToHigh(240, 220, 176);
    if (CFont* font = Font(kOptionsHeaderFont))
        font->PrintCenter(
            TextStrings.GetString("OPTIONHEADER"), origin.x + width / 2, origin.y + 31, pBackBuffer, gold);
    pBackBuffer->SetLineColor(gold);
    pBackBuffer->DrawLine16(CPoint(origin.x + 62, origin.y + 62), CPoint(origin.x + 290, origin.y + 62));
    pBackBuffer->DrawLine16(CPoint(origin.x + 62, origin.y + 189), CPoint(origin.x + 290, origin.y + 189));
    mList->Draw(type);
    mOK->Draw(type);
    mCancel->Draw(type);
    mMessages->Draw(type);
    return 0;
}
