// The question box: its texts from the stem's keys, its two buttons and the answer event.
#include "widgets/question_box.h"

#include "app/game.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "gfx/font.h"
#include "realms/country.h"
#include "text/new_text.h"
#include "widgets/generic_button.h"
#include "widgets/widget_hooks.h"

#include "foundation/safeguards.h"

namespace {

CRZCountryID PlayerCountry()
{
    CRZCountry* realm = gWidgetHooks.player ? gWidgetHooks.player->GetCountry() : nullptr;
    return realm ? realm->index : 0;
}

std::string Key(const std::string& stem, const char* suffix)
{
    return stem + suffix;
}

} // namespace

std::string CQuestionBox::BuildText(const char* stem)
{
    std::string bounded(stem ? stem : "");
    if (bounded.size() > static_cast<std::size_t>(kQuestionStemMax))
        bounded.resize(kQuestionStemMax);
    std::string text = TextStrings.GetString(Key(bounded, "_HEADER").c_str());
    text += ';';
    text += TextStrings.GetString(Key(bounded, "_1").c_str());
    for (const char* suffix : { "_2", "_3", "_4", "_5", "_6" }) {
        const char* part = TextStrings.GetString(Key(bounded, suffix).c_str());
        if (!part || !*part)
            break;
        text += ';';
        text += part;
    }
    return text;
}

CQuestionBox::CQuestionBox(const char* stem, int question)
    : CNiceMsgBoxBase(PlayerCountry())
    , mStem(stem ? stem : "")
    , mPlayer(RZTYPE_COUNTRY, static_cast<std::uint32_t>(PlayerCountry()))
    , mQuestion(question)
{
    if (mStem.size() > static_cast<std::size_t>(kQuestionStemMax))
        mStem.resize(kQuestionStemMax);
    if (gWidgetHooks.player && !CRZGame::IsMultiPlayer())
        gWidgetHooks.player->SetPause(true);
    InitBox();
}

CQuestionBox::~CQuestionBox()
{
    if (gWidgetHooks.player && !CRZGame::IsMultiPlayer())
        gWidgetHooks.player->SetPause(false);
    delete mFirst;
    delete mSecond;
}

void CQuestionBox::InitBox()
{
    InsertText(BuildText(mStem.c_str()).c_str());
    Init();
    CFont* font = gpFontDB ? gpFontDB->GetFont(kQuestionButtonFont) : nullptr;
    mFirst = new CRZGenericButton(TextStrings.GetString(Key(mStem, "_BTN1").c_str()), font, 0);
    mSecond = new CRZGenericButton(TextStrings.GetString(Key(mStem, "_BTN2").c_str()), font, 0);
    mFirst->SetHotKey(13);
    const int width = GetWidth();
    const int height = GetHeight();
    for (auto [button, centre] : { std::pair { mFirst, width / 4 }, std::pair { mSecond, 3 * width / 4 } }) {
        button->SetDestinationImage(GetImage());
        // The whole face takes the click, not only the label's and tiles' opaque pixels.
        button->SetRectangularHit(true);
        button->MoveTo(centre - button->GetWidth() / 2, height - button->GetHeight() - 16);
    }
}

int CQuestionBox::OfferButton(CRZGenericButton* button, CRZEvent* event, CRZEvtType answer)
{
    const CPoint at = GetPosition();
    button->SetOffset(at.x, at.y);
    const int result = button->Update(event);
    button->SetOffset(0, 0);
    if (!button->IsClicked())
        return result;
    PostLocalEvent(new CRZQuestionEvent(answer, mPlayer, mQuestion));
    return UPDATE_REMOVE;
}

int CQuestionBox::Update(CRZEvent* event)
{
    if (int result = OfferButton(mFirst, event, _CRZEVT_QUESTIONBOX_OK_))
        return result;
    if (int result = OfferButton(mSecond, event, _CRZEVT_QUESTIONBOX_CANCEL_))
        return result;
    return CNiceMsgBoxBase::Update(event);
}

int CQuestionBox::Draw(CRZDrawType type)
{
    mFirst->Draw(type);
    mSecond->Draw(type);
    return CWindow::Draw(type);
}
