// The named counters of scripts and their data-language block.
#include "characters/flags.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "foundation/utilities.h"

#include "foundation/safeguards.h"

namespace {

// The name as the tree keys it: cut to the flag's field.
struct CFlagName {
    explicit CFlagName(const char* name) { CopyString(text, name ? name : ""); }
    char text[sizeof CFlag::name];
};

} // namespace

const CFlag* CFlags::Find(const char* name) const
{
    return Get(CFlagName(name).text);
}

void CFlags::NewFlag(const char* name, int value)
{
    const CFlagName key(name);
    if (key.text[0] == '\0')
        return;
    if (CFlag* flag = Get(key.text)) {
        // Replacing it in the tree would lose the flag that is there.
        flag->value = static_cast<int16_t>(value);
        return;
    }
    CFlag* flag = new CFlag {};
    CopyString(flag->name, key.text);
    flag->value = static_cast<int16_t>(value);
    Add(flag->name, flag);
}

CFlag* CFlags::FindOrAdd(const char* name)
{
    const CFlagName key(name);
    if (CFlag* flag = Get(key.text))
        return flag;
    NewFlag(key.text, 0);
    return Get(key.text);
}

void CFlags::SetFlag(const char* name, int value)
{
    NewFlag(name, value);
}

void CFlags::IncFlag(const char* name, int delta)
{
    if (CFlag* flag = FindOrAdd(name))
        flag->value = static_cast<int16_t>(
            std::clamp<int64_t>(int64_t { flag->value } + delta, INT16_MIN, INT16_MAX));
}

bool CFlags::IsGreaterThan(const char* name, int value)
{
    const CFlag* flag = FindOrAdd(name);
    return flag != nullptr && flag->value >= value;
}

int CFlags::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        int value = 0;
        if (parser.value.type == KW_YES)
            value = 1;
        else if (parser.value.type != KW_NO)
            value = TextToInt(parser.value.text);
        NewFlag(parser.key.text, value);
        return kReadOn;
    });
}

CLScript* CFlags::GetScript() const
{
    CLSList* list = new CLSList;
    // The tree's walk takes a plain function, so the list travels in a static for the walk's length.
    static CLSList* target;
    target = list;
    const_cast<CFlags*>(this)->ForEach(
        [](CFlag* flag) { target->Append(new CLSymbol(flag->name, new CLInteger(flag->value))); });
    return list;
}
