// Named objects, the object list that offers an event to its members newest first, the servers' name
// arrays, and the plain point and rectangle records.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/point_rect.h"
#include "foundation/rz_obj.h"

namespace {

// A member that answers a fixed value and records its visits and its deletion.
class Member : public CRZObj {
public:
    Member(const char* inName, int inAnswer, std::string& inVisits, std::vector<std::string>& inDeleted)
        : CRZObj(inName)
        , answer(inAnswer)
        , visits(inVisits)
        , deleted(inDeleted)
    {
    }
    ~Member() override { deleted.push_back(GetName()); }
    int Update(CRZEvent*) override
    {
        visits += GetName();
        return answer;
    }
    int answer;

private:
    std::string& visits;
    std::vector<std::string>& deleted;
};

std::string Order(CRZObjectList& list)
{
    std::string order;
    list.ForEach([&](CRZObj* member) { order += member->GetName(); });
    return order;
}

} // namespace

TEST(RZObj, Names)
{
    CRZObj unnamed;
    ASSERT_NE(unnamed.GetName(), nullptr);
    EXPECT_STREQ(unnamed.GetName(), "");
    CRZObj fromNull(nullptr);
    EXPECT_STREQ(fromNull.GetName(), "");

    CRZObj named("Basic server");
    EXPECT_STREQ(named.SetName(named.GetName()), "Basic server");
    EXPECT_STREQ(named.SetName("Combat server"), "Combat server");
    EXPECT_STREQ(named.GetName(), "Combat server");
    EXPECT_EQ(named.Update(nullptr), 0);
}

class ObjectListTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : { "A", "B", "C" })
            members.push_back(new Member(name, 0, visits, deleted));
        for (Member* member : members)
            list.Append(member);
    }

    std::string visits;
    std::vector<std::string> deleted;
    std::vector<Member*> members;
    CRZObjectList list;
};

TEST_F(ObjectListTest, NewestMemberIsOfferedFirst)
{
    EXPECT_EQ(list.Update(nullptr), 0);
    EXPECT_EQ(visits, "CBA");
    // Any answer other than 0, 1 and 2 stops the walk, leaving the order.
    visits.clear();
    members[1]->answer = 7;
    EXPECT_EQ(list.Update(nullptr), 3);
    EXPECT_EQ(visits, "CB");
    EXPECT_EQ(Order(list), "ABC");
}

TEST_F(ObjectListTest, AnswerTwoMovesTheMemberToTheTail)
{
    members[1]->answer = 2;
    EXPECT_EQ(list.Update(nullptr), 3);
    EXPECT_EQ(visits, "CB");
    EXPECT_EQ(Order(list), "ACB");
    EXPECT_TRUE(deleted.empty());
    visits.clear();
    members[1]->answer = 0;
    list.Update(nullptr);
    EXPECT_EQ(visits, "BCA");
}

TEST_F(ObjectListTest, AnswerOneDeletesTheMember)
{
    members[2]->answer = 1;
    EXPECT_EQ(list.Update(nullptr), 3);
    EXPECT_EQ(visits, "C");
    EXPECT_EQ(deleted, std::vector<std::string> { "C" });
    EXPECT_EQ(Order(list), "AB");

    list.Delete(members[0]);
    EXPECT_EQ(Order(list), "B");
    list.Delete(nullptr);
    EXPECT_EQ(deleted.size(), 2u);
}

TEST_F(ObjectListTest, MemberThatDeletesAnotherDuringTheWalk)
{
    // C removes B while it is asked and passes the event on; the walk skips B and reaches A.
    class Remover : public CRZObj {
    public:
        Remover(CRZObjectList& inList, CRZObj* inVictim)
            : list(inList)
            , victim(inVictim)
        {
        }
        int Update(CRZEvent*) override
        {
            list.Delete(victim);
            return 0;
        }
        CRZObjectList& list;
        CRZObj* victim;
    };
    list.Append(new Remover(list, members[1]));
    EXPECT_EQ(list.Update(nullptr), 0);
    EXPECT_EQ(visits, "CA");
    EXPECT_EQ(deleted, std::vector<std::string> { "B" });
    EXPECT_EQ(list.GetSize(), 3);
    EXPECT_FALSE(list.IsLocked());
}

TEST(RZObj, DestroyingTheListDeletesItsMembers)
{
    std::string visits;
    std::vector<std::string> deleted;
    {
        CRZObjectList list;
        list.Append(new Member("A", 0, visits, deleted));
        list.Append(new Member("B", 0, visits, deleted));
    }
    EXPECT_EQ(deleted, (std::vector<std::string> { "A", "B" }));
}

TEST(RZObj, NameBaseFreesItsNames)
{
    CRZNameBase names;
    EXPECT_EQ(names.capacity, 256);
    EXPECT_EQ(names.count, 0);
    for (const char* name : { "Paris", "Rouen" }) {
        names.names[names.count] = new char[std::strlen(name) + 1];
        std::memcpy(names.names[names.count++], name, std::strlen(name) + 1);
    }
    CRZCityNameBase cities;
    EXPECT_EQ(cities.names[255], nullptr);
}

TEST(RZObj, PointAndRect)
{
    EXPECT_EQ(CPoint(), CPoint(0, 0));
    EXPECT_NE(CPoint(1, 2), CPoint(2, 1));
    const CRect rect(1, 2, 3, 4);
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.bottom, 4);
    EXPECT_EQ(CRect(), CRect(0, 0, 0, 0));
}
