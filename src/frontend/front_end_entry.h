// CFrontEndEntry: one line of a front-end list, a file of a folder or an option, which the player marks by
// clicking it; COptionEntry, an option line whose click steps through its choices, with the radio group
// that shows them. The options screen's lines derive from both.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "widgets/list_box.h"
#include "widgets/radio_button.h"

class CFont;

// The kind of an entry that stands for a file.
inline constexpr int kFileEntryKind = -1;
inline constexpr int kFrontEndEntryWidth = 218;
// A name wider than this many pixels of its font is cut and ends in "...".
inline constexpr int kEntryNameFit = 129;
inline constexpr const char* kRadioBitmap = "gfx\\settings\\btn_radio.bmp";

class CFrontEndEntry : public CNewListBoxEntry {
public:
    // The name and folder are copied; kind: kFileEntryKind or an option's identifier.
    CFrontEndEntry(CFont* font, const char* name, const char* folder, int kind);

    // A text drawn in place of the name (a scenario's own name).
    void ShowText(const char* text);
    // The font's line height.
    int GetHeight() override;
    int GetWidth() override { return kFrontEndEntryWidth; }
    // A left-button release within marks the entry chosen; always 0, so the list sees the event too.
    int Update(CRZEvent* event) override;
    // The shown text, else the cut name, with a drop shadow: white when chosen, yellow when lit.
    int Draw(CRZDrawType type) override;
    // Edges included, and 20 pixels beyond the width to the right.
    int Within(int x, int y) override;

    const std::string& GetEntryName() const { return mName; }
    const std::string& GetShortName() const { return mShortName; }
    const std::string& GetFolder() const { return mFolder; }
    int GetKind() const { return mKind; }
    CFont* GetFont() const { return mFont; }
    bool IsChosen() const { return mChosen != 0; }
    void SetChosen(bool chosen) { mChosen = chosen ? 1 : 0; }

    // The name cut where its advance widths pass kEntryNameFit pixels, with "..." appended; whole when it
    // fits or without a font.
    static std::string ScaleString(CFont* font, const char* name);

protected:
    CFont* mFont;
    std::int32_t mKind;
    std::int32_t mChosen = 0;
    std::string mName;
    std::string mShown;
    bool mHasShown = false;
    std::string mFolder;
    std::string mShortName;
};

class COptionEntry : public CFrontEndEntry {
public:
    // The label is the entry's name; keys are the text keys of the choices, in order; the value is clamped
    // to them. The radio buttons stand at x 810, y 70 + 24 i until their owner moves them.
    COptionEntry(CFont* font, const char* label, int count, const char* const* keys, int value, int option);

    // A left-button release within moves to the next choice, after the last back to the first, while the
    // entry is enabled; always 0.
    int Update(CRZEvent* event) override;
    // The label, then the current choice's text 158 pixels to its right in white.
    int Draw(CRZDrawType type) override;
    virtual int GetValue() const { return mRadio.GetSelected(); }
    void SetValue(int value);

    int GetCount() const { return static_cast<int>(mKeys.size()); }
    const char* GetChoiceKey(int choice) const;
    // The option identifier: the entry number of the screens that show it.
    int GetOption() const { return mKind; }
    bool IsEnabled() const { return mEnabled != 0; }
    // Disabled, its choice buttons are too and clicks change nothing.
    void SetEnabled(bool enabled);
    CNewRadioButton& GetRadio() { return mRadio; }
    CRZMenuBtn* GetChoiceButton(int choice) const;

protected:
    CNewRadioButton mRadio;
    std::vector<std::string> mKeys;
    std::vector<CRZMenuBtn*> mButtons;
    std::int32_t mEnabled = 1;
};
