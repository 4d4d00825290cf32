// The tiny game with a local player: the news of its people's lives, of its revolts, armies and envoys
// reaches the message log as dated lines that name who and where, and telling it changes nothing in the
// game.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/game.h"
#include "characters/character.h"
#include "events/event_posting.h"
#include "events/records_character.h"
#include "messages/message_handler.h"
#include "realms/country.h"
#include "realms/province.h"
#include "text/new_text.h"

#include "tiny_game.h"

#include "foundation/safeguards.h"

namespace {

testing::Environment* const kFolder = testing::AddGlobalTestEnvironment(new CTinyGameFolder);

constexpr int kRebels = 1422;
constexpr int kPapalRealm = 1323;

// Every type goes to the log and none to a box while it lives; the built-in choices come back after.
class EveryTypeLogged {
public:
    explicit EveryTypeLogged(int shown = 1)
    {
        for (CMessType& type : CMessageHandler::_MessType) {
            type.shown = shown;
            type.box = 0;
        }
    }
    ~EveryTypeLogged()
    {
        for (CMessType& type : CMessageHandler::_MessType) {
            type.shown = type.defaultShown;
            type.box = type.defaultBox;
        }
    }
};

struct Line {
    int type;
    std::string text; // without its date
};

// The lines logged since the last call.
std::vector<Line> NewLines(std::size_t& read)
{
    std::vector<Line> lines;
    for (; read < gpLogHistory->GetCount(); ++read) {
        const std::string& line = gpLogHistory->GetLine(read).text;
        const std::size_t dated = line.find(" : ");
        EXPECT_NE(dated, std::string::npos) << line;
        lines.push_back(
            { gpLogHistory->GetType(read), dated == std::string::npos ? line : line.substr(dated + 3) });
    }
    return lines;
}

bool CanConceive(const CCharacter* woman)
{
    const CCharacter* husband = woman != nullptr ? woman->FindSpouse() : nullptr;
    return woman->IsFemale() && woman->CanBeImpregnated() && husband != nullptr && husband->IsAlive();
}

// A woman of the realm, other than the one given, who may conceive by her living husband.
CCharacter* MarriedWoman(CRZCountry* realm, const CCharacter* other)
{
    for (auto member = realm->GetCountryMembers().GetHead(); !member.IsEnd(); member++) {
        if (*member != other && CanConceive(*member))
            return *member;
    }
    return nullptr;
}

// A realm whose king and one of his people have wives who may conceive.
int HomeRealm()
{
    for (int number = 1; number < static_cast<int>(kCountryTableSlots); ++number) {
        CRZCountry* realm = CRZCountry::GetCountry(number);
        if (realm == nullptr || !CRZCountry::IsRealCountry(number) || realm->ruler == nullptr
            || realm->ruler->IsFemale())
            continue;
        const CCharacter* queen = realm->ruler->FindSpouse();
        if (queen != nullptr && CanConceive(queen) && MarriedWoman(realm, queen) != nullptr)
            return number;
    }
    return 0;
}

void Conceive(CCharacter* woman)
{
    PostToHostEvent(new CRZImpregnationEvent(_CRZEVT_IMPREGNATION_, CHARACTER_SERVER, woman->GetID(),
        woman->FindSpouse()->GetID(), GetGameToday()));
}

void Bear(CCharacter* woman)
{
    woman->GiveBirth(CRef<CCharacter>(woman->FindSpouse()));
}

// How the log tells of the child she bore today.
std::string BirthLine(CCharacter* mother)
{
    const CCharacter* child = nullptr;
    for (auto it = mother->children.GetHead(); !it.IsEnd(); it++) {
        if (const CCharacter* born = (*it).Get(); born != nullptr && born->birthDate == GetGameToday())
            child = born;
    }
    if (child == nullptr)
        return "no child born";
    EXPECT_STRNE(child->GetName(), TextStrings.GetString("INFANT_NAME")) << "a name from the lists";
    return std::string(mother->FindSpouse()->GetName()) + " has a child: " + child->GetName() + ", a "
        + (child->IsFemale() ? "daughter" : "son") + ". May God keep " + (child->IsFemale() ? "her" : "him");
}

TEST(GameMessages, EachHappeningLogsItsTypeWithTheNamesItConcerns)
{
    const EveryTypeLogged logged;
    CHostSession host;
    PlayTinyGame(&host, [&] {
        const int local = HomeRealm();
        ASSERT_NE(local, 0);
        gCountryControl[local] = CONTROL_LOCAL_PLAYER;
        CRZCountry* home = CRZCountry::GetCountry(local);
        CCharacter* king = home->ruler;
        CCharacter* queen = king->FindSpouse();
        CCharacter* lady = MarriedWoman(home, queen);
        CCharacter* stranger = nullptr;
        CRZCountry* abroad = nullptr;
        for (int number = 1; number < static_cast<int>(kCountryTableSlots) && stranger == nullptr; ++number) {
            abroad = CRZCountry::GetCountry(number);
            if (number != local && abroad != nullptr && CRZCountry::IsRealCountry(number)
                && abroad->ruler != nullptr)
                stranger = MarriedWoman(abroad, nullptr);
        }
        ASSERT_NE(stranger, nullptr);
        const CRZCountry* papacy = CRZCountry::GetCountry(kPapalRealm);
        ASSERT_TRUE(papacy != nullptr && papacy->ruler != nullptr);
        CCharacter* pope = papacy->ruler;
        int land = 0;
        for (int number = 1; number <= kLastTableProvince && land == 0; ++number) {
            const CProvince* province = CProvince::GetProvince(number);
            if (province != nullptr && province->GetControllerID() == local)
                land = number;
        }
        ASSERT_NE(land, 0);
        const std::string landName = CProvince::GetProvince(land)->GetName();
        const std::string kingName = king->GetLongName();
        const std::string popeName = pope->GetLongName();
        const std::string envoyTo = std::string("Our envoy to ") + abroad->ruler->GetLongName() + " awaits";
        const auto named = [](const CCharacter* woman) { return std::string(woman->GetName()); };
        const auto by = [&](const CCharacter* woman) {
            return "By " + named(woman->FindSpouse()) + ", " + named(woman) + " is with child";
        };

        enum Match { kExact, kContains, kNone };
        struct Case {
            const char* what;
            std::function<void()> act;
            int type;
            std::function<std::string()> expected;
            Match match = kExact;
        };
        const Case cases[] = {
            { "the queen conceives", [&] { Conceive(queen); }, 30, [&] { return by(queen); } },
            { "the queen gives birth", [&] { Bear(queen); }, 33, [&] { return BirthLine(queen); } },
            { "a lady of the realm conceives", [&] { Conceive(lady); }, 31, [&] { return by(lady); } },
            { "the lady gives birth", [&] { Bear(lady); }, 34, [&] { return BirthLine(lady); } },
            { "a lady abroad conceives", [&] { Conceive(stranger); }, 32, [&] { return by(stranger); } },
            { "she gives birth", [&] { Bear(stranger); }, 35, [&] { return BirthLine(stranger); } },
            { "the lady of the realm loses her child",
                [&] {
                    Conceive(lady);
                    ProcessReady();
                    PostToHostEvent(new CRZIdEvent(_CRZEVT_MISSCARRIGE_, CHARACTER_SERVER, lady->GetID()));
                },
                37, [&] { return named(lady) + " has lost her child"; } },
            { "a lady abroad loses hers, which is not ours to hear",
                [&] {
                    Conceive(stranger);
                    ProcessReady();
                    PostToHostEvent(
                        new CRZIdEvent(_CRZEVT_MISSCARRIGE_, CHARACTER_SERVER, stranger->GetID()));
                },
                37, [] { return std::string(); }, kNone },
            { "the lady of the realm dies in childbirth",
                [&] {
                    Conceive(lady);
                    ProcessReady();
                    lady->PostDeathChildbirth();
                },
                36, [&] { return named(lady) + " has died in childbirth"; } },
            { "rebels rise on our land",
                [&] {
                    CRZCountry::GetCountry(kRebels)->ConstructArmy(
                        land, CRZDynamicObject::GetUniqueDynamicID(), GetGameToday(), NOID, NOID);
                },
                17, [&] { return "Rebels have risen in " + landName; } },
            { "an army of ours is lost without a man",
                [&] {
                    const DynamicID army = CRZDynamicObject::GetUniqueDynamicID();
                    home->ConstructArmy(land, army, GetGameToday(), NOID, NOID);
                    home->DeleteUnit(army);
                },
                19, [&] { return "Our army has been destroyed in " + landName; } },
            { "our envoy goes out", [&] { home->OfferAlliance(abroad); }, 97, [&] { return envoyTo; },
                kContains },
            { "the king dies",
                [&] {
                    king->PostDeath();
                    Days(1);
                },
                27, [&] { return " inherits from " + kingName + ": "; }, kContains },
            { "the pope dies",
                [&] {
                    pope->PostDeath();
                    Days(1);
                },
                98, [&] { return popeName + " is dead and "; }, kContains },
        };
        std::size_t read = gpLogHistory->GetCount();
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            c.act();
            ProcessReady();
            const std::string expected = c.expected();
            int found = 0;
            std::string told;
            for (const Line& line : NewLines(read)) {
                EXPECT_EQ(line.text.find("%s"), std::string::npos) << line.text;
                EXPECT_EQ(line.text.find("UNKNOWN STRING"), std::string::npos) << line.text;
                if (line.type != c.type)
                    continue;
                told += line.text + "\n";
                if (c.match == kExact ? line.text == expected : line.text.find(expected) != std::string::npos)
                    ++found;
            }
            if (c.match == kNone)
                EXPECT_EQ(told, "");
            else
                EXPECT_EQ(found, 1) << "expected \"" << expected << "\", logged:\n" << told;
        }
        gCountryControl[local] = CONTROL_COMPUTER;
    });
}

// Five years of the tiny game played for the home realm, whose king dies in its third month: the log holds
// conceptions and births, and the heir told what the dead king left him.
TEST(GameMessages, YearsOfAGameLogBirthsAndTheKingsInheritance)
{
    const EveryTypeLogged logged;
    CHostSession host;
    std::vector<Line> lines;
    std::string deadKing;
    const uint64_t hash = PlayTinyGame(&host, [&] {
        const int local = HomeRealm();
        ASSERT_NE(local, 0);
        gCountryControl[local] = CONTROL_LOCAL_PLAYER;
        std::size_t read = gpLogHistory->GetCount();
        Days(60);
        CCharacter* king = CRZCountry::GetCountry(local)->ruler;
        deadKing = king->GetLongName();
        king->PostDeath();
        Days(5 * 360);
        lines = NewLines(read);
        gCountryControl[local] = CONTROL_COMPUTER;
    });
    ASSERT_NE(hash, 0u);
    int conceptions = 0, births = 0, inheritances = 0;
    for (const Line& line : lines) {
        EXPECT_EQ(line.text.find("%s"), std::string::npos) << line.text;
        conceptions += line.type >= 30 && line.type <= 32 ? 1 : 0;
        births += line.type >= 33 && line.type <= 35 ? 1 : 0;
        if (line.type == 27 && line.text.find(" inherits from " + deadKing + ": ") != std::string::npos)
            ++inheritances;
    }
    EXPECT_GT(conceptions, 0);
    EXPECT_GT(births, 0);
    EXPECT_EQ(inheritances, 1);
}

} // namespace
