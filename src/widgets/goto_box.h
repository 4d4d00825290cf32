// CRZGotoBox: the box in which the player types a province number, a province name or a realm name to
// centre the map there; "?" (or the backslash key) opens it in a running game.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/point_rect.h"
#include "gfx/drawable.h"
#include "widgets/input.h"

class CEditBox;
class CSprite;

inline constexpr const char* kGotoBoxBackground = "gfx\\interface\\searchpanel.bmp";
inline constexpr const char* kGotoBoxFont = "gfx\\fonts\\proformaB12.bmp";
inline constexpr int kGotoBoxLastProvince = 1003;

// What the goto box reads of the provinces, realms and map above the widgets. A null hook, or a null
// name, finds nothing.
struct CGotoBoxHooks {
    // The name of a province 0..1003.
    const char* (*GetProvinceName)(int province) = nullptr;
    // The name of the realm in a country-table slot, and its capital province (0 for none).
    const char* (*GetCountryName)(int slot) = nullptr;
    int (*GetCapitalProvince)(int slot) = nullptr;
    // The province's centre in map coordinates; false when the map has none.
    bool (*GetCenterPoint)(int province, CPoint& centre) = nullptr;
    void (*InvalidateMap)() = nullptr;
};
extern CGotoBoxHooks gGotoBoxHooks;

class CRZGotoBox : public CDrawable, public CInputable {
public:
    CRZGotoBox();
    ~CRZGotoBox() override;
    CRZGotoBox(const CRZGotoBox&) = delete;
    CRZGotoBox& operator=(const CRZGotoBox&) = delete;

    // Closed: the "?" or backslash key opens it (3). Open: the edit box takes the event; a confirmed
    // text that names a place centres the map there and closes the box, any other shows "GOTOBOX_FAIL"
    // and keeps it open; Escape closes it (3).
    int Update(CRZEvent* event) override;
    int HandleInput(CRZInputEvent* event) override;
    // While open: the panel, the edit box and the message, centred on the back buffer. 0.
    int Draw(CRZDrawType type) override;

    // The province a text names: a number 1..1003, else a province name (letter case ignored), else a
    // realm's name, found at its capital; realms without a capital are passed over. -1 when none.
    static int FindProvince(const char* text);

    bool IsOpen() const { return mOpen != 0; }
    const std::string& GetMessage() const { return mMessage; }
    CEditBox* GetEditBox() const { return mEdit; }

    static constexpr int kEditWidth = 550;
    static constexpr int kEditLength = 100;

private:
    void Close();

    CSprite* mBackground;
    CEditBox* mEdit;
    std::int32_t mOpen = 0;
    std::string mMessage;
};
