// CWar, a war between an attacking and a defending character, each leading his realm's side: its battles,
// the war score they and the occupations make, and the computer's peace-making. The global game state
// keeps every war, saves it and drops it once it is no longer valid.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "armies/battle_result.h"
#include "characters/character.h"
#include "events/record_types.h"
#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "foundation/ref.h"
#include "foundation/scripter.h"

class CPeaceProposal;
class CRZCountry;
class CRZUnit;

// What wars and peace need of the layers above the realms; unset, nothing is shown, played or redrawn.
struct CWarHooks {
    // A message of the type for the local player: the country it is about, its texts, a province number.
    void (*ShowMessage)(int type, CRZCountryID country, const char* const* texts, int count, int32_t province)
        = nullptr;
    void (*PlaySound)(int sound) = nullptr;
    // The world's at-war flags rebuilt from the list of wars.
    void (*RefreshWars)() = nullptr;
    // The map recoloured in its mode and redrawn, the interface refreshed.
    void (*RefreshMap)() = nullptr;
    // A battle's result text, by the battle's identity; null when the battle is gone.
    const char* (*GetResultDesc)(const DynamicID& combat) = nullptr;
    // Every army of one realm handed to another, the computer opponents' bookkeeping with them.
    void (*MoveArmies)(CRZCountry* from, CRZCountry* to) = nullptr;
    // The army of the identity goes over to the realm; false when it is gone or may not change sides.
    bool (*SwitchAllegiance)(CRZCountry* to, const DynamicID& army) = nullptr;
    // The realm's armies settled after a change of war and peace.
    void (*SettleArmies)(CRZCountry* realm) = nullptr;
    // The army leaves its province and any battle it fights, as its realm is annexed.
    void (*WithdrawArmy)(CRZUnit* army) = nullptr;
};
extern CWarHooks gWarHooks;

// The local player's message of the type with its texts, through the hook.
void ShowWarMessage(
    int type, CRZCountryID country, std::initializer_list<const char*> texts, int32_t province);
void PlayWarSound(int sound);

class CWar : public CIdentity, public CLScripter {
public:
    // An empty war, to be read; its start date is today.
    CWar();
    CWar(CCharacter* attacker, CCharacter* defender);
    // Frees its battle results; the identity leaves the registry.
    ~CWar() override;
    CWar(const CWar&) = delete;
    CWar& operator=(const CWar&) = delete;

    // Reads the war's statements up to and including its "}"; an unknown key is a parse error.
    virtual int ParseFields(CRZParser& parser);
    CLScript* GetScript() const override;

    // Both leaders exist, neither belongs to the realm of nobody, they differ and so do their realms.
    virtual bool IsValid() const;

    // Null once the character is no longer registered.
    CCharacter* GetAttacker() const { return attacker.Get(); }
    CCharacter* GetDefender() const { return defender.Get(); }
    const CRZID& GetAttackerID() const { return attacker.GetID(); }
    const CRZID& GetDefenderID() const { return defender.GetID(); }

    int32_t type = 0;
    CDate startDate;

    // Wars, battles and war score
    // The list of every war, the global game state's; null until it is set. EndWar takes a war out of it
    // and deletes it: peace, annexation and merging all end a war through it, so a war is deleted once.
    static CList<CWar*>* _pWars;
    static void EndWar(CWar* war);
    // The war registered under the identity, or null.
    static CWar* GetWar(const CRZID& id);

    // Whole days since the start date, in the 360-day calendar.
    int GetAge() const;
    // The attacker for the defender, the defender for the attacker, the attacker for anyone else.
    CCharacter* GetOpponent(const CCharacter* c) const;
    // The attacker (defender) rules a listed realm that exists.
    bool IsAttacker(const CRZCountryList& realms) const;
    bool IsDefender(const CRZCountryList& realms) const;

    // Sends the result to every machine; each appends it when the event reaches the war.
    void AddBattleResult(const CBattleResult& result);
    int Update(CRZEvent* event) override;
    const CList<CBattleResult*>& GetBattleResults() const { return battleResults; }
    // Swaps attacker and defender, and every battle's sides with them.
    void FlipSides();
    // The older war survives and takes the younger one's battles (flipped first when the attackers differ);
    // the younger war is ended. Answers the survivor.
    CWar* Merge(CWar* other);
    // The heir takes the dead leader's side; nothing when the dead led neither.
    void Inherit(CCharacter* dead, CCharacter* heir);

    // Someone holds something of the other side, a battle was fought, or a war of c's liege against the
    // same enemy has been fought.
    bool HasFought(const CCharacter* c) const;
    bool SomeoneOccupiesSomething() const;
    // The wars of c's liege against c's opponent here; of c's vassals against c's opponent here.
    CList<CRZID> GetSupportingWars(const CCharacter* c) const;
    CList<CRZID> GetSupportedWars(const CCharacter* c) const;
    // Positive favours the attacker; computed afresh on every call.
    float GetAttackerScore() const;

    // The computer's peace-making.
    // No battle (or the war's start) for more than 360 days and nobody holds anything of the other.
    bool AI_IsStalemate() const;
    CPeaceProposal AI_GetMinorVictory(CCharacter* c) const;
    CPeaceProposal AI_GetTotalVictory(CCharacter* c) const;
    CPeaceProposal AI_ConstructPeace(CCharacter* c, float bias) const;
    float AI_GetTotalVictoryGoal(CCharacter* c) const;
    float AI_GetMinorVictoryGoal(CCharacter* c) const;
    void AI_OfferDraw(CCharacter* c);
    void AI_OfferMinorVictory(CCharacter* c);
    void AI_OfferTotalVictory(CCharacter* c);
    void AI_OfferLoss(CCharacter* c);

private:
    // The walks through lieges' wars remember the wars they entered, so a loop of lieges read from a bad
    // file ends.
    bool HasFought(const CCharacter* c, CList<const CWar*>& visited) const;
    float GetAttackerScore(CList<const CWar*>& visited) const;
    float GetGoal(CCharacter* c, bool total, CList<const CWar*>& visited) const;
    // Sends the offer unless it repeats the last one: same value within 0.01 and no battle since.
    void Offer(CCharacter* c, const CPeaceProposal& proposal, const char* what, bool always);

    CRef<CCharacter> attacker;
    CRef<CCharacter> defender;
    CList<CBattleResult*> battleResults;
    int32_t lastOfferBattles = -1;
    float lastOfferValue = -999.0f;
};
