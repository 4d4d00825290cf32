// The country-tag table and the names of its realms, drawn from the seed.
#include "country_table.h"

#include <cstdio>
#include <iterator>

#include "characters/culture_table.h"
#include "realms/country_tags.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

const char* const kColors[] = { "Black", "Green", "Orange", "LightBlue", "LightGray", "LightBrown",
    "DarkYellow", "Yellow", "DarkGray", "LightYellow", "Gray", "DarkGreen", "Blue", "LightRed", "White",
    "DarkBrown", "Red", "LightGreen", "LightOrange", "Brown", "DarkBlue", "DarkRed", "DarkOrange" };

constexpr int kNobody = 1401;
constexpr int kRebels = 1422;

std::string CountyTag(int number)
{
    char tag[8];
    std::snprintf(tag, sizeof tag, "C%03d", number);
    return tag;
}

// The built-in realm of number, by the numbering of the registry.
std::string BuiltInTag(int number)
{
    return kBuiltInCountryTags[number - kFirstBuiltInCountry];
}

// A realm's name from its tag: "ABYD" is "Abyd"; the spare tags are free realms, the last the rebels.
std::string RealmName(const std::string& tag, int number)
{
    if (number == kRebels)
        return "Rebels";
    if (tag[0] == 'U' && number > kNobody)
        return "Free Realm " + std::to_string(number - kNobody);
    std::string name = tag;
    for (std::size_t i = 1; i < name.size(); ++i)
        if (name[i] >= 'A' && name[i] <= 'Z')
            name[i] = static_cast<char>(name[i] - 'A' + 'a');
    return name;
}

// Water has no culture and so no county.
bool HasCounty(const World& world, int number)
{
    return std::string(world.provinces[static_cast<std::size_t>(number)].culture) != "none";
}

} // namespace

void WriteCountryTable(const Context& context, const World& world)
{
    Random random = context.RandomFor("db\\country.csv");
    std::string out = "#tag;color;culture;flag top;flag bottom;\r\n";
    const auto pick
        = [&](const auto& list) { return list[random.Range(0, static_cast<int>(std::size(list)) - 1)]; };
    const auto row = [&](const std::string& tag, const char* culture, const char* top, const char* bottom) {
        out += tag + ";" + pick(kColors) + ";" + culture + ";" + top + ";" + bottom + ";\r\n";
    };
    for (int number = kFirstCounty; number <= kLastCounty; ++number)
        if (HasCounty(world, number))
            row(CountyTag(number), world.provinces[static_cast<std::size_t>(number)].culture,
                "purple_regular", "gold_regular");
    for (int number = kFirstBuiltInCountry; number < kFirstBuiltInCountry + kBuiltInCountryTagCount; ++number)
        if (number != kNobody) {
            // Culture 0 is none, which no row may name.
            const char* culture = kCultureTable[random.Range(1, kCultureCount - 1)].tag;
            row(BuiltInTag(number), culture, pick(kFlagTops), pick(kFlagBottoms));
        }
    out += "END;;;;;\r\n";
    WriteDataFile(context, "db\\country.csv", out);
}

std::vector<GeneratedText> CountryTexts(const World& world)
{
    std::vector<GeneratedText> texts;
    for (int number = kFirstCounty; number <= kLastCounty; ++number)
        if (HasCounty(world, number))
            texts.push_back({ "config\\world_names.csv", CountyTag(number),
                "County of " + world.provinces[static_cast<std::size_t>(number)].name });
    for (int number = kFirstBuiltInCountry; number < kFirstBuiltInCountry + kBuiltInCountryTagCount; ++number)
        if (number != kNobody)
            texts.push_back(
                { "config\\world_names.csv", BuiltInTag(number), RealmName(BuiltInTag(number), number) });
    return texts;
}

} // namespace datagen
