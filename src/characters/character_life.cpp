// A character's day: conception, labour and birth decided on the host, children growing up, claims kept
// tidy, and courtiers and fosterlings going where their family is; with the handlers that apply the
// outcomes on every machine and the making of a new-born.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <strings.h>

#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/culture.h"
#include "characters/portrait_dna.h"
#include "characters/title.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/records_character.h"
#include "foundation/logs.h"
#include "foundation/random_generator.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

// Message types: conception and birth have one each for the player, his realm and others.
constexpr int kMessagePregnant = 30;
constexpr int kMessageBirth = 33;
constexpr int kMessageDeathInChildbirth = 36;
constexpr int kMessageMiscarriage = 37;

constexpr int kNobodyRealm = CTitle::kNobodyRealm;
constexpr int kRebelRealm = 1422;
constexpr int kLastRealm = 1422;
constexpr int kFertileFrom = 16;
constexpr int kFertileUntil = 46;
constexpr int kGrownUp = 16;
constexpr int kLeavesParentsAt = 21;
constexpr int kTrainedAttributeLimit = 12;

bool IsRealRealm(int32_t realmId)
{
    return realmId > 0 && realmId <= kLastRealm && realmId != kNobodyRealm && realmId != kRebelRealm;
}

CCharacter* Find(const CRZID& identity)
{
    return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(identity));
}

// One who can take the character in: alive and living in a real realm.
bool CanHost(const CCharacter* other)
{
    return other != nullptr && other->IsAlive() && IsRealRealm(other->realmId);
}

int Draw(int range)
{
    return gGameRandom.Next() % range;
}

// Fertility f gives a half-life of 900000 / f^4 days until conception. Few values of f occur, and every
// married woman of age asks each day, so each value's chance is worked out once.
double ConceptionChance(float f)
{
    struct Entry {
        uint32_t bits = 0xFFFFFFFFu;
        double chance = 0.0;
    };
    static Entry known[256];
    uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    Entry& entry = known[(bits ^ (bits >> 8) ^ (bits >> 16) ^ (bits >> 24)) & 0xFFu];
    if (entry.bits != bits) {
        entry.bits = bits;
        entry.chance = 1.0 - std::pow(0.5, std::pow(static_cast<double>(f), 4.0) / 900000.0);
    }
    return entry.chance;
}

void PostAttribute(const CRZID& character, CRZEvtType type, float amount)
{
    PostToHostEvent(new CRZCharacterFloatEvent(type, CHARACTER_SERVER, character, amount));
}

// The realm of the first who can take him in, among his spouse, father and mother, then his children and
// siblings; null without one.
CCharacter* FirstOfFamily(CCharacter& character, CCharacter* spouse, bool parentsToo, bool descendantsToo)
{
    if (CanHost(spouse))
        return spouse;
    if (parentsToo) {
        for (const CRZID& parent : { character.father, character.mother }) {
            if (CCharacter* candidate = Find(parent); CanHost(candidate))
                return candidate;
        }
    }
    if (!descendantsToo)
        return nullptr;
    for (auto child = character.children.GetHead(); !child.IsEnd(); child++) {
        if (CCharacter* candidate = (*child).Get(); CanHost(candidate))
            return candidate;
    }
    const auto& siblings = character.GetSiblings();
    for (auto sibling = siblings.GetHead(); !sibling.IsEnd(); sibling++) {
        if (CCharacter* candidate = (*sibling).Get(); CanHost(candidate))
            return candidate;
    }
    return nullptr;
}

// The realm a homeless courtier is drawn to by culture, faith, blood and his claims on its ruler.
CRZCountry* BestRealmFor(const CCharacter& character, const CDate& today)
{
    CRZCountry* best = nullptr;
    int bestScore = 25;
    const CIdentity* dynasty = CIdentity::GetObjectFromID(character.dynasty);
    for (int32_t realmId = 0; realmId <= kLastRealm; ++realmId) {
        CRZCountry* realm = RealmAt(realmId);
        const CCharacter* ruler = realm != nullptr && gCharacterHooks.GetRuler != nullptr
            ? gCharacterHooks.GetRuler(realm)
            : nullptr;
        if (ruler == nullptr)
            continue;
        if (gCharacterHooks.GetNeededCharacters != nullptr && gCharacterHooks.GetNeededCharacters(realm) >= 1)
            continue;
        const CList<CCharacter*>* court
            = gCharacterHooks.GetCourt != nullptr ? gCharacterHooks.GetCourt(realm) : nullptr;
        int score = (today.day + realmId) % 20 - (court != nullptr ? court->GetSize() : 0);
        score += ruler->culture == character.culture ? 90 : 0;
        score += ruler->religion == character.religion ? 100 : 0;
        score += CIdentity::GetObjectFromID(ruler->dynasty) == dynasty ? 60 : 0;
        for (auto claim = character.claims.GetHead(); !claim.IsEnd(); claim++) {
            const CClaim* held = CClaim::GetClaim(*claim);
            const CTitle* title = held != nullptr ? held->GetTitle() : nullptr;
            if (title != nullptr && title->GetCurrentHolder() == ruler)
                score -= 25;
        }
        if (score > bestScore) {
            bestScore = score;
            best = realm;
        }
    }
    return best;
}

} // namespace

int CCharacter::handleTimerDay(CRZEvent*)
{
    const CDate today = GetGameToday();
    if (IsHostMachine() && IsAlive()) {
        CheckImpregnation();
        CheckBirth();
    }
    if (GetCountry() == nullptr) {
        if (CRZCountry* nobody = RealmAt(kNobodyRealm))
            SetCountry(nobody);
    }

    if (IsHostMachine() && status != 0 && GetAge() < kGrownUp && today.day == birthDate.day
        && today.month == birthDate.month) {
        const int d = Draw(10);
        if (d <= 2) {
            for (CRZEvtType type :
                { _CRZEVT_STEWARDSHIP_, _CRZEVT_DIPLOMACY_, _CRZEVT_INTRIGUE_, _CRZEVT_MARTIAL_ })
                PostAttribute(id, type, 1.0f);
        } else {
            const float amount = d == 9 ? 2.0f : 1.0f;
            static const struct {
                int attribute;
                CRZEvtType type;
            } kTrained[4] = { { CAttributeTuple::MARTIAL, _CRZEVT_MARTIAL_ },
                { CAttributeTuple::INTRIGUE, _CRZEVT_INTRIGUE_ },
                { CAttributeTuple::DIPLOMACY, _CRZEVT_DIPLOMACY_ },
                { CAttributeTuple::STEWARDSHIP, _CRZEVT_STEWARDSHIP_ } };
            const auto& trained = kTrained[Draw(4)];
            if (baseAttributes.Get(trained.attribute) < kTrainedAttributeLimit)
                PostAttribute(id, trained.type, amount);
        }
    }

    const int dayNumber = today.GetDays() + static_cast<int>(id.number);
    // A claim on his own title is no claim; of two claims on one title the later stays.
    for (auto claim = claims.GetHead(); !claim.IsEnd();) {
        const CRZID here = *claim;
        claim++;
        const CClaim* held = CClaim::GetClaim(here);
        const CTitle* title = held != nullptr ? held->GetTitle() : nullptr;
        if (title == nullptr)
            continue;
        bool drop = title->GetCurrentHolder() == this;
        if (!drop && dayNumber % 7 == 0) {
            for (auto other = claim; !other.IsEnd() && !drop; other++) {
                const CClaim* second = CClaim::GetClaim(*other);
                drop = second != nullptr && second->GetTitle() == title;
            }
        }
        if (drop)
            RemoveClaim(here);
    }

    if (dayNumber % 53 != 0)
        return 0;
    if (HasTrait(TRAIT_FOSTERLING)) {
        if (GetAge() < kGrownUp && IsRealRealm(realmId))
            return 0;
        if (GetAge() < kGrownUp && realmId != kNobodyRealm)
            return 0;
        // Home is the nearest family in a real realm.
        if (CCharacter* family = FirstOfFamily(*this, FindSpouse(), true, true)) {
            RemoveTrait(TRAIT_FOSTERLING);
            SetCountry(family->GetCountry());
        }
        return 0;
    }
    if (IsRuler() || courtPosition != COURT_COURTIER)
        return 0;
    CCharacter* spouse = FindSpouse();
    // A husband stays where he is when his wife is an untitled courtier: she follows him, not he her.
    CCharacter* followed = spouse;
    if (!IsFemale() && spouse != nullptr && spouse->titles.IsEmpty()
        && spouse->courtPosition == COURT_COURTIER)
        followed = nullptr;
    if (CCharacter* family = FirstOfFamily(*this, followed, GetAge() < kLeavesParentsAt, false)) {
        if (family->realmId != realmId)
            SetCountry(family->GetCountry());
        return 0;
    }
    if (realmId != kNobodyRealm)
        return 0;
    if (CCharacter* family = FirstOfFamily(*this, spouse, true, true)) {
        SetCountry(family->GetCountry());
        return 0;
    }
    if (CRZCountry* realm = BestRealmFor(*this, today))
        SetCountry(realm);
    return 0;
}

bool CCharacter::CanBeImpregnated() const
{
    return IsAlive() && !IsPregnant() && FindSpouse() != nullptr;
}

void CCharacter::CheckImpregnation()
{
    if (!IsFemale() || IsPregnant())
        return;
    const int age = GetAge();
    if (age < kFertileFrom || age >= kFertileUntil)
        return;
    const CDate today = GetGameToday();
    if (lastChildBirthDay != kNoChildBirthDay
        && (today.GetDays() - lastChildBirthDay) / CDate::_nDaysPerMonth < 1)
        return;
    const CCharacter* spouse = FindSpouse();
    if (spouse == nullptr)
        return;
    float f = static_cast<float>(baseAttributes.Get(CAttributeTuple::FERTILITY));
    if (age > 25)
        f *= 0.9f;
    if (age > 30)
        f *= 0.85f;
    if (age > 35)
        f *= 0.8f;
    if (age > 40)
        f *= 0.5f;
    f = std::min(f, static_cast<float>(spouse->attributes.Get(CAttributeTuple::FERTILITY)));
    if (f < 0.001f)
        return;
    if (f > 0.5f) {
        if (age < 30)
            f += 5.0f - static_cast<float>(children.GetSize());
        f = std::min(f, 10.0f);
    }
    const double chance = ConceptionChance(f);
    const double u = static_cast<double>(gGameRandom.Next()) / 32767.0;
    if (chance > u)
        PostToHostEvent(
            new CRZImpregnationEvent(_CRZEVT_IMPREGNATION_, CHARACTER_SERVER, id, spouse->GetID(), today));
}

void CCharacter::CheckBirth()
{
    if (!IsFemale() || !IsPregnant())
        return;
    const int t = GetGameToday().GetDays() - conceptionDate.GetDays();
    const double u = static_cast<double>(Draw(10000)) / 10000.0;
    const bool labour = (t >= 241 && u < 0.01) || (t > 265 && u < 0.15) || t > 275;
    const int r = Draw(100);
    if (!labour)
        return;
    if (r + children.GetSize() <= attributes.Get(CAttributeTuple::HEALTH) + 85)
        GiveBirth(CRef<CCharacter>(childFather));
    else if (gGameRandom.Next() % 2 == 0)
        PostDeathChildbirth();
    else
        PostToHostEvent(new CRZIdEvent(_CRZEVT_MISSCARRIGE_, CHARACTER_SERVER, id));
}

void CCharacter::GiveBirth(CRef<CCharacter> childsFather)
{
    const float health = static_cast<float>(Draw(10));
    const float fertility = static_cast<float>(Draw(10));
    int32_t childGender = Draw(2) == 0 ? GENDER_FEMALE : GENDER_MALE;
    if (gCharacterHooks.GetLiveCounts != nullptr) {
        int32_t living = 0;
        int32_t women = 0;
        gCharacterHooks.GetLiveCounts(living, women);
        // Keeps enough brides in the world.
        if (women < living * 30 / 100)
            childGender = GENDER_FEMALE;
    }
    // Without a father the birth comes to nothing on every machine; the mother's ways stand in.
    const CCharacter* sire = childsFather.Get();
    const CCharacter& parent = sire != nullptr ? *sire : *this;
    int32_t childCulture = parent.culture;
    const int pick = Draw(100);
    if (pick < 10) {
        childCulture = culture;
    } else if (pick < 20 && gCharacterHooks.GetCapitalCulture != nullptr) {
        const CRZCountry* realm = GetCountry();
        const int32_t local = realm != nullptr ? gCharacterHooks.GetCapitalCulture(realm) : 0;
        if (CRZCulture::IsDark(local) == CRZCulture::IsDark(parent.culture))
            childCulture = local;
    }
    if (childCulture == 0)
        childCulture = parent.culture;
    const CRZID child = CRZDynamicObject::GetUniqueDynamicID();
    PostToHostEvent(
        new CRZBirthEvent(_CRZEVT_BIRTH_, CHARACTER_SERVER, id, childsFather.GetID(), child, homeProvince,
            GetGameToday(), 0.0f, 0.0f, 0.0f, 0.0f, health, fertility, static_cast<Gender>(childGender),
            static_cast<RZReligionType>(parent.religion), static_cast<RZCultureType>(childCulture)));
}

void CCharacter::PostDeathChildbirth()
{
    if (IsHostMachine())
        MarkDeathPosted();
    PostToHostEvent(new CRZIdEvent(_CRZEVT_DEATH_CHILDBIRTH_, CHARACTER_SERVER, id));
}

int CCharacter::handleImpregnation(CRZEvent* event)
{
    const auto* record = RecordAs<CRZImpregnationEventData>(event);
    if (record == nullptr || IsPregnant())
        return 0;
    conceptionDate = record->date;
    childFather = record->second;
    const CCharacter* sire = Find(childFather);
    ShowLifeMessage(
        kMessagePregnant + GetPlayerProximity(), { "", sire != nullptr ? sire->GetName() : "", GetName() });
    return 0;
}

int CCharacter::handleBirth(CRZEvent* event)
{
    const auto* record = RecordAs<CRZBirthEventData>(event);
    if (record == nullptr)
        return 0;
    ClearImpregnation();
    childFather = NOID;
    CCharacter* sire = Find(record->second);
    if (sire == nullptr)
        return 0;
    const CRZID childId = record->third;
    // The new identity must be one the registry keeps and nobody holds yet: registering a taken one is fatal.
    if (childId == NOID || !CIdentity::IsRegisteredType(childId.type) || childId.type == RZTYPE_DESTROYED
        || CIdentity::GetObjectFromID(childId) != nullptr || record->gender < GENDER_MALE
        || record->gender > GENDER_FEMALE || record->religion < 0 || record->religion >= kReligionCount + 1
        || record->culture < 0 || record->culture >= kCultureCount) {
        history("birth event for %u with child %u:%u, gender %d, religion %d, culture %d dropped\n",
            id.number, childId.type, childId.number, static_cast<int>(record->gender),
            static_cast<int>(record->religion), static_cast<int>(record->culture));
        return 0;
    }
    auto* child = new CCharacter;
    child->Create(childId);
    child->InitFromBirth(*record);
    if (gCharacterHooks.AddToRegistry != nullptr)
        gCharacterHooks.AddToRegistry(child);
    InitAddChild(child);
    if (sire != this)
        sire->InitAddChild(child);
    ShowLifeMessage(kMessageBirth + GetPlayerProximity(),
        { "", sire->GetName(), child->GetName(),
            TextStrings.GetString(child->IsFemale() ? "FEMALE_CHILD" : "MALE_CHILD"),
            TextStrings.GetString(child->IsFemale() ? "FEMALE_PRONOM" : "MALE_PRONOM"), "" });
    return 0;
}

int CCharacter::handleMisscarrige(CRZEvent*)
{
    ClearImpregnation();
    childFather = NOID;
    ShowLifeMessage(kMessageMiscarriage, { "", GetName() }, true);
    return 0;
}

int CCharacter::handleDeathChildbirth(CRZEvent*)
{
    Die(GetGameToday());
    ShowLifeMessage(kMessageDeathInChildbirth, { "", GetName() }, true);
    return 0;
}

void CCharacter::InitAddChild(CCharacter* child)
{
    const CRef<CCharacter> reference(child);
    if (child == nullptr || children.Contains(reference))
        return;
    children.Add(reference);
    // Children are only ever added, and none is forgotten while a parent lives, so the tail changes here
    // alone.
    const CCharacter* last = (*children.GetTail()).Get();
    lastChildBirthDay = last != nullptr ? last->birthDate.GetDays() : kNoChildBirthDay;
}

const CSortedList<CRef<CCharacter>, AgeComparer>& CCharacter::GetSiblings()
{
    siblings.RemoveAll();
    const CCharacter* parents[2] = { Find(father), Find(mother) };
    for (const CCharacter* parent : parents) {
        if (parent == nullptr)
            continue;
        for (auto child = parent->children.GetHead(); !child.IsEnd(); child++) {
            const CCharacter* other = (*child).Get();
            if (other != nullptr && other != this && !siblings.Contains(*child))
                siblings.Add(*child);
        }
    }
    return siblings;
}

void CCharacter::InitFromBirth(const CRZBirthEventData& data)
{
    father = data.second;
    mother = data.first;
    originProvince = data.number;
    homeProvince = data.number;
    birthDate = data.date;
    gender = data.gender;
    religion = data.religion;
    culture = data.culture;
    CAttributeTuple base;
    for (int which = 0; which < CAttributeTuple::COUNT; ++which) {
        // The values come from the network: what is no number or beyond any attribute reads as a bound.
        const float value = std::isfinite(data.values[which]) ? data.values[which] : 0.0F;
        base.Set(which, static_cast<int>(std::trunc(std::clamp(value, 0.0F, 1000.0F))));
    }
    baseAttributes = base;
    status = 1;

    gGameRandom.Seed(static_cast<uint32_t>(data.number) * 17u + data.second.number * 4711u + data.first.number
        + static_cast<uint32_t>(data.culture) * 23143u);
    CCharacter* dad = Find(father);
    const char* chosen = "";
    for (int draw = 0; draw < 12; ++draw) {
        chosen = CCharacterServer::GetRandomCharacterName(
            static_cast<RZCultureType>(culture), static_cast<Gender>(gender));
        bool taken = false;
        for (auto child = dad != nullptr ? dad->children.GetHead()
                                         : CSortedList<CRef<CCharacter>, AgeComparer>::Iterator();
             !child.IsEnd() && !taken; child++) {
            const CCharacter* sibling = (*child).Get();
            taken = sibling != nullptr && strcasecmp(sibling->GetName(), chosen) == 0;
        }
        if (!taken)
            break;
    }
    SetName(chosen);

    if (dad != nullptr) {
        SetCountry(dad->GetCountry());
        dynasty = dad->dynasty;
    }
    const CCharacter* mum = Find(mother);
    int sum = 0;
    for (int which = 0; which < CAttributeTuple::COUNT; ++which)
        sum += baseAttributes.Get(which);
    char merged[kDNALength + 1] = {};
    CPortraitDNA::MergeDNA(merged, dad != nullptr ? dad->dna : dna, mum != nullptr ? mum->dna : dna, sum);
    SetDNA(merged);

    const unsigned k = static_cast<unsigned>(GetGameToday().day) + id.number;
    static const struct {
        unsigned modulus, remainder;
        int trait;
    } kMarks[] = { { 1200, 33, 36 }, { 421, 97, 37 }, { 978, 121, 42 }, { 300, 65, 39 } };
    for (const auto& mark : kMarks) {
        if (k % mark.modulus == mark.remainder)
            traits.Add(mark.trait);
    }
    if (k % 6 < 2 && dad != nullptr && mum != nullptr
        && CIdentity::GetObjectFromID(dad->dynasty) == CIdentity::GetObjectFromID(mum->dynasty))
        traits.Add(41);
    RefreshAttributes();
}
