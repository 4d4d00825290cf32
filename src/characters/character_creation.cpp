// New characters: those asked for by a creation event, the random cousin of a dead character, the
// default character and the shared anonymous soldier, and the DNA a character is born with.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/culture.h"
#include "characters/dynasty.h"
#include "characters/portrait_dna.h"
#include "characters/title.h"
#include "events/event_hooks.h"
#include "events/records_character.h"
#include "foundation/logs.h"
#include "foundation/random_generator.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kNobodyRealm = CTitle::kNobodyRealm;
constexpr int kCreationTypes = 8;
constexpr int kBastardCreation = 7;
constexpr int kDefectorCreation = 6;
constexpr int kLastProvinceNumber = 1003;

// Every machine applies a creation from the seed its event carries: the draws come from the game's
// generator seeded with it, and the generator returns to where it stood, so a creation does not shorten
// or shift the host's own sequence.
class CSeededDraws {
public:
    explicit CSeededDraws(int seed)
        : saved(gGameRandom)
    {
        gGameRandom.Seed(static_cast<std::uint32_t>(seed));
    }
    ~CSeededDraws() { gGameRandom = saved; }
    CSeededDraws(const CSeededDraws&) = delete;
    CSeededDraws& operator=(const CSeededDraws&) = delete;

private:
    CRandomGenerator saved;
};

// 0 to range - 1.
int Draw(int range)
{
    return range > 0 ? gGameRandom.Next() % range : 0;
}

int DrawBetween(int low, int high)
{
    return low + Draw(high - low + 1);
}

int EitherOf(int a, int b)
{
    return Draw(2) == 0 ? a : b;
}

// The attribute ranges of the creation types 0 to 5, in attribute order.
struct CProfile {
    int low[6];
    int high[6];
};
constexpr CProfile kProfiles[6] = {
    { { 1, 1, 1, 1, 4, 4 }, { 8, 8, 8, 8, 7, 7 } },
    { { 1, 2, 1, 4, 4, 4 }, { 6, 8, 6, 7, 7, 7 } },
    { { 4, 1, 1, 2, 4, 4 }, { 7, 6, 6, 8, 7, 7 } },
    { { 1, 2, 4, 1, 4, 4 }, { 6, 8, 7, 6, 7, 7 } },
    { { 1, 4, 2, 1, 4, 4 }, { 6, 7, 8, 6, 7, 7 } },
    { { 1, 1, 1, 1, 4, 4 }, { 8, 8, 8, 8, 7, 7 } },
};
// The two choices of each personality trait and the education ladder of the types 1 to 5.
struct CCharacterOf {
    int first[2];
    int second[2];
    int ladder;
};
constexpr CCharacterOf kCharacters[6] = {
    { { 0, 0 }, { 0, 0 }, 0 },
    { { 6, 7 }, { 10, 11 }, 65 },
    { { 24, 25 }, { 18, 19 }, 57 },
    { { 8, 9 }, { 22, 23 }, 53 },
    { { 8, 9 }, { 4, 5 }, 61 },
    { { 0, 1 }, { 16, 17 }, 49 },
};
constexpr int kOpenLadders[4] = { 53, 57, 61, 65 };
constexpr int kCousinLadders[5] = { 49, 57, 53, 61, 65 };

constexpr int kPersonalityLast = 25;

// The second trait may not be the first or its opposite.
int SecondTrait(int a, int b)
{
    if (b == a)
        return a % 2 == 0 ? (a == 0 ? kPersonalityLast : a - 1) : (a == kPersonalityLast ? 0 : a + 1);
    if (b == 0 && a == 1)
        return kPersonalityLast;
    if (b == kPersonalityLast && a == 24)
        return 0;
    return b;
}

CCharacter* FindCharacter(const CRZID& id)
{
    return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(id));
}

CCharacter* RulerOf(const CRZCountry* realm)
{
    return realm != nullptr && gCharacterHooks.GetRuler != nullptr ? gCharacterHooks.GetRuler(realm)
                                                                   : nullptr;
}

int32_t CapitalOf(const CRZCountry* realm)
{
    return realm != nullptr && gCharacterHooks.GetCapital != nullptr ? gCharacterHooks.GetCapital(realm) : 0;
}

CRZID DynastyOf(int province)
{
    CCharacterServer* server = CCharacterServer::GetInstance();
    static const CList<CDynasty*> none;
    CDynasty* dynasty = CDynasty::GetRandomDynasty(province, server != nullptr ? server->dynasties : none);
    return dynasty != nullptr ? dynasty->GetID() : NOID;
}

void RandomDigits(char* dna)
{
    for (int i = 0; i < kDNALength; ++i)
        dna[i] = static_cast<char>('0' + Draw(10));
    dna[kDNALength] = '\0';
}

// A newborn's attribute from his parent's: half of it and a little luck.
int Inherited(int parent)
{
    const int k = std::max(1, 5 - static_cast<int>(std::lround(parent / 2.0)));
    return static_cast<int>(std::trunc(parent / 2.0 + Draw(k)));
}

// An identity the event may make a character under: of a registered kind and not taken.
bool IsFreeIdentity(const CRZID& id)
{
    return id != NOID && CIdentity::IsRegisteredType(id.type) && CIdentity::GetObjectFromID(id) == nullptr;
}

void List(CCharacter* character)
{
    if (CCharacterServer* server = CCharacterServer::GetInstance())
        server->Append(character);
}

} // namespace

int CCharacter::handleCharacterCreation(CRZEvent* event)
{
    const auto* data = RecordAs<CRZCharacterCreationEventData>(event);
    if (data == nullptr)
        return 0;
    const char* fault = nullptr;
    if (data->creation < 0 || data->creation >= kCreationTypes)
        fault = "creation type";
    else if (data->gender != GENDER_MALE && data->gender != GENDER_FEMALE)
        fault = "gender";
    else if (data->religion < RELIGION_CATHOLIC || data->religion > RELIGION_NONE)
        fault = "religion";
    else if (data->culture < 0 || data->culture >= kCultureCount)
        fault = "culture";
    else if (data->first.number >= static_cast<uint32_t>(CTitle::kTitleCount))
        fault = "realm";
    else if (data->province < 0 || data->province > kLastProvinceNumber)
        fault = "province";
    else if (!IsFreeIdentity(data->third))
        fault = "new character's identity";
    if (fault != nullptr) {
        history("character creation dropped: bad %s\n", fault);
        return 0;
    }
    CCharacter* character = new CCharacter;
    character->Create(data->third);
    character->InitCharacter(*data);
    List(character);
    return 0;
}

void CCharacter::InitCharacter(const CRZCharacterCreationEventData& data)
{
    gender = data.gender;
    religion = data.religion;
    culture = data.culture;
    originProvince = data.province;
    CRZCountry* realm = RealmAt(static_cast<int32_t>(data.first.number));
    if (realm == nullptr)
        realm = RealmAt(kNobodyRealm);
    else
        homeProvince = CapitalOf(realm);
    CSeededDraws draws(data.seed);
    char given[sizeof data.name + 1] = {};
    std::memcpy(given, data.name, sizeof data.name);
    SetName(given[0] != '\0' ? given : CCharacterServer::GetRandomCharacterName(culture, gender));
    const int years = 15 + Draw(IsFemale() ? 25 : 40);
    birthDate = GetGameToday();
    birthDate.AddYears(-years);
    SetCountry(realm);
    GenerateDNA();
    const int d = Draw(10);
    const int level = d == 0 ? 0 : d <= 4 ? 1 : d <= 8 ? 2 : 3;
    dynasty = DynastyOf(originProvince);

    const int type = data.creation;
    int ladder = -1;
    int a = -1;
    int b = -1;
    if (type == kBastardCreation) {
        birthDate = GetGameToday();
        CCharacter* parent = FindCharacter(data.second);
        if (parent == nullptr)
            parent = RulerOf(GetCountry());
        if (parent != nullptr) {
            char own[kDNALength + 1];
            std::memcpy(own, dna, kDNALength);
            own[kDNALength] = '\0';
            CPortraitDNA::MergeDNA(dna, own, parent->dna, gGameRandom.Next());
            (parent->IsFemale() ? mother : father) = parent->GetID();
            parent->InitAddChild(this);
            dynasty = parent->dynasty;
        } else {
            // Nobody to descend from: no parents and no family.
            dynasty = NOID;
        }
        AddTrait(TRAIT_BASTARD);
        status = 1;
        const CAttributeTuple parents = parent != nullptr ? parent->GetAttributes() : CAttributeTuple();
        CAttributeTuple values;
        values.Set(CAttributeTuple::HEALTH, Inherited(parents.GetHealth()));
        values.Set(CAttributeTuple::FERTILITY, Inherited(parents.GetFertility()));
        SetBaseAttributes(values);
    } else {
        const int profile = type == kDefectorCreation ? 0 : type;
        CAttributeTuple values;
        for (int which = 0; which < 6; ++which)
            values.Set(which, DrawBetween(kProfiles[profile].low[which], kProfiles[profile].high[which]));
        SetBaseAttributes(values);
        if (profile == 0) {
            a = Draw(25);
            b = Draw(25);
            ladder = kOpenLadders[Draw(4)];
        } else {
            a = EitherOf(kCharacters[profile].first[0], kCharacters[profile].first[1]);
            b = EitherOf(kCharacters[profile].second[0], kCharacters[profile].second[1]);
            ladder = kCharacters[profile].ladder;
        }
    }
    if (GetAge() > 14 && ladder >= 0)
        AddTrait(ladder + level);
    if (a >= 0) {
        AddTrait(a);
        AddTrait(SecondTrait(a, b));
    }
    if (GetAge() < 18) {
        RemoveTrait(0);
        RemoveTrait(1);
    }
    if (type == kDefectorCreation && IsHostMachine()) {
        const int32_t owner = gCharacterHooks.GetProvinceOwner != nullptr
            ? gCharacterHooks.GetProvinceOwner(originProvince)
            : 0;
        if (const CCharacter* ruler = RulerOf(RealmAt(owner))) {
            const int p = std::max(10, 100 - ruler->titles.GetSize());
            int32_t candidate = owner;
            for (auto title = ruler->titles.GetHead(); !title.IsEnd(); title++)
                if (Draw(100) < p)
                    candidate = (*title)->GetCountryID();
            PostCreateClaim(candidate);
        }
    }
    RefreshAttributes();
}

CCharacter* CCharacter::DoCreateRandomCousin(const CRZID& newId, int seed)
{
    if (!IsFreeIdentity(newId)) {
        history("random cousin dropped: the identity is not free\n");
        return nullptr;
    }
    CCharacter* cousin = new CCharacter;
    cousin->Create(newId);
    cousin->InitFromCousin(*this, seed);
    List(cousin);
    return cousin;
}

void CCharacter::InitFromCousin(const CCharacter& source, int seed)
{
    originProvince = source.originProvince;
    religion = source.religion;
    culture = source.culture;
    CRZCountry* realm = source.GetCountry();
    homeProvince = CapitalOf(realm);
    gender = GENDER_MALE;
    CSeededDraws draws(seed);
    birthDate = GetGameToday();
    birthDate.AddYears(-(17 + Draw(10)));
    CAttributeTuple values;
    for (int which = 0; which < 6; ++which) {
        const int value = source.GetBaseAttributes().Get(which);
        values.Set(which, value >= 8 ? value - 3 : value >= 6 ? value - 2 : value >= 3 ? value - 1 : value);
    }
    if (values.GetFertility() < 4)
        values.Set(CAttributeTuple::FERTILITY, 4);
    SetBaseAttributes(values);
    AddTrait(kCousinLadders[Draw(5)]);
    score = CSimpleScore(0.0f, -50.0f, 0.0f);
    SetName(CCharacterServer::GetRandomCharacterName(culture, gender));
    char pairs[kDNALength + 1];
    for (int i = 0; i < kDNALength; i += 2)
        pairs[i] = pairs[i + 1] = static_cast<char>('0' + Draw(10));
    pairs[kDNALength] = '\0';
    // The new pairs stand in for the character's own features, mixed with the source's.
    CPortraitDNA::MergeDNA(dna, pairs, source.dna, gGameRandom.Next());
    SetCountry(realm);
    dynasty = source.dynasty;
    RefreshAttributes();
}

void CCharacter::InitFromVoid()
{
    gender = GENDER_MALE;
    religion = RELIGION_CATHOLIC;
    culture = CULTURE_NORSE;
    homeProvince = 0;
    originProvince = 1;
    SetName(CCharacterServer::GetRandomCharacterName(culture, gender));
    dynasty = DynastyOf(originProvince);
}

CCharacter* CCharacter::InitAnonymous()
{
    CCharacter* soldier = new CCharacter;
    soldier->Create(kAnonymousSoldierID);
    soldier->gender = GENDER_MALE;
    soldier->SetBaseAttributes(CAttributeTuple(4, 4, 4, 4, 4, 0));
    soldier->SetName(TextStrings.GetString("NAME_ANONYMOUS_SOLDIER"));
    soldier->RefreshAttributes();
    return soldier;
}

void CCharacter::GenerateDNA()
{
    const CCharacter* dad = FindCharacter(father);
    const CCharacter* mum = FindCharacter(mother);
    if (dad == nullptr || mum == nullptr) {
        RandomDigits(dna);
        return;
    }
    for (int i = 0; i < kDNALength; ++i) {
        if (Draw(100) < 91)
            dna[i] = Draw(10) > 4 ? mum->dna[i] : dad->dna[i];
        else
            dna[i] = static_cast<char>('0' + Draw(10));
    }
    dna[kDNALength] = '\0';
}
