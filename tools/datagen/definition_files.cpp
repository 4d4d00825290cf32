// The definition files: every member of each kind with plausible values drawn from the seed. Requirements
// only ever point along fixed chains, so no improvement can come to require itself.
#include "definition_files.h"

#include <cstdio>
#include <string>

#include "datalang/definition_keywords.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

std::string Word(const CKeywordKind& kind, int number)
{
    return kind.GetWord(number);
}

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// "composite_longbow" shown as "Composite Longbow".
std::string Title(const std::string& word)
{
    std::string text;
    bool start = true;
    for (char c : word) {
        if (c == '_') {
            text += ' ';
            start = true;
        } else {
            text += start && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
            start = false;
        }
    }
    return text;
}

// A decimal with two places, from hundredths drawn in [lo, hi].
std::string Hundredths(Random& random, int lo, int hi)
{
    const int value = random.Range(lo, hi);
    char text[32];
    std::snprintf(text, sizeof text, "%s%d.%02d", value < 0 ? "-" : "", (value < 0 ? -value : value) / 100,
        (value < 0 ? -value : value) % 100);
    return text;
}

// Trait numbers whose bearers exclude each other: the virtues and vices in pairs, and the pairs after them.
const int kOppositeTraits[][2] = { { 0, 1 }, { 2, 3 }, { 4, 5 }, { 6, 7 }, { 8, 9 }, { 10, 11 }, { 12, 13 },
    { 14, 15 }, { 16, 17 }, { 18, 19 }, { 20, 21 }, { 22, 23 }, { 24, 25 }, { 81, 82 }, { 83, 84 },
    { 85, 86 }, { 87, 88 }, { 89, 90 } };

// The skill ladders of four levels each; one level drives out the others of its ladder. Education too.
const int kLadders[][4]
    = { { 49, 50, 51, 52 }, { 53, 54, 55, 56 }, { 57, 58, 59, 60 }, { 61, 62, 63, 64 }, { 65, 66, 67, 68 } };

std::string Traits(const Context& context)
{
    Random random = context.RandomFor("db\\traits.txt");
    const char* const attributes[]
        = { "martial", "diplomacy", "intrigue", "stewardship", "health", "fertility" };
    std::string s
        = "# The traits of character: what each drives out, how its bearer sees others and is seen.\n";
    for (int id = 0; id < kTraitCount; ++id) {
        std::vector<int> antithesis;
        for (const auto& pair : kOppositeTraits)
            if (pair[0] == id || pair[1] == id)
                antithesis.push_back(pair[0] == id ? pair[1] : pair[0]);
        for (const auto& ladder : kLadders)
            for (int level : ladder)
                if (level == id)
                    for (int other : ladder)
                        if (other != id)
                            antithesis.push_back(other);
        if (id >= 46 && id <= 48)
            for (int other = 46; other <= 48; ++other)
                if (other != id)
                    antithesis.push_back(other);

        s += Word(kTraitKind, id) + " = {\n";
        s += "\tantithesis = {";
        for (int other : antithesis)
            s += " " + Word(kTraitKind, other) + " = yes";
        s += " }\n";
        s += "\tterminates = { }\n";
        s += "\topinion = {";
        s += " " + Word(kTraitKind, id) + " = " + Hundredths(random, 0, 500);
        for (int other : antithesis)
            s += " " + Word(kTraitKind, other) + " = " + Hundredths(random, -500, 0);
        s += " }\n";
        s += "\topinion_of = " + Hundredths(random, -300, 300) + "\n";
        s += "\tattributes = {";
        for (const char* attribute : attributes)
            s += std::string(" ") + attribute + " = " + std::to_string(random.Range(-2, 2));
        s += " }\n";
        s += "\tperiodic_score = { prestige = " + Hundredths(random, -10, 10)
            + " piety = " + Hundredths(random, -10, 10) + " }\n";
        s += "}\n";
    }
    return s;
}

std::string Laws()
{
    std::string s
        = "# The laws of the realms: 0 succession, 1 the crown and the nobles, 2 the crown and the church.\n";
    for (int id = 0; id < kLawCount; ++id) {
        const int group = id <= 6 ? 0 : id <= 10 ? 1 : 2;
        s += Word(kLawKind, id) + " = {\n\tgroup = " + std::to_string(group) + "\n}\n";
    }
    return s;
}

// Advances stand five to a group in number order; ten groups make each of the three categories (warfare,
// production, culture), so a realm's first focus groups 0, 12 and 22 lie one in each.
constexpr int kAdvancesPerGroup = 5;
constexpr int kGroupsPerCategory = 10;

const char* const kTroopKeys[]
    = { "heavy_cav", "light_cav", "archer_cav", "pikemen", "heavy_inf", "archers", "militia" };

std::string Composition(Random& random, int lo, int hi)
{
    std::string s = "{";
    for (const char* troop : kTroopKeys)
        if (random.Range(0, 2) == 0)
            s += std::string(" ") + troop + " = " + Hundredths(random, lo, hi);
    return s + " }";
}

std::string AdvanceBlock(Random& random, int id)
{
    std::string s;
    if (id < 10 || (id >= 25 && id < 40)) {
        s += "\t\t\tweapon = {\n\t\t\t\tattack = " + Composition(random, 100, 800) + "\n";
        s += std::string("\t\t\t\t") + kTroopKeys[random.Range(0, 6)] + " = " + Composition(random, 80, 150)
            + "\n\t\t\t}\n";
    } else if (id >= 10 && id < 25) {
        s += "\t\t\tarmor = {\n\t\t\t\tdefence = " + Composition(random, 100, 800) + "\n\t\t\t}\n";
    } else if (id >= 40 && id < 50) {
        s += "\t\t\tsiege = " + Hundredths(random, 10, 200) + "\n";
    } else if (id >= 50 && id < 60) {
        s += "\t\t\tcombat_multiplier = {\n\t\t\t\tshock = " + Composition(random, 90, 130)
            + "\n\t\t\t\tmorale = " + Composition(random, 90, 130) + "\n\t\t\t}\n";
    } else {
        s += "\t\t\tlasting_effects = {\n";
        switch (id % 4) {
        case 0:
            s += "\t\t\t\tpercentage_score = { gold = " + Hundredths(random, 101, 110) + " }\n";
            break;
        case 1:
            s += "\t\t\t\ttolls = " + Hundredths(random, 101, 115) + "\n";
            break;
        case 2:
            s += "\t\t\t\tperiodic_score = { prestige = " + Hundredths(random, 1, 20) + " }\n";
            break;
        default:
            s += "\t\t\t\tloyalty = { peasants = " + Hundredths(random, 1, 5) + " }\n";
            break;
        }
        s += "\t\t\t}\n";
    }
    return s;
}

std::string Advances(const Context& context)
{
    Random random = context.RandomFor("db\\advances.txt");
    std::string s
        = "# The advances of the known world, by category and group, in the order they are learnt.\n";
    const int groups = kAdvanceCount / kAdvancesPerGroup;
    for (int category = 0; category * kGroupsPerCategory < groups; ++category) {
        s += "category = {\n\tid = " + std::to_string(category) + "\n";
        for (int group = category * kGroupsPerCategory;
             group < groups && group < (category + 1) * kGroupsPerCategory; ++group) {
            s += "\tgroup = {\n\t\tid = " + std::to_string(group) + "\n";
            for (int level = 0; level < kAdvancesPerGroup; ++level) {
                const int id = group * kAdvancesPerGroup + level;
                s += "\t\t" + Word(kAdvanceKind, id) + " = {\n" + AdvanceBlock(random, id) + "\t\t}\n";
            }
            s += "\t}\n";
        }
        s += "}\n";
    }
    return s;
}

// Each improvement and the one it is built upon (-1 for none). Chains run one way only.
struct Improvement {
    int required;
    int advance; // the advance it needs, -1 for none
    bool coastal;
};

const Improvement kImprovements[kImprovementCount] = {
    { -1, -1, true }, { 0, 91, true }, { 1, 91, true }, { 2, 91, true }, // harbours and the shipyard
    { -1, 64, false }, { 4, -1, false }, { -1, 82, false }, { 6, 84, false }, // wood and iron
    { -1, 80, false }, { 8, 83, false }, { -1, 93, false }, { 10, 92, false }, // mines and mills
    { -1, 74, false }, { -1, -1, false }, { -1, 77, false },
    { -1, 76, false }, // dairy, brewery, cloth, glass
    { 14, 77, false }, { -1, 86, false }, { 19, 121, false }, { -1, 120, false }, // tiles, library, school
    { -1, 54, false }, { 25, 115, false }, { 18, 123, false }, { 20, 59, false }, // training to war academy
    { -1, 101, false }, { -1, 140, false }, { -1, -1, false },
    { 26, 85, false }, // money, monastery, churches
    { 27, 88, false }, { 28, 89, false }, { -1, 118, false }, { -1, 87, false }, // cathedral, theatre, palace
    { -1, 90, false }, { 32, 90, false }, { 33, 102, false }, { -1, 110, false }, // roads and justice
    { -1, -1, false }, { -1, -1, true }, { -1, -1, false }, // the three harmful establishments
    { -1, 45, false }, { 39, 46, false }, { 40, 47, false }, { 41, 48, false }, { 42, 49, false }, // castles
};

std::string Improvements(const Context& context)
{
    Random random = context.RandomFor("db\\provinceimprovements.txt");
    std::string s = "# The buildings of a province: what they cost, need and give.\n";
    for (int id = 0; id < kImprovementCount; ++id) {
        const Improvement& rule = kImprovements[id];
        s += Word(kImprovementKind, id) + " = {\n";
        s += "\tcost = { gold = " + std::to_string(random.Range(5, 60) * 10) + " }\n";
        s += "\tconstruction_time = " + std::to_string(random.Range(1, 24)) + "\n";
        s += "\tonetime_bonus = { prestige = " + std::to_string(random.Range(0, 5)) + " }\n";
        s += "\tonetime_loyalty_bonus = { peasants = " + Hundredths(random, 0, 10) + " }\n";
        s += "\tlasting_effects = {\n\t\tpercentage_score = { gold = " + Hundredths(random, 101, 120)
            + " }\n\t}\n";
        if (rule.coastal)
            s += "\trequire_coastal = yes\n";
        if (id >= 39)
            s += "\tmountain = " + std::string(random.Range(0, 1) ? "yes" : "no") + "\n";
        if (id == 0)
            s += "\tdesert = no\n";
        s += "\trequired_province_improvements = {";
        if (rule.required >= 0)
            s += " " + Word(kImprovementKind, rule.required) + " = yes";
        s += " }\n";
        if (id == 36 || id == 37 || id == 38)
            s += "\tprohibiting_province_improvements = { court_of_justice = yes }\n";
        s += "\tminimum_income = " + Hundredths(random, 0, 300) + "\n";
        s += std::string("\trequired_tier = ")
            + (id == 31        ? "kingdom"
                    : id == 29 ? "duchy"
                               : "county")
            + "\n";
        if (id == 31 || id == 34)
            s += "\trequire_capital = yes\n";
        if (rule.required >= 0 || (id < kImprovementCount - 1 && kImprovements[id + 1].required == id))
            s += "\tupgradeable = yes\n";
        s += "\trequired_advances = {";
        if (rule.advance >= 0)
            s += " " + Word(kAdvanceKind, rule.advance) + " = yes";
        s += " }\n";
        s += "\tadditional_return_on_investment = " + Hundredths(random, 0, 20) + "\n";
        s += "}\n";
    }
    return s;
}

std::string PicturePath(int id, const char* suffix)
{
    return "gfx\\interface\\pi_" + Word(kImprovementKind, id) + suffix + ".bmp";
}

std::string ImprovementPictures(const Context& context)
{
    Random random = context.RandomFor("gfx\\provinceimprovements.txt");
    std::string s = "# Where each building stands on the province view, and its pictures.\n";
    for (int id = 0; id < kImprovementCount; ++id) {
        s += Word(kImprovementKind, id) + " = {\n";
        s += "\tx_offset = " + std::to_string(random.Range(0, 200)) + "\n";
        s += "\ty_offset = " + std::to_string(random.Range(0, 120)) + "\n";
        s += "\tcompleted_bitmap = \"" + PicturePath(id, "") + "\"\n";
        s += "\tpossible_bitmap = \"" + PicturePath(id, "_possible") + "\"\n";
        s += "}\n";
    }
    return s;
}

// What each province effect does to its province, in effect number order.
const char* const kEffects[kEffectCount] = {
    "percentage_score = { gold = 0.50 }\n\t\tloyalty = { peasants = -0.10 }", // looted
    "loyalty = { clergy = -0.20 }", // heretic
    "supportable = 100", // bubonic plague immunity
    "percentage_score = { gold = 0.60 }\n\t\tattrition = 0.05", // bubonic plague
    "supportable = 100", // pneumonic plague immunity
    "percentage_score = { gold = 0.50 }\n\t\tattrition = 0.08", // pneumonic plague
    "attrition = 0.03", // malaria
    "attrition = 0.02", // dysentery
    "percentage_score = { gold = 0.90 }", // small pox
    "percentage_score = { gold = 0.90 }", // typhoid fever
    "percentage_score = { gold = 0.80 }", // struggling
    "percentage_score = { gold = 0.90 }", // poor
    "percentage_score = { gold = 1.10 }\n\t\ttolls = 1.10", // prosperous
    "percentage_score = { gold = 1.25 }\n\t\ttolls = 1.20", // rich
    "percentage_score = { gold = 0.25 }\n\t\tloyalty = { nobles = -0.20 }", // revolt
};

// The effects whose text keys are not their keywords.
std::string EffectKey(int id)
{
    return id == 9 ? "TYPHOID" : Upper(Word(kEffectKind, id));
}

std::string Effects()
{
    std::string s = "# The passing conditions of a province.\n";
    for (int id = 0; id < kEffectCount; ++id)
        s += Word(kEffectKind, id) + " = {\n\teffects = {\n\t\t" + kEffects[id] + "\n\t}\n}\n";
    return s;
}

// The troop types' base values, one block per table. Riders are few, dear and hit hard; levies come cheap
// and in large companies.
std::string Combat()
{
    // In the order of kTroopKeys.
    const struct {
        const char* table;
        int values[7];
    } tables[] = {
        { "size", { 50, 100, 100, 200, 150, 150, 250 } },
        { "attack", { 8, 5, 6, 4, 6, 5, 2 } },
        { "defence", { 6, 3, 3, 6, 6, 2, 1 } },
        { "shock", { 10, 6, 4, 3, 5, 1, 1 } },
        { "morale", { 6, 4, 4, 5, 5, 3, 2 } },
        { "upkeep", { 30, 15, 20, 6, 10, 6, 2 } },
    };
    std::string s
        = "# The troop types' base values: company size, attack, defence, shock, morale and upkeep.\n";
    for (const auto& table : tables) {
        s += std::string(table.table) + " = {\n";
        for (int type = 0; type < 7; ++type)
            s += "\t" + std::string(kTroopKeys[type]) + " = " + std::to_string(table.values[type]) + "\n";
        s += "}\n";
    }
    return s;
}

std::string TraitWord(int id)
{
    return id == 29 ? "PLAGUE_INFESTED" : id == 37 ? "CLUB_FOOTED" : Upper(Word(kTraitKind, id));
}

} // namespace

void WriteDefinitionFiles(const Context& context)
{
    WriteDataFile(context, "db\\traits.txt", Traits(context));
    WriteDataFile(context, "db\\laws.txt", Laws());
    WriteDataFile(context, "db\\advances.txt", Advances(context));
    WriteDataFile(context, "db\\combat.txt", Combat());
    WriteDataFile(context, "db\\provinceimprovements.txt", Improvements(context));
    WriteDataFile(context, "gfx\\provinceimprovements.txt", ImprovementPictures(context));
    WriteDataFile(context, "db\\ProvinceEffects.txt", Effects());
}

std::vector<DefinitionText> DefinitionTexts()
{
    const std::string table = "config\\text.csv";
    std::vector<DefinitionText> texts;
    for (int id = 0; id < kTraitCount; ++id) {
        const std::string name = Title(Word(kTraitKind, id));
        texts.push_back({ table, "TRAIT_NAME_" + TraitWord(id), name });
        texts.push_back({ table, "TRAIT_DESC_" + TraitWord(id), "A character who is " + name + "." });
    }
    for (int id = 0; id < kLawCount; ++id) {
        const std::string name = Title(Word(kLawKind, id));
        texts.push_back({ table, Upper(Word(kLawKind, id)), name });
        texts.push_back(
            { table, Upper(Word(kLawKind, id)) + "_DESC", "The realm lives under " + name + "." });
    }
    for (int id = 0; id < kAdvanceCount; ++id)
        texts.push_back({ table, Upper(Word(kAdvanceKind, id)) + "_NAME", Title(Word(kAdvanceKind, id)) });
    texts.push_back({ table, "NO_SUCH_ADVANCE_NAME", "No advance" });
    for (int group = 0; group < kAdvanceCount / kAdvancesPerGroup; ++group)
        texts.push_back({ table, "ADV_GROUP_NAME_" + std::to_string(group),
            Title(Word(kAdvanceKind, group * kAdvancesPerGroup)) + " and after" });
    for (int id = 0; id < kImprovementCount; ++id) {
        const std::string name = Title(Word(kImprovementKind, id));
        texts.push_back({ table, "PI_" + Upper(Word(kImprovementKind, id)), name });
        texts.push_back({ table, "PI_" + Upper(Word(kImprovementKind, id)) + "_DESC", "A " + name + "." });
    }
    for (int id = 0; id < kEffectCount; ++id) {
        const std::string name = Title(Word(kEffectKind, id));
        texts.push_back({ table, "PE_" + EffectKey(id), name });
        texts.push_back({ table, "PEX_" + EffectKey(id), "The province suffers or enjoys: " + name + "." });
    }
    return texts;
}

std::vector<std::string> DefinitionPictures()
{
    std::vector<std::string> pictures;
    for (int id = 0; id < kImprovementCount; ++id) {
        pictures.push_back(PicturePath(id, ""));
        pictures.push_back(PicturePath(id, "_possible"));
    }
    pictures.push_back("gfx\\interface\\BDG_UC.bmp");
    pictures.push_back("gfx\\interface\\tech_missile_bows.bmp");
    return pictures;
}

} // namespace datagen
