// CStateSelection: the header button the player object keeps on its back list for each information
// window it switched away from, remembering the state and the object that window showed.
#pragma once

#include <cstdint>

#include "foundation/rz_id.h"
#include "widgets/button.h"

// The player object's information-window states; the player interface gives them their values.
enum CRZPlayerState : std::int32_t;

inline constexpr const char* kStateSelectionBitmap = "gfx\\interface\\header.bmp";
inline constexpr const char* kStateSelectionFont = "gfx\\fonts\\proforma12.bmp";

class CStateSelection : public CRZBtn {
public:
    // The header text on the button's four frames in "gfx\fonts\proforma12.bmp".
    CStateSelection(const char* header, CRZPlayerState state, CRZID id);

    CRZPlayerState GetState() const { return mState; }
    const CRZID& GetObjectID() const { return mObject; }

private:
    CRZPlayerState mState;
    CRZID mObject;
};
