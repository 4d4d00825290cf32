// Interface buttons: their block in "db\buttons.txt", icons and backgrounds, the radio behaviour of their up
// lists, the tutorial's hold on them, held repeats, and the database that keeps them by id.
#include "widgets/interface_button.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/game.h"
#include "datalang/block_keywords.h"
#include "datalang/block_reader.h"
#include "datalang/definition_kind.h"
#include "datalang/parser.h"
#include "events/generic_events.h"
#include "gfx/font.h"
#include "text/new_text.h"
#include "widgets/interface.h"

#include "foundation/safeguards.h"

namespace {

constexpr int KW_UPPER = 351;
constexpr int KW_LOWER = 352;
constexpr int KW_LIGHTED = 354;
constexpr int KW_PRESS = 355;
constexpr int KW_HOLD = 356;
constexpr int KW_UP = 357;
constexpr int KW_BITMAP = 322;
constexpr int KW_BACKGROUND = 349;
constexpr int KW_SHORTCUT = 350;
constexpr int KW_GENERIC = 421;

constexpr const char* kUnexpectedField = "InterfaceButton : Unexpected Field";
constexpr const char* kUnknownButton = "InterfaceButton : Unknown button";
constexpr const char* kNameTooLong = "InterfaceButton : File name too long";
constexpr const char* kIconFont = "gfx\\fonts\\proforma12.bmp";
// Held ticks per call of a hold button's handler.
constexpr int kHoldTicksPerCall = 7;

// "<folder><name>" into path; a name that cannot fit is refused with the parser's report.
void MakePath(CRZParser& parser, char (&path)[kInterfaceTextMax + 64], const char* folder)
{
    const int written = std::snprintf(path, sizeof path, "%s%s", folder, parser.value.text);
    if (written < 0 || written >= static_cast<int>(sizeof path)
        || std::strlen(parser.value.text) > kInterfaceTextMax)
        parser.ParseError(kNameTooLong);
}

// Keys and labels longer than the field are cut, never written past it.
void CopyCut(char (&field)[kInterfaceTextMax + 1], const char* text)
{
    const std::size_t n = std::min(std::strlen(text), sizeof field - 1);
    std::memcpy(field, text, n);
    field[n] = '\0';
}

} // namespace

int GetShortcutCode(const char* name)
{
    if (!name || !*name)
        return 0;
    if (strcasecmp(name, "enter") == 0)
        return 13;
    if (strcasecmp(name, "esc") == 0)
        return 14;
    if (strcasecmp(name, "del") == 0)
        return 7;
    for (int f = 1; f <= 10; ++f) {
        char key[16];
        std::snprintf(key, sizeof key, "f%d", f);
        if (strcasecmp(name, key) == 0)
            return 256 - f;
    }
    return static_cast<unsigned char>(name[0]);
}

CRZInterfaceBaseBtn::CRZInterfaceBaseBtn(CRZButtonDB* db)
    : mDB(db)
{
    MoveTo(kParkedPosition, kParkedPosition);
    if (gpInterface)
        gpInterface->AddButton(this);
}

CRZInterfaceBaseBtn::~CRZInterfaceBaseBtn()
{
    delete mIcon;
}

int CRZInterfaceBaseBtn::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        char path[kInterfaceTextMax + 64];
        switch (parser.key.type) {
        case KW_ID:
            mID = GetInterfaceButtonID(parser.value.text);
            if (mID < 0)
                parser.ParseError(kUnknownButton);
            break;
        case KW_UPPER:
            CopyCut(mUpper, parser.value.text);
            break;
        case KW_LOWER:
            CopyCut(mLower, parser.value.text);
            break;
        case KW_UP:
            ExpectBlock(parser, kUnexpectedField);
            for (;;) {
                if (!parser.lexer->getTok())
                    parser.ParseError(kUnexpectedField);
                const CToken& token = parser.lexer->GetToken();
                if (token.type == TT_CLOSE_BRACE)
                    break;
                if (token.type == TT_COMMA)
                    continue;
                mUpList.Append(GetInterfaceButtonID(token.text));
            }
            break;
        case KW_BITMAP:
            if (IsGeneric()) {
                CFont* font = gpFontDB ? gpFontDB->GetFont(kIconFont) : nullptr;
                const CPoint at = GetPosition();
                Reconstruct(TextStrings.GetString(parser.value.text), font, 0, nullptr);
                CRZGenericButton::MoveTo(at.x, at.y);
                std::snprintf(path, sizeof path, "gfx\\interface\\button area\\empty.bmp");
            } else {
                MakePath(parser, path, "gfx\\interface\\button area\\");
            }
            delete mIcon;
            mIcon = new CSprite(path);
            mIcon->MoveTo(_X, _Y);
            break;
        case KW_BACKGROUND:
            MakePath(parser, path,
                IsLighted() ? "gfx\\interface\\piw\\buildings\\" : "gfx\\interface\\button area\\");
            SetBitmap(path);
            SetTotalFrames(4);
            if (mDisabled)
                SetDisableFrame();
            else if (isDown())
                SetDownFrame();
            else
                SetUpFrame();
            break;
        case KW_SHORTCUT:
            mHotKey = GetShortcutCode(parser.value.text);
            break;
        default:
            parser.ParseError(kUnexpectedField);
        }
        return kReadOn;
    });
}

int CRZInterfaceBaseBtn::Draw(CRZDrawType type)
{
    CRZGenericButton::Draw(type);
    if (mIcon)
        mIcon->Draw(type);
    if (mDisabled && mOverlay && mDB && mDB->_pOverlay) {
        mDB->_pOverlay->MoveTo(_X, _Y);
        mDB->_pOverlay->Draw(type);
    }
    return 0;
}

void CRZInterfaceBaseBtn::MoveTo(int x, int y)
{
    CRZGenericButton::MoveTo(x, y);
    if (mIcon)
        mIcon->MoveTo(x, y);
}

void CRZInterfaceBaseBtn::SetShowPos(CPoint position)
{
    mShowPos = position;
    MoveTo(position.x, position.y);
}

void CRZInterfaceBaseBtn::OnDown()
{
    if (mHandler)
        mHandler->HandleButtonPressed(mID);
    const CInterfaceReceivers& r = gInterfaceReceivers;
    if (CRZGame::IsTutorial() && r.SetLastPressedButton)
        r.SetLastPressedButton(mID);
    if (mUpList.IsEmpty()) {
        Up();
        return;
    }
    for (auto it = mUpList.GetHead(); !it.IsEnd(); it++)
        if (CRZInterfaceBaseBtn* other = mDB ? mDB->GetButton(*it) : nullptr; other && other != this)
            other->Up();
    // A member of a radio group stays down when the mouse is let go, until another member raises it.
    SetReleaseOnMouseUp(false);
    Down();
}

void CRZInterfaceBaseBtn::Enable()
{
    const CInterfaceReceivers& r = gInterfaceReceivers;
    if (CRZGame::IsTutorial() && r.IsTutorialDisabled && r.IsTutorialDisabled(mID)) {
        Disable();
        return;
    }
    CRZGenericButton::Enable();
}

const char* CRZInterfaceBaseBtn::GetUpperText() const
{
    return mUpper[0] ? TextStrings.GetString(mUpper) : mUpper;
}

const char* CRZInterfaceBaseBtn::GetLowerText() const
{
    return mLower[0] ? TextStrings.GetString(mLower) : mLower;
}

int CRZInterfaceHoldButton::Update(CRZEvent* event)
{
    const int answer = CRZInterfaceBaseBtn::Update(event);
    if (!event || event->GetType() != _CRZEVT_TIMER_TICK_LOOP_)
        return answer;
    if (!isDown()) {
        mHoldCount = 0;
    } else if (mDisabled) {
        Up();
    } else {
        ++mHoldCount;
        for (int call = 0; call < mHoldCount / kHoldTicksPerCall; ++call)
            if (mHandler)
                mHandler->HandleButtonPressed(mID);
    }
    return answer;
}

CRZButtonDB::CRZButtonDB(const char* file)
{
    mLoaded = LoadDefinitionFile(file, [&](CRZParser& parser) { Read(parser); });
    if (!mLoaded)
        Clear();
}

CRZButtonDB::~CRZButtonDB()
{
    Clear();
}

void CRZButtonDB::Clear()
{
    for (CRZInterfaceBaseBtn*& button : mButtons) {
        if (!button)
            continue;
        if (gpInterface)
            gpInterface->RemoveButton(button);
        delete button;
        button = nullptr;
    }
}

void CRZButtonDB::Read(CRZParser& parser)
{
    for (;;) {
        const int read = parser.ParseSimpleStatement();
        if (read == -1)
            return;
        std::unique_ptr<CRZInterfaceBaseBtn> button;
        switch (read == 1 ? static_cast<int>(parser.key.type) : 0) {
        case KW_PRESS:
            button = std::make_unique<CRZInterfacePressButton>(this);
            break;
        case KW_LIGHTED:
            button = std::make_unique<CRZInterfaceLightedButton>(this);
            break;
        case KW_GENERIC:
            button = std::make_unique<CRZInterfaceGenericButton>(this);
            break;
        case KW_HOLD:
            button = std::make_unique<CRZInterfaceHoldButton>(this);
            break;
        default:
            parser.ParseError("Unexpected field");
        }
        // Until it is stored the block's button is this reader's, also when the block turns out bad.
        if (gpInterface)
            gpInterface->RemoveButton(button.get());
        button->SetID(-1);
        if (parser.value.type != TT_OPEN_BRACE)
            parser.ParseError("No Left Curly");
        button->ParseFields(parser);
        const int id = button->GetID();
        if (id < 0 || id >= kInterfaceButtonCount)
            continue;
        if (CRZInterfaceBaseBtn* old = mButtons[id]) {
            if (gpInterface)
                gpInterface->RemoveButton(old);
            delete old;
        }
        mButtons[id] = button.release();
        if (gpInterface)
            gpInterface->AddButton(mButtons[id]);
    }
}

CRZInterfaceBaseBtn* CRZButtonDB::GetButton(int id) const
{
    return id >= 0 && id < kInterfaceButtonCount ? mButtons[id] : nullptr;
}

void CRZButtonDB::Enable(int id)
{
    if (CRZInterfaceBaseBtn* button = GetButton(id))
        button->Enable();
}

void CRZButtonDB::Disable(int id)
{
    if (CRZInterfaceBaseBtn* button = GetButton(id)) {
        if (button->isDown())
            button->Up();
        button->Disable();
    }
}

void CRZButtonDB::Hide(int id)
{
    if (CRZInterfaceBaseBtn* button = GetButton(id))
        button->MoveTo(kParkedPosition, kParkedPosition);
}

void CRZButtonDB::HideAll()
{
    for (int id = 0; id < kInterfaceButtonCount; ++id)
        Hide(id);
}
