// The script tree's nodes: construction, holds, value copying and the list operations. Writing is in
// script_writer.cpp.
#include "datalang/script_tree.h"

#include "datalang/block_keywords.h"
#include "foundation/owned_text.h"

#include "foundation/safeguards.h"

namespace {

const char* const kIdentifierName = "identifier";

} // namespace

const char* CLScript::GetName()
{
    CLIdentifier* identifier = GetIdentifier();
    return identifier ? identifier->GetName() : "";
}

bool CLInteger::Set(CLScript* source)
{
    if (!source)
        return false;
    value = source->GetInteger();
    return true;
}

bool CLFloat::Set(CLScript* source)
{
    if (!source)
        return false;
    value = source->GetFloat();
    return true;
}

bool CLBool::Set(CLScript* source)
{
    if (!source)
        return false;
    value = source->GetBool();
    return true;
}

CLString::CLString(const char* inText)
    : CLLiteral(CLT_STRING)
    , text(NewTextCopy(inText))
{
}

CLString::~CLString()
{
    delete[] text;
}

bool CLString::Set(CLScript* source)
{
    if (!source)
        return false;
    SetString(source->GetString());
    return true;
}

const char* CLString::SetString(const char* newText)
{
    // Copy before freeing: the new text may be this node's own.
    char* copy = NewTextCopy(newText);
    delete[] text;
    text = copy;
    return text;
}

CLIdentifier::CLIdentifier(const char* word)
    : CLLiteral(CLT_IDENTIFIER)
    , tag(TT_WORD_START)
    , name(NewTextCopy(word))
{
}

CLIdentifier::CLIdentifier(CRZTokenType inTag)
    : CLLiteral(CLT_IDENTIFIER)
    , tag(inTag)
    , name(NewTextCopy(kIdentifierName))
{
}

CLIdentifier::~CLIdentifier()
{
    delete[] name;
}

CLScript* CLIdentifier::Copy()
{
    if (tag != TT_WORD_START)
        return new CLIdentifier(tag);
    return new CLIdentifier(name);
}

const char* (*CLID::_pIDToTag)(int) = nullptr;

CLID::CLID(const CRZID& inId)
    : CLIdentifier(KW_ID)
    , id(inId)
{
}

bool CLID::Set(CLScript* source)
{
    if (!source)
        return false;
    id = source->GetID();
    return true;
}

CLSList::CLSList(CLSList* other)
    : CLList(CLT_SLIST)
{
    if (other)
        other->CList<CLScript*>::ForEach([this](CLScript* element) { Append(element); });
}

void CLSList::Append(CLScript* element)
{
    Hold(element);
    CList<CLScript*>::Append(element);
}

void CLSList::Delete(CLScript* element)
{
    if (Remove(Find(element)))
        Drop(element);
}

void CLSList::ForEach(CLSList* statements)
{
    if (!statements)
        return;
    CList<CLScript*>::ForEach([statements](CLScript* element) {
        CLObject* object = element ? element->GetObjectA() : nullptr;
        statements->CList<CLScript*>::ForEach([object](CLScript* statement) {
            if (statement)
                statement->Execute(object);
        });
    });
}

void CLSList::DestroyAll()
{
    CList<CLScript*>::ForEach([](CLScript* element) { Drop(element); });
    RemoveAll();
}

CLSymbol::CLSymbol(CRZTokenType keyword, CLScript* inValue)
    : CLSymbol(CLT_SYMBOL, new CLIdentifier(keyword), inValue)
{
}

CLSymbol::CLSymbol(const char* word, CLScript* inValue)
    : CLSymbol(CLT_SYMBOL, new CLIdentifier(word), inValue)
{
}

CLSymbol::CLSymbol(CLIdentifier* inName, CLScript* inValue)
    : CLSymbol(CLT_SYMBOL, inName, inValue)
{
}

CLSymbol::CLSymbol(CLType inKind, CLIdentifier* inName, CLScript* inValue)
    : CLScript(inKind)
    , name(inName)
    , value(inValue)
{
    Hold(inName);
    Hold(inValue);
}

CLSymbol::~CLSymbol()
{
    Drop(name);
    Drop(value);
}

CLScript* CLSymbol::SetValue(CLScript* newValue)
{
    if (value && value->Set(newValue))
        return value;
    // Hold before dropping: the new value may be the old one.
    Hold(newValue);
    Drop(value);
    value = newValue;
    return value;
}

CLScript* CLSymbol::Copy()
{
    CLIdentifier* nameCopy = name ? static_cast<CLIdentifier*>(name->Copy()) : nullptr;
    return new CLSymbol(CLT_SYMBOL, nameCopy, value ? value->Copy() : nullptr);
}

CLScript* CLSymbol::Eval(CLObject* object)
{
    if (!value)
        return this;
    CLScript* result = value->Eval(object);
    return value->GetKind() == CLT_EVALUATED ? result : this;
}

CLBinaryOperation::CLBinaryOperation(CLScript* inLhs, CLScript* inRhs)
    : CLStatement(CLT_BINARY)
    , lhs(inLhs)
    , rhs(inRhs)
{
    Hold(inLhs);
    Hold(inRhs);
}

CLBinaryOperation::~CLBinaryOperation()
{
    Drop(lhs);
    Drop(rhs);
}
