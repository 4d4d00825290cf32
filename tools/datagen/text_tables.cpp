// The fourteen localised text tables under "config": a key and ten language columns per row.
#include <map>
#include <string>

#include "data_writer.h"
#include "text_keys.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

// Read in this order by the game; all fourteen are written even when a table holds no key yet.
const char* const gTextTables[] = {
    "config\\modtext.csv",
    "config\\text.csv",
    "config\\messages.csv",
    "config\\event_text.csv",
    "config\\province_names.csv",
    "config\\unit_names.csv",
    "config\\world_names.csv",
    "config\\provinceimprovement_names.csv",
    "config\\law_names.csv",
    "config\\trait_names.csv",
    "config\\advance_names.csv",
    "config\\provinceeffects_names.csv",
    "config\\extra_text.csv",
    "config\\oathbound.csv",
};

constexpr int kLanguages = 10;

void AppendRow(std::string& out, const std::string& key, const std::string& text)
{
    out += key;
    out += ';';
    // Only English text exists; every other column repeats it.
    for (int language = 0; language < kLanguages; ++language) {
        out += text;
        out += ';';
    }
    out += "\r\n";
}

} // namespace

void WriteTextTables(const Context& context)
{
    std::map<std::string, std::string> files;
    for (const char* table : gTextTables)
        files[table] = "#key;English;Language 1;Language 2;Language 3;Language 4;Language 5;Language 6;"
                       "Language 7;Language 8;Language 9;\r\n";
    for (const TextKey& entry : TextKeys())
        AppendRow(files.at(entry.file), entry.key, entry.english);
    for (auto& [name, contents] : files) {
        contents += "#EOF;;;;;;;;;;;\r\n";
        WriteDataFile(context, name, contents);
    }
}

} // namespace datagen
