// The named counters of scripts and their data-language block.
#include "characters/flags.h"

#include <cstdio>

#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "foundation/utilities.h"
#include "platform/win/win32.h"

#include "foundation/safeguards.h"

CFlags::~CFlags()
{
    RemoveAll();
}

void CFlags::RemoveAll()
{
    DeleteAll(flags);
}

const CFlag* CFlags::Find(const char* name) const
{
    for (auto it = flags.GetHead(); !it.IsEnd(); it++) {
        if (stricmp((*it)->name, name) == 0)
            return *it;
    }
    return nullptr;
}

CFlag* CFlags::FindOrAdd(const char* name)
{
    if (const CFlag* found = Find(name))
        return const_cast<CFlag*>(found);
    CFlag* flag = new CFlag {};
    // A longer name is cut to the field.
    std::snprintf(
        flag->name, sizeof flag->name, "%.*s", static_cast<int>(sizeof flag->name - 1), name ? name : "");
    flags.Append(flag);
    return flag;
}

void CFlags::SetFlag(const char* name, int value)
{
    FindOrAdd(name)->value = static_cast<int16_t>(value);
}

void CFlags::IncFlag(const char* name, int delta)
{
    CFlag* flag = FindOrAdd(name);
    flag->value = static_cast<int16_t>(flag->value + delta);
}

int CFlags::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        int value = 0;
        if (parser.value.type == KW_YES)
            value = 1;
        else if (parser.value.type != KW_NO)
            value = TextToInt(parser.value.text);
        SetFlag(parser.key.text, value);
        return kReadOn;
    });
}

CLScript* CFlags::GetScript() const
{
    CLSList* list = new CLSList;
    for (auto it = flags.GetHead(); !it.IsEnd(); it++)
        list->Append(new CLSymbol((*it)->name, new CLInteger((*it)->value)));
    return list;
}
