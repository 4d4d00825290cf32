// The tags of the built-in realms in country-number order from 1000.
#include "realms/country_tags.h"

#include "foundation/safeguards.h"

const char* const kBuiltInCountryTags[kBuiltInCountryTagCount] = {
    "ABYD", "ADRI", "AEGE", "AKAB", "AKER", "ALHA", "ALJA", "ALAN", "ALEX", "ALGE", // 1000
    "ALME", "ANJO", "ANTI", "APUL", "ARGY", "ARMA", "ARME", "ARMI", "ARTO", "ASCA", // 1010
    "ASTU", "ASWA", "ATHO", "AUVE", "AZER", "AZOV", "BADA", "BAGH", "DBAS", "BAVA", // 1020
    "BELG", "BELO", "BENE", "BERG", "BERS", "BERW", "BJAR", "DBOH", "BORD", "BOSN", // 1030
    "BOUG", "BOUR", "BRAB", "BRAG", "BRAN", "BRIT", "BUTR", "CAIR", "CALA", "CAMP", // 1040
    "CATA", "CHAL", "CHAM", "CHEE", "CHER", "COIM", "CONN", "CONS", "CORD", "CORN", // 1050
    "COUR", "CRIM", "DCRO", "CUMB", "CYPR", "CYRE", "DAMA", "DAMI", "DAUP", "DEHE", // 1060
    "DONA", "DORO", "DYRR", "EDES", "ELRI", "ESFA", "ESTH", "EUPH", "FESA", "FINL", // 1070
    "FLAN", "FRAC", "FRIE", "GALA", "GALI", "GALC", "GALE", "GALL", "GENO", "DGEO", // 1080
    "GLOU", "GOTL", "GWYN", "HAIN", "HAMP", "HELL", "HLYN", "HOLS", "HOMS", "HORM", // 1090
    "ICEL", "IKON", "IMER", "ISTR", "JAMT", "KAIR", "KAPP", "KARA", "KARB", "KARE", // 1100
    "KHWA", "KIEV", "KRAI", "KRAK", "KRET", "KARN", "LANC", "LANG", "LAOD", "LEIN", // 1110
    "LEMA", "LIVO", "LOTH", "LOLO", "LURI", "LUTA", "LUXE", "LYKI", "MADA", "MALL", // 1120
    "MARA", "MARC", "MARR", "MAZA", "MAZO", "MEAT", "MECK", "MEDI", "MEIS", "DMES", // 1130
    "MILA", "MOLD", "MORA", "MOSK", "MUNS", "DNAV", "NIKA", "NIKO", "NORF", "NORM", // 1140
    "NORR", "NOVG", "ORKN", "ORLE", "OULT", "OXFO", "PALM", "PECS", "PELO", "PERE", // 1150
    "PEST", "PETR", "PICA", "PODL", "POIT", "POLO", "POMM", "PRES", "PRON", "PROV", // 1160
    "PRUS", "PSKO", "QOMA", "ROMA", "ROST", "RYAZ", "SALA", "SALI", "SAMO", "SAND", // 1170
    "SARD", "SAVO", "SAXO", "SCHW", "DSER", "SEVI", "SHIR", "SICI", "SILE", "SINA", // 1180
    "SINO", "SKAN", "SLOV", "SMOL", "SMAL", "SPMA", "SPOL", "STEI", "STRA", "STRY", // 1190
    "SUSS", "SUZD", "SWAB", "DSYR", "SZEK", "TABR", "TANG", "TEME", "THES", "THUR", // 1200
    "TIGR", "TIRO", "TORK", "TOSC", "TOUL", "TRAP", "TRIP", "TRON", "DTUN", "TURO", // 1210
    "TVER", "ULST", "UPLO", "UPPL", "URAL", "VALE", "WALL", "VARN", "WARW", "VENE", // 1220
    "VERO", "WEIS", "VIDI", "WIEL", "VISE", "VLAD", "VOLG", "VAST", "YARO", "YORK", // 1230
    "ZARB", "ZARA", "OSTE", "UGRI", "DERB", "TURK", "ATRI", "ALGA", "DCAS", "ESSX", // 1240
    "DFRA", "MORO", "MURC", "PALE", "SAMS", "SJAE", "SLAV", "SVIG", "TEJO", "THRA", // 1250
    "TOLE", "TYRE", "OSTR", "ALEP", "ARAB", "ARAG", "BASR", "BOHE", "BOLG", "BULG", // 1260
    "BURG", "BYZA", "CAST", "CROA", "CUMA", "DENM", "EGYP", "ENGL", "FRAN", "GEOR", // 1270
    "GERM", "HUNG", "IREL", "ITAL", "JERU", "LEON", "LITH", "MESO", "NAPL", "NAVA", // 1280
    "NAFR", "NORW", "PERS", "POLA", "PORT", "RUSS", "SCOT", "SERB", "SWED", "SYRI", // 1290
    "TRAN", "TUNI", "WALE", "PECH", "MJER", "MAMM", "MBAG", "MTRI", "MDAM", "MELA", // 1300
    "MMOS", "MEDE", "MMED", "MKHW", "MALE", "MSIS", "MARB", "MMAZ", "MAUR", "GPOL", // 1310
    "LPOL", "LOMB", "PISA", "PAPA", "VENI", "CILI", "ABBA", "QARA", "AYYU", "ALMO", // 1320
    "HAMM", "ZIRI", "ASSA", "BALE", "RUMS", "ZENA", "BENI", "NOSE", "MURO", "ACHA", // 1330
    "AYDI", "CAND", "CURO", "ERET", "ESTS", "GERI", "GILA", "GOLD", "GRAN", "HOSP", // 1340
    "HREE", "ILKH", "KAFS", "LETT", "MAML", "MANN", "MARI", "MENT", "MOSC", "OTTO", // 1350
    "PRUT", "SAME", "SARU", "SWIS", "TEKK", "TEUT", "TREB", "YATV", "ZEMI", "ZIYA", // 1360
    "ERZE", "ESAM", "FARO", "INGE", "KAJA", "KASS", "KEXH", "KHAZ", "KIRK", "KOLA", // 1370
    "LITT", "MORD", "SATA", "SOUM", "TAVA", "USEZ", "VOTE", "WSAM", "VLAC", "VOLH", // 1380
    "SGAL", "MINS", "NUBI", "MURA", "FATI", "SELJ", "ABKH", "KARM", "POLV", "BUKH", // 1390
    "TEMP", "NONE", "U000", "U001", "U002", "U003", "U004", "U005", "U006", "U007", // 1400
    "U008", "U009", "U010", "U011", "U012", "U013", "U014", "U015", "U016", "U017", // 1410
    "U018", "U019", "REBE", // 1420
};
