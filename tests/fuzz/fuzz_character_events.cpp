// libFuzzer target over the events of a character's life as another machine sends them: conception, birth,
// miscarriage, death and inheritance with any record bytes must be applied or dropped, never crash, read
// past their bytes, register a taken identity or leave a leak, in a small world of a ruling family.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/relation.h"
#include "characters/title.h"
#include "events/event_factory.h"
#include "events/game_clock.h"
#include "events/net_event.h"
#include "events/record_event.h"
#include "realms/country.h"
#include "realms/realm_character_hooks.h"
#include "world/character_estate.h"
#include "world/global.h"

#include "foundation/safeguards.h"

namespace {

const CRZEvtType kTypes[] = { _CRZEVT_IMPREGNATION_, _CRZEVT_BIRTH_, _CRZEVT_MISSCARRIGE_,
    _CRZEVT_DEATH_CHILDBIRTH_, _CRZEVT_DEATH_, _CRZEVT_INHERIT_, _CRZEVT_TIMER_DAY_ };

CCharacter* Person(CCharacterServer& registry, uint32_t number, CRZCountry* realm, int gender)
{
    auto* person = new CCharacter;
    person->Create(CRZID(RZTYPE_CHARACTER, number));
    person->birthDate = CDate(0, 0, 1040);
    person->gender = gender;
    person->SetCountry(realm);
    registry.Append(person);
    return person;
}

} // namespace

// Input: u8 event kind, u8 receiver (0..3: the lord, his lady, their son, a courtier), u16 claimed record
// size, then the record's bytes after its head.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    const CRZEvtType type = kTypes[data[0] % (sizeof kTypes / sizeof kTypes[0])];
    const uint32_t receiver = 1u + data[1] % 4u;
    uint16_t recordSize;
    std::memcpy(&recordSize, data + 2, 2);
    std::vector<uint8_t> record(std::max<std::size_t>(recordSize, sizeof(CRZEventData)), 0);
    CRZEventData head;
    head.type = static_cast<uint32_t>(type);
    head.receiver = CRZID(RZTYPE_CHARACTER, receiver);
    std::memcpy(record.data(), &head, sizeof head);
    if (record.size() > sizeof head)
        std::memcpy(record.data() + sizeof head, data + 4, std::min(size - 4, record.size() - sizeof head));

    CIdentity::TotalInit(NOID, 0);
    CRZCountry::InitCountryArray();
    ClearCountryControl();
    InstallRealmCharacterHooks();
    InstallCharacterEstateHooks();
    CTitle::ConstructAll();
    gpTimer = new CRZTimer(15);
    gpTimer->SetDate(CDate(0, 0, 1066));
    CCharacterServer registry;
    gGlobal.characterServer = &registry;
    CRZCountry::ConstructCountry(CTitle::kNobodyRealm);
    CRZCountry::ConstructCountry(12);
    CRZCountry* realm = CRZCountry::GetCountry(12);
    CCharacter* lord = Person(registry, 1, realm, GENDER_MALE);
    CCharacter* lady = Person(registry, 2, realm, GENDER_FEMALE);
    CCharacter* son = Person(registry, 3, realm, GENDER_MALE);
    Person(registry, 4, realm, GENDER_MALE);
    realm->AddRulerImmidiatly(lord);
    son->father = lord->GetID();
    lord->InitAddChild(son);
    CTitle::GetTitle(5)->SetNewHolder(lord);
    CTitle::GetTitle(1100)->SetNewHolder(lord);
    CRelations::GetInstance()->Append(new CRelation(RELATION_MARRIAGE, lord, lady));

    CRZNetEvent net(record.data(), static_cast<uint32_t>(record.size()));
    if (CRZEvent* event = BuildEventFromNetwork(&net)) {
        if (auto* character = dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(event->GetReceiver())))
            character->Update(event);
        delete event;
    }

    CRZCountry::DeleteAll();
    for (auto it = registry.GetHead(); !it.IsEnd(); it++)
        (*it)->titles.RemoveAll();
    CTitle::DestroyAll();
    for (auto it = registry.GetHead(); !it.IsEnd(); it++)
        delete *it;
    registry.RemoveAll();
    for (auto it = CRelations::GetInstance()->GetHead(); !it.IsEnd(); it++)
        delete *it;
    CRelations::GetInstance()->RemoveAll();
    gGlobal.characterServer = nullptr;
    gCharacterHooks = {};
    delete gpTimer;
    gpTimer = nullptr;
    CIdentity::TotalCleanup();
    return 0;
}
