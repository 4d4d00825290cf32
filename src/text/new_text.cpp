// The localised text database: reading the fourteen "config" tables of ten language columns.
#include "text/new_text.h"

#include <cstdio>
#include <cstring>

#include "foundation/data_file.h"
#include "foundation/excel_parse.h"
#include "foundation/logs.h"
#include "platform/win/win32.h"
#include "text/text_table_files.h"

#include "foundation/safeguards.h"

CNewText TextStrings;

namespace {

// A new text in which each backslash-n has become CR LF; every other byte is kept.
char* ConvertLineBreaks(const char* text)
{
    std::size_t length = std::strlen(text);
    char* out = new char[length * 2 + 1]; // at worst every pair grows to two, never more
    std::size_t n = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == '\\' && text[i + 1] == 'n') {
            out[n++] = '\r';
            out[n++] = '\n';
            ++i;
        } else {
            out[n++] = text[i];
        }
    }
    out[n] = '\0';
    return out;
}

bool FileExists(const char* name)
{
    std::FILE* f = OpenDataFile(name, "rb");
    if (f == nullptr)
        return false;
    std::fclose(f);
    return true;
}

} // namespace

int CNewText::Init(RZLanguageType newLanguage)
{
    if (newLanguage < 0 || newLanguage > RZ_LANGUAGE_LAST)
        newLanguage = RZ_LANGUAGE_0;
    language = newLanguage;
    // Only the keys go: the texts of the earlier language stay in the list until DeleteAll.
    CTernary<char*>::DeleteAll();
    Lock();
    bool ok = true;
    for (const char* table : kTextTableFiles)
        if (!ParseFile(table, language)) {
            ok = false;
            break;
        }
    Unlock();
    return ok ? 1 : 0;
}

bool CNewText::ParseFile(const char* name, RZLanguageType column)
{
    if (!FileExists(name))
        return true;
    CExcelParse table(name);
    static char key[kKeyMax + 1];
    static char text[kTextMax + 1];
    static char chosen[kTextMax + 1];
    int row = 0;
    // The reader counts fields, not rows: a short row borrows from the next, as the tables always did.
    while (table.parse_string(key, sizeof key)) {
        ++row;
        if (stricmp(key, "#EOF") == 0)
            break;
        if (key[0] == '#' || std::strlen(key) <= 1) {
            table.skip_rows(1);
            continue;
        }
        if (std::strchr(key, ' ') != nullptr) {
            std::fprintf(stderr, "ERROR in language file, token '%s'\n", key);
            std::fprintf(stderr, "(%s, row %d)\n", name, row);
            return false;
        }
        chosen[0] = '\0';
        for (int i = 0; i < kLanguageCount; ++i) {
            if (!table.parse_string(text, sizeof text))
                break;
            if (i == column)
                std::snprintf(chosen, sizeof chosen, "%s", text);
        }
        Add(key, Keep(ConvertLineBreaks(chosen)));
        table.skip_rows(1);
    }
    return true;
}

char* CNewText::Keep(char* text)
{
    texts.push_back(text);
    return text;
}

void CNewText::DeleteAll()
{
    CTernary<char*>::DeleteAll();
    for (char* text : texts)
        delete[] text;
    texts.clear();
}

const char* CNewText::GetString(const char* key) const
{
    const char* text = key ? Get(key) : nullptr;
    if (text == nullptr) {
        mydebug("Unable to find string for key: %s\n", key ? key : "");
        return kUnknownString;
    }
    return text;
}
