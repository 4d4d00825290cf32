// CGameSettings: the options screen that the in-game options menu opens on its background: game speed and
// autosave as rows of choices, the effect and music volumes as sliders, the message settings page, OK and
// CANCEL. Volumes are heard while they are dragged; OK keeps all four in "config.rz", CANCEL restores the
// volumes.
#pragma once

#include <cstdint>

#include "frontend/front_end_entry.h"
#include "gfx/drawable.h"
#include "widgets/slider.h"

class CFont;
class CNewListBox;
class CRZGenericButton;
class CSprite;

inline constexpr const char* kOptionsFont = "gfx\\fonts\\proforma12.bmp";
inline constexpr const char* kOptionsHeaderFont = "gfx\\fonts\\Lafayette30.bmp";

// A row of choice buttons writing the chosen one into its target, shown below the list once selected.
class CSettingBtnEntry : public COptionEntry {
public:
    // position: the options screen's top left; choice button i stands at (x + 128, y + 202 + 17 i).
    CSettingBtnEntry(CFont* font, const char* label, std::int32_t* target, int count, const char* const* keys,
        CPoint position, int number);

    // A left-button release within selects the row. Selected, it hands the event to its choices (disabled
    // in a network game of several players, except entry number 1) and writes the choice into the
    // target. Always 0.
    int Update(CRZEvent* event) override;
    // The label and the current choice on the right; selected, the choices with their texts.
    int Draw(CRZDrawType type) override;

private:
    std::int32_t* mTarget;
};

// A slider from 0 to a maximum in steps of 1, shown centred below the list once selected.
class CSettingSliderEntry : public CFrontEndEntry {
public:
    // position and size: the options screen's; the slider is centred on x + width / 2 at y + 256.
    CSettingSliderEntry(CFont* font, const char* label, std::int32_t* target, int maximum, CPoint position,
        CPoint size, int number);

    // A left-button release within selects the row; selected, it hands the event to the slider and keeps
    // the value in the target. Always 0.
    int Update(CRZEvent* event) override;
    // The label and the value on the right; selected, the slider with the label above and the value below.
    int Draw(CRZDrawType type) override;
    // The slider's value, rounded to a whole number.
    int GetValue() const;
    CSlider& GetSlider() { return mSlider; }
    int GetNumber() const { return mNumber; }

private:
    CSlider mSlider;
    std::int32_t* mTarget;
    std::int32_t mNumber;
};

class CGameSettings : public CDrawable {
public:
    // The background is the menu's and stays its.
    explicit CGameSettings(CSprite* background);
    ~CGameSettings() override;
    CGameSettings(const CGameSettings&) = delete;
    CGameSettings& operator=(const CGameSettings&) = delete;

    // The open message page first; then the volumes are applied from the sliders and the event goes to the
    // list, OK, CANCEL and the messages button in turn. Non-zero when taken.
    int Update(CRZEvent* event) override;
    int Draw(CRZDrawType type) override;

    bool IsFinished() const { return mFinished != 0; }
    bool IsMessagePageOpen() const { return mMessagesOpen != 0; }
    CNewListBox* GetList() const { return mList; }
    CFrontEndEntry* GetSelected() const { return mSelected; }
    CRZGenericButton* GetOKButton() const { return mOK; }
    CRZGenericButton* GetCancelButton() const { return mCancel; }
    CRZGenericButton* GetMessagesButton() const { return mMessages; }
    CSettingBtnEntry* GetSpeedEntry() const { return mSpeedEntry; }
    CSettingBtnEntry* GetAutosaveEntry() const { return mAutosaveEntry; }
    CSettingSliderEntry* GetEffectEntry() const { return mEffectEntry; }
    CSettingSliderEntry* GetMusicEntry() const { return mMusicEntry; }

private:
    // Both volumes to the sound player and the music.
    static void ApplyVolumes(int effect, int music);

    CSprite* mBackground;
    std::int32_t mMessagesOpen = 0;
    std::int32_t mAIAggressiveness = 0;
    std::int32_t mSpeed = 0;
    std::int32_t mEffectVolume = 0;
    std::int32_t mMusicVolume = 0;
    std::int32_t mAutosave = 0;
    CNewListBox* mList = nullptr;
    CFrontEndEntry* mSelected = nullptr;
    std::int32_t mFinished = 0;
    CRZGenericButton* mOK = nullptr;
    CRZGenericButton* mCancel = nullptr;
    CRZGenericButton* mMessages = nullptr;
    // Owned by the list.
    CSettingBtnEntry* mSpeedEntry = nullptr;
    CSettingBtnEntry* mAutosaveEntry = nullptr;
    CSettingSliderEntry* mEffectEntry = nullptr;
    CSettingSliderEntry* mMusicEntry = nullptr;
};
