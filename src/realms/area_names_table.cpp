// The region and area names of the province table and the areas' text keys.
#include "realms/area_names.h"

#include "foundation/safeguards.h"

const char* const szRegion[kRegionCount] = {
    "-", "asia_minor", "balkan", "britain", "eastern_europe", "france", "germany", "italy", "middle_east",
    "netherlands", "north_africa", "region_lake", "region_river", "region_sea", "russia", "scandinavia",
    "spain",
};

const char* const szArea[kAreaCount] = {
    "-", "ad_dahna", "al_hijaz", "algiers", "alpes_martimes", "alpi_carniche", "alps", "anatolia",
    "appennino", "armenia", "atlantic", "atlas", "aulne", "axios", "baden", "baleares", "baltic",
    "bay_of_biscaye", "berbers", "bothnia", "bulgar", "canarias", "carpathians", "carthago", "caucasus",
    "coast_of_italy", "crimea", "crna_gora", "cyclades", "cyprus", "cyrenaica", "danube", "daugava", "delta",
    "depression", "dinara_planina", "dnepr", "dniester", "don", "donau", "duna", "dunarea", "dunav", "ebro",
    "eire", "elbe", "elburz", "extremadura", "fjords", "garonne", "haut_atlas", "hellespont", "iceland",
    "ionia", "jordan", "kama", "karakumy", "kazakhs", "khoper", "kuban", "kura", "kurdistan", "kuzey_anadolu",
    "la_mancha", "lake_area", "leyn", "livonia", "loire", "main", "maritsa", "marocco", "massif_central",
    "mediterranean", "mesopotamia", "nieder_rhein", "nile", "north_england", "norwegian_sea", "nubia", "oder",
    "oka", "papal_states", "peloponnes", "phoenicia", "pindhos_oros", "po", "polesye", "portugal_coast",
    "pyrenees", "qattara", "rhein", "rhone", "ribbaroja", "sahara", "salt_desert", "samara", "sardegna",
    "schelde", "scotland", "sea_of_adriatic", "seine", "sicilia", "sierra_nevada", "sinai", "south_england",
    "sredne_russka", "sura", "syrian_desert", "taurus", "tejo", "tripolitania", "urals", "ustyurt", "wales",
    "wesser", "vetluga", "white_sea", "wisla", "vltava", "volga", "volkhov", "zagros",
};

const char* const szTransArea[kAreaCount] = {
    "AREA_-", "AREA_AD_DAHNA", "AREA_AL_HIJAZ", "AREA_ALGIERS", "AREA_ALPES_MARTIMES", "AREA_ALPI_CARNICHE",
    "AREA_ALPS", "AREA_ANATOLIA", "AREA_APPENNINO", "AREA_ARMENIA", "AREA_ATLANTIC", "AREA_ATLAS",
    "AREA_AULNE", "AREA_AXIOS", "AREA_BADEN", "AREA_BALEARES", "AREA_BALTIC", "AREA_BAY_OF_BISCAYE",
    "AREA_BERBERS", "AREA_BOTHNIA", "AREA_BULGAR", "AREA_CANARIAS", "AREA_CARPATHIANS", "AREA_CARTHAGO",
    "AREA_CAUCASUS", "AREA_COAST_OF_ITALY", "AREA_CRIMEA", "AREA_CRNA_GORA", "AREA_CYCLADES", "AREA_CYPRUS",
    "AREA_CYRENAICA", "AREA_DANUBE", "AREA_DAUGAVA", "AREA_DELTA", "AREA_DEPRESSION", "AREA_DINARA_PLANINA",
    "AREA_DNEPR", "AREA_DNIESTER", "AREA_DON", "AREA_DONAU", "AREA_DUNA", "AREA_DUNAREA", "AREA_DUNAV",
    "AREA_EBRO", "AREA_EIRE", "AREA_ELBE", "AREA_ELBURZ", "AREA_EXTREMADURA", "AREA_FJORDS", "AREA_GARONNE",
    "AREA_HAUT_ATLAS", "AREA_HELLESPONT", "AREA_ICELAND", "AREA_IONIA", "AREA_JORDAN", "AREA_KAMA",
    "AREA_KARAKUMY", "AREA_KAZAKHS", "AREA_KHOPER", "AREA_KUBAN", "AREA_KURA", "AREA_KURDISTAN",
    "AREA_KUZEY_ANADOLU", "AREA_LA_MANCHA", "AREA_LAKE_AREA", "AREA_LEYN", "AREA_LIVONIA", "AREA_LOIRE",
    "AREA_MAIN", "AREA_MARITSA", "AREA_MAROCCO", "AREA_MASSIF_CENTRAL", "AREA_MEDITERRANEAN",
    "AREA_MESOPOTAMIA", "AREA_NIEDER_RHEIN", "AREA_NILE", "AREA_NORTH_ENGLAND", "AREA_NORVEGIAN_SEA",
    "AREA_NUBIA", "AREA_ODER", "AREA_OKA", "AREA_PAPAL_STATES", "AREA_PELOPONNES", "AREA_PHOENICIA",
    "AREA_PINDHOS_OROS", "AREA_PO", "AREA_POLESYE", "AREA_PORTUGAL_COAST", "AREA_PYRENEES", "AREA_QATTARA",
    "AREA_RHEIN", "AREA_RHONE", "AREA_RIBBAROJA", "AREA_SAHARA", "AREA_SALT_DESERT", "AREA_SAMARA",
    "AREA_SARDEGNA", "AREA_SCHELDE", "AREA_SCOTLAND", "AREA_SEA_OF_ADRIATIC", "AREA_SEINE", "AREA_SICILIA",
    "AREA_SIERRA_NEVADA", "AREA_SINAI", "AREA_SOUTH_ENGLAND", "AREA_SREDNE_RUSSKA", "AREA_SURA",
    "AREA_SYRIAN_DESERT", "AREA_TAURUS", "AREA_TEJO", "AREA_TRIPOLITANIA", "AREA_URALS", "AREA_USTYURT",
    "AREA_WALES", "AREA_WESSER", "AREA_VETLUGA", "AREA_WHITE_SEA", "AREA_WISLA", "AREA_VLTAVA", "AREA_VOLGA",
    "AREA_VOLKHOV", "AREA_ZAGROS",
};
