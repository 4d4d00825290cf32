// A small world for the tests of wars, peace and annexation: realms built by the factory with rulers and
// land, a list of wars, a clock, and the messages and sounds the war code sends to the player.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "characters/title.h"
#include "events/game_clock.h"
#include "realm_land.h"
#include "realms/country.h"
#include "realms/owner_area.h"
#include "realms/war.h"

class CWarWorld {
public:
    CWarWorld()
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        gCountryHooks = CountryHooks {};
        // Where the people of an annexed realm go when nobody else takes them.
        CRZCountry::ConstructCountry(kNobodyCountry);
        CWar::_pWars = &wars;
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        messages.clear();
        sounds.clear();
        gWarHooks = CWarHooks {};
        gWarHooks.ShowMessage = [](int type, CRZCountryID, const char* const* texts, int count, int32_t) {
            std::string joined;
            for (int i = 0; i < count; ++i)
                joined += std::string(texts[i]) + "|";
            messages.push_back({ type, joined });
        };
        gWarHooks.PlaySound = [](int sound) { sounds.push_back(sound); };
    }
    ~CWarWorld()
    {
        DeleteAll(wars);
        CWar::_pWars = nullptr;
        gWarHooks = CWarHooks {};
        CRZOwnerArea::CleanupAllOwnerAreas();
        CRZCountry::DeleteAll();
        delete gpTimer;
        gpTimer = nullptr;
    }
    CWarWorld(const CWarWorld&) = delete;
    CWarWorld& operator=(const CWarWorld&) = delete;

    // A realm of the number with a ruler (a vassal of the liege when one is given).
    CRZCountry* Realm(CRZCountryID number, CCharacter* liege = nullptr)
    {
        CRZCountry::ConstructCountry(number);
        CRZCountry* realm = CRZCountry::GetCountry(number);
        land.Ruler(realm, liege);
        return realm;
    }
    // A province owned by the realm and controlled by the controller (the owner when none is given).
    CProvince* Land(int number, CRZCountry* owner, CRZCountry* controller = nullptr)
    {
        CProvince* province = land.Land(number, owner);
        province->countyTitle->GetCurrentHolder()->RefreshOwnedProvinces();
        province->InitController((controller != nullptr ? controller : owner)->index);
        return province;
    }
    CCharacter* Courtier(CRZCountry* realm)
    {
        land.rulers.push_back(std::make_unique<CCharacter>());
        CCharacter* c = land.rulers.back().get();
        c->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(land.rulers.size())));
        c->SetCountry(realm);
        return c;
    }
    // A claim of the character on the title of the number, owned by the title.
    static CClaim* Claim(CCharacter* claimant, int32_t title)
    {
        auto* claim = new CClaim(title, GetGameToday());
        claim->SetCharacter(claimant);
        CTitle::GetTitle(title)->AddClaim(claim);
        return claim;
    }
    CWar* War(CRZCountry* attacker, CRZCountry* defender)
    {
        auto* war = new CWar(attacker->ruler, defender->ruler);
        war->Create(CIdentity::GetRandomID());
        wars.Append(war);
        attacker->atWarWith[defender->index] = 1;
        defender->atWarWith[attacker->index] = 1;
        return war;
    }
    static void AddBattle(CWar* war, bool aggressorWon, float loserMen)
    {
        CBattleResult result;
        result.aggressorIsAttacker = true;
        result.attackerWon = aggressorWon;
        (aggressorWon ? result.defenderLosses : result.attackerLosses).Add(MILITIA, loserMen);
        result.endDate = GetGameToday();
        CRZBattleResultEvent event(_CRZEVT_BATTLE_RESULT_EVENT_, war->GetID(), result.ToRecord());
        war->Update(&event);
    }

    CRealmLand land;
    CList<CWar*> wars;
    struct Message {
        int type;
        std::string texts;
    };
    static inline std::vector<Message> messages;
    static inline std::vector<int> sounds;
};
