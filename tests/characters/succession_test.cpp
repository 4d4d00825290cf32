// Succession lists by law over small family trees: who may inherit, through whom it passes, the order of
// the walks, the election among court and vassals, and trees that loop back on themselves.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "characters/character.h"
#include "characters/relation.h"
#include "characters/succession.h"
#include "characters/title.h"
#include "events/game_clock.h"
#include "realms/country.h"
#include "realms/realm_character_hooks.h"

#include "foundation/safeguards.h"

namespace {

enum : int { SALIC_PRIMO = 0, SEMISALIC_PRIMO = 1, SALIC_CONSANG = 2, SEMISALIC_GAVEL = 5, ELECTIVE = 6 };

class SuccessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CIdentity::TotalInit(NOID, 0);
        CRZCountry::InitCountryArray();
        InstallRealmCharacterHooks();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
    }
    void TearDown() override
    {
        people.clear();
        CRZCountry::DeleteAll();
        gCharacterHooks = {};
        delete gpTimer;
        gpTimer = nullptr;
        CIdentity::TotalCleanup();
    }

    // A registered man born in the year; named for the messages.
    CCharacter* Person(const char* name, int year, bool female = false, CCharacter* parent = nullptr)
    {
        people.push_back(std::make_unique<CCharacter>());
        CCharacter* person = people.back().get();
        person->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(people.size())));
        person->SetName(name);
        person->birthDate = CDate(0, 0, year);
        person->gender = female ? GENDER_FEMALE : GENDER_MALE;
        if (parent != nullptr) {
            (parent->IsFemale() ? person->mother : person->father) = parent->GetID();
            parent->children.Add(CRef<CCharacter>(person));
        }
        return person;
    }

    static std::string Names(const CSuccessorList& list)
    {
        std::string names;
        for (auto it = list.GetHead(); !it.IsEnd(); it++)
            names += std::string(names.empty() ? "" : " ") + (*it).Get()->GetName();
        return names;
    }

    static std::string Successors(CCharacter* ruler, std::initializer_list<int> laws, int n = 10)
    {
        CLawTuple tuple;
        for (int law : laws)
            tuple.Add(law);
        return Names(CSuccessionLaw(tuple).GetSuccessors(CRef<CCharacter>(ruler), n));
    }

    std::vector<std::unique_ptr<CCharacter>> people;
};

// The ruler's family: his dead father with a younger son (the ruler's brother, who has a daughter), the
// ruler's elder daughter with a son, his son with a son, and a bastard son.
TEST_F(SuccessionTest, EachLawOrdersTheFamilyAsItsRulesSay)
{
    CCharacter* grandfather = Person("Grandfather", 1020);
    CCharacter* ruler = Person("Ruler", 1050, false, grandfather);
    CCharacter* brother = Person("Brother", 1055, false, grandfather);
    Person("Niece", 1080, true, brother);
    CCharacter* daughter = Person("Daughter", 1070, true, ruler);
    Person("DaughtersSon", 1090, false, daughter);
    CCharacter* son = Person("Son", 1072, false, ruler);
    Person("SonsSon", 1092, false, son);
    Person("Bastard", 1074, false, ruler)->AddTrait(TRAIT_BASTARD);
    grandfather->deathDate = CDate(0, 0, 1060);

    const struct {
        const char* law;
        std::initializer_list<int> laws;
        const char* successors;
    } cases[] = {
        // Depth first, men only: the son's line, then the brother; no daughter, none of her sons, no niece.
        { "salic primogeniture", { SALIC_PRIMO }, "Son SonsSon Brother" },
        // Women may not inherit but pass it on: the daughter's son follows the son's line.
        { "semi-salic primogeniture", { SEMISALIC_PRIMO }, "Son SonsSon DaughtersSon Brother" },
        // Breadth first, women barred but passing it on.
        { "semi-salic gavelkind", { SEMISALIC_GAVEL }, "Son SonsSon DaughtersSon Brother" },
        // No succession law: depth first, and women inherit.
        { "no succession law", {}, "Son SonsSon Daughter DaughtersSon Brother Niece" },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.law);
        EXPECT_EQ(Successors(ruler, test.laws), test.successors);
    }
}

TEST_F(SuccessionTest, ADaughtersSonSucceedsUnderSemiSalicButNotUnderSalicLaw)
{
    CCharacter* ruler = Person("Ruler", 1050);
    CCharacter* daughter = Person("Daughter", 1070, true, ruler);
    Person("Grandson", 1090, false, daughter);
    EXPECT_EQ(Successors(ruler, { SEMISALIC_PRIMO }), "Grandson");
    EXPECT_EQ(Successors(ruler, { SALIC_PRIMO }), "");
    EXPECT_EQ(Successors(ruler, { SALIC_CONSANG }), "");
}

TEST_F(SuccessionTest, TheRulerIsNeverFirstAndOneWithoutLivingRelativesHasNoSuccessors)
{
    CCharacter* ruler = Person("Ruler", 1050);
    EXPECT_EQ(Successors(ruler, { SALIC_PRIMO }), "");
    EXPECT_EQ(Successors(ruler, {}), "");
    CCharacter* dead = Person("DeadSon", 1070, false, ruler);
    dead->deathDate = CDate(0, 0, 1080);
    EXPECT_EQ(Successors(ruler, { SALIC_PRIMO }), "");
    EXPECT_EQ(Successors(nullptr, { SALIC_PRIMO }), "");
}

TEST_F(SuccessionTest, ABastardStandsOnlyAmongElectedCandidatesWhoAreRankedByPower)
{
    CRZCountry::ConstructCountry(5);
    CRZCountry* realm = CRZCountry::GetCountry(5);
    CCharacter* ruler = Person("Ruler", 1050);
    ruler->SetCountry(realm);
    realm->AddRulerImmidiatly(ruler);
    CCharacter* bastard = Person("Bastard", 1074, false, ruler);
    bastard->AddTrait(TRAIT_BASTARD);
    bastard->SetCountry(realm);
    CCharacter* courtier = Person("Courtier", 1060);
    courtier->SetCountry(realm);
    courtier->SetBaseAttributes(CAttributeTuple(9, 0, 0, 0, 0, 0));
    CCharacter* daughter = Person("Daughter", 1072, true);
    daughter->SetCountry(realm);

    EXPECT_EQ(Successors(ruler, { SALIC_PRIMO }), "");
    EXPECT_EQ(Successors(ruler, { SEMISALIC_GAVEL }), "");
    // Election: the court (women barred), strongest first, cut to n.
    EXPECT_EQ(Successors(ruler, { ELECTIVE }), "Courtier Bastard");
    EXPECT_EQ(Successors(ruler, { ELECTIVE }, 1), "Courtier");
}

TEST_F(SuccessionTest, AFamilyTreeThatLoopsBackOnItselfEnds)
{
    CCharacter* ruler = Person("Ruler", 1050);
    CCharacter* son = Person("Son", 1070, false, ruler);
    // A corrupt tree: the son is his father's father, and his own child.
    ruler->father = son->GetID();
    son->children.Add(CRef<CCharacter>(ruler));
    son->children.Add(CRef<CCharacter>(son));
    for (int law : { SALIC_PRIMO, SEMISALIC_GAVEL })
        EXPECT_EQ(Successors(ruler, { law }), "Son") << law;
}

TEST_F(SuccessionTest, TheListIsCutOnlyBetweenWalks)
{
    CCharacter* ruler = Person("Ruler", 1050);
    for (int i = 0; i < 4; ++i) {
        CCharacter* son = Person("Son", 1070 + i, false, ruler);
        Person("Grandson", 1090 + i, false, son);
    }
    ruler->deathDate = CDate(0, 0, 1099);
    CLawTuple laws;
    laws.Add(SALIC_PRIMO);
    // Asked for two, the walk stops at the first step after the list holds more than two: the second son
    // is already in when the walk of his line stops, so three of eight heirs stand.
    EXPECT_EQ(CSuccessionLaw(laws).GetSuccessors(CRef<CCharacter>(ruler), 2).GetSize(), 3);
}

} // namespace
