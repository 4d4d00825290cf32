// The message handler's routes: what the realms, wars and armies tell goes to it as they name it, and it
// asks the local player's standing and the language's form of a date.
#include <span>

#include "app/game_wiring.h"
#include "app/winmain.h"
#include "characters/character.h"
#include "events/event_routing.h"
#include "messages/message_handler.h"
#include "realms/country.h"
#include "realms/war.h"
#include "widgets/popup_dialog.h"

#include "foundation/safeguards.h"

namespace {

// Realm handlers choose the type by who is concerned, so nothing is filtered here. A number of 0 or
// below names no province.
void ShowCountryMessage(int type, CRZCountryID realm, const char* first, const char* second,
    const char* third, const char* fourth, int number)
{
    const char* const texts[] = { first, second, third, fourth };
    gMessageHandler.ShowMessage(static_cast<MessageType>(type), realm, texts, number > 0 ? number : -1);
}

void TellWar(int type, CRZCountryID country, const char* const* texts, int count, int32_t province)
{
    if (count <= 0)
        return;
    gMessageHandler.ShowMessage(static_cast<MessageType>(type), country,
        std::span(texts, static_cast<std::size_t>(count)), province > 0 ? province : -1);
}

// Characters, too, choose the realm and the type by who is concerned; their news names no province.
void TellCharacterNews(int type, int32_t realm, const char* const* texts, int count)
{
    TellWar(type, realm, texts, count, -1);
}

bool GetPlayerVictoryPoints(float& points)
{
    if (gEventRoutes.player == nullptr)
        return false;
    for (int i = 0; i < static_cast<int>(kCountryTableSlots); ++i) {
        if (gCountryControl[i] != CONTROL_LOCAL_PLAYER)
            continue;
        const CRZCountry* realm = CRZCountry::GetCountry(i);
        points = realm != nullptr ? realm->victoryPoints : 0.0f;
        return true;
    }
    return false;
}

} // namespace

void InstallMessageWiring()
{
    gCountryHooks.ShowMessage = &ShowCountryMessage;
    gWarHooks.ShowMessage = &TellWar;
    gCharacterHooks.ShowMessage = &TellCharacterNews;
    gMessageHooks.GetPlayerVictoryPoints = &GetPlayerVictoryPoints;
    gMessageHooks.FormatDate = &ConvertToLocaleDate;
    gPopupHooks.InsertTitle = [](const std::string& text) {
        std::string addressed = text;
        gMessageHandler.InsertTitle(addressed);
        return addressed;
    };
}
