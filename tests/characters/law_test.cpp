// Laws: the groups read from the laws file, the sets of laws in force and the loads that must be refused.
#include <gtest/gtest.h>

#include <string>

#include "characters/law.h"
#include "datalang/block_round_trip.h"
#include "datalang/definition_file.h"

#include "foundation/safeguards.h"

namespace {

const char* const kLaws = "salic_primogeniture_law = { group = 0 }\n"
                          "elective_law = { group = 0 }\n"
                          "feudal_contract_law = { group = 1 }\n"
                          "popular_law = { group = 1 }\n"
                          "regal_supremacy = { group = 2 }\n"
                          "church_supremacy = { group = 2 }\n";

class Laws : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(LoadFailure(CLawType::InitFromFile, kLaws), ""); }
    void TearDown() override { CLawType::Shutdown(); }
};

TEST_F(Laws, KeywordsGiveTheirNumbersAndTheFileTheGroups)
{
    EXPECT_EQ(GetLawType(TokenOf("salic_primogeniture_law")), 0);
    EXPECT_EQ(GetLawType(TokenOf("elective_law")), 6);
    EXPECT_EQ(GetLawType(TokenOf("church_supremacy")), 14);
    EXPECT_EQ(GetLawType(TokenOf("chaste")), kLawCount);
    EXPECT_EQ(CLawType::Get(8)->GetGroup(), 1);
    EXPECT_EQ(CLawType::Get(14)->GetGroup(), 2);
    EXPECT_EQ(CLawType::Get(14)->GetId(), 14);
    EXPECT_EQ(CLawType::Get(15), nullptr);
    EXPECT_EQ(CLawType::Get(-1), nullptr);
}

TEST_F(Laws, SettingALawClearsOnlyItsOwnGroup)
{
    CLawTuple laws;
    laws.Set(0);
    laws.Set(8);
    laws.Set(11);
    laws.Set(6);
    EXPECT_FALSE(laws.Exists(0));
    EXPECT_TRUE(laws.Exists(6));
    EXPECT_TRUE(laws.Exists(8));
    EXPECT_TRUE(laws.Exists(11));
    laws.Set(15);
    laws.Set(-3);
    EXPECT_TRUE(laws.Exists(6) && laws.Exists(8) && laws.Exists(11));
}

TEST_F(Laws, SetsSaveTheLawsInForceInNumberOrderAndReadNoAsOutOfForce)
{
    CLawTuple laws;
    laws.Set(11);
    laws.Set(0);
    CLawTuple back;
    std::string written;
    ReadBack(laws, back, &written);
    EXPECT_NE(written.find("salic_primogeniture_law = yes"), std::string::npos) << written;
    EXPECT_LT(written.find("salic_primogeniture_law"), written.find("regal_supremacy")) << written;
    EXPECT_EQ(back, laws);

    EXPECT_EQ(ReadBlock(back, "regal_supremacy = no popular_law = yes }"), 0);
    EXPECT_FALSE(back.Exists(11));
    EXPECT_TRUE(back.Exists(10));
    EXPECT_NE(
        FatalMessageOf([&] { ReadBlock(back, "chaste = yes }"); }).find("(Unknown )"), std::string::npos);
}

TEST(LawFile, BrokenFilesAreRefusedWithTheirLineAndLeaveTheTableAsItWas)
{
    ASSERT_EQ(LoadFailure(CLawType::InitFromFile, "popular_law = { group = 2 }\n"), "");
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        { "popular_law = { group = 1 }\nchaste = { group = 0 }\n", "(unknown lhs in law file)" },
        { "popular_law = { group = 1\n  grop = 0 }\n", "(unknown lhs in law file)" },
        { "popular_law = { group = 3 }\n", "(law group out of range in law file)" },
        { "popular_law = { group = -1 }\n", "(law group out of range in law file)" },
        { "popular_law = 1\n", "(unknown lhs in law file)" },
        { "}\n", "(unknown lhs in law file)" },
        { "popular_law = { group = 1\n", "missing" },
    };
    for (const auto& c : cases) {
        const std::string failure = LoadFailure(CLawType::InitFromFile, c.text);
        EXPECT_NE(failure.find(c.message), std::string::npos) << c.text << failure;
        EXPECT_NE(failure.find("Line = "), std::string::npos) << failure;
        EXPECT_EQ(CLawType::Get(10)->GetGroup(), 2) << c.text;
    }
    EXPECT_FALSE(CLawType::InitFromFile("/nonexistent/laws.txt"));
    CLawType::Shutdown();
    EXPECT_EQ(CLawType::Get(0), nullptr);
}

} // namespace
