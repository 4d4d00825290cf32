// The game's sound effects: start-up loads effect n from row n - 1 into slot n; the data generator
// writes the same files.
#pragma once

inline constexpr int kSoundEffectCount = 36;

inline constexpr const char* kSoundEffectFiles[kSoundEffectCount] = {
    "sfx\\wave\\Combat_Advance.wav",
    "sfx\\wave\\Combat_BatteringRam.wav",
    "sfx\\wave\\Combat_BattleLost.wav",
    "sfx\\wave\\Combat_BattleWon.wav",
    "sfx\\wave\\Combat_Catapult.wav",
    "sfx\\wave\\Combat_Flank.wav",
    "sfx\\wave\\Combat_Front.wav",
    "sfx\\wave\\Combat_Maneuver.wav",
    "sfx\\wave\\Combat_Pursue.wav",
    "sfx\\wave\\Combat_Retreat.wav",
    "sfx\\wave\\Combat_SeigeLost.wav",
    "sfx\\wave\\Combat_SiegeWon.wav",
    "sfx\\wave\\Combat_Skirmish.wav",
    "sfx\\wave\\Events_TechDiscovered.wav",
    "sfx\\wave\\Event_Attention.wav",
    "sfx\\wave\\Event_BuildingFinished.wav",
    "sfx\\wave\\Event_Crusades.wav",
    "sfx\\wave\\Event_DeclerationOfWar.wav",
    "sfx\\wave\\Event_MajorEvent.wav",
    "sfx\\wave\\Event_minorBlip.wav",
    "sfx\\wave\\Event_Mongol.wav",
    "sfx\\wave\\Event_Peaxe.wav",
    "sfx\\wave\\Event_Plague.wav",
    "sfx\\wave\\Even_Revolt.wav",
    "sfx\\wave\\Interface_ChatMessage.wav",
    "sfx\\wave\\Interface_CoatOfArms.wav",
    "sfx\\wave\\Interface_ErrorClick.wav",
    "sfx\\wave\\Interface_FailureBlip.wav",
    "sfx\\wave\\Interface_PortraitClick.wav",
    "sfx\\wave\\Interface_ProvinceClick.wav",
    "sfx\\wave\\Interface_SuccessBlip.wav",
    "sfx\\wave\\Interface_ValidClick.wav",
    "sfx\\wave\\Unit_ArmyDisbanded.wav",
    "sfx\\wave\\Unit_ArmyMove.wav",
    "sfx\\wave\\Unit_ArmySelected.wav",
    "sfx\\wave\\Uni_ArmyRecruited.wav",
};
