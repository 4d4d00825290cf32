// The interface buttons' names by id, as "db\buttons.txt" names them (ids 2 and 3 have none).
#include "widgets/interface_button.h"

#include <strings.h>

#include "foundation/safeguards.h"

namespace {

struct CButtonDef {
    const char* name;
    int id;
};

const CButtonDef _ButtonDefs[] = {
    { "BUTTON_ZOOM_IN", 0 },
    { "BUTTON_ZOOM_OUT", 1 },
    { "BUTTON_SPLIT_ARMY", 4 },
    { "BUTTON_CREATE_UNIT", 5 },
    { "BUTTON_REORGANISE_ARMY", 6 },
    { "BUTTON_DISBAND_ARMY", 7 },
    { "BUTTON_MERGE", 8 },
    { "BUTTON_UNLOAD_ARMY", 9 },
    { "BUTTON_BUILD_ARMY", 10 },
    { "BUTTON_BUILD_NAVY", 11 },
    { "BUTTON_SAVE_GAME", 12 },
    { "BUTTON_LOAD_GAME", 13 },
    { "BUTTON_GAME_SETTING", 14 },
    { "BUTTON_EXIT_STARKWALL", 15 },
    { "BUTTON_VIEW_STATISTICS", 16 },
    { "BUTTON_MAPMODE_TYPE_A", 17 },
    { "BUTTON_MAPMODE_TYPE_B", 18 },
    { "BUTTON_MAPMODE_TYPE_C", 19 },
    { "BUTTON_MAPMODE_TYPE_D", 20 },
    { "BUTTON_MAPMODE_TYPE_E", 21 },
    { "BUTTON_MAPMODE_TOGGLE_A", 22 },
    { "BUTTON_MAPMODE_TOGGLE_B", 23 },
    { "BUTTON_MAPMODE_TOGGLE_C", 24 },
    { "BUTTON_QUICK_SAVE", 25 },
    { "BUTTON_QUICK_LOAD", 26 },
    { "BUTTON_EDITOR_CITY", 27 },
    { "BUTTON_EDITOR_PORT", 28 },
    { "BUTTON_EDITOR_UNIT", 29 },
    { "BUTTON_EDITOR_MANUFACTORY", 30 },
    { "BUTTON_EDITOR_TERRAIN", 31 },
    { "BUTTON_EDITOR_DELETE", 32 },
};

} // namespace

int GetInterfaceButtonID(const char* name)
{
    if (!name)
        return -1;
    for (const CButtonDef& def : _ButtonDefs)
        if (strcasecmp(def.name, name) == 0)
            return def.id;
    return -1;
}

const char* GetInterfaceButtonName(int id)
{
    for (const CButtonDef& def : _ButtonDefs)
        if (def.id == id)
            return def.name;
    return nullptr;
}
