// CPapacy, the papal controller beside the pope: the singleton under PAPACY that keeps the controller, names
// the pope's successors and new bishops, chooses a new controller on the host and saves its "papacy" block.
#pragma once

#include <cstdint>

#include "characters/succession.h"
#include "foundation/identity.h"
#include "foundation/scripter.h"

class CCharacter;
class CRZCountry;

// The papal state's realm number.
inline constexpr int32_t kPapalStateCountry = 1323;

class CPapacy : public CIdentity, public CLScripter {
public:
    // Makes the singleton of a new game under PAPACY (the registries must be initialised); Shutdown deletes
    // it. Init replaces a papacy left from an earlier game.
    static void Init();
    static void Shutdown();
    // The papacy of the running game, or null while there is none.
    static CPapacy* GetInstance() { return _pInstance; }
    static void SetInstance(CPapacy* papacy) { _pInstance = papacy; }

    // Takes only the controller's event (495); every other type changes nothing. Always 0.
    int Update(CRZEvent* event) override;
    // Stores the event's identity as the controller and tells the controller's realm.
    int handleSetPapalController(CRZEvent* event);
    // Asks the host to make the character (null for none) the controller; every machine then applies it.
    static void SetPapalController(const CCharacter* character);

    virtual bool IsPope(const CCharacter* character) const;
    // Up to three churchmen to follow the pope, the most suitable first; ties keep the order in which they
    // were gathered, so that every machine names the same pope.
    CSuccessorList GetPapalSuccessors() const;
    // The churchman the papacy names to a vacant see; null without a papal state or a candidate.
    virtual CCharacter* GetNewBishop() const;
    // On the host: the first catholic feudal ruler among the pope's heirs, else the most pious such ruler
    // anywhere, else none, is requested as the controller. Nothing happens on a client.
    void DetermineNewController();

    // Piety, intrigue, diplomacy and power; less for a chaplain, far more for one schooled in the church.
    static float GetPapalSuitability(const CCharacter* character);
    // Greater suitability first; equal values compare equal; an absent character after every present one.
    static bool papalSuitabilityCmp(const CRef<CCharacter>& a, const CRef<CCharacter>& b);

    // Reads the block after its "{" up to and including its "}"; 0. An unknown key abandons the load with
    // "unknown lhs in scenario file (papacy)".
    virtual int ParseFields(CRZParser& parser);
    // "control" only while there is a controller; the caller owns the list.
    CLScript* GetScript() const override;

    // Who heads the church. The papal state is the realm in its slot of the country table; the pope its
    // ruler (without a papal state there is none, and the controller is forgotten); the controller the lay
    // ruler who holds sway over the papacy. Each null when none.
    static CRZCountry* GetPapalState();
    static CCharacter* GetPope();
    CCharacter* GetPapalController() const;
    CRZID controller = NOID;

private:
    static CPapacy* _pInstance;
};
