// The country-tag registry over a generated data folder and over small tables that show its rules: tags
// both ways, names, colours, flags, and the tables it must refuse or read to their end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "foundation/data_file.h"
#include "realms/country_db.h"
#include "realms/province.h"
#include "support/data_folder.h"
#include "support/generated_data.h"
#include "text/new_text.h"

namespace {

class CountryDBTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(support::GenerateData(support::gDataFolder, "tiny", 5));
        SetDataPath();
        ASSERT_EQ(TextStrings.Init(RZ_LANGUAGE_0), 1);
        std::ifstream in(support::gDataFolder + "/db/country.csv", std::ios::binary);
        generated.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        ASSERT_FALSE(generated.empty());
    }
    void TearDown() override { WriteTable(generated); }

    static void WriteTable(const std::string& text)
    {
        std::ofstream(support::gDataFolder + "/db/country.csv", std::ios::binary) << text;
    }

    // Init over the table; what it wrote to standard error goes to errors.
    static bool InitWith(const std::string& table, std::string* errors = nullptr)
    {
        WriteTable(table);
        testing::internal::CaptureStderr();
        const bool result = CCountryDB::Init();
        const std::string written = testing::internal::GetCapturedStderr();
        if (errors)
            *errors = written;
        return result;
    }

    static std::string generated;
};

std::string CountryDBTest::generated;

const char* const kHeader = "#tag;color;culture;top;bottom;\r\n";

} // namespace

TEST_F(CountryDBTest, GeneratedTableTagsNamesAndColours)
{
    std::string errors;
    ASSERT_TRUE(InitWith(generated, &errors)) << errors;
    EXPECT_EQ(errors, "");
    const std::pair<const char*, int> tags[] = {
        { "c017", 17 },
        { "C001", 1 },
        { "C999", 999 },
        { "ABYD", 1000 },
        { "byza", 1271 },
        { "PAPA", 1323 },
        { "TEMP", 1400 },
        { "NONE", 1401 },
        { "U000", 1402 },
        { "REBE", 1422 },
        { "----", 0 },
        { "QQQQ", 0 },
        { "C1000", 0 },
        { "", 0 },
    };
    for (const auto& [tag, id] : tags)
        EXPECT_EQ(CCountryDB::TagToID(tag), id) << tag;
    EXPECT_EQ(CCountryDB::TagToID(nullptr), 0);
    const std::pair<int, const char*> ids[] = { { 0, "----" }, { 17, "C017" }, { 1262, "OSTR" },
        { 1401, "NONE" }, { 1422, "REBE" }, { 1423, "NONE" }, { -1, "NONE" } };
    for (const auto& [id, tag] : ids)
        EXPECT_STREQ(CCountryDB::IDToTag(id), tag) << id;

    // A county named by a row takes its name from its tag's key; the simple name stays the province's.
    // Sea zones share the county numbers, so the first county of the generated world is looked for.
    int county = 1;
    while (county < 999 && std::string(TextStrings.GetString(CCountryDB::IDToTag(county))) == kUnknownString)
        ++county;
    EXPECT_STREQ(CCountryDB::IDToName(county), TextStrings.GetString(CCountryDB::IDToTag(county)));
    EXPECT_EQ(std::string(CCountryDB::IDToName(county)),
        std::string("County of ") + CCountryDB::IDToSimpleName(county));
    EXPECT_STREQ(
        CCountryDB::IDToSimpleName(county), TextStrings.GetString(("PROV" + std::to_string(county)).c_str()));
    EXPECT_STREQ(CCountryDB::IDToName(1000), "Abyd");
    EXPECT_STREQ(CCountryDB::IDToSimpleName(1000), CCountryDB::IDToName(1000));
    EXPECT_STREQ(CCountryDB::IDToName(1422), "Rebels");
    EXPECT_STREQ(CCountryDB::IDToName(1423), "");
    // Every row names a culture; a county number that is a sea zone has no row.
    for (int id = 1; id < 1423; ++id) {
        const bool row
            = id >= 1000 || std::string(TextStrings.GetString(CCountryDB::IDToTag(id))) != kUnknownString;
        EXPECT_TRUE(id == 1401 || !row || DBCountries[id].nationality != 0) << id;
    }
}

TEST_F(CountryDBTest, ColourNames)
{
    const std::pair<const char*, int> colours[] = {
        { "Black", 0 },
        { "darkorange", 22 },
        { "LIGHTBLUE", 3 },
        { "White", 14 },
        { "LightOrange", 18 },
        { "purple", 18 },
        { "", 18 },
        { "Red ", 18 },
    };
    for (const auto& [name, colour] : colours)
        EXPECT_EQ(CCountryDB::GetColor(name), colour) << name;
    EXPECT_EQ(CCountryDB::GetColor(nullptr), 18);
}

TEST_F(CountryDBTest, RowsSetTheirRecordsAndTheRestKeepTheirDefaults)
{
    std::string errors;
    ASSERT_TRUE(
        InitWith(std::string(kHeader) + "abyd;darkorange;NORSE;red_regular;black_regular;more;cells\r\n"
                + "C002;Blue;saxon;blue_regular;silver_regular\r\n" + "end;;;;;\r\n"
                + "ADRI;Red;norse;red_regular;gold_regular;\r\n",
            &errors))
        << errors;
    const CCountryDB& abyd = DBCountries[1000];
    EXPECT_EQ(abyd.color, 22);
    EXPECT_EQ(abyd.nationality, 46);
    EXPECT_STREQ(abyd.name, "Abyd");
    // A row after "END" is never read.
    EXPECT_EQ(DBCountries[1001].color, 0);
    EXPECT_EQ(DBCountries[1001].nationality, 0);
    EXPECT_STREQ(DBCountries[1001].name, "");
    // Counties no row names: "County of" and the province, colours repeating every 23.
    EXPECT_EQ(
        std::string(CCountryDB::IDToName(17)), std::string("County of ") + CCountryDB::IDToSimpleName(17));
    EXPECT_EQ(DBCountries[1].color, 0);
    EXPECT_EQ(DBCountries[23].color, 22);
    EXPECT_EQ(DBCountries[24].color, 0);
    EXPECT_EQ(DBCountries[47].color, 0);
    EXPECT_EQ(DBCountries[1].nationality, 0);
    // A row with five cells and no closing ";" keeps to its row.
    EXPECT_EQ(DBCountries[2].color, 12);
    EXPECT_EQ(DBCountries[2].nationality, 6);
    EXPECT_STREQ(DBCountries[2].name, TextStrings.GetString("C002"));

    // The flag: base colours in 0 and 1, the bottom palette to 141, the top from 142.
    const CPalette* base = CPalette::FindPalette("flag_top_green_regular.bmp");
    const CPalette* top = CPalette::FindPalette("flag_top_red_regular.bmp");
    const CPalette* bottom = CPalette::FindPalette("flag_bottom_black_regular.bmp");
    const CPalette& flag = abyd.flagPalette;
    for (int entry : { 0, 1, 2, 141, 142, 255 }) {
        const CPalette* from = entry < 2 ? base : entry < 142 ? bottom : top;
        for (int part = 0; part < 3; ++part)
            EXPECT_EQ(flag._Colors[entry][part], from->_Colors[entry][part]) << entry;
        EXPECT_EQ(flag._Normal16[entry], from->_Normal16[entry]) << entry;
        EXPECT_EQ(flag._Half16[entry], from->_Half16[entry]) << entry;
        EXPECT_EQ(flag._Bright16[entry], from->_Bright16[entry]) << entry;
        EXPECT_EQ(flag._Light16[entry], 0u) << entry;
    }
    // A built-in tag no row names has an empty flag.
    EXPECT_EQ(DBCountries[1001].flagPalette._Normal16[200], 0u);
}

TEST_F(CountryDBTest, ATableWithoutItsEndIsReadToTheEndOfTheFile)
{
    for (const char* last :
        { "ADRI;Red;norse;red_regular;gold_regular;\r\n", "ADRI;Red;norse;red_regular;gold_regular" }) {
        std::string errors;
        ASSERT_TRUE(
            InitWith(std::string(kHeader) + "ABYD;Red;norse;red_regular;gold_regular;\r\n" + last, &errors));
        EXPECT_NE(errors.find("no END row"), std::string::npos) << errors;
        EXPECT_EQ(DBCountries[1000].color, 16);
        EXPECT_EQ(DBCountries[1001].color, 16) << last;
    }
    std::string errors;
    ASSERT_TRUE(InitWith("", &errors));
    EXPECT_NE(errors.find("no END row"), std::string::npos) << errors;
    EXPECT_EQ(CCountryDB::TagToID("REBE"), 1422);
}

TEST_F(CountryDBTest, BadRowsStopStartUpAndLeaveTheRegistryAsItWas)
{
    const std::string longField(2000, 'A');
    struct Case {
        std::string row;
        const char* error;
    };
    const Case cases[] = {
        { "QQQQ;Red;norse;red_regular;gold_regular;\r\n", "line 3: unknown tag \"QQQQ\"" },
        { "ADRI;Red;vikings;red_regular;gold_regular;\r\n", "line 3: unknown culture \"vikings\"" },
        { "ADRI;Red;none;red_regular;gold_regular;\r\n", "line 3: unknown culture \"none\"" },
        { "\r\n", "line 3: unknown tag \"\"" },
        { longField + ";Red;norse;red_regular;gold_regular;\r\n", "line 3: unknown tag" },
        { "ADRI;Red;norse;" + longField + ";gold_regular;\r\n", "line 3: Palette" },
        { "ADRI;Red;norse;red_regular;plaid;\r\n", "line 3: Palette" },
    };
    for (const Case& c : cases) {
        std::string errors;
        EXPECT_FALSE(InitWith(
            std::string(kHeader) + "ABYD;Red;norse;red_regular;gold_regular;\r\n" + c.row + "END\r\n",
            &errors));
        EXPECT_NE(errors.find("Error in DB: db\\country.csv "), std::string::npos) << errors;
        EXPECT_NE(errors.find(c.error), std::string::npos) << errors;
        // Every record is back as it was before the registry was built.
        EXPECT_EQ(CCountryDB::TagToID("ABYD"), 0);
        EXPECT_EQ(CCountryDB::TagToID("C017"), 0);
        EXPECT_STREQ(CCountryDB::IDToTag(0), "----");
        EXPECT_STREQ(DBCountries[1000].name, "");
        EXPECT_EQ(DBCountries[1000].color, 0);
        EXPECT_EQ(DBCountries[17].nationality, 0);
    }
    // An over-long cell the registry does not read is harmless.
    EXPECT_TRUE(InitWith(
        std::string(kHeader) + "ABYD;Red;norse;red_regular;gold_regular;" + longField + "\r\nEND\r\n"));
    EXPECT_EQ(DBCountries[1000].color, 16);
}

TEST_F(CountryDBTest, CountiesTakeTheCultureOfTheirProvince)
{
    ASSERT_TRUE(InitWith(generated));
    CProvince province;
    province.culture = 23;
    CProvince::_pProvince[5] = &province;
    const int before = DBCountries[6].nationality;
    CCountryDB::SetNationality();
    CProvince::_pProvince[5] = nullptr;
    EXPECT_EQ(DBCountries[5].nationality, 23);
    EXPECT_EQ(DBCountries[6].nationality, before);
}
