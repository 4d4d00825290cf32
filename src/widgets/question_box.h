// CQuestionBox: a yes-or-no question to the local player whose texts all come from one text-key stem; the
// answer goes to the player's realm as a local event carrying the question's number. While it is open a
// single-player game stands still.
#pragma once

#include <cstdint>
#include <string>

#include "events/event_types.h"
#include "foundation/rz_id.h"
#include "widgets/message_box.h"

class CRZGenericButton;

// A stem is kept up to this many characters, so that every key formed from it fits the text database's.
inline constexpr int kQuestionStemMax = 240;
inline constexpr const char* kQuestionButtonFont = "gfx\\fonts\\proformaB12.bmp";

class CQuestionBox : public CNiceMsgBoxBase {
public:
    // The stem is copied. Pauses a single-player game.
    CQuestionBox(const char* stem, int question);
    // Lifts the pause of a single-player game.
    ~CQuestionBox() override;

    // The texts "<stem>_HEADER" and "<stem>_1" to "_6" joined by ";" up to the first empty one, laid out;
    // the buttons "<stem>_BTN1" (Enter) and "<stem>_BTN2" at a quarter and three quarters of the width.
    void InitBox();
    // A pressed button posts _CRZEVT_QUESTIONBOX_OK_ (first) or _CRZEVT_QUESTIONBOX_CANCEL_ (second) with
    // the question's number here only, and the box closes (1).
    int Update(CRZEvent* event) override;
    // The buttons into the box's image, then the window.
    int Draw(CRZDrawType type) override;

    // The box text as built from the stem's keys.
    static std::string BuildText(const char* stem);

    const std::string& GetStem() const { return mStem; }
    const CRZID& GetPlayer() const { return mPlayer; }
    int GetQuestion() const { return mQuestion; }
    CRZGenericButton* GetFirstButton() const { return mFirst; }
    CRZGenericButton* GetSecondButton() const { return mSecond; }

private:
    // The button at its place in the box, offset by the box's screen position for input.
    int OfferButton(CRZGenericButton* button, CRZEvent* event, CRZEvtType answer);

    CRZGenericButton* mFirst = nullptr;
    CRZGenericButton* mSecond = nullptr;
    std::string mStem;
    CRZID mPlayer;
    std::int32_t mQuestion;
};
