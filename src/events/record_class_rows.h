// The rows that the record catalogue adds to the receiving side's type-to-class table: for each event
// type that travels with one of these records, the one class that rebuilds it from its network copy.
#pragma once

#include "events/event_factory.h"
#include "events/records_army.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "events/records_session.h"
#include "events/variable_events.h"

// One ROW(type, class) per rebuilt type, by family.
#define VM_RECORD_CLASS_ROWS_Character(ROW)                                                                  \
    ROW(_CRZEVT_BIRTH_, CRZBirthEvent)                                                                       \
    ROW(_CRZEVT_DEATH_, CRZDeathEvent)                                                                       \
    ROW(_CRZEVT_IMPREGNATION_, CRZImpregnationEvent)                                                         \
    ROW(_CRZEVT_INCREASE_STABILITY_, CRZCharacterFloatEvent)                                                 \
    ROW(_CRZEVT_PRESTIGE_, CRZCharacterFloatEvent)                                                           \
    ROW(_CRZEVT_MARTIAL_, CRZCharacterFloatEvent)                                                            \
    ROW(_CRZEVT_DIPLOMACY_, CRZCharacterFloatEvent)                                                          \
    ROW(_CRZEVT_INTRIGUE_, CRZCharacterFloatEvent)                                                           \
    ROW(_CRZEVT_STEWARDSHIP_, CRZCharacterFloatEvent)                                                        \
    ROW(_CRZEVT_HEALTH_, CRZCharacterFloatEvent)                                                             \
    ROW(_CRZEVT_FERTILITY_, CRZCharacterFloatEvent)                                                          \
    ROW(_CRZEVT_LOYALTY_, CRZCharacterFloatEvent)                                                            \
    ROW(_CRZEVT_UNNAMED_435_, CRZCharacterFloatEvent)                                                        \
    ROW(_CRZEVT_PIETY_, CRZCharacterFloatEvent)                                                              \
    ROW(_CRZEVT_GOLD_, CRZCharacterFloatEvent)                                                               \
    ROW(_CRZEVT_ADD_TRAIT_, CRZCharacterTraitEvent)                                                          \
    ROW(_CRZEVT_REMOVE_TRAIT_, CRZCharacterTraitEvent)                                                       \
    ROW(_CRZEVT_SET_CHAR_RELIGION_, CRZCharacterReligionEvent)                                               \
    ROW(_CRZEVT_UNNAMED_380_, CRZCharacterCharacterEvent)                                                    \
    ROW(_CRZEVT_UNNAMED_381_, CRZCharacterCharacterEvent)                                                    \
    ROW(_CRZEVT_UNNAMED_382_, CRZCharacterCharacterEvent)                                                    \
    ROW(_CRZEVT_UNNAMED_383_, CRZCharacterCharacterEvent)                                                    \
    ROW(_CRZEVT_CHARACTER_CREATION_, CRZCharacterCreationEvent)                                              \
    ROW(_CRZEVT_CREATE_RANDOM_COUSIN_, CRZCreateRandomCousinEvent)                                           \
    ROW(_CRZEVT_NEW_RULER_, CRZNewRulerEvent)                                                                \
    ROW(_CRZEVT_ASSASSINATE_, CRZAssassinateEvent)                                                           \
    ROW(_CRZEVT_CHANGE_COURT_POS_, CRZChangeCourtPosEvent)                                                   \
    ROW(_CRZEVT_CREATECLAIM_, CRZCreateClaimEvent)                                                           \
    ROW(_CRZEVT_LOSECLAIM_, CRZLoseClaimEvent)                                                               \
    ROW(_CRZEVT_SET_PEACE_, CRZSetPeaceEvent)                                                                \
    ROW(_CRZEVT_GRANTTITLE_, CRZCountryTwoIdEvent)                                                           \
    ROW(_CRZEVT_GRABTITLE_, CRZCountryTwoIdEvent)                                                            \
    ROW(_CRZEVT_USURPTITLE_, CRZCountryTwoIdEvent)                                                           \
    ROW(_CRZEVT_CLAIMTITLE_, CRZCountryTwoIdEvent)                                                           \
    ROW(_CRZEVT_CREATEBISHOPRY_, CRZCountryTwoIdEvent)                                                       \
    ROW(_CRZEVT_INHERIT_, CRZInheritEvent)                                                                   \
    ROW(_CRZEVT_REQUEST_MOBILIZE_HOST_, CRZSimpleRequestEvent)                                               \
    ROW(_CRZEVT_REQUEST_OFFER_VASSALIZATION_, CRZSimpleRequestEvent)                                         \
    ROW(_CRZEVT_REQUEST_PLEDGE_ALLEGIENCE_, CRZSimpleRequestEvent)                                           \
    ROW(_CRZEVT_REQUEST_OFFER_ALLIANCE_, CRZSimpleRequestEvent)                                              \
    ROW(_CRZEVT_REQUEST_REVOKE_TITLE_, CRZOneIdRequestEvent)                                                 \
    ROW(_CRZEVT_REQUEST_OFFER_MARRIGE_, CRZTwoIdRequestEvent)                                                \
    ROW(_CRZEVT_UNNAMED_478_, CRZTwoIdRequestEvent)                                                          \
    ROW(_CRZEVT_RESPONSE_, CRZResponseEvent)

#define VM_RECORD_CLASS_ROWS_Realm(ROW)                                                                      \
    ROW(_CRZEVT_DIPLOMATIC_EVENT_, CRZDiplomaticEvent)                                                       \
    ROW(_CRZEVT_WE_DECLARE_WAR_, CRZWarEvent)                                                                \
    ROW(_CRZEVT_THEY_DECLARE_WAR_, CRZWarEvent)                                                              \
    ROW(_CRZEVT_JOIN_WAR_, CRZWarEvent)                                                                      \
    ROW(_CRZEVT_REQ_SETUP_WAR_, CRZWarEvent)                                                                 \
    ROW(_CRZEVT_EXEC_SETUP_WAR_, CRZWarEvent)                                                                \
    ROW(_CRZEVT_EXEC_SET_ANNEXATION_, CRZAnnexationEvent)                                                    \
    ROW(_CRZEVT_REQ_ACCEPT_PEACE_, CRZPeaceOfferEvent)                                                       \
    ROW(_CRZEVT_REQ_DECLINE_PEACE_, CRZPeaceOfferEvent)                                                      \
    ROW(_CRZEVT_REQUEST_SUE_FOR_PEACE_, CRZPeaceRequestEvent)                                                \
    ROW(_CRZEVT_CIVIL_WAR_, CRZCivilWarEvent)                                                                \
    ROW(_CRZEVT_PEACE_, CRZPeaceEvent)                                                                       \
    ROW(_CRZEVT_REQ_RELATION_, CRZRelationEvent)                                                             \
    ROW(_CRZEVT_EXEC_RELATION_, CRZRelationEvent)                                                            \
    ROW(_CRZEVT_SENDGIFT_, CRZGiftEvent)                                                                     \
    ROW(_CRZEVT_GET_LOAN_, CRZLoanEvent)                                                                     \
    ROW(_CRZEVT_PAY_LOAN_, CRZLoanEvent)                                                                     \
    ROW(_CRZEVT_GAINMONEY_, CRZMoneyEvent)                                                                   \
    ROW(_CRZEVT_LOSEMONEY_, CRZMoneyEvent)                                                                   \
    ROW(_CRZEVT_REQUEST_SET_MAINTENANCE_, CRZMaintenanceEvent)                                               \
    ROW(_CRZEVT_SET_MAINTENANCE_, CRZMaintenanceEvent)                                                       \
    ROW(_CRZEVT_REQUEST_INVESTMENT_CHANGE_, CRZInvestmentEvent)                                              \
    ROW(_CRZEVT_INVESTMENT_CHANGE_, CRZInvestmentEvent)                                                      \
    ROW(_CRZEVT_CHANGE_BUDGET_, CRZBudgetPercentageEvent)                                                    \
    ROW(_CRZEVT_ADD_SHIPS_, CRZConvoyEvent)                                                                  \
    ROW(_CRZEVT_SET_SEND_DATE_, CRZSetAllowedToSendDateEvent)                                                \
    ROW(_CRZEVT_CREATE_COUNTRY_, CRZCreateCountryEvent)                                                      \
    ROW(_CRZEVT_ADD_VP_, CRZVpEvent)                                                                         \
    ROW(_CRZEVT_CHANGE_COUNTRY_, CRZCountryEvent)                                                            \
    ROW(_CRZEVT_CHANGE_TAG_, CRZCountryEvent)                                                                \
    ROW(_CRZEVT_MOBILIZE_HOST_, CRZCountryIntEvent)                                                          \
    ROW(_CRZEVT_WIN_SIEGE_, CRZIntCountryEvent)                                                              \
    ROW(_CRZEVT_INSTITUTE_LAW_, CRZIntCountryEvent)                                                          \
    ROW(_CRZEVT_SET_DEVELOPMENT_FOCUS_, CRZIntCountryEvent)                                                  \
    ROW(_CRZEVT_REQUEST_CHARACTER_TRANSFER_, CRZPureTwoCountryEvent)                                         \
    ROW(_CRZEVT_LIBERATE_VASSAL_, CRZTwoCountryEvent)                                                        \
    ROW(_CRZEVT_DETORIATE_WAR_SCORE_, CRZDetoriateWarscoreEvent)                                             \
    ROW(_CRZEVT_SET_IN_PROVINCE_, CRZProvEvent)                                                              \
    ROW(_CRZEVT_PROVDISC_, CRZProvEvent)                                                                     \
    ROW(_CRZEVT_FINISHED_BUILD_FACILITY_, CRZProvEvent)                                                      \
    ROW(_CRZEVT_DESTROY_FACILITY_, CRZProvEvent)                                                             \
    ROW(_CRZEVT_SET_CAPITAL_, CRZProvEvent)                                                                  \
    ROW(_CRZEVT_ADD_CORE_, CRZProvEvent)                                                                     \
    ROW(_CRZEVT_REMOVE_CORE_, CRZProvEvent)                                                                  \
    ROW(_CRZEVT_PROVCHANGECONTROL_, CRZProvChangeEvent)                                                      \
    ROW(_CRZEVT_PROVCHANGEOWNER_, CRZProvChangeEvent)                                                        \
    ROW(_CRZEVT_SET_PROV_CULTURE_, CRZProvinceCultureEvent)                                                  \
    ROW(_CRZEVT_SET_PROV_RELIGION_, CRZProvinceReligionEvent)                                                \
    ROW(_CRZEVT_CHANGE_INCOME_PROVINCE_, CRZProvinceIncomeEvent)                                             \
    ROW(_CRZEVT_CHANGE_MANPOWER_PROVINCE_, CRZProvinceIncomeEvent)                                           \
    ROW(_CRZEVT_CHANGE_MINE_PROVINCE_, CRZProvinceIncomeEvent)                                               \
    ROW(_CRZEVT_CHANGE_NATIVE_AGRESSIVE_, CRZProvinceIncomeEvent)                                            \
    ROW(_CRZEVT_CHANGE_PROVINCE_RRISK_, CRZProvinceIncomeEvent)                                              \
    ROW(_CRZEVT_PROVINCE_KEYPOINTS_, CRZProvinceKeypointsEvent)                                              \
    ROW(_CRZEVT_COASTAL_FORT_, CRZCoastalFortEvent)                                                          \
    ROW(_CRZEVT_LAND_FORT_, CRZLandFortEvent)                                                                \
    ROW(_CRZEVT_INFRASTRUCTURE_, CRZInfrastructureEvent)                                                     \
    ROW(_CRZEVT_INDUSTRY_, CRZIndustryEvent)                                                                 \
    ROW(_CRZEVT_RESEARCH_COST_, CRZResearchModifierEvent)                                                    \
    ROW(_CRZEVT_RESEARCH_TIME_, CRZResearchModifierEvent)                                                    \
    ROW(_CRZEVT_RESEARCH_POS_OFFSET_, CRZResearchModifierEvent)                                              \
    ROW(_CRZEVT_RESEARCH_NEG_OFFSET_, CRZResearchModifierEvent)                                              \
    ROW(_CRZEVT_DEACTIVATE_TECH_, CRZDeactivateTechEvent)                                                    \
    ROW(_CRZEVT_EFFICIENCY_MODIFIER_, CRZEfficiencyModifierEvent)                                            \
    ROW(_CRZEVT_PRIO_PROJECT_, CRZProjectEvent)                                                              \
    ROW(_CRZEVT_START_PROJECT_, CRZStartProjectEvent)                                                        \
    ROW(_CRZEVT_EXPIRE_CONSTRUCTION_, CRZConstructionSpriteEvent)                                            \
    ROW(_CRZEVT_CHANGE_MODIFIER_, CRZChangeModifierEvent)                                                    \
    ROW(_CRZEVT_SET_FLAG_, CRZFlagEvent)                                                                     \
    ROW(_CRZEVT_INC_FLAG_, CRZFlagEvent)                                                                     \
    ROW(_CRZEVT_CITY_DAMAGE_, CRZLevelEvent)                                                                 \
    ROW(_CRZEVT_GOTO_FRIENDLY_PROVINCE_, CRZPhantomZoneEvent)                                                \
    ROW(_CRZEVT_RENAME_OBJECT_, CRZRenameObjectEvent)

#define VM_RECORD_CLASS_ROWS_Army(ROW)                                                                       \
    ROW(_CRZEVT_ADD_DIVISION_, CRZAddDivisionEvent)                                                          \
    ROW(_CRZEVT_REMOVE_DIVISION_, CRZAddDivisionEvent)                                                       \
    ROW(_CRZEVT_CREATE_DIVISION_, CRZDivisionEvent)                                                          \
    ROW(_CRZEVT_DIVISION_LOSSES_, CRZDivisionLossesEvent)                                                    \
    ROW(_CRZEVT_KILL_DIVISION_, CRZKillDivisionEvent)                                                        \
    ROW(_CRZEVT_UPGRADE_DIVISION_, CRZUpgradeDivisionEvent)                                                  \
    ROW(_CRZEVT_REINFORCE_DIVISION_, CRZReinforceDivisionEvent)                                              \
    ROW(_CRZEVT_UNIT_MODIFIER_, CRZUnitModifierEvent)                                                        \
    ROW(_CRZEVT_UNITMOVECANCEL_, CRZUnitEvent)                                                               \
    ROW(_CRZEVT_UNITMOVE_INVALID_, CRZUnitEvent)                                                             \
    ROW(_CRZEVT_UNITCONTINUE_, CRZUnitEvent)                                                                 \
    ROW(_CRZEVT_UNITDELETE_, CRZUnitEvent)                                                                   \
    ROW(_CRZEVT_REQUEST_SPLIT_ARMY_, CRZUnitEvent)                                                           \
    ROW(_CRZEVT_REQUEST_DISBAND_UNIT_, CRZUnitEvent)                                                         \
    ROW(_CRZEVT_DISBAND_UNIT_, CRZUnitEvent)                                                                 \
    ROW(_CRZEVT_UNIT_HALT_, CRZUnitEvent)                                                                    \
    ROW(_CRZEVT_UNIT_ASSAULT_, CRZUnitEvent)                                                                 \
    ROW(_CRZEVT_UNIT_UNLOADONARRIVAL_, CRZUnitEvent)                                                         \
    ROW(_CRZEVT_UNIT_REMAINONBOARD_, CRZUnitEvent)                                                           \
    ROW(_CRZEVT_SWITCH_ALLEGIANCE_, CRZUnitEvent)                                                            \
    ROW(_CRZEVT_UNIT_FINISH_, CRZUnitFinishedEvent)                                                          \
    ROW(_CRZEVT_REQUEST_MERGE_, CRZUnitMergeEvent)                                                           \
    ROW(_CRZEVT_UNIT_ADD_DESTINATION_, CRZUnitMoveEvent)                                                     \
    ROW(_CRZEVT_UNITMOVE_, CRZUnitMoveEvent)                                                                 \
    ROW(_CRZEVT_UNITMOVEDATE_, CRZUnitMoveDateEvent)                                                         \
    ROW(_CRZEVT_UNITMOVE_ADD_DEST_, CRZUnitMoveAddDestEvent)                                                 \
    ROW(_CRZEVT_UNITMOVEPATH_, CRZUnitMovePathEvent)                                                         \
    ROW(_CRZEVT_UNITSERVERUPDATE_, CRZUnitServerMoveUpdateEvent)                                             \
    ROW(_CRZEVT_TRANSFER_ONE_LEADER_, CRZTransferLeaderEvent)                                                \
    ROW(_CRZEVT_TRANSFER_ALL_ARMIES_, CRZTransferTroopsEvent)                                                \
    ROW(_CRZEVT_TRANSFER_ALL_LEADERS_, CRZTransferTroopsEvent)                                               \
    ROW(_CRZEVT_REQUEST_TRANSFER_OVERLOAD_FIX_, CRZTransferTroopsEvent)                                      \
    ROW(_CRZEVT_CREATE_ARMY_, CRZBuildArmyEvent)                                                             \
    ROW(_CRZEVT_CREATE_FLEET_, CRZBuildFleetEvent)                                                           \
    ROW(_CRZEVT_COMBAT_CREATE_, CRZCombatEvent)                                                              \
    ROW(_CRZEVT_COMBAT_DELETE_, CRZCombatEvent)                                                              \
    ROW(_CRZEVT_COMBAT_PHASE_, CRZCombatEvent)                                                               \
    ROW(_CRZEVT_COMBAT_STARTED_, CRZCombatEvent)                                                             \
    ROW(_CRZEVT_COMBAT_ENDED_, CRZCombatEvent)                                                               \
    ROW(_CRZEVT_COMBAT_ADD_UNIT_, CRZCombatUnitEvent)                                                        \
    ROW(_CRZEVT_COMBAT_DELETE_UNIT_, CRZCombatUnitEvent)                                                     \
    ROW(_CRZEVT_COMBAT_REMOVE_UNIT_, CRZCombatUnitEvent)                                                     \
    ROW(_CRZEVT_COMBAT_RETREAT_, CRZRetreatEvent)                                                            \
    ROW(_CRZEVT_COMBAT_RETREAT_NOW_, CRZRetreatEvent)                                                        \
    ROW(_CRZEVT_SET_RETREAT_MORALE_, CRZRetreatMoraleEvent)                                                  \
    ROW(_CRZEVT_PROVBATTLEWON_, CRZBattleWonEvent)                                                           \
    ROW(_CRZEVT_PROVBATTLELOST_, CRZBattleWonEvent)                                                          \
    ROW(_CRZEVT_BATTLE_RESULT_EVENT_, CRZBattleResultEvent)                                                  \
    ROW(_CRZEVT_SIEGE_RESULT_, CRZSiegeResultEvent)                                                          \
    ROW(_CRZEVT_CREATE_FORTRESS_UNIT_, CRZCreateFortressUnitEvent)                                           \
    ROW(_CRZEVT_FORTRESS_DAMAGE_, CRZFortressEvent)                                                          \
    ROW(_CRZEVT_UNITSIZELOSSES_, CRZUnitSizeLossesEvent)

#define VM_RECORD_CLASS_ROWS_Session(ROW)                                                                    \
    ROW(_CRZEVT_BOOTUP_READY_, CRZBootUpEvent)                                                               \
    ROW(_CRZEVT_PLAYER_START_, CRZBootUpEvent)                                                               \
    ROW(_CRZEVT_PLAYER_DATA_, CRZSendPlayerEvent)                                                            \
    ROW(APPMSG_COUNTRY, CRZSetCountryEvent)                                                                  \
    ROW(APPSET_OPTIONS, CRZSetOptionsEvent)                                                                  \
    ROW(APPMSG_SCENARIO, CRZSetScenarioEvent)                                                                \
    ROW(_CRZEVT_SET_OPTIONS_, CRZOptionsEvent)                                                               \
    ROW(APPMSG_CHATSTRING, CRZChatEvent)                                                                     \
    ROW(_CRZEVT_PACKET_, CRZPacketEvent)                                                                     \
    ROW(_CRZEVT_INIT_PACKET_, CRZInitPacketEvent)                                                            \
    ROW(_CRZEVT_PLAYER_REMOVE_, CRZRemovePlayerEvent)                                                        \
    ROW(APPSET_VICTORY, CRZSetVictoryEvent)                                                                  \
    ROW(_CRZEVT_WE_HAVE_A_WINNER_, CRZVictoryEvent)                                                          \
    ROW(_CRZEVT_GAME_WINNER_, CRZWinnerEvent)                                                                \
    ROW(_CRZEVT_SET_EVENTSELECTION_, CRZGameEventEvent)                                                      \
    ROW(_CRZEVT_EXECUTE_EVENT_, CRZGameEventEvent)                                                           \
    ROW(_CRZEVT_TRIGGER_EVENT_, CRZTriggerEventEvent)                                                        \
    ROW(_CRZEVT_EXECUTE_EFFECT_EVENT_, CRZExecuteEffectEventEvent)                                           \
    ROW(_CRZEVT_SELECT_EFFECT_EVENT_, CRZSelectEffectEventEvent)

#define VM_RECORD_CLASS_ROW_(type, Class) { type, &BuildNetEvent<Class> },

// Expands to the table rows of every family, for the factory's table initialiser.
#define VM_RECORD_EVENT_CLASS_ROWS                                                                           \
    VM_RECORD_CLASS_ROWS_Character(VM_RECORD_CLASS_ROW_) VM_RECORD_CLASS_ROWS_Realm(VM_RECORD_CLASS_ROW_)    \
        VM_RECORD_CLASS_ROWS_Army(VM_RECORD_CLASS_ROW_) VM_RECORD_CLASS_ROWS_Session(VM_RECORD_CLASS_ROW_)
