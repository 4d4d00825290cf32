// libFuzzer target over a game file read into the game's own world: characters, dynasties, relations and
// realms. Any file must load, or end in a reported failure that leaves no character, dynasty, relation or
// realm behind; never a crash, a hang or a leak.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/relation.h"
#include "characters/title.h"
#include "datalang/game_file.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "events/game_clock.h"
#include "fuzz_input_file.h"
#include "realms/country.h"
#include "realms/realm_character_hooks.h"
#include "world/game_scenario_world.h"
#include "world/global.h"

#include "foundation/safeguards.h"

namespace {

// Counties as "C%03d", the realm of nobody as "NONE".
int TagToID(const char* tag)
{
    if (std::strcmp(tag, "NONE") == 0)
        return CTitle::kNobodyRealm;
    int number = 0;
    return std::sscanf(tag, "C%3d", &number) == 1 && number >= 1 && number <= 999 ? number : 0;
}

const char* IDToTag(int index)
{
    static char tag[8];
    if (index < 1 || index > 999)
        return "NONE";
    std::snprintf(tag, sizeof tag, "C%03d", index);
    return tag;
}

bool IsEmpty(const CCharacterServer& server)
{
    if (!server.IsEmpty() || !server.dynasties.IsEmpty() || !CRelations::GetInstance()->IsEmpty())
        return false;
    for (int number = 0; number < static_cast<int>(kCountryTableSlots); ++number)
        if (CRZCountry::GetCountry(number) != nullptr)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static CCharacterServer server;
    static CGameScenarioWorld world(server);
    static const bool ready = [] {
        CRZParser::_pTagToID = TagToID;
        CLID::_pIDToTag = IDToTag;
        CIdentity::TotalInit(NOID, 0);
        InstallRealmCharacterHooks();
        gIdentityLookups.GetCountry = &CRZCountry::FindStatic;
        CTitle::ConstructAll();
        CRelations::Init();
        gGlobal.characterServer = &server;
        gpTimer = new CRZTimer(15);
        std::atexit([] {
            world.DiscardLoad();
            CTitle::DestroyAll();
            CRelations::Shutdown();
            delete gpTimer;
            gpTimer = nullptr;
        });
        return true;
    }();
    (void)ready;
    const char* path = WriteFuzzInput("game_file", data, size);
    if (!path)
        return 0;
    gpTimer->SetDate(CDate(0, 0, 1100));
    char message[1024];
    if (!LoadGameFile(path, world, message, sizeof message) && !IsEmpty(server))
        std::abort();
    world.DiscardLoad();
    return 0;
}
