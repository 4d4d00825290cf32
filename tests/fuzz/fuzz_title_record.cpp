// libFuzzer target over the title record: any block after a title's tag must be read or end in the parse
// error, never a crash, a hang or a leak; what was read must write again and link to whatever exists.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "characters/character.h"
#include "characters/title.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "fuzz_input_file.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* path = WriteFuzzInput("title_record", data, size);
    if (!path)
        return 0;
    CIdentity::TotalInit(NOID, 0);
    CTitle::ConstructAll();
    gCharacterHooks.GetTag = [](int32_t) { return "T"; };
    CRZParser::_pTagToID = [](const char* tag) { return tag[0] == 'T' ? std::atoi(tag + 1) : 0; };
    CCharacter holder;
    holder.Create(CRZID(RZTYPE_CHARACTER, 1));
    try {
        CRZParser parser(path, "r");
        CTitle::GetTitle(1100)->ParseFields(parser);
        CTitle::SyncronizeTitlesClaimsAndCharacters();
        std::unique_ptr<CLScript> script(CTitle::GetTitle(1100)->GetScript());
    } catch (int) {
        // The parse error: the load is abandoned.
    }
    holder.titles.RemoveAll();
    CTitle::DestroyAll();
    CRZParser::_pTagToID = nullptr;
    gCharacterHooks = {};
    CIdentity::TotalCleanup();
    return 0;
}
