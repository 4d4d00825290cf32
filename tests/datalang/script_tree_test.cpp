// The script tree: holds and drops, values and their copying, and the answers of each kind of node.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "datalang/block_keywords.h"
#include "datalang/script_tree.h"

namespace {

// A node that counts its own deletion.
class CountedNode : public CLInteger {
public:
    CountedNode(int inValue, int& inDeletions)
        : CLInteger(inValue)
        , deletions(inDeletions)
    {
    }
    ~CountedNode() override { ++deletions; }

private:
    int& deletions;
};

} // namespace

TEST(ScriptTree, DeletingARootDropsItsChildrenButSparesSharedOnes)
{
    int deletions = 0;
    CLSList* shared = new CLSList;
    shared->Append(new CountedNode(1, deletions));
    shared->Append(new CountedNode(2, deletions));
    CLSList::Hold(shared); // a second holder besides the symbol
    {
        CLSymbol root(KW_X, shared);
        EXPECT_EQ(shared->GetRefCount(), 2);
    }
    EXPECT_EQ(deletions, 0);
    EXPECT_EQ(shared->GetRefCount(), 1);
    EXPECT_EQ(shared->GetSize(), 2);

    // A copy of a list shares its elements: they live until the last list lets them go.
    CLSList* copy = static_cast<CLSList*>(shared->Copy());
    EXPECT_EQ((*copy->GetHead())->GetRefCount(), 2);
    CLScript::Drop(shared);
    EXPECT_EQ(deletions, 0);
    delete copy;
    EXPECT_EQ(deletions, 2);

    CLSList empty;
    EXPECT_EQ(empty.GetSize(), 0);
}

TEST(ScriptTree, ListDeleteContainsAndNullElements)
{
    int deletions = 0;
    CLSList list;
    CountedNode* a = new CountedNode(1, deletions);
    CLInteger outsider(3);
    list.Append(a);
    list.Append(nullptr);
    EXPECT_EQ(list.GetSize(), 2);
    EXPECT_TRUE(list.Contains(a));
    EXPECT_FALSE(list.Contains(&outsider));
    // Deleting a node that is not an element changes nothing and drops no hold.
    list.Delete(&outsider);
    EXPECT_EQ(list.GetSize(), 2);
    list.Delete(a);
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(list.GetSize(), 1);
}

TEST(ScriptTree, AnswersOfEachKind)
{
    CLIdentifier keyword(KW_JANUARY);
    EXPECT_EQ(keyword.GetTag(), KW_JANUARY);
    EXPECT_STREQ(keyword.GetName(), "identifier");
    CLIdentifier word("Some_word");
    EXPECT_EQ(word.GetTag(), TT_WORD_START);
    EXPECT_STREQ(word.GetName(), "Some_word");

    CLID id(CRZID(10, 5));
    EXPECT_EQ(id.GetTag(), KW_ID);
    EXPECT_EQ(id.GetID(), CRZID(10, 5));
    EXPECT_EQ(id.GetKind(), CLT_IDENTIFIER);

    CLInteger number(7);
    CLSList list;
    CLSymbol symbol(KW_YEAR, new CLInteger(1066));
    EXPECT_EQ(number.GetID(), NOID);
    // Nodes without text or identifier answer empty texts, never null.
    EXPECT_STREQ(number.GetString(), "");
    EXPECT_STREQ(number.GetName(), "");
    EXPECT_STREQ(list.GetName(), "");
    EXPECT_EQ(list.GetKind(), CLT_SLIST);
    EXPECT_EQ(list.GetSList(), &list);
    EXPECT_TRUE(number.IsLiteral());
    EXPECT_FALSE(symbol.IsLiteral());
    EXPECT_EQ(symbol.GetKind(), CLT_SYMBOL);
    EXPECT_EQ(symbol.GetTag(), KW_YEAR);
    EXPECT_EQ(symbol.GetValue()->GetInteger(), 1066);
    EXPECT_EQ(symbol.Eval(nullptr), &symbol);

    CLAssignment assignment(nullptr, nullptr);
    EXPECT_EQ(assignment.GetKind(), CLT_BINARY);
    EXPECT_TRUE(assignment.IsStatement());
}

TEST(ScriptTree, SetValueKeepsANodeThatTakesTheValue)
{
    CLSymbol symbol(KW_X, new CLInteger(5));
    CLScript* before = symbol.GetValue();
    CLFloat source(2.5f);
    EXPECT_EQ(symbol.SetValue(&source), before);
    EXPECT_EQ(before->GetInteger(), 0); // a float answers 0 as an integer

    // A list cannot take a value: the new node replaces it, and setting the same node again keeps it.
    int deletions = 0;
    CLSymbol listSymbol(KW_X, new CLSList);
    CountedNode* replacement = new CountedNode(9, deletions);
    EXPECT_EQ(listSymbol.SetValue(replacement), replacement);
    EXPECT_EQ(replacement->GetRefCount(), 1);
    CLSymbol::Hold(replacement);
    CLSList* list = new CLSList;
    CLSymbol listValue(KW_Y, list);
    EXPECT_EQ(listValue.SetValue(list), list);
    EXPECT_EQ(list->GetRefCount(), 1);
    CLSymbol::Drop(replacement);
    EXPECT_EQ(deletions, 0);
}

TEST(ScriptTree, SetAndCopyCarryValues)
{
    CLString text("first");
    CLString other("second");
    EXPECT_TRUE(text.Set(&other));
    EXPECT_STREQ(text.GetString(), "second");
    // Its own text as the new one.
    EXPECT_STREQ(text.SetString(text.GetString()), "second");
    EXPECT_FALSE(text.Set(nullptr));

    CLID id(CRZID(10, 5));
    CLID source(CRZID(4, 9));
    EXPECT_TRUE(id.Set(&source));
    EXPECT_EQ(id.GetID(), CRZID(4, 9));

    CLSymbol symbol(KW_MONTH, new CLIdentifier(KW_JANUARY));
    CLScript* copy = symbol.Copy();
    EXPECT_EQ(copy->GetKind(), CLT_SYMBOL);
    EXPECT_EQ(copy->GetTag(), KW_MONTH);
    EXPECT_NE(copy->GetValue(), symbol.GetValue());
    EXPECT_EQ(copy->GetValue()->GetTag(), KW_JANUARY);
    delete copy;

    CLScript* idCopy = id.Copy();
    EXPECT_EQ(idCopy->GetID(), CRZID(4, 9));
    delete idCopy;
    CLScript* boolCopy = CLBool(true).Copy();
    EXPECT_TRUE(boolCopy->GetBool());
    delete boolCopy;
}

TEST(ScriptTree, ForEachExecutesEveryStatementForEveryElement)
{
    // A statement that logs each run: "-" when it was handed no object.
    class Recorder : public CLStatement {
    public:
        explicit Recorder(std::string& inLog)
            : CLStatement(CLT_BINARY)
            , log(inLog)
        {
        }
        CLScript* Execute(CLObject* object) override
        {
            log += object ? "?" : "-";
            return this;
        }

    private:
        std::string& log;
    };
    std::string log;
    CLSList elements;
    elements.Append(new CLInteger(1));
    elements.Append(nullptr);
    elements.Append(new CLInteger(2));
    CLSList statements;
    statements.Append(new Recorder(log));
    statements.Append(new Recorder(log));
    elements.ForEach(&statements);
    // No node of the game carries an object, so every statement runs with none, once per element.
    EXPECT_EQ(log, "------");
    elements.ForEach(nullptr);
}
