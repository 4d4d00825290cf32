// New realms and the joining of realms: a realm made from a title and provinces with the claims it leaves,
// the events that must change nothing, annexation by event, and a ruler's random cousin.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "event_capture.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "events/variable_events.h"
#include "realm_handlers.h"
#include "realms/country.h"
#include "realms/owner_area.h"

#include "foundation/safeguards.h"

namespace {

class NewRealmTest : public RealmHandlerTest {
protected:
    void SetUp() override
    {
        RealmHandlerTest::SetUp();
        gIdentityLookups.GetCountry = &CRZCountry::FindStatic;
        realm = Make(5);
        lord = Ruler(realm);
        twelve = Land(12, realm);
        thirteen = Land(13, realm);
        twelve->controller = kRebelCountry;
        heir = Person(realm);
    }
    void TearDown() override
    {
        gIdentityLookups.GetCountry = nullptr;
        CRZOwnerArea::CleanupAllOwnerAreas();
        RealmHandlerTest::TearDown();
    }
    static CList<int32_t> Provinces(std::initializer_list<int32_t> numbers)
    {
        CList<int32_t> list;
        for (int32_t n : numbers)
            list.Append(n);
        return list;
    }
    int Create(std::unique_ptr<CRZCreateCountryEvent> event) { return realm->Update(event.get()); }
    std::unique_ptr<CRZCreateCountryEvent> Event(
        CRZCountryID number, const CRZID& ruler, std::initializer_list<int32_t> listed)
    {
        return std::make_unique<CRZCreateCountryEvent>(
            _CRZEVT_CREATE_COUNTRY_, realm->GetID(), number, realm->index, ruler, Provinces(listed), true);
    }

    CEventCapture capture;
    CRZCountry* realm = nullptr;
    CCharacter* lord = nullptr;
    CCharacter* heir = nullptr;
    CProvince* twelve = nullptr;
    CProvince* thirteen = nullptr;
};

TEST_F(NewRealmTest, AProvinceBecomesTheRealmOfItsCountyAndItsLordKeepsAClaim)
{
    EXPECT_EQ(Create(Event(12, heir->GetID(), { 12 })), 3);

    CRZCountry* made = CRZCountry::GetCountry(12);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ruler, heir);
    EXPECT_EQ(heir->GetCountry(), made);
    EXPECT_EQ(CTitle::GetTitle(12)->GetCurrentHolder(), heir);
    EXPECT_EQ(CTitle::GetTitle(12)->GetOwnLiege(), nullptr);
    EXPECT_EQ(twelve->controller, 12);
    EXPECT_EQ(twelve->GetOwner(), made);
    EXPECT_EQ(thirteen->GetOwner(), realm) << "only the listed province goes";

    // On the host the county's former lord asks for a claim on it.
    int claims = 0;
    for (const CCapturedEvent& e : capture.Take()) {
        if (e.type != _CRZEVT_CREATECLAIM_)
            continue;
        ++claims;
        EXPECT_EQ(e.As<CRZCreateClaimEventData>().first, lord->GetID());
        EXPECT_EQ(e.As<CRZCreateClaimEventData>().country, 12);
    }
    EXPECT_EQ(claims, 1);
}

TEST_F(NewRealmTest, OnAClientNoClaimIsAskedAndTheFixedGovernmentsHold)
{
    host = false;
    Create(Event(1323, heir->GetID(), { 13 }));
    CRZCountry* made = CRZCountry::GetCountry(1323);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetFormOfGoverment(), GOV_ECCLESIASTICAL);
    EXPECT_EQ(CTitle::GetTitle(13)->GetCurrentHolder(), heir);
    for (const CCapturedEvent& e : capture.Take())
        EXPECT_NE(e.type, _CRZEVT_CREATECLAIM_);
}

TEST_F(NewRealmTest, BadCreationsChangeNothing)
{
    CCharacter* stranger = Person(Make(6));
    struct Case {
        const char* what;
        std::function<std::unique_ptr<CRZCreateCountryEvent>()> make;
    };
    const Case cases[] = {
        { "no realm number", [&] { return Event(0, heir->GetID(), { 12 }); } },
        { "the realm of nobody", [&] { return Event(kNobodyCountry, heir->GetID(), { 12 }); } },
        { "the rebels", [&] { return Event(kRebelCountry, heir->GetID(), { 12 }); } },
        { "past the table", [&] { return Event(5000, heir->GetID(), { 12 }); } },
        { "below the table", [&] { return Event(-3, heir->GetID(), { 12 }); } },
        { "a realm that exists", [&] { return Event(6, heir->GetID(), { 12 }); } },
        { "an unknown ruler", [&] { return Event(12, CRZID(RZTYPE_CHARACTER, 9999), { 12 }); } },
        { "a realm for a ruler", [&] { return Event(12, realm->GetID(), { 12 }); } },
        { "province 0",
            [&] {
                return Event(12, heir->GetID(), { 12, 0 });
            } },
        { "a province past the map",
            [&] {
                return Event(12, heir->GetID(), { 12, 2000 });
            } },
        { "a province never made",
            [&] {
                return Event(12, heir->GetID(), { 12, 40 });
            } },
        { "a negative province", [&] { return Event(12, heir->GetID(), { -12 }); } },
        { "a count beyond the record",
            [&] {
                auto lying = Event(12, heir->GetID(), { 12 });
                lying->Record().provinces.count = 400;
                return lying;
            } },
    };
    for (const Case& c : cases) {
        Create(c.make());
        EXPECT_EQ(CRZCountry::GetCountry(12), nullptr) << c.what;
        EXPECT_EQ(CRZCountry::GetCountry(1401), nullptr) << c.what;
        EXPECT_EQ(CTitle::GetTitle(12)->GetCurrentHolder(), lord) << c.what;
        EXPECT_EQ(twelve->controller, kRebelCountry) << c.what;
        EXPECT_EQ(heir->GetCountry(), realm) << c.what;
    }
    EXPECT_EQ(stranger->GetCountry(), CRZCountry::GetCountry(6));
    // Only the checks ran: the bad events left no request for a claim behind.
    for (const CCapturedEvent& e : capture.Take())
        EXPECT_NE(e.type, _CRZEVT_CREATECLAIM_);
}

TEST_F(NewRealmTest, AnAnnexationByEventJoinsTheRealmAndBadNumbersAreDropped)
{
    CRZCountry* victim = Make(20);
    Ruler(victim);
    for (CRZCountryID second : { 5000, -1, 1500 }) {
        CRZAnnexationEvent bad(_CRZEVT_EXEC_SET_ANNEXATION_, realm->GetID(), realm->index, second);
        EXPECT_EQ(realm->Update(&bad), 3);
    }
    EXPECT_EQ(CRZCountry::GetCountry(20), victim);

    CRZAnnexationEvent annex(_CRZEVT_EXEC_SET_ANNEXATION_, realm->GetID(), realm->index, 20);
    EXPECT_EQ(realm->Update(&annex), 3);
    EXPECT_EQ(CRZCountry::GetCountry(20), nullptr);

    // The annexation the host orders directly also rewards the annexer.
    CRZCountry* other = Make(21);
    Ruler(other);
    const float before = realm->baseVP[3];
    CRZAnnexationEvent direct(_CRZEVT_EXEC_SET_ANNEXATION_, realm->GetID(), realm->index, 21);
    realm->handleSetAnnexation(&direct);
    EXPECT_EQ(CRZCountry::GetCountry(21), nullptr);
    EXPECT_EQ(realm->baseVP[3], before + 20.0f);
    CRZAnnexationEvent nobody(_CRZEVT_EXEC_SET_ANNEXATION_, realm->GetID(), 30, 5);
    realm->handleSetAnnexation(&nobody);
    EXPECT_EQ(CRZCountry::GetCountry(5), realm);
}

TEST_F(NewRealmTest, TheRulerMakesTheCousinOnceUnderTheHostsIdentity)
{
    const CRZID cousin = CRZID(RZTYPE_CHARACTER, 777);
    CRZCreateRandomCousinEvent event(
        _CRZEVT_CREATE_RANDOM_COUSIN_, realm->GetID(), cousin, realm->GetID(), 12345);
    EXPECT_EQ(realm->Update(&event), 3);
    auto* made = dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(cousin));
    ASSERT_NE(made, nullptr);

    // The same identity again makes nobody new; a realm without ruler makes nobody.
    realm->Update(&event);
    EXPECT_EQ(CIdentity::GetObjectFromID(cousin), made);
    CRZCountry* empty = Make(30);
    const CRZID other = CRZID(RZTYPE_CHARACTER, 778);
    CRZCreateRandomCousinEvent none(_CRZEVT_CREATE_RANDOM_COUSIN_, empty->GetID(), other, empty->GetID(), 1);
    empty->Update(&none);
    EXPECT_EQ(CIdentity::GetObjectFromID(other), nullptr);
    delete made;
}

} // namespace

namespace {

// One machine's world: realms 5, 6 and 20 with rulers, provinces 12 and 13 of realm 5 and a courtier, fed the
// executed events every machine receives.
class CMachine : public CRealmLand {
public:
    explicit CMachine(bool onHost)
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        gCountryHooks = CountryHooks {};
        gCountryHooks.IsHost = onHost ? +[] { return true; } : +[] { return false; };
        gCountryHooks.IsGameStarted = [] { return true; };
        gIdentityLookups.GetCountry = &CRZCountry::FindStatic;
        for (CRZCountryID number : { 5, 6, 20 }) {
            CRZCountry::ConstructCountry(number);
            Ruler(CRZCountry::_pCountry[number]);
        }
        Land(12, CRZCountry::_pCountry[5])->controller = kRebelCountry;
        Land(13, CRZCountry::_pCountry[5])->controller = 5;
        rulers.push_back(std::make_unique<CCharacter>());
        rulers.back()->Create(CRZID(RZTYPE_CHARACTER, 50));
        rulers.back()->SetCountry(CRZCountry::_pCountry[5]);
        CRZCountry::_pCountry[6]->SetRelation(20, 40.0f);
    }
    ~CMachine()
    {
        for (auto* created : made)
            delete created;
        gEventScheduler.Erase();
        CRZOwnerArea::CleanupAllOwnerAreas();
        CRZCountry::DeleteAll();
        gIdentityLookups.GetCountry = nullptr;
        gCountryHooks = CountryHooks {};
    }
    void Run()
    {
        CList<int32_t> listed;
        listed.Append(12);
        CRZCreateCountryEvent create(
            _CRZEVT_CREATE_COUNTRY_, CountryIdentity(5), 12, 5, CRZID(RZTYPE_CHARACTER, 50), listed, true);
        CRZCountry::_pCountry[5]->Update(&create);
        CRZCreateRandomCousinEvent cousin(_CRZEVT_CREATE_RANDOM_COUSIN_, CountryIdentity(6),
            CRZID(RZTYPE_CHARACTER, 60), CountryIdentity(6), 4242);
        CRZCountry::_pCountry[6]->Update(&cousin);
        made.push_back(dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(CRZID(RZTYPE_CHARACTER, 60))));
        CRZCountryEvent tag(_CRZEVT_CHANGE_TAG_, CountryIdentity(20), 1323, true);
        CRZCountry::_pCountry[20]->Update(&tag);
        CRZAnnexationEvent annex(_CRZEVT_EXEC_SET_ANNEXATION_, CountryIdentity(6), 6, 1323);
        CRZCountry::_pCountry[6]->Update(&annex);
    }
    // The realms, their rulers and people, relations and war flags, the titles' holders and the provinces'
    // controllers and owners.
    static uint64_t Hash()
    {
        uint64_t hash = 0xCBF29CE484222325ull;
        auto mix = [&](uint64_t value) {
            for (int i = 0; i < 8; ++i) {
                hash ^= (value >> (8 * i)) & 0xFF;
                hash *= 0x100000001B3ull;
            }
        };
        for (int i = 0; i < static_cast<int>(kCountryTableSlots); ++i) {
            const CRZCountry* realm = CRZCountry::_pCountry[i];
            if (realm == nullptr)
                continue;
            mix(static_cast<uint64_t>(i));
            mix(realm->ruler ? realm->ruler->GetID().number : 0);
            mix(static_cast<uint64_t>(realm->formOfGovernment));
            mix(static_cast<uint64_t>(realm->members.GetSize()));
            for (int j = 0; j < static_cast<int>(kCountryTableSlots); ++j) {
                mix(static_cast<uint64_t>(realm->relations[j] * 1000.0f));
                mix(realm->atWarWith[j]);
            }
        }
        for (int number = 1; number < static_cast<int>(kCountryTableSlots); ++number) {
            const CCharacter* holder = CTitle::GetTitle(number)->GetCurrentHolder();
            mix(holder ? holder->GetID().number : 0);
        }
        for (int number : { 12, 13 }) {
            const CProvince* province = CProvince::GetProvince(number);
            mix(static_cast<uint64_t>(province->controller));
            mix(province->GetOwner() ? static_cast<uint64_t>(province->GetOwner()->index) : 0);
        }
        return hash;
    }

    std::vector<CCharacter*> made;
};

TEST(NewRealmDeterminism, HostAndClientFedTheSameEventsEndOnOneState)
{
    uint64_t start = 0;
    uint64_t onHost = 0;
    {
        CMachine host(true);
        start = CMachine::Hash();
        host.Run();
        onHost = CMachine::Hash();
        ASSERT_NE(CRZCountry::GetCountry(12), nullptr);
        ASSERT_EQ(CRZCountry::GetCountry(20), nullptr);
        ASSERT_EQ(CRZCountry::GetCountry(1323), nullptr) << "annexed after its tag change";
    }
    uint64_t onClient = 0;
    {
        CMachine client(false);
        EXPECT_EQ(CMachine::Hash(), start);
        client.Run();
        onClient = CMachine::Hash();
    }
    EXPECT_NE(onHost, start);
    EXPECT_EQ(onClient, onHost);
}

} // namespace
