// The court offices a character may hold in his realm, and the texts the interface shows for him: the
// tooltip, the title sentence and the names.
#include <cstdio>
#include <cstring>

#include "characters/character.h"
#include "characters/title.h"
#include "events/event_posting.h"
#include "events/records_character.h"
#include "foundation/text_format.h"
#include "foundation/utilities.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

const char* Text(const char* key)
{
    return TextStrings.GetString(key);
}

bool IsOffice(int position)
{
    return position >= COURT_CHANCELLOR && position <= COURT_CHAPLAIN;
}

CCharacter** OfficeOf(CRZCountry* realm, int position)
{
    if (realm == nullptr || !IsOffice(position) || gCharacterHooks.GetOffice == nullptr)
        return nullptr;
    return gCharacterHooks.GetOffice(realm, position);
}

} // namespace

bool CCharacter::CanBeCourtPosition(VLCourtPosition position) const
{
    if (!titles.IsEmpty())
        return position == COURT_COURTIER;
    if (!IsAdult())
        return false;
    if (position == COURT_MARSHAL)
        return !IsFemale();
    if (position == COURT_CHAPLAIN)
        return CanBecomePriest();
    return true;
}

float CCharacter::GetSuitability(VLCourtPosition position) const
{
    if (!CanBeCourtPosition(position))
        return -1.0f;
    switch (position) {
    case COURT_CHANCELLOR:
        return static_cast<float>(attributes.Get(CAttributeTuple::DIPLOMACY));
    case COURT_STEWARD:
        return static_cast<float>(attributes.Get(CAttributeTuple::STEWARDSHIP));
    case COURT_MARSHAL:
        return static_cast<float>(attributes.Get(CAttributeTuple::MARTIAL));
    case COURT_SPYMASTER:
        return static_cast<float>(attributes.Get(CAttributeTuple::INTRIGUE));
    case COURT_CHAPLAIN:
        return score.GetPiety() / 20.0f;
    default:
        return 0.0f;
    }
}

void CCharacter::SetCourtPosition(VLCourtPosition position)
{
    if (IsRuler() || !IsAlive())
        return;
    RemoveCourtReferences();
    courtPosition = position;
    if (CCharacter** office = OfficeOf(GetCountry(), position)) {
        // An office and its holder's position always agree: whoever held it is a courtier now.
        if (*office != nullptr && *office != this)
            (*office)->courtPosition = COURT_COURTIER;
        *office = this;
    }
}

void CCharacter::RemoveCourtReferences()
{
    if (CCharacter** office = OfficeOf(GetCountry(), courtPosition)) {
        if (*office == this)
            *office = nullptr;
    }
    courtPosition = COURT_COURTIER;
}

void CCharacter::ChangeCourtPosition(VLCourtPosition position)
{
    if (position != COURT_COURTIER) {
        CCharacter** office = OfficeOf(GetCountry(), position);
        CCharacter* holder = office != nullptr ? *office : nullptr;
        if (holder != nullptr && holder != this)
            holder->ChangeCourtPosition(COURT_COURTIER);
    }
    PostToHostEvent(new CRZChangeCourtPosEvent(_CRZEVT_CHANGE_COURT_POS_, CHARACTER_SERVER, id, position));
}

const char* CCharacter::GetCourtPositionName(int position)
{
    static const char* const kKeys[]
        = { "NOTATCOURT", "COURTIER", "CHANCELLOR", "STEWARD", "MARSHAL", "SPYMASTER", "CHAPLAIN" };
    if (position < 0 || position > COURT_CHAPLAIN)
        return "";
    return Text(kKeys[position]);
}

const char* CCharacter::GetPossesivePronom() const
{
    return Text(IsFemale() ? "FEMALE_POSSESIVE_PRONOM" : "MALE_POSSESIVE_PRONOM");
}

const char* CCharacter::GetFullName() const
{
    // Dynasty names come with the dynasty records; until then the given name stands alone.
    static char buffer[256];
    CopyString(buffer, GetName());
    return buffer;
}

const char* CCharacter::GetLongName() const
{
    static char buffer[1024];
    if (const CTitle* primary = GetPrimaryTitle())
        std::snprintf(buffer, sizeof buffer, "%s %s", primary->GetString(this), GetName());
    else if (courtPosition >= COURT_CHANCELLOR)
        std::snprintf(buffer, sizeof buffer, "%s %s", GetCourtPositionName(courtPosition), GetName());
    else
        CopyString(buffer, GetName());
    return buffer;
}

const char* CCharacter::GetTitleListString(const CList<CTitle*>& list)
{
    static char buffer[4096];
    buffer[0] = '\0';
    if (list.IsEmpty()) {
        CopyString(buffer, Text("NO_TITLE"));
        return buffer;
    }
    const int count = list.GetSize();
    int index = 0;
    for (auto title = list.GetHead(); !title.IsEnd(); title++, index++) {
        const CCharacter* holder = (*title)->GetCurrentHolder();
        const char* separator = index == 0 ? "" : index == count - 1 ? Text("AND") : ", ";
        // The last two are joined by the word for "and" between blanks.
        if (index > 0 && index == count - 1)
            AppendFormat(buffer, sizeof buffer, " %s ", separator);
        else
            AppendFormat(buffer, sizeof buffer, "%s", separator);
        AppendFormat(buffer, sizeof buffer, "%s", (*title)->GetString(holder));
    }
    AppendFormat(buffer, sizeof buffer, ". ");
    return buffer;
}

const char* CCharacter::GetTitleInfo() const
{
    return GetTitleListString(titles);
}

const char* CCharacter::GetBriefInfo() const
{
    static char buffer[8192];
    buffer[0] = '\0';
    if (IsAnonymous()) {
        CopyString(buffer, Text("ANONYMOUS_SOLDIER_DESC"));
        return buffer;
    }
    AppendFormat(buffer, sizeof buffer, "%s\n", GetFullName());
    if (courtPosition > COURT_COURTIER)
        AppendFormat(buffer, sizeof buffer, "%s\n", GetCourtPositionName(courtPosition));
    AppendFormat(buffer, sizeof buffer, "%s",
        FormatDataText(Text(IsAlive() ? "AGE_ALIVE" : "AGE_DEAD"), { GetAge() }).c_str());
    AppendFormat(buffer, sizeof buffer, "\n");
    if (GetLiegeRuler() != nullptr)
        AppendFormat(buffer, sizeof buffer, "%s (%.1f)\n", GetLoyaltyInfo(), loyaltyToLiege * 100.0f);
    AppendFormat(buffer, sizeof buffer, "%s: %.0f\n", Text("PIETY"), score.GetPiety());
    AppendFormat(buffer, sizeof buffer, "%s: %.0f\n", Text("PRESTIGE"), score.GetPrestige());
    AppendFormat(buffer, sizeof buffer, "%s: %.0f\n", Text("SCOREGOLD"), score.GetGold());
    AppendFormat(buffer, sizeof buffer, "%s: %d, %s: %d, %s: %d, %s: %d\n", Text("MARTIAL"),
        attributes.Get(CAttributeTuple::MARTIAL), Text("DIPLOMACY"),
        attributes.Get(CAttributeTuple::DIPLOMACY), Text("INTRIGUE"),
        attributes.Get(CAttributeTuple::INTRIGUE), Text("STEWARDSHIP"),
        attributes.Get(CAttributeTuple::STEWARDSHIP));
    if (titles.IsEmpty()) {
        AppendFormat(buffer, sizeof buffer, "%s\n", Text("NO_TITLE"));
    } else {
        for (auto title = titles.GetHead(); !title.IsEnd(); title++)
            AppendFormat(buffer, sizeof buffer, "%s\n", (*title)->GetString(this));
    }
    AppendFormat(buffer, sizeof buffer, "%s", Text("TRAITS"));
    bool first = true;
    for (int trait = 0; trait < kTraitCount; ++trait) {
        const CTraitType* type = traits.Exists(trait) ? CTraitType::Get(trait) : nullptr;
        if (type == nullptr)
            continue;
        AppendFormat(buffer, sizeof buffer, "%s%s", first ? " " : ", ", type->GetName());
        first = false;
    }
    return buffer;
}

const char* CCharacter::GetLoyaltyInfo() const
{
    // Bands of a tenth, with none at 0.3.
    static const char* const kBands[] = { "LOYALTY_0", "LOYALTY_1", "LOYALTY_2", "LOYALTY_2", "LOYALTY_3",
        "LOYALTY_4", "LOYALTY_5", "LOYALTY_6", "LOYALTY_7", "LOYALTY_8", "LOYALTY_9" };
    const float loyalty = loyaltyToLiege;
    int band = 0;
    while (band < 10 && loyalty >= static_cast<float>(band + 1) / 10.0f)
        ++band;
    return Text(kBands[band]);
}
