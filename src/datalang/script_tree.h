// The script tree: the nodes into which a saved object puts itself (CLScripter::GetScript) before the writer
// turns them into data-language text. Nodes are counted by the symbols, operations and lists that hold them.
#pragma once

#include <cstdint>

#include "datalang/token.h"
#include "foundation/linked_list.h"
#include "foundation/rz_id.h"
#include "foundation/scripter.h"

class CRZParser;
// What Eval and Execute are handed; nothing in the game derives from it.
class CLObject;
class CLLiteral;
class CLList;
class CLSList;
class CLIdentifier;
class CLSymbol;
class CLStatement;

enum CLType : std::int32_t {
    CLT_NONE = 0,
    CLT_SLIST = 2,
    CLT_INTEGER = 4,
    CLT_FLOAT = 5,
    CLT_BOOL = 6,
    CLT_STRING = 7,
    CLT_EVALUATED = 9, // what a symbol's Eval passes on; no node of the game carries it
    CLT_IDENTIFIER = 10,
    CLT_SYMBOL = 13,
    CLT_BINARY = 15,
};

class CLScript {
public:
    explicit CLScript(CLType inKind)
        : kind(inKind)
    {
    }
    // A root that nobody holds is deleted directly; deleting a node drops its holds on its children.
    virtual ~CLScript() = default;
    CLScript(const CLScript&) = delete;
    CLScript& operator=(const CLScript&) = delete;

    virtual CRZTokenType GetTag() const { return TT_WORD_START; }
    virtual int GetInteger() const { return 0; }
    virtual float GetFloat() const { return 0.0f; }
    virtual bool GetBool() const { return false; }
    // Never null: nodes that hold no text answer a shared empty string.
    virtual const char* GetString() const { return ""; }
    virtual CLList* GetList() { return nullptr; }
    virtual CLSList* GetSList() { return nullptr; }
    virtual CLScript* GetQuote() { return nullptr; }
    virtual CLIdentifier* GetIdentifier() { return nullptr; }
    // The name of the node's identifier; empty for a node that has none.
    virtual const char* GetName();
    virtual CRZID GetID() const { return NOID; }
    virtual CLObject* GetObjectA() { return nullptr; }
    virtual void* GetBPtr() { return nullptr; }
    virtual CLScript* GetValue() { return this; }
    virtual CLScript* SetValue(CLScript*) { return nullptr; }
    // Copies the source's value into this node; false for nodes that hold no value.
    virtual bool Set(CLScript*) { return false; }
    virtual bool IsBuiltIn() const { return false; }
    virtual bool IsLiteral() const { return false; }
    virtual bool IsSymbol() const { return false; }
    virtual bool IsStatement() const { return false; }
    virtual bool IsDeclaration() const { return false; }
    virtual bool IsInterrupted() const { return false; }
    virtual CLLiteral* GetLiteral() { return nullptr; }
    virtual CLSymbol* GetSymbol() { return nullptr; }
    virtual CLStatement* GetStatement() { return nullptr; }
    virtual CLScript* GetDeclaration() { return nullptr; }
    virtual CLScript* LookupSymbol(const char*) { return nullptr; }
    // Writes the node in the save-file layout at the given nesting depth: 0, or -2 when a token could not
    // be written.
    virtual int Write(CRZParser& parser, int indent);
    // A new node that nobody holds yet.
    virtual CLScript* Copy() { return new CLScript(kind); }
    virtual CLScript* Eval(CLObject*) { return this; }
    virtual CLScript* Execute(CLObject* object) { return Eval(object); }

    // The game session calls it when a game is cleaned up; the tree keeps nothing between games.
    static void Cleanup() { }

    CLType GetKind() const { return kind; }
    std::int32_t GetRefCount() const { return refcount; }

    // A hold adds one to the count; dropping the last hold deletes the node. Both skip null.
    static void Hold(CLScript* node)
    {
        if (node)
            ++node->refcount;
    }
    static void Drop(CLScript* node)
    {
        if (node && --node->refcount <= 0)
            delete node;
    }

protected:
    CLType kind;
    std::int32_t refcount = 0;
};

class CLLiteral : public CLScript {
public:
    using CLScript::CLScript;
    bool IsLiteral() const override { return true; }
    CLLiteral* GetLiteral() override { return this; }
    CLScript* Copy() override = 0;
};

class CLInteger : public CLLiteral {
public:
    explicit CLInteger(int inValue)
        : CLLiteral(CLT_INTEGER)
        , value(inValue)
    {
    }
    int GetInteger() const override { return value; }
    bool Set(CLScript* source) override;
    int Write(CRZParser& parser, int indent) override;
    CLScript* Copy() override { return new CLInteger(GetInteger()); }

private:
    std::int32_t value;
};

class CLFloat : public CLLiteral {
public:
    explicit CLFloat(float inValue)
        : CLLiteral(CLT_FLOAT)
        , value(inValue)
    {
    }
    float GetFloat() const override { return value; }
    bool Set(CLScript* source) override;
    int Write(CRZParser& parser, int indent) override;
    CLScript* Copy() override { return new CLFloat(GetFloat()); }

private:
    float value;
};

class CLBool : public CLLiteral {
public:
    explicit CLBool(bool inValue)
        : CLLiteral(CLT_BOOL)
        , value(inValue)
    {
    }
    bool GetBool() const override { return value != 0; }
    bool Set(CLScript* source) override;
    int Write(CRZParser& parser, int indent) override;
    CLScript* Copy() override { return new CLBool(GetBool()); }

private:
    std::int32_t value;
};

class CLString : public CLLiteral {
public:
    // A null text is taken as empty.
    explicit CLString(const char* text);
    ~CLString() override;
    const char* GetString() const override { return text; }
    bool Set(CLScript* source) override;
    int Write(CRZParser& parser, int indent) override;
    CLScript* Copy() override { return new CLString(GetString()); }
    // Stores a copy of the text (which may be this node's own) and answers the copy.
    virtual const char* SetString(const char* newText);

private:
    char* text;
};

class CLIdentifier : public CLLiteral {
public:
    // A plain word: tag 0, the word as the name (null taken as empty).
    explicit CLIdentifier(const char* word);
    // A keyword: the tag as given, the name "identifier".
    explicit CLIdentifier(CRZTokenType tag);
    ~CLIdentifier() override;
    CRZTokenType GetTag() const override { return tag; }
    CLIdentifier* GetIdentifier() override { return this; }
    const char* GetName() override { return name; }
    int Write(CRZParser& parser, int indent) override;
    CLScript* Copy() override;

private:
    CRZTokenType tag;
    char* name;
};

class CLID : public CLIdentifier {
public:
    explicit CLID(const CRZID& id);
    CRZID GetID() const override { return id; }
    bool Set(CLScript* source) override;
    // Realms and titles by their realm's tag, every other identity as { type = N id = N }.
    int Write(CRZParser& parser, int indent) override;
    CLScript* Copy() override { return new CLID(id); }

    // The tag of the realm with the given index, or null when none has it; the country table installs it.
    // Unset, every realm writes "NONE".
    static const char* (*_pIDToTag)(int index);

private:
    CRZID id;
};

class CLList : public CLLiteral {
public:
    using CLLiteral::CLLiteral;
    CLList* GetList() override { return this; }
    virtual CLSList* GetStatementList() { return nullptr; }
    virtual void Append(CLScript* element) = 0;
    virtual int GetSize() const = 0;
    virtual void Delete(CLScript* element) = 0;
    virtual bool Contains(CLScript* const& element) const = 0;
    virtual void ForEach(CLSList* statements) = 0;
};

// The elements are kept in the list of the second base, in order; null elements are allowed and write
// nothing.
class CLSList : public CLList, public CList<CLScript*> {
public:
    CLSList()
        : CLList(CLT_SLIST)
    {
    }
    // The same elements in the same order, each held once more.
    explicit CLSList(CLSList* other);
    ~CLSList() override { DestroyAll(); }

    CLSList* GetSList() override { return this; }
    int Write(CRZParser& parser, int indent) override;
    CLScript* Copy() override { return new CLSList(this); }

    // Holds the element and appends it at the tail.
    void Append(CLScript* element) override;
    int GetSize() const override { return CList<CLScript*>::GetSize(); }
    // Removes the element and drops its hold; nothing happens when it is not in the list.
    void Delete(CLScript* element) override;
    // By pointer identity.
    bool Contains(CLScript* const& element) const override { return CList<CLScript*>::Contains(element); }
    // Executes every statement, in order, with the object of each element in turn.
    void ForEach(CLSList* statements) override;
    // The list's own walk over its elements stays callable beside the script walk.
    using CList<CLScript*>::ForEach;
    // Drops one hold on every element and empties the list.
    void DestroyAll();
};

class CLSymbol : public CLScript {
public:
    CLSymbol(CRZTokenType keyword, CLScript* value);
    CLSymbol(const char* word, CLScript* value);
    CLSymbol(CLIdentifier* name, CLScript* value);
    CLSymbol(CLType kind, CLIdentifier* name, CLScript* value);
    ~CLSymbol() override;

    CRZTokenType GetTag() const override { return name ? name->GetTag() : TT_WORD_START; }
    const char* GetName() override { return name ? name->GetName() : ""; }
    CLIdentifier* GetIdentifier() override { return name; }
    CLScript* GetValue() override { return value; }
    // Keeps the present value node when it can take the new value, else holds and stores the new node.
    CLScript* SetValue(CLScript* newValue) override;
    bool IsSymbol() const override { return true; }
    CLSymbol* GetSymbol() override { return this; }
    // Written as the assignment "name = value".
    int Write(CRZParser& parser, int indent) override;
    CLScript* Copy() override;
    CLScript* Eval(CLObject* object) override;

private:
    CLIdentifier* name;
    CLScript* value;
};

class CLStatement : public CLScript {
public:
    using CLScript::CLScript;
    bool IsStatement() const override { return true; }
    CLStatement* GetStatement() override { return this; }
    bool IsInterrupted() const override { return false; }
};

class CLBinaryOperation : public CLStatement {
public:
    CLBinaryOperation(CLScript* lhs, CLScript* rhs);
    ~CLBinaryOperation() override;

protected:
    CLScript* lhs;
    CLScript* rhs;
};

class CLAssignment : public CLBinaryOperation {
public:
    using CLBinaryOperation::CLBinaryOperation;
    int Write(CRZParser& parser, int indent) override;
};
