// Keyword lookups of the definition kinds and the guarded load of a definition file.
#include "datalang/definition_kind.h"

#include "datalang/lexer.h"
#include "foundation/utilities.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

int CKeywordKind::Find(int token) const
{
    for (int number = 0; number < count; ++number)
        if (tokens[number] == token)
            return number;
    return count;
}

const char* CKeywordKind::GetWord(int number) const
{
    if (number < 0 || number >= count)
        return "";
    const char* word = CLexer::GetString(tokens[number]);
    return word ? word : "";
}

const char* GetKeywordText(const char* prefix, const char* word, const char* suffix)
{
    char key[CNewText::kKeyMax + 1] = "";
    AppendFormat(key, sizeof key, "%s%s%s", prefix, word, suffix);
    for (char* c = key; *c; ++c)
        *c = AsciiUpper(*c);
    return TextStrings.GetString(key);
}

void ExpectBlock(CRZParser& parser, const char* message)
{
    if (parser.value.type != TT_OPEN_BRACE)
        parser.ParseError(message);
}

bool LoadDefinitionFile(const char* path, const std::function<void(CRZParser&)>& read)
{
    CLexer::InitTokens();
    try {
        CRZParser parser(path, "r");
        read(parser);
        return true;
    } catch (int) {
        return false;
    }
}
