// CEndBox, the end-of-game box that tells the local player who won.
#pragma once

#include "events/record_types.h"

class CEndBox {
public:
    // For the local player's realm and the winner realm.
    CEndBox(CRZCountryID inLocal, CRZCountryID inWinner)
        : local(inLocal)
        , winner(inWinner)
    {
    }
    virtual ~CEndBox() = default;
    CEndBox(const CEndBox&) = delete;
    CEndBox& operator=(const CEndBox&) = delete;

    // Chooses the text for the two realms.
    virtual void SetText() { textSet = true; }
    // Places the box's button; the box can then be shown.
    virtual void InitBox() { placed = true; }

    CRZCountryID GetLocal() const { return local; }
    CRZCountryID GetWinner() const { return winner; }
    bool HasText() const { return textSet; }
    bool IsPlaced() const { return placed; }

private:
    CRZCountryID local;
    CRZCountryID winner;
    bool textSet = false;
    bool placed = false;
};
