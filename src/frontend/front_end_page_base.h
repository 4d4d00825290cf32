// CFrontEndPageBase: what every front-end page shares: its background, the answers the page controller
// asks for (this page, the next page, the chosen scenario, forward or back) and the short pause that
// swallows the first events after a page opens.
#pragma once

#include <cstdint>

#include "gfx/drawable.h"

class CFont;
class CImage;
class CRZBtn;

// Page numbers of the controller; "start" is no page: the controller closes and the game starts.
inline constexpr int kPageMainMenu = 0;
inline constexpr int kPageTutorial = 1;
inline constexpr int kPageSinglePlayer = 2;
inline constexpr int kPageConnection = 3;
inline constexpr int kPageClient = 6;
inline constexpr int kPageHost = 7;
inline constexpr int kPageCredits = 12;
inline constexpr int kPageStart = 14;

class CFrontEndPageBase : public CDrawable {
public:
    // Loads the background when a path is given (null: the page draws its own).
    explicit CFrontEndPageBase(const char* background);
    ~CFrontEndPageBase() override;
    CFrontEndPageBase(const CFrontEndPageBase&) = delete;
    CFrontEndPageBase& operator=(const CFrontEndPageBase&) = delete;

    // The start-up pause: the first five events are answered 3 and do nothing; 0 afterwards.
    int Update(CRZEvent* event) override;
    // The background at 0,0, 1024 by 768.
    int Draw(CRZDrawType type) override;
    virtual int GetThis() { return -1; }
    // The page to open when this one finishes forward; kPageStart starts the game.
    virtual int GetNext() { return -1; }
    // The scenario path, without extension, that a page answering kPageStart hands over.
    virtual const char* GetScenario() { return "scenarios\\Zazu Viv Ovi Ruzu"; }

    // Prints the text of the key centred with a drop shadow into each of the button's four frames, white,
    // light gold twice and grey; the button is made individual first so that buttons sharing the picture
    // keep theirs. A null font is "gfx\\fonts\\proformaB12.bmp"; without fonts nothing is printed.
    static void DrawTextOnButton(const char* key, CRZBtn* button, CFont* font);

    // Nothing to set up or tear down for all pages together.
    static void Init() { }
    static void Destroy() { }

    // 1 from construction; a page clears it before it finishes to ask for Back.
    std::int32_t forward = 1;

protected:
    CImage* background = nullptr;
    std::int32_t startupCount = 5;
};
