// The generated definition files load through the game's own readers, in the tiny and the full world, with
// every member of each kind, and every picture they name is in the folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "characters/law.h"
#include "characters/trait.h"
#include "datalang/definition_keywords.h"
#include "foundation/fatal_error.h"
#include "realms/advance.h"
#include "realms/province_effect.h"
#include "realms/province_improvement.h"
#include "support/game_folder.h"
#include "support/generated_data.h"

#include "foundation/safeguards.h"

namespace {

::testing::Environment* const kFolder = ::testing::AddGlobalTestEnvironment(new GameFolder);

void ExpectGeneratedTablesLoad(const char* size)
{
    ASSERT_TRUE(support::GenerateData(GameFolder::Root(), size, 7));

    ASSERT_TRUE(CTraitType::Init()) << GetAssertMessage();
    ASSERT_TRUE(CLawType::Init()) << GetAssertMessage();
    ASSERT_TRUE(CAdvanceType::Init()) << GetAssertMessage();
    ASSERT_TRUE(CProvinceImprovementType::Init()) << GetAssertMessage();
    ASSERT_TRUE(CProvinceEffectType::Init()) << GetAssertMessage();

    // A member the file leaves out loads silently with its defaults, so each must have its own block.
    const struct {
        const char* file;
        const CKeywordKind& kind;
    } files[] = { { "db/traits.txt", kTraitKind }, { "db/laws.txt", kLawKind },
        { "db/ProvinceEffects.txt", kEffectKind } };
    for (const auto& f : files) {
        const std::string text = "\n" + GameFolder::Read(f.file);
        for (int id = 0; id < f.kind.count; ++id)
            EXPECT_NE(text.find("\n" + std::string(f.kind.GetWord(id)) + " = {"), std::string::npos)
                << f.file << " lacks " << f.kind.GetWord(id);
    }

    int opposed = 0;
    for (int id = 0; id < kTraitCount; ++id)
        opposed += CTraitType::Get(id)->GetAntithesis().Exists(id == 0 ? 1 : 0);
    EXPECT_GT(opposed, 0);
    for (int id = 0; id < kLawCount; ++id) {
        EXPECT_GE(CLawType::Get(id)->GetGroup(), 0);
        EXPECT_LT(CLawType::Get(id)->GetGroup(), kLawGroupCount);
    }
    EXPECT_EQ(CLawType::Get(0)->GetGroup(), 0);
    for (int id = 0; id < kAdvanceCount; ++id)
        EXPECT_EQ(CAdvanceType::Get(id)->GetID(), id) << "advance " << id << " is in no group";
    // A realm's first focus groups lie one in each category, so that reading them back files each under
    // its own focus.
    for (int category = 0; category < 3; ++category) {
        const CAdvanceTypeGroup* group = CAdvanceTypeGroup::GetGroup(category * 10 + (category == 0 ? 0 : 2));
        ASSERT_NE(group, nullptr) << category;
        EXPECT_EQ(group->GetCategory(), category);
    }
    for (int id = 0; id < kImprovementCount; ++id) {
        const CProvinceImprovementType* type = CProvinceImprovementType::Get(id);
        EXPECT_GE(type->GetConstructionTime(), 1.0f) << id;
        EXPECT_FALSE(type->GetIndirectRequirements().Exists(id)) << id;
        for (const char* picture : { type->GetCompletedBitmap(), type->GetPossibleBitmap() }) {
            std::string path = picture;
            for (char& c : path)
                c = c == '\\' ? '/' : c;
            EXPECT_TRUE(GameFolder::Exists(path)) << picture;
        }
    }
    EXPECT_TRUE(CProvinceImprovementType::Get(43)->GetIndirectRequirements().Exists(39));
    EXPECT_TRUE(GameFolder::Exists("gfx/interface/BDG_UC.bmp"));
    CProvinceEffectTuple rich;
    rich.Add(13);
    EXPECT_GT(rich.GetModifier().scoreFactor.GetGold(), 1.0f);

    CProvinceEffectType::Shutdown();
    CProvinceImprovementType::Shutdown();
    CAdvanceType::Shutdown();
    CLawType::Shutdown();
    CTraitType::Shutdown();
}

TEST(DatagenDefinitions, GeneratedDefinitionFilesLoadWithEveryMember)
{
    ExpectGeneratedTablesLoad("tiny");
    ExpectGeneratedTablesLoad("full");
}

} // namespace
