// A dead ruler's inheritance: read from its event, the best county chosen, and told to the player.
#include "realms/inheritance.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "characters/character.h"
#include "characters/title.h"
#include "events/event_posting.h"
#include "events/variable_events.h"
#include "foundation/logs.h"
#include "foundation/sorted_list.h"
#include "realms/province.h"
#include "realms/war.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr std::size_t kTextSize = 8192;

float MonthlyWorth(const CTitle* title)
{
    const CProvince* province = CProvince::GetProvince(title->GetProvince());
    if (province == nullptr)
        return 0.0f;
    const CSimpleScore monthly = province->GetModifier().GetProvinceMonthlyScore(*province).GetTotal();
    return monthly.GetPrestige() + monthly.GetGold();
}

// Appends to the buffer; once it is full, the eleven dots stand at its end and nothing more is added.
class CTextOut {
public:
    explicit CTextOut(char* out)
        : buffer(out)
    {
        buffer[0] = '\0';
    }
    __attribute__((format(printf, 2, 3))) void Add(const char* format, ...)
    {
        if (full)
            return;
        va_list args;
        va_start(args, format);
        const int written = std::vsnprintf(buffer + length, kTextSize - length, format, args);
        va_end(args);
        if (written < 0 || length + static_cast<std::size_t>(written) >= kTextSize - 1) {
            std::snprintf(buffer + kTextSize - 12, 12, "%s", "...........");
            full = true;
            return;
        }
        length += static_cast<std::size_t>(written);
    }
    bool Empty() const { return length == 0; }

private:
    char* buffer;
    std::size_t length = 0;
    bool full = false;
};

} // namespace

const char* TitleList(const CList<CRZID>& ids, bool claims)
{
    CSortedList<CTitle*, TitleComparer> sorted;
    for (auto it = ids.GetHead(); !it.IsEnd(); it++) {
        CTitle* title = nullptr;
        if (claims) {
            const CClaim* claim = CClaim::GetClaim(*it);
            title = claim != nullptr ? claim->GetTitle() : nullptr;
        } else {
            title = CTitle::GetTitle(*it);
        }
        if (title != nullptr)
            sorted.Add(title);
    }
    return CCharacter::GetTitleListString(sorted);
}

CInheritance::CInheritance(const CRZInheritEvent& event)
{
    const CRZInheritEventData& record = event.Record();
    formOfGovernment = record.formOfGovernment;
    score = CSimpleScore(record.score.gold, record.score.prestige, record.score.piety);
    const uint32_t counts[3] = { event.GetCount(CRZInheritEvent::Titles),
        event.GetCount(CRZInheritEvent::Claims), event.GetCount(CRZInheritEvent::Wars) };
    const uint64_t total = uint64_t { counts[0] } + counts[1] + counts[2];
    if (event.GetRequiredSize() == kUnreadableRecord || total != record.count
        || 8 * total + 82 > kMaxSentRecordSize) {
        mydebug("inherit event with counts %u %u %u for %u identities refused\n", counts[0], counts[1],
            counts[2], static_cast<unsigned>(record.count));
        return;
    }
    CList<CRZID>* groups[3] = { &titles, &claims, &wars };
    for (int group = 0; group < 3; ++group)
        for (uint32_t i = 0; i < counts[group]; ++i)
            groups[group]->Append(event.GetIdentity(static_cast<CRZInheritEvent::Group>(group), i));
}

void CInheritance::AddScore(const CSimpleScore& amount)
{
    score = CSimpleScore(score.GetGold() + amount.GetGold(), score.GetPrestige() + amount.GetPrestige(),
        score.GetPiety() + amount.GetPiety());
}

void CInheritance::TakeBestCountTitle(CList<CTitle*>& list)
{
    if (list.IsEmpty())
        return;
    CTitle* chosen = nullptr;
    for (auto it = list.GetHead(); !it.IsEnd(); it++) {
        const CProvince* province = CProvince::GetProvince((*it)->GetProvince());
        if (province != nullptr && province->HasCapital())
            chosen = *it;
    }
    for (int pass = 0; pass < 2 && chosen == nullptr; ++pass) {
        float best = -99999.0f;
        for (auto it = list.GetHead(); !it.IsEnd(); it++) {
            const CTitle* liege = (*it)->GetOwnLiege();
            if (pass == 0 && (liege == nullptr || !titles.Contains(liege->GetID())))
                continue;
            const float worth = MonthlyWorth(*it);
            if (worth > best) {
                best = worth;
                chosen = *it;
            }
        }
    }
    if (chosen == nullptr)
        return;
    titles.Append(chosen->GetID());
    list.Remove(chosen);
}

const char* CInheritance::GetString(const CCharacter* heir) const
{
    static char text[kTextSize];
    CTextOut out(text);
    if (!titles.IsEmpty()) {
        out.Add("%s %s", TextStrings.GetString("MSG_TITLES"), TitleList(titles, false));
        if (!claims.IsEmpty())
            out.Add("; ");
    }
    if (!claims.IsEmpty())
        out.Add("%s %s", TextStrings.GetString("MSG_CLAIMS"), TitleList(claims, true));
    if (!wars.IsEmpty() && (!titles.IsEmpty() || !claims.IsEmpty()))
        out.Add("; ");
    if (!wars.IsEmpty()) {
        out.Add("%s ", TextStrings.GetString("MSG_WARS"));
        int left = wars.GetSize();
        for (auto it = wars.GetHead(); !it.IsEnd(); it++, --left) {
            const CWar* war = dynamic_cast<const CWar*>(CIdentity::GetObjectFromID(*it));
            const CCharacter* leader = nullptr;
            if (war != nullptr)
                leader = war->GetAttacker() != heir ? war->GetAttacker() : war->GetDefender();
            if (left == 1 && wars.GetSize() > 1)
                out.Add(" %s ", TextStrings.GetString("MSG_AND"));
            else if (left != wars.GetSize())
                out.Add(", ");
            out.Add("%s", leader != nullptr ? leader->GetLongName() : "");
        }
    }
    if (!out.Empty())
        out.Add(" %s ", TextStrings.GetString("MSG_AND"));
    out.Add("%d %s", static_cast<int>(score.GetGold()), TextStrings.GetString("SCOREGOLD"));
    return text;
}

void PostInherit(CCharacter* heir, const CRZID& dead, const CInheritance& share)
{
    CRZInheritanceTerms terms;
    terms.formOfGovernment = share.GetFormOfGoverment();
    terms.score.gold = share.GetScore().GetGold();
    terms.score.prestige = share.GetScore().GetPrestige();
    terms.score.piety = share.GetScore().GetPiety();
    terms.titles = share.GetTitles();
    terms.claims = share.GetClaims();
    terms.wars = share.GetWars();
    ProcessToHostEvent(new CRZInheritEvent(_CRZEVT_INHERIT_, CHARACTER_SERVER, heir->GetID(), dead, terms));
}
