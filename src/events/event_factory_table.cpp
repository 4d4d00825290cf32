// The type-to-class table of the receiving side: for each event type that travels, the one event
// class that rebuilds it from its network copy. Each family of records adds its rows here.
#include <array>

#include "events/event_factory.h"
#include "events/generic_events.h"
#include "events/record_class_rows.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZEventClassRow kEventClasses[] = {
    // CRZGenericEvent
    { APPMSG_LOADGAME, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_SESSION_REMOVED_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_TIMER_TICK_LOOP_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_REFRESHMAP_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_REFRESHWINDOWS_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_CLOSEALLWINDOWS_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_GAME_STARTED_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_GAME_END_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_TOGGLE_CONSOLE_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_CHAT_WINDOW_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_CHANGE_PLAYER_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_SET_MERC_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_EYR_ADD_ANOTHER_YEAR_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_ENABLE_GODMODE_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_DISABLE_GODMODE_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_COUNTRY_BROKEN_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_ADD_OWNERAREA_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_START_GAME_TIMER_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_ACTIVATE_TORPEDO_ATTACK_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_MAY_INC_CAPACITY_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_TECH_PRESTIGE_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_TERMINATE_LOANS_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_CRUSADES_LOST_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_CRUSADES_WON_, &BuildNetEvent<CRZGenericEvent> },
    { _CRZEVT_SET_WILLINHERIT_, &BuildNetEvent<CRZGenericEvent> },
    // CRZIntEvent
    { _CRZEVT_UNIT_SET_BLITZ_DEST_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_GAIN_MANPOWER_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_LAND_INVESTMENT_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_NAVAL_INVESTMENT_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_SET_TECH_GROUP_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_KICKOUT_PLAYER_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_TIMER_DATE_, &BuildNetEvent<CRZIntEvent> }, { _CRZEVT_PING_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_I_WANT_SCENARIO_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_PACKET_RECIVED_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_CHECK_ECO_DATA_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_EXPAND_RAILROAD_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_RAILROAD_LEVEL_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_INTELLECTUAL_ESTABLISHMENT_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_GOVERNMENT_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_EXECUTIVE_DESIGNATION_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_PARTY_SYSTEM_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_NATIONAL_VALUE_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_VOTING_RIGHTS_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_PRESS_RIGHTS_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_POLITICAL_PARTIES_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_TRADE_UNIONS_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_MAX_WORKHOURS_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_MIN_WAGES_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_SAFETY_REGULATIONS_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_HEALTH_CARE_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_UNEMPLOYMENT_SUBSIDIES_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_PENSION_FUNDS_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_BAN_PARTY_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_ALLOW_PARTY_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_SLEEP_PARTY_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_WAKE_PARTY_, &BuildNetEvent<CRZIntEvent> }, { _CRZEVT_GAIN_TECH_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_RESEARCH_POINTS_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_CANCEL_BUILDING_PROVINCE_IMPROVEMENT_, &BuildNetEvent<CRZIntEvent> },
    { _CRZEVT_START_CRUSADES_, &BuildNetEvent<CRZIntEvent> },
    // CRZFloatEvent
    { _CRZEVT_RAILROAD_MODIFIER_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_RAILROAD_COST_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_TA_TO_HIT_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_GA_TO_HIT_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_COMBAT_LOSS_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_POP_GROWTH_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_ATTRITION_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_WORK_HOUR_EFF_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_ENEMY_DEF_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_PLURALITY_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_GOODS_SALE_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_BOND_SALE_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_TAX_EFF_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_LOAN_INTEREST_RATE_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_LOAN_REPAYMENT_EFF_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_CAPACITY_COST_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_BUILDING_COST_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_PRODUCTION_RATIO_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_CAPITALIST_BONUS_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_ARISTOCRAT_BONUS_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_RICH_STRATA_INCOME_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_MIDDLE_STRATA_INCOME_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_LOW_STRATA_INCOME_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_MINORITY_EMIGRATION_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_PRESTIGE_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_RESEARCH_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_COLONIAL_MIGRATION_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_COLONY_CREATION_PRESTIGE_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_SAME_CULTURE_PROV_PRESTIGE_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_DEFENSE_SPENDING_PRESTIGE_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_EDUCATION_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_SOCIAL_REFORM_COST_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_POLITICAL_REFORM_COST_MOD_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_DIPLOMATIC_EFFICIENCY_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_CHANGE_SIEGE_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_NOBLE_LOYALTY_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_NOBLE_PRIVILEGES_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_CLERGY_LOYALTY_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_CLERGY_PRIVILEGES_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_BURGHER_LOYALTY_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_BURGHER_PRIVILEGES_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_PEASANT_LOYALTY_, &BuildNetEvent<CRZFloatEvent> },
    { _CRZEVT_PEASANT_PRIVILEGES_, &BuildNetEvent<CRZFloatEvent> },
    // CRZIdEvent
    { _CRZEVT_INDEPENDENCE_, &BuildNetEvent<CRZIdEvent> },
    { _CRZEVT_SETPAPALCONTROLLER_, &BuildNetEvent<CRZIdEvent> },
    { _CRZEVT_MISSCARRIGE_, &BuildNetEvent<CRZIdEvent> },
    { _CRZEVT_DEATH_CHILDBIRTH_, &BuildNetEvent<CRZIdEvent> },
    { _CRZEVT_LEAVE_COURT_, &BuildNetEvent<CRZIdEvent> },
    // CRZIdentityEvent
    { _CRZEVT_KILL_, &BuildNetEvent<CRZIdentityEvent> },
    { _CRZEVT_REQUEST_CANCEL_CONSTRUCTION_, &BuildNetEvent<CRZIdentityEvent> },
    { _CRZEVT_CANCEL_CONSTRUCTION_, &BuildNetEvent<CRZIdentityEvent> },
    { _CRZEVT_CANCEL_DEVELOPMENT_, &BuildNetEvent<CRZIdentityEvent> },
    { _CRZEVT_PRIO_DEVELOPMENT_, &BuildNetEvent<CRZIdentityEvent> },
    { _CRZEVT_CANCEL_PROJECT_, &BuildNetEvent<CRZIdentityEvent> },
    // CRZIntIntEvent
    { _CRZEVT_MOBILIZE_PROVINCE_, &BuildNetEvent<CRZIntIntEvent> },
    { _CRZEVT_START_BUILDING_PROVINCE_IMPROVEMENT_, &BuildNetEvent<CRZIntIntEvent> },
    { _CRZEVT_CREATE_PROVINCE_IMPROVEMENT_, &BuildNetEvent<CRZIntIntEvent> },
    { _CRZEVT_DESTROY_PROVINCE_IMPROVEMENT_, &BuildNetEvent<CRZIntIntEvent> },
    { _CRZEVT_ADD_ADVANCE_, &BuildNetEvent<CRZIntIntEvent> },
    { _CRZEVT_REMOVE_ADVANCE_, &BuildNetEvent<CRZIntIntEvent> },
    { _CRZEVT_ADD_PROVINCE_EFFECT_, &BuildNetEvent<CRZIntIntEvent> },
    { _CRZEVT_REMOVE_PROVINCE_EFFECT_, &BuildNetEvent<CRZIntIntEvent> },
    // CRZIntFloatEvent
    { _CRZEVT_EVENT_CHANCE_, &BuildNetEvent<CRZIntFloatEvent> },
    { _CRZEVT_CHANGE_PEASANT_NOBLES_PRIVILEGES_, &BuildNetEvent<CRZIntFloatEvent> },
    { _CRZEVT_CHANGE_BURGHER_CLERGY_PRIVILEGES_, &BuildNetEvent<CRZIntFloatEvent> },
    // CRZPauseEvent
    { _CRZEVT_PAUSE_, &BuildNetEvent<CRZPauseEvent> }, { _CRZEVT_UNPAUSE_, &BuildNetEvent<CRZPauseEvent> },
    { _CRZEVT_PAUSEADD_, &BuildNetEvent<CRZPauseEvent> },
    // CRZTimerEvent
    { _CRZEVT_TIMER_DAY_, &BuildNetEvent<CRZTimerEvent> },
    { _CRZEVT_TIMER_MONTH_, &BuildNetEvent<CRZTimerEvent> },
    { _CRZEVT_TIMER_YEAR_, &BuildNetEvent<CRZTimerEvent> },
    // CRZTickResourceEvent
    { _CRZEVT_TICK_RESOURCE_, &BuildNetEvent<CRZTickResourceEvent> },
    // The record catalogue: character, realm, army and session records
    VM_RECORD_EVENT_CLASS_ROWS
};

using CBuilderIndex = std::array<CRZEventBuilder, kEventTypeCount>;

// Null where a row is out of range or names a type twice, so the static_assert below catches both.
constexpr CBuilderIndex MakeBuilderIndex()
{
    CBuilderIndex index {};
    for (const CRZEventClassRow& row : kEventClasses) {
        if (row.type >= kEventTypeCount || index[row.type] != nullptr)
            return CBuilderIndex {};
        index[row.type] = row.build;
    }
    return index;
}

constexpr CBuilderIndex kBuilders = MakeBuilderIndex();

constexpr bool EveryRowIndexed()
{
    for (const CRZEventClassRow& row : kEventClasses) {
        if (row.type >= kEventTypeCount || kBuilders[row.type] != row.build)
            return false;
    }
    return true;
}
static_assert(EveryRowIndexed(), "an event type has two classes, or a row is not an event type");

} // namespace

CRZEventBuilder GetNetEventBuilder(uint32_t type)
{
    return type < kEventTypeCount ? kBuilders[type] : nullptr;
}
