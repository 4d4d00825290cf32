// The answer windows: the popup base with its accept and decline buttons and portrait boxes, and what each
// kind says and does with the player's answer.
#include "widgets/popup_dialog.h"

#include "characters/character.h"
#include "events/event_posting.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "foundation/text_format.h"
#include "gfx/font.h"
#include "realms/country.h"
#include "realms/request.h"
#include "realms/war.h"
#include "text/new_text.h"
#include "widgets/character_box.h"
#include "widgets/generic_button.h"
#include "widgets/interface.h"
#include "widgets/list_box.h"
#include "widgets/overlap_box.h"
#include "widgets/widget_hooks.h"

#include "foundation/safeguards.h"

CPopupHooks gPopupHooks;

namespace {

const char* RealmName(CRZCountryID id)
{
    const CRZCountry* realm = CRZCountry::GetCountry(id);
    return realm ? realm->GetName() : "";
}

CCharacter* Ruler(CRZCountryID id)
{
    const CRZCountry* realm = CRZCountry::GetCountry(id);
    return realm ? realm->ruler : nullptr;
}

std::string Text(const std::string& key)
{
    return TextStrings.GetString(key.c_str());
}

} // namespace

// The base.

CPopupDialog::CPopupDialog(CDialogPlayer* player, int, CRZCountryID country)
    : CNiceMsgBoxBase(country)
    , mPlayer(player)
{
    if (mPlayer)
        mPlayer->AddPopup(this);
    CFont* font = gpFontDB ? gpFontDB->GetFont(kPopupButtonFont) : nullptr;
    mAccept = new CRZGenericButton(TextStrings.GetString("INVACCEPT"), font, 0);
    mDecline = new CRZGenericButton(TextStrings.GetString("INVDECLINE"), font, 0);
    mAccept->SetHotKey(13);
    mDecline->SetHotKey(14);
    // The whole face takes the click, not only the label's and tiles' opaque pixels.
    mAccept->SetRectangularHit(true);
    mDecline->SetRectangularHit(true);
    // Shown only once laid out.
    if (gpInterface)
        gpInterface->RemoveWindow(this);
}

CPopupDialog::~CPopupDialog()
{
    if (mPlayer)
        mPlayer->RemovePopup(this);
    delete mAccept;
    delete mDecline;
    for (auto& extra : mExtras)
        extra.reset();
}

CRZCountry* CPopupDialog::PlayerCountry() const
{
    return mPlayer ? mPlayer->GetCountry() : nullptr;
}

void CPopupDialog::Init()
{
    if (CNewListBox* part = GetPart(7))
        part->AddText(TextStrings.GetString("POPRESP"));
    CNiceMsgBoxBase::Init();
    mAccept->SetDestinationImage(GetImage());
    mDecline->SetDestinationImage(GetImage());
    if (gpInterface)
        gpInterface->AddWindow(this);
}

void CPopupDialog::SetExtra(int slot, COverlapBox* widget, CPoint at)
{
    if (slot < 0 || slot >= kPopupExtras) {
        delete widget;
        return;
    }
    mExtras[slot].reset(widget);
    mExtraAt[slot] = at;
    if (widget)
        widget->MoveTo(at.x, at.y);
}

bool CPopupDialog::Offer(CRZGenericButton* button, CRZEvent* event, int& result)
{
    const CPoint at = GetPosition();
    button->SetOffset(at.x, at.y);
    result = button->Update(event);
    button->SetOffset(0, 0);
    return button->IsClicked();
}

int CPopupDialog::Update(CRZEvent* event)
{
    if (!IsValid()) {
        OnCancel();
        return UPDATE_REMOVE;
    }
    if (!event)
        return 0;
    const CPoint at = CInput::EventPosition(event);
    const CPoint origin = GetPosition();
    if (event->GetType() == _CRZEVT_MOUSERBUP_ && isWithin(at.x, at.y)) {
        if (gPopupHooks.ShowMessageSettings)
            gPopupHooks.ShowMessageSettings(mMessageType, at);
        return UPDATE_TAKEN;
    }
    // The buttons keep their places in the box's image.
    const int height = GetHeight();
    mAccept->MoveTo(254 - mAccept->GetWidth() / 2, height - mAccept->GetHeight() - 16);
    mDecline->MoveTo(58 - mDecline->GetWidth() / 2, height - mAccept->GetHeight() - 16);
    int result = 0;
    if (Offer(mAccept, event, result)) {
        OnOk();
        return UPDATE_REMOVE;
    }
    if (result)
        return result;
    if (Offer(mDecline, event, result)) {
        OnCancel();
        return UPDATE_REMOVE;
    }
    if (result)
        return result;
    for (int i = 0; i < kPopupExtras; ++i) {
        if (!mExtras[i])
            continue;
        mExtras[i]->MoveTo(origin.x + mExtraAt[i].x, origin.y + mExtraAt[i].y);
        result = mExtras[i]->Update(event);
        mExtras[i]->MoveTo(mExtraAt[i].x, mExtraAt[i].y);
        if (result)
            return result;
    }
    // The coat of arms answers only for a realm that exists; the window itself always.
    if (CRZCountry::GetCountry(GetCountry()))
        return CNiceMsgBoxBase::Update(event);
    return CWindow::Update(event);
}

int CPopupDialog::Draw(CRZDrawType type)
{
    const int height = GetHeight();
    mAccept->MoveTo(254 - mAccept->GetWidth() / 2, height - mAccept->GetHeight() - 16);
    mDecline->MoveTo(58 - mDecline->GetWidth() / 2, height - mAccept->GetHeight() - 16);
    mAccept->Draw(type);
    mDecline->Draw(type);
    for (auto& extra : mExtras)
        if (extra) {
            extra->SetDestinationImage(GetImage());
            extra->Draw(type);
        }
    return CWindow::Draw(type);
}

// Requests.

CRZAnswerRequestWindow::CRZAnswerRequestWindow(CDialogPlayer* player, CRequest* request)
    : CPopupDialog(player, 0, request ? request->GetSender() : 0)
    , mRequest(request)
{
    mAccept->SetHotKey(-1);
    if (!request) {
        Init();
        return;
    }
    std::string parts[kNiceBoxParts];
    request->WriteToPopup(parts);
    for (int i = 0; i < kNiceBoxParts; ++i)
        if (!parts[i].empty() && GetPart(i))
            GetPart(i)->AddText(parts[i].c_str());
    mMessageType = request->GetMsgType();
    Init();
    // The first two characters that still exist get portraits.
    int shown = 0;
    request->characters.ForEach([&](const CRZID& id) {
        if (shown >= kPopupExtras)
            return;
        CRef<CCharacter> character(id);
        if (!character.Get())
            return;
        const CPoint at
            = shown == 0 ? CPoint(16, kPopupPortraitTop) : CPoint(GetWidth() - 80, kPopupPortraitTop);
        auto* box = new COverlapBox(
            at.x, at.y, kPopupPortraitSize, kPopupPortraitSize, new CCharacterBoxEntry(character), 0, true);
        if (box->GetLayoutOrder().IsEmpty()) {
            delete box;
            return;
        }
        SetExtra(shown++, box, at);
    });
}

void CRZAnswerRequestWindow::OnOk()
{
    if (mRequest)
        mRequest->AnswerToHost(1);
}

void CRZAnswerRequestWindow::OnCancel()
{
    if (mRequest)
        mRequest->AnswerToHost(0);
}

const char* CRZAnswerRequestWindow::GetRollover()
{
    return TextStrings.GetString("IW_ANSWER_REQUEST_ROLLOEVER");
}

bool CRZAnswerRequestWindow::IsValid()
{
    return mRequest && mRequest->IsValid() && mRequest->IsDataValid()
        && !(GetGameToday() > mRequest->GetExpirationDate());
}

// Trade.

CRZAnswerTradeWindow::CRZAnswerTradeWindow(CDialogPlayer* player, CRZDiplomaticEvent* offer)
    : CPopupDialog(player, 0, offer ? offer->Record().first : 0)
    , mSender(offer ? offer->Record().first : 0)
{
    // The offer is kept as a copy of its record: the caller's event goes on its way.
    if (offer) {
        mOffer = new CRZDiplomaticEvent(offer->GetType(), offer->GetReceiver(), {}, {}, 0, 0, 0);
        mOffer->Record() = offer->Record();
    }
    Init();
}

CRZAnswerTradeWindow::~CRZAnswerTradeWindow()
{
    delete mOffer;
}

void CRZAnswerTradeWindow::OnAccept()
{
    if (CRZCountry* realm = PlayerCountry(); realm && mOffer && gPopupHooks.AcceptTrade)
        gPopupHooks.AcceptTrade(realm, mOffer);
}

void CRZAnswerTradeWindow::OnReject()
{
    if (CRZCountry* realm = PlayerCountry(); realm && mOffer && gPopupHooks.DeclineTrade)
        gPopupHooks.DeclineTrade(realm, mOffer);
}

// Calls to war.

CRZAnswerWarWindow::CRZAnswerWarWindow(
    CDialogPlayer* player, CRZCountryID asking, CRZCountryID enemy, const char* stem, bool vassals)
    : CPopupDialog(player, 0, asking)
    , mAsking(asking)
    , mEnemy(enemy)
{
    mMessageType = 2;
    mAccept->SetHotKey(-1);
    const std::string key(stem);
    if (AskingAttacked()) {
        mText1 = FormatDataText(Text(key + "1B"), { RealmName(asking) });
        mText2 = FormatDataText(Text(key + "2B"), { RealmName(enemy) });
        // Someone of the attacking ruler's side already fights the enemy's ruler.
        CCharacter* attacker = Ruler(asking);
        CCharacter* enemyRuler = Ruler(enemy);
        bool joined = false;
        if (attacker && enemyRuler) {
            const auto fights = [&](const CCharacter* who) {
                if (who && who->enemies.Contains(enemyRuler))
                    joined = true;
            };
            if (vassals)
                attacker->vassals.ForEach([&](CRef<CCharacter> v) { fights(v.Get()); });
            else
                attacker->allies.ForEach([&](CCharacter* a) { fights(a); });
        }
        if (joined)
            mText2 += Text(key + "3B");
    } else {
        mText1 = Text(key + "1");
        mText2 = FormatDataText(Text(key + "2"), { RealmName(enemy), RealmName(asking) });
    }
    if (gPopupHooks.InsertTitle)
        mText1 = gPopupHooks.InsertTitle(mText1);
    GetPart(2)->AddText(mText1.c_str());
    GetPart(3)->AddText(mText2.c_str());
    GetPart(4)->AddText(Text(key + "3").c_str());
    Init();
}

bool CRZAnswerWarWindow::BothExist() const
{
    return CRZCountry::GetCountry(mAsking) && CRZCountry::GetCountry(mEnemy);
}

bool CRZAnswerWarWindow::AskingAttacked() const
{
    const CWar* war = gPopupHooks.GetWar ? gPopupHooks.GetWar(mAsking, mEnemy) : nullptr;
    const CCharacter* ruler = Ruler(mAsking);
    return war && ruler && war->GetAttackerID() == ruler->GetID();
}

bool CRZAnswerWarWindow::IsValid()
{
    const CRZCountry* realm = PlayerCountry();
    if (!BothExist() || !realm)
        return false;
    return !realm->IsEnemy(mAsking) && !realm->IsEnemy(mEnemy);
}

CRZAnswerWarOnAllyWindow::CRZAnswerWarOnAllyWindow(
    CDialogPlayer* player, CRZCountryID ally, CRZCountryID enemy)
    : CRZAnswerWarWindow(player, ally, enemy, "ANSWERALLY", false)
{
}

void CRZAnswerWarOnAllyWindow::OnOk()
{
    if (CRZCountry* realm = PlayerCountry(); realm && gPopupHooks.DeclareWar)
        gPopupHooks.DeclareWar(realm, mEnemy, false, true);
}

CRZAnswerWarOnVassalWindow::CRZAnswerWarOnVassalWindow(
    CDialogPlayer* player, CRZCountryID vassal, CRZCountryID enemy)
    : CRZAnswerWarWindow(player, vassal, enemy, "ANSWERVASSAL", true)
{
}

void CRZAnswerWarOnVassalWindow::OnOk()
{
    if (CRZCountry* realm = PlayerCountry(); realm && BothExist() && gPopupHooks.DeclareWar)
        gPopupHooks.DeclareWar(realm, mEnemy, !AskingAttacked(), false);
}

void CRZAnswerWarOnVassalWindow::OnCancel()
{
    CRZCountry* realm = PlayerCountry();
    if (!realm || !BothExist() || AskingAttacked() || realm->IsEnemy(mEnemy))
        return;
    PostToHostEvent(new CRZCharacterFloatEvent(_CRZEVT_PRESTIGE_, CHARACTER_SERVER,
        CRZID(RZTYPE_COUNTRY, static_cast<std::uint32_t>(realm->index)), -100.0f));
}

// Peace.

CRZAnswerOfferPeaceWindow::CRZAnswerOfferPeaceWindow(CDialogPlayer* player, CRZCountryID country)
    : CPopupDialog(player, 0, country)
    , mRollover(FormatDataText(TextStrings.GetString("PEACE_ROLL"), { RealmName(country) }))
{
    Init();
}

const char* CRZAnswerOfferPeaceWindow::GetRollover()
{
    return mRollover.c_str();
}
