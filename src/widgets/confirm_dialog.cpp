// The confirmation dialog: its layout in the middle of the back buffer, OK and Cancel, and what OK does
// for each kind, the sea transport's price included.
#include "widgets/confirm_dialog.h"

#include <algorithm>

#include "armies/path.h"
#include "armies/unit.h"
#include "armies/unit_list.h"
#include "characters/character.h"
#include "characters/crusade.h"
#include "events/event_posting.h"
#include "events/records_character.h"
#include "foundation/text_format.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/video.h"
#include "realms/country.h"
#include "realms/country_db.h"
#include "realms/province.h"
#include "realms/province_improvement.h"
#include "text/new_text.h"
#include "widgets/list_box.h"
#include "widgets/standard_buttons.h"
#include "widgets/widget_hooks.h"
#include "widgets/window.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kDialogWidth = 320;
constexpr int kTextWidth = 288;
constexpr std::uint16_t kWhite = 0xFFFF;

void PrintCentred(const char* key, const char* font, int y, CImage* image)
{
    if (CFont* face = FindFont(font))
        face->PrintDropCenter(TextStrings.GetString(key), kDialogWidth / 2, y, image, kWhite);
}

const char* ProvinceName(const CProvince& province)
{
    return CCountryDB::IDToSimpleName(province.GetNumber());
}

CCharacter* RulerOf(CDialogPlayer* player)
{
    CRZCountry* realm = player ? player->GetCountry() : nullptr;
    return realm ? realm->ruler : nullptr;
}

} // namespace

// --- CConfirmDialog ---

CConfirmDialog::CConfirmDialog(CDialogPlayer* player)
    : mPlayer(player)
{
}

CConfirmDialog::~CConfirmDialog() = default;

void CConfirmDialog::Init()
{
    const int screenWidth = CVideo::GetBackBufferWidth();
    const int screenHeight = CVideo::GetBackBufferHeight();
    CNewListBox text(kTextWidth, screenHeight, LISTBOX_SHADOW, 0);
    text.SetFont(FindFont(kListBoxFontFile));
    text.AddText(GetText().c_str(), kWhite);
    mTextHeight = text.GetTotalHeight();
    const int height = mTextHeight + 120;
    mX = screenWidth / 2 - kDialogWidth / 2;
    mY = screenHeight / 2 - height / 2;

    CPoint origin(mX, mY);
    mWindow = std::make_unique<CWindow>();
    mWindow->Init(&origin, CPoint(kDialogWidth, height), 16);
    CImage* image = mWindow->GetImage();
    text.SetDestinationImage(image);
    text.MoveTo(16, 50);
    text.Draw(DRAW_TYPE_0);
    PrintCentred("RVMLORD", "gfx\\fonts\\Lafayette36.bmp", 18, image);
    PrintCentred("RVAREYOUSURE1", kButtonFontFile, mTextHeight + 60, image);
    PrintCentred("RVAREYOUSURE2", kButtonFontFile, mTextHeight + 74, image);

    mOK = std::make_unique<CRZOKButton>();
    mCancel = std::make_unique<CRZCancelButton>();
    const int top = mY + height - 30;
    mOK->MoveTo(mX + 240 - mOK->GetWidth() / 2, top);
    mCancel->MoveTo(mX + 80 - mCancel->GetWidth() / 2, top);
}

int CConfirmDialog::Update(CRZEvent* event)
{
    if (!mOK || !mCancel)
        return 0;
    const int ok = mOK->Update(event);
    if (mOK->IsClicked()) {
        PerformAction();
        return 1;
    }
    if (ok)
        return ok;
    const int cancel = mCancel->Update(event);
    if (mCancel->IsClicked())
        return 1;
    return cancel;
}

int CConfirmDialog::Draw(CRZDrawType type)
{
    if (!mWindow || !mWindow->GetImage() || !CVideo::pBackBuffer)
        return 0;
    mWindow->GetImage()->Draw(mX, mY, CVideo::pBackBuffer);
    mOK->Draw(type);
    mCancel->Draw(type);
    return 0;
}

// --- The kinds ---

CActionConfirmDialog::CActionConfirmDialog(const char* text, int action, CDialogPlayer* player)
    : CConfirmDialog(player)
    , mText(text ? text : "")
    , mAction(action)
{
}

void CActionConfirmDialog::PerformAction()
{
    if (mPlayer)
        mPlayer->PerformConfirmedAction(mAction);
}

CCancelProvincialBuildConfirmDialog::CCancelProvincialBuildConfirmDialog(
    CDialogPlayer* player, CProvince& province)
    : CConfirmDialog(player)
    , mProvince(province)
{
}

std::string CCancelProvincialBuildConfirmDialog::GetText()
{
    const CProvinceImprovementType* building = CProvinceImprovementType::Get(mProvince.GetConstruction());
    return FormatDataText(TextStrings.GetString("CONFIRMCANCELBUILDING"),
        { building ? building->GetName() : "", ProvinceName(mProvince) });
}

void CCancelProvincialBuildConfirmDialog::PerformAction()
{
    if (CRZCountry* realm = mPlayer ? mPlayer->GetCountry() : nullptr)
        realm->CancelBuildingProvinceImprovement(mProvince);
}

CNavalTransportConfirmDialog::CNavalTransportConfirmDialog(
    CDialogPlayer* player, CRZUnitList& units, CProvince& target, bool add)
    : CConfirmDialog(player)
    , mTarget(target)
    , mAdd(add)
{
    float strength = 0.0f;
    CRZUnit* first = nullptr;
    for (auto it = units.GetHead(); !it.IsEnd(); it++) {
        CRZUnit* unit = *it;
        if (!unit)
            continue;
        first = first ? first : unit;
        strength += static_cast<float>(unit->GetTotalStrength()) / 250.0f;
        mUnits.push_back(unit->GetID());
    }
    CProvince* from = first ? CProvince::GetProvince(first->GetProvince()) : nullptr;
    CRZLandPath path;
    // Without a way there is no voyage to pay for: a cost of 0 or less would be paid to the player.
    if (!from || !path.Find(first, *from, target) || path.GetLength() <= 0)
        return;
    mCost = std::max(strength, 1.0f) * static_cast<float>(path.GetLength());

    const CCharacter* ruler = RulerOf(player);
    const CRZCountry* owner = target.GetOwner();
    const CCharacter* enemy = owner ? owner->ruler : nullptr;
    if (ruler && enemy && enemy->IsReligiousEnemy(ruler)) {
        const CCrusade* crusade = CCrusade::GetInstance();
        const CProvince* crusadeTarget
            = crusade ? CProvince::GetProvince(crusade->GetTargetProvince()) : nullptr;
        const bool outsideCrusade = !crusadeTarget || crusadeTarget->region != target.region;
        if (!(crusade && crusade->IsActive()) && outsideCrusade)
            mCost *= 5.0f;
    }
}

std::string CNavalTransportConfirmDialog::GetText()
{
    return FormatDataText(
        TextStrings.GetString("CONFIRMNAVALTRA"), { ProvinceName(mTarget), static_cast<double>(mCost) });
}

void CNavalTransportConfirmDialog::PerformAction()
{
    if (!CanTransport())
        return;
    CRZSelectedUnitList units(mUnits);
    if (units.GetSize() == 0)
        return;
    if (mAdd)
        units.AddMovementTo(mTarget.GetNumber(), CDate(), false);
    else
        units.MoveUnitsTo(mTarget.GetNumber(), CDate());
    if (CCharacter* ruler = RulerOf(mPlayer))
        PostToHostEvent(new CRZCharacterFloatEvent(_CRZEVT_GOLD_, CHARACTER_SERVER, ruler->GetID(), -mCost));
}
