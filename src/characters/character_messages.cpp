// What a character's life tells the players. Conception and birth go to the mother's realm graded by how
// near she stands to the local player; the handler shows what it is given, so the types of those farther
// off stay quiet unless the player switches them on.
#include "characters/character.h"

#include "foundation/safeguards.h"

namespace {

CRZCountry* LocalPlayerRealm()
{
    const int32_t number
        = gCharacterHooks.GetLocalPlayerRealm != nullptr ? gCharacterHooks.GetLocalPlayerRealm() : 0;
    return number != 0 ? RealmAt(number) : nullptr;
}

} // namespace

int CCharacter::GetPlayerProximity() const
{
    CRZCountry* player = LocalPlayerRealm();
    if (player == nullptr)
        return 2;
    const CCharacter* ruler
        = gCharacterHooks.GetRuler != nullptr ? gCharacterHooks.GetRuler(player) : nullptr;
    if (ruler != nullptr && (ruler == this || ruler->FindSpouse() == this))
        return 0;
    CRZCountry* top = GetRealm();
    CRZCountry* playerTop = gCharacterHooks.GetRealm != nullptr ? gCharacterHooks.GetRealm(player) : player;
    return top != nullptr && top == playerTop ? 1 : 2;
}

void CCharacter::ShowLifeMessage(int type, std::initializer_list<const char*> texts, bool localOnly) const
{
    CRZCountry* realm = GetCountry();
    if (realm == nullptr || texts.size() == 0 || gCharacterHooks.ShowMessage == nullptr
        || gCharacterHooks.GetCountryIndex == nullptr)
        return;
    if (localOnly && realm != LocalPlayerRealm())
        return;
    gCharacterHooks.ShowMessage(
        type, gCharacterHooks.GetCountryIndex(realm), texts.begin(), static_cast<int>(texts.size()));
}
