// The fourteen localised text tables under "config": a key and ten language columns per row.
#include <map>
#include <string>

#include "data_writer.h"
#include "definition_files.h"
#include "text/text_table_files.h"
#include "text_keys.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

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

void WriteTextTables(const Context& context, const std::vector<GeneratedText>& generated)
{
    std::map<std::string, std::string> files;
    for (const char* table : kTextTableFiles)
        files[table] = "#key;English;Language 1;Language 2;Language 3;Language 4;Language 5;Language 6;"
                       "Language 7;Language 8;Language 9;\r\n";
    for (const TextKey& entry : TextKeys())
        AppendRow(files.at(entry.file), entry.key, entry.english);
    for (const DefinitionText& entry : DefinitionTexts())
        AppendRow(files.at(entry.file), entry.key, entry.english);
    for (const GeneratedText& entry : generated)
        AppendRow(files.at(entry.file), entry.key, entry.text);
    for (auto& [name, contents] : files) {
        contents += "#EOF;;;;;;;;;;;\r\n";
        WriteDataFile(context, name, contents);
    }
}

} // namespace datagen
