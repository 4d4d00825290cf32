// The scenarios on the generated world: kingdoms, duchies and counties as the world groups its provinces,
// each realm with a ruling family, its court and its lesser houses, marriages between realms, claims, and
// the pope in the papal state. Written in the order the scenario reader needs: characters and titles before
// the dynasty file, whose first dynasty links them, and the realms after it.
#include "scenario_files.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "character_names.h"
#include "characters/culture_table.h"
#include "datalang/definition_keywords.h"
#include "realms/country_tags.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

constexpr int kPapalState = 1323;
constexpr int kStartYear = 1066;
constexpr int kCharacterType = 10;
// Claims are registered under identities far above anything a running game draws for itself.
constexpr int kClaimType = 4712;
constexpr int kFirstClaim = 1000000;

const char* const kMonths[] = { "january", "february", "march", "april", "may", "june", "july", "august",
    "september", "october", "november", "december" };
const char* const kReligions[] = { "catholic", "orthodox", "muslim", "jewish", "pagan" };
const char* const kTiers[] = { "county", "duchy", "kingdom" };

enum Tier { kCounty = 0, kDuchy = 1, kKingdom = 2 };

struct Date {
    int year = 0, month = 0, day = 0;
};

struct Person {
    int id = 0;
    int dynasty = 0;
    int realm = 0;
    std::string name;
    int home = 0;
    Date birth;
    int gender = 0;
    int culture = 0;
    int religion = 0;
    int attributes[6] = {};
    std::vector<int> traits;
    int father = 0, mother = 0;
    bool ruler = false;
    float loyalty = 1.0f;
    int court = 1;
    std::string dna;
    bool married = false;
};

struct Claim {
    int id = 0, person = 0;
    Date date;
};

struct Title {
    int tier = kCounty;
    int liege = 0;
    int holder = 0;
    Date since;
    std::vector<Claim> claims;
};

struct Realm {
    int number = 0;
    int tier = kCounty;
    int ruler = 0;
    int culture = 0, religion = 0;
    int capital = 0;
    int government = 0; // 0 feudal, 2 ecclesiastical
    std::vector<int> provinces;
    std::vector<int> titles;
    std::vector<int> family; // the ruler's kin who live at court
};

struct Marriage {
    int husband = 0, wife = 0;
    Date date;
};

struct Dynasty {
    std::string name;
    int province = 0;
};

std::string Tag(int number)
{
    if (number < kFirstBuiltInCountry) {
        char tag[16];
        std::snprintf(tag, sizeof tag, "C%03d", number);
        return tag;
    }
    return kBuiltInCountryTags[number - kFirstBuiltInCountry];
}

int TierOf(int number)
{
    return number < kFirstBuiltInCountry ? kCounty : number < kFirstKingdomCountry ? kDuchy : kKingdom;
}

int CultureNumber(const char* tag)
{
    for (int culture = 1; culture < kCultureCount; ++culture)
        if (std::string(kCultureTable[culture].tag) == tag)
            return culture;
    return 0;
}

std::string DateBlock(const Date& date)
{
    return "{ year = " + std::to_string(date.year) + " month = " + kMonths[date.month]
        + " day = " + std::to_string(date.day) + " }";
}

std::string DateText(const Date& date)
{
    char text[16];
    std::snprintf(text, sizeof text, "\"%04d%02d%02d\"", date.year, date.month, date.day);
    return text;
}

std::string Id(int type, int number)
{
    return "{ type = " + std::to_string(type) + " id = " + std::to_string(number) + " }";
}

// Builds the people and realms of one world, then writes them.
class ScenarioBuilder {
public:
    ScenarioBuilder(const Context& context, const World& inWorld)
        : random(context.RandomFor(
            context.size == WorldSize::Tiny ? "scenarios\\tiny.rzg" : "scenarios\\1066.rzg"))
        , world(inWorld)
        , full(context.size == WorldSize::Full)
    {
    }

    void Build();
    std::string Scenario(const char* nameKey, int endYear) const;
    std::string Dynasties() const;

private:
    Date BirthOfAge(int age)
    {
        return Date { kStartYear - age - 1, random.Range(0, 11), random.Range(0, 29) };
    }
    Date DateBetween(int fromYear, int toYear)
    {
        return Date { random.Range(fromYear, std::max(fromYear, toYear)), random.Range(0, 11),
            random.Range(0, 29) };
    }
    int NewDynasty(int culture, int province)
    {
        dynasties.push_back({ FamilyName(random, culture), province });
        return static_cast<int>(dynasties.size());
    }
    // A new person of the realm, who lives at its capital.
    Person& NewPerson(const Realm& realm, int dynasty, int gender, int age);
    void LayOutRealms();
    Realm& AddRealm(int number, int culture, int liege);
    void GrantTitle(Realm& realm, int title);
    void PeopleRealm(Realm& realm);
    void AddCourtiers(Realm& realm, int count);
    void Marry(int husband, int wife, int year);
    void MarryAcrossRealms();
    void AddClaims();

    Random random;
    const World& world;
    bool full;
    std::vector<Person> people; // people[id - 1]
    std::map<int, Title> titles;
    std::map<int, Realm> realms;
    std::vector<Marriage> marriages;
    std::vector<Dynasty> dynasties;
    int claims = 0;
};

Person& ScenarioBuilder::NewPerson(const Realm& realm, int dynasty, int gender, int age)
{
    Person person;
    person.id = static_cast<int>(people.size()) + 1;
    person.dynasty = dynasty;
    person.realm = realm.number;
    person.gender = gender;
    person.culture = realm.culture;
    person.religion = realm.religion;
    person.name = GivenName(random, realm.culture, gender);
    person.home = realm.capital;
    person.birth = BirthOfAge(age);
    for (int i = 0; i < 4; ++i)
        person.attributes[i] = random.Range(age < 16 ? 0 : 2, age < 16 ? 4 : 12);
    person.attributes[4] = random.Range(3, 9);
    person.attributes[5] = random.Range(4, 9);
    // Two personality traits, never both of an opposed pair, and for adults one step of a skill ladder.
    const int first = random.Range(0, 12), second = (first + random.Range(1, 12)) % 13;
    person.traits.push_back(first * 2 + random.Range(0, 1));
    person.traits.push_back(second * 2 + random.Range(0, 1));
    if (age >= 16)
        person.traits.push_back(49 + random.Range(0, 4) * 4 + random.Range(0, 3));
    std::sort(person.traits.begin(), person.traits.end());
    for (int i = 0; i < 14; ++i)
        person.dna += static_cast<char>('0' + random.Range(0, 9));
    people.push_back(person);
    return people.back();
}

Realm& ScenarioBuilder::AddRealm(int number, int culture, int liege)
{
    Realm& realm = realms[number];
    realm.number = number;
    realm.tier = TierOf(number);
    realm.culture = culture;
    realm.religion = kCultureTable[culture].defaultReligion;
    // The pagan default of the far north stays; nobody follows "none".
    if (realm.religion > 4)
        realm.religion = 4;
    Title& title = titles[number];
    title.tier = realm.tier;
    title.liege = liege;
    realm.titles.push_back(number);
    return realm;
}

void ScenarioBuilder::GrantTitle(Realm& realm, int title)
{
    if (title != realm.number)
        realm.titles.push_back(title);
    titles[title].tier = TierOf(title);
    if (TierOf(title) == kCounty) {
        realm.provinces.push_back(title);
        if (realm.capital == 0)
            realm.capital = title;
    }
}

// Kingdoms and duchies as the world groups its provinces. The king holds his first duchy himself, every
// other duchy has a duke under him, and a share of the counties are count realms under their duchy's
// holder, as many as bring the realms to the size's target.
void ScenarioBuilder::LayOutRealms()
{
    std::map<int, std::map<int, std::vector<int>>> kingdoms; // kingdom -> duchy -> counties
    for (int number = kFirstCounty; number <= kLastCounty; ++number) {
        const WorldProvince& p = world.provinces[static_cast<std::size_t>(number)];
        if (std::string(p.culture) == "none" || p.duchy == 0 || p.kingdom == 0)
            continue;
        kingdoms[p.kingdom][p.duchy].push_back(number);
    }
    // The papal state keeps its own number: a world kingdom of that number becomes the pope's.
    const bool papalKingdom = kingdoms.count(kPapalState) != 0;
    // The tiny folder's scenario is for tests: one realm per kingdom and small courts.
    const int target = full ? random.Range(380, 440) : 0;
    // Counties not kept by their duchy's holder, in an order of the seed; the first ones become realms.
    std::vector<int> spare;
    std::map<int, int> duchyHolder; // duchy -> realm holding it
    for (const auto& [kingdom, duchies] : kingdoms) {
        const int kingCulture = CultureNumber(
            world.provinces[static_cast<std::size_t>(duchies.begin()->second.front())].culture);
        Realm& king = AddRealm(kingdom, kingCulture, 0);
        king.capital = duchies.begin()->second.front();
        bool first = true;
        for (const auto& [duchy, counties] : duchies) {
            int holder = kingdom;
            if (!first && full) {
                const int culture
                    = CultureNumber(world.provinces[static_cast<std::size_t>(counties.front())].culture);
                Realm& duke = AddRealm(duchy, culture, kingdom);
                duke.capital = counties.front();
                holder = duchy;
            } else {
                GrantTitle(king, duchy);
                titles[duchy].liege = 0;
            }
            first = false;
            duchyHolder[duchy] = holder;
            const int keep = std::min<int>(static_cast<int>(counties.size()), random.Range(1, 2));
            for (std::size_t i = 0; i < counties.size(); ++i) {
                if (static_cast<int>(i) < keep)
                    GrantTitle(realms[holder], counties[i]);
                else
                    spare.push_back(counties[i]);
            }
        }
    }
    for (std::size_t i = spare.size(); i > 1; --i)
        std::swap(spare[i - 1], spare[static_cast<std::size_t>(random.Range(0, static_cast<int>(i) - 1))]);
    if (!papalKingdom && !spare.empty()) {
        // The pope's own see: one county under no lord.
        const int see = spare.back();
        spare.pop_back();
        Realm& pope
            = AddRealm(kPapalState, CultureNumber(world.provinces[static_cast<std::size_t>(see)].culture), 0);
        GrantTitle(pope, see);
    }
    const int countRealms = std::max(0, target - static_cast<int>(realms.size()));
    for (std::size_t i = 0; i < spare.size(); ++i) {
        const int county = spare[i];
        const WorldProvince& p = world.provinces[static_cast<std::size_t>(county)];
        Realm& lord = realms[duchyHolder[p.duchy]];
        if (static_cast<int>(i) < countRealms) {
            Realm& count = AddRealm(county, CultureNumber(p.culture), lord.number);
            GrantTitle(count, county);
        } else {
            GrantTitle(lord, county);
        }
    }
    for (auto& [number, realm] : realms) {
        if (number == kPapalState) {
            realm.government = 2;
            realm.religion = 0;
        }
        // Counties a lord holds himself stand under his own title.
        for (int title : realm.titles)
            if (title != number && TierOf(title) == kCounty)
                titles[title].liege = TierOf(number) > kCounty ? number : 0;
        if (realm.capital == 0 && !realm.provinces.empty())
            realm.capital = realm.provinces.front();
    }
}

void ScenarioBuilder::Marry(int husband, int wife, int year)
{
    people[static_cast<std::size_t>(husband - 1)].married = true;
    people[static_cast<std::size_t>(wife - 1)].married = true;
    marriages.push_back({ husband, wife, DateBetween(year, year) });
}

// The ruler, his wife, their children, his mother and brothers and sisters, and the five officers.
void ScenarioBuilder::PeopleRealm(Realm& realm)
{
    const int house = NewDynasty(realm.culture, realm.capital);
    const bool pope = realm.number == kPapalState;
    const int age = pope ? random.Range(50, 75) : random.Range(18, 62);
    const int gender = !pope && random.Range(0, 99) < 4 ? 1 : 0;
    Person& ruler = NewPerson(realm, house, gender, age);
    ruler.ruler = true;
    ruler.loyalty
        = realm.number >= kFirstKingdomCountry ? 1.0f : static_cast<float>(random.Range(55, 100)) / 100.0f;
    ruler.court = 1;
    const int rulerId = ruler.id;
    realm.ruler = rulerId;
    for (int title : realm.titles) {
        titles[title].holder = rulerId;
        titles[title].since = DateBetween(kStartYear - std::max(1, age - 16), kStartYear - 1);
    }
    if (pope) {
        people[static_cast<std::size_t>(rulerId - 1)].traits.push_back(52);
        std::sort(people[static_cast<std::size_t>(rulerId - 1)].traits.begin(),
            people[static_cast<std::size_t>(rulerId - 1)].traits.end());
        realm.family.push_back(rulerId);
    } else {
        realm.family.push_back(rulerId);
        int mother = 0;
        if (age < 45 && random.Range(0, 99) < 45) {
            Person& widow
                = NewPerson(realm, NewDynasty(realm.culture, realm.capital), 1, age + random.Range(17, 30));
            mother = widow.id;
            people[static_cast<std::size_t>(rulerId - 1)].mother = mother;
        }
        for (int sibling = random.Range(0, 3); sibling > 0; --sibling) {
            int kinAge = std::max(1, age + random.Range(-12, 12));
            if (mother != 0)
                kinAge = std::min(
                    kinAge, kStartYear - 1 - people[static_cast<std::size_t>(mother - 1)].birth.year - 16);
            Person& kin = NewPerson(realm, house, random.Range(0, 1), std::max(1, kinAge));
            kin.mother = mother;
            realm.family.push_back(kin.id);
        }
        if (age >= 18 && random.Range(0, 99) < 85) {
            const int spouseAge
                = std::max(16, age + (gender == 0 ? -random.Range(0, 12) : random.Range(0, 8)));
            Person& spouse
                = NewPerson(realm, NewDynasty(realm.culture, realm.capital), 1 - gender, spouseAge);
            const int spouseId = spouse.id;
            const int husband = gender == 0 ? rulerId : spouseId, wife = gender == 0 ? spouseId : rulerId;
            const int wed = kStartYear - random.Range(1, std::max(1, std::min(age, spouseAge) - 16));
            Marry(husband, wife, wed);
            const int wifeAge = gender == 0 ? spouseAge : age;
            for (int child = random.Range(0, 5); child > 0; --child) {
                const int childAge = random.Range(0, std::max(0, std::min(kStartYear - wed, wifeAge - 16)));
                Person& kid = NewPerson(realm, house, random.Range(0, 1), childAge);
                kid.father = husband;
                kid.mother = wife;
                realm.family.push_back(kid.id);
            }
        }
    }
    // The five officers, of lesser houses of the realm; the chaplain is a man of the church.
    for (int position = 2; position <= 6; ++position) {
        Person& officer = NewPerson(realm, NewDynasty(realm.culture, realm.capital),
            position == 6 ? 0 : (random.Range(0, 9) < 8 ? 0 : 1), random.Range(24, 60));
        officer.court = position;
    }
}

// Lesser nobles: households of a lord, his wife and children under a house of the realm.
void ScenarioBuilder::AddCourtiers(Realm& realm, int count)
{
    while (count > 0) {
        const int house = NewDynasty(realm.culture, realm.capital);
        const int age = random.Range(20, 65);
        const int lord = NewPerson(realm, house, 0, age).id;
        --count;
        if (count > 0 && random.Range(0, 99) < 70) {
            const int wife = NewPerson(
                realm, NewDynasty(realm.culture, realm.capital), 1, std::max(16, age - random.Range(0, 10)))
                                 .id;
            --count;
            Marry(lord, wife, kStartYear - random.Range(1, std::max(1, age - 20)));
            for (int child = random.Range(0, 3); child > 0 && count > 0; --child, --count) {
                Person& kid
                    = NewPerson(realm, house, random.Range(0, 1), random.Range(0, std::max(0, age - 22)));
                kid.father = lord;
                kid.mother = wife;
            }
        }
    }
}

// Unmarried daughters and sisters of ruling houses wed sons and brothers of other realms of their faith;
// a bride moves to her husband's court.
void ScenarioBuilder::MarryAcrossRealms()
{
    std::vector<int> grooms, brides;
    for (const auto& [number, realm] : realms)
        for (int id : realm.family) {
            const Person& p = people[static_cast<std::size_t>(id - 1)];
            const int age = kStartYear - 1 - p.birth.year;
            if (p.married || p.ruler || age < 16 || age > 45)
                continue;
            (p.gender == 0 ? grooms : brides).push_back(id);
        }
    for (int bride : brides) {
        if (random.Range(0, 99) >= 60)
            continue;
        Person& b = people[static_cast<std::size_t>(bride - 1)];
        for (int tries = 0; tries < 8 && !grooms.empty(); ++tries) {
            const std::size_t pick
                = static_cast<std::size_t>(random.Range(0, static_cast<int>(grooms.size()) - 1));
            Person& g = people[static_cast<std::size_t>(grooms[pick] - 1)];
            if (g.married || g.realm == b.realm || g.religion != b.religion)
                continue;
            b.realm = g.realm;
            b.home = g.home;
            Marry(g.id, b.id, kStartYear - random.Range(1, 3));
            grooms.erase(grooms.begin() + static_cast<std::ptrdiff_t>(pick));
            break;
        }
    }
}

// Brothers press claims on their brother's title; a tenth of the rulers claim a title of a neighbour.
void ScenarioBuilder::AddClaims()
{
    std::vector<int> held;
    for (const auto& [number, title] : titles)
        if (title.holder != 0)
            held.push_back(number);
    for (const auto& [number, realm] : realms) {
        for (int id : realm.family) {
            const Person& p = people[static_cast<std::size_t>(id - 1)];
            if (p.ruler || p.gender != 0 || kStartYear - p.birth.year < 18 || random.Range(0, 99) >= 25)
                continue;
            titles[number].claims.push_back(
                { kFirstClaim + claims++, id, DateBetween(kStartYear - 5, kStartYear - 1) });
        }
        if (random.Range(0, 9) == 0 && !held.empty()) {
            const int target
                = held[static_cast<std::size_t>(random.Range(0, static_cast<int>(held.size()) - 1))];
            if (titles[target].holder != realm.ruler)
                titles[target].claims.push_back(
                    { kFirstClaim + claims++, realm.ruler, DateBetween(kStartYear - 10, kStartYear - 1) });
        }
    }
}

void ScenarioBuilder::Build()
{
    LayOutRealms();
    for (auto& [number, realm] : realms)
        PeopleRealm(realm);
    // Courts grow with the realm: the characters reach 10,000 to 20,000 in the full world.
    const int target = full ? random.Range(13000, 16000) : static_cast<int>(realms.size()) * 12;
    int weights = 0;
    for (const auto& [number, realm] : realms)
        weights += 1 + realm.tier * 3;
    const int left = std::max(0, target - static_cast<int>(people.size()));
    for (auto& [number, realm] : realms)
        AddCourtiers(realm, left * (1 + realm.tier * 3) / std::max(1, weights));
    MarryAcrossRealms();
    AddClaims();
}

std::string ScenarioBuilder::Scenario(const char* nameKey, int endYear) const
{
    std::string s;
    s += "name = \"";
    s += nameKey;
    s += "\"\n";
    s += "header = {\n}\n\n";
    s += "globaldata = {\n";
    s += "    startdate = { year = " + std::to_string(kStartYear) + " month = january day = 0 }\n";
    s += "    enddate = { year = " + std::to_string(endYear) + " month = january day = 0 }\n";
    s += "    crusade = { active = no ended = no target = 0 }\n";
    s += "}\n";
    for (int number = 1; number <= kLastCounty; ++number) {
        const WorldProvince& p = world.provinces[static_cast<std::size_t>(number)];
        const int culture = CultureNumber(p.culture);
        if (culture == 0)
            continue;
        int religion = kCultureTable[culture].defaultReligion;
        if (religion > 4)
            religion = 4;
        s += "\nprovince = {\n\tid = " + std::to_string(number) + "\n\treligion = " + kReligions[religion]
            + "\n\tculture = \"" + p.culture + "\"\n}\n";
    }
    s += "\nrelations = {\n";
    for (const Marriage& m : marriages)
        s += "\tmarrige = { primary = " + Id(kCharacterType, m.husband)
            + " secondary = " + Id(kCharacterType, m.wife) + " startdate = " + DateBlock(m.date) + " }\n";
    s += "}\n";
    for (const Person& p : people) {
        s += "\ncharacter = {\n\tid = " + Id(kCharacterType, p.id) + "\n\tdyn = " + std::to_string(p.dynasty)
            + "\n\ttag = " + Tag(p.realm) + "\n\tname = \"" + p.name + "\"\n";
        if (p.home != 0)
            s += "\thome = " + std::to_string(p.home) + "\n";
        s += "\tdate = " + DateText(p.birth) + "\n\tgender = " + (p.gender == 0 ? "male" : "female")
            + "\n\treligion = " + kReligions[p.religion] + "\n\tculture = \"" + kCultureTable[p.culture].tag
            + "\"\n";
        char attributes[64];
        std::snprintf(attributes, sizeof attributes, "\"%d.%d.%d.%d.%d.%d\"", p.attributes[0],
            p.attributes[1], p.attributes[2], p.attributes[3], p.attributes[4], p.attributes[5]);
        s += std::string("\tattributes = ") + attributes + "\n\ttraits = {";
        for (int trait : p.traits)
            s += std::string(" ") + kTraitKind.GetWord(trait) + " = yes";
        s += " }\n";
        if (p.father != 0)
            s += "\tfather = " + Id(kCharacterType, p.father) + "\n";
        if (p.mother != 0)
            s += "\tmother = " + Id(kCharacterType, p.mother) + "\n";
        if (p.ruler || p.loyalty != 1.0f) {
            char loyalty[32];
            std::snprintf(loyalty, sizeof loyalty, "%.2f", static_cast<double>(p.loyalty));
            s += std::string("\tloyalty = ") + loyalty + "\n";
        }
        if (p.court != 1)
            s += "\tcourt = " + std::to_string(p.court) + "\n";
        s += "\tdna = \"" + p.dna + "\"\n}\n";
    }
    for (const auto& [number, title] : titles) {
        if (title.holder == 0)
            continue;
        s += "\ntitle = {\n\ttag = " + Tag(number) + "\n\ttier = " + kTiers[title.tier] + "\n";
        if (title.liege != 0)
            s += "\tliege = " + Tag(title.liege) + "\n";
        s += "\tholder = { character = " + Id(kCharacterType, title.holder)
            + " startdate = " + DateBlock(title.since) + " }\n";
        for (const Claim& claim : title.claims)
            s += "\tclaim = { id = " + Id(kClaimType, claim.id) + " character = "
                + Id(kCharacterType, claim.person) + " date = " + DateBlock(claim.date) + " }\n";
        s += "}\n";
    }
    s += "\n\ninclude = \"db\\dynasties.txt\"\n";
    for (const auto& [number, realm] : realms) {
        s += "\ncountry = {\n\ttag = " + Tag(number)
            + "\n\tform_of_goverment = " + (realm.government == 2 ? "ecclestical" : "feudal")
            + "\n\tcapital = " + std::to_string(realm.capital) + "\n\ttier = " + kTiers[realm.tier]
            + "\n\truler = { character = " + Id(kCharacterType, realm.ruler)
            + " startdate = " + DateBlock(titles.at(number).since) + " }\n";
        // One law of each group: succession, the crown and the nobles, the crown and the church; law 6 is
        // the succession of realms that are not feudal.
        const int succession = realm.government == 0 ? static_cast<int>(number % 6) : 6;
        s += std::string("\tlaws = { ") + kLawKind.GetWord(succession) + " = yes "
            + kLawKind.GetWord(7 + number % 4) + " = yes " + kLawKind.GetWord(11 + number % 4) + " = yes }\n";
        s += "\tstability = 1\n\tcontrolledprovinces = {";
        for (int province : realm.provinces)
            s += " " + std::to_string(province);
        s += " }\n}\n";
    }
    s += "\ninclude = \"db\\events.txt\"\n";
    return s;
}

std::string ScenarioBuilder::Dynasties() const
{
    std::string s = "# The noble families of the known world.\n";
    for (std::size_t i = 0; i < dynasties.size(); ++i) {
        s += "dynasty = { id = " + std::to_string(i + 1) + " name = \"" + dynasties[i].name + "\"";
        if (dynasties[i].province != 0)
            s += " province = { " + std::to_string(dynasties[i].province) + " }";
        s += " }\n";
    }
    return s;
}

} // namespace

void WriteScenarioFiles(const Context& context, const World& world)
{
    ScenarioBuilder builder(context, world);
    builder.Build();
    if (context.size == WorldSize::Tiny)
        WriteDataFile(context, "scenarios\\tiny.rzg", builder.Scenario("SCENARIO_NAME_TINY", 1070));
    else
        WriteDataFile(context, "scenarios\\1066.rzg", builder.Scenario("SCENARIO_NAME_1066", 1453));
    WriteDataFile(context, "db\\dynasties.txt", builder.Dynasties());
    WriteDataFile(context, "db\\events.txt", "# The scripted events of the chronicle.\n");
    WriteCharacterNames(context);
}

} // namespace datagen
