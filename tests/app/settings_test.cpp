// The settings record "config.rz": the first start's defaults byte for byte, damaged and foreign files
// replaced or repaired, the options file of a saved game, a failed write, and the scenario's options.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/settings.h"
#include "datalang/lexer.h"
#include "datalang/parser.h"
#include "messages/message_handler.h"
#include "platform/elements/replace_file.h"
#include "support/data_folder.h"

#include "foundation/safeguards.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::string InData(const char* name)
{
    return support::gDataFolder + "/" + name;
}

Bytes ReadBytes(const char* name)
{
    std::ifstream in(InData(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const char* name, const Bytes& bytes)
{
    std::ofstream(InData(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

int32_t WordOf(const Bytes& bytes, int word)
{
    const uint8_t* at = bytes.data() + 4 * word;
    return static_cast<int32_t>(at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<uint32_t>(at[3]) << 24));
}

void PutWord(Bytes& bytes, int word, int32_t value)
{
    for (int b = 0; b < 4; ++b)
        bytes[static_cast<std::size_t>(4 * word + b)]
            = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * b));
}

// The record a first start writes, as bytes.
Bytes DefaultBytes()
{
    CSettings settings;
    gpSettings = &settings;
    settings.InitSettings();
    gpSettings = nullptr;
    return ReadBytes(kSettingsFile);
}

class SettingsRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDataPath();
        std::filesystem::remove(InData(kSettingsFile));
        gSettingsHooks.UpdateSettings = [] { gMessageHandler.UpdateSettings(); };
        gSettingsHooks.InitMessages = [] { gMessageHandler.InitMessages(); };
        gpSettings = &settings;
    }
    void TearDown() override
    {
        gpSettings = nullptr;
        gSettingsHooks = CSettingsHooks {};
        Ravel::InjectReplaceFailure(Ravel::ReplaceStep::kNone);
        // The live message flags are process-wide: back to the built-in ones.
        for (CMessType& type : CMessageHandler::_MessType) {
            type.shown = type.defaultShown;
            type.box = type.defaultBox;
            type.pause = type.defaultPause;
        }
    }

    CSettings settings;
};

TEST_F(SettingsRecord, FirstStartWritesTheDefaults)
{
    settings.Init();
    const Bytes bytes = ReadBytes(kSettingsFile);
    ASSERT_EQ(bytes.size(), 1384u);
    const Bytes header { 0x97, 0, 0, 0, 0x68, 0x05, 0, 0, 0x67, 0, 0, 0, 0, 0, 0, 0 };
    EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
    EXPECT_STREQ(reinterpret_cast<const char*>(bytes.data() + 1252), "Player");
    EXPECT_TRUE(std::all_of(bytes.begin() + 1258, bytes.begin() + 1348, [](uint8_t b) { return b == 0; }));
    const int32_t options[] = { 1, 2, 2, 100, 100, 0, 1, 1, 0 };
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(WordOf(bytes, 337 + i), options[i]) << "word " << 337 + i;
    for (int type = 0; type < kMessageTypeCount; ++type) {
        const CMessType& builtIn = CMessageHandler::_MessType[type];
        EXPECT_EQ(WordOf(bytes, 4 + type), builtIn.defaultShown) << type;
        EXPECT_EQ(WordOf(bytes, 107 + type), builtIn.defaultBox) << type;
        EXPECT_EQ(WordOf(bytes, 210 + type), builtIn.defaultPause) << type;
    }
}

TEST_F(SettingsRecord, SavingStoresTheLiveMessageFlagsAndReadingTakesThemBack)
{
    settings.Init();
    CMessageHandler::_MessType[18] = { 18, 1, 0, 0, 1, 1, 0, 0, 0, 1, 0, "LBWINOTHER" };
    settings.SaveSettings();
    const Bytes saved = ReadBytes(kSettingsFile);
    EXPECT_EQ(WordOf(saved, 4 + 18), 1);
    EXPECT_EQ(WordOf(saved, 210 + 18), 1);
    CMessageHandler::_MessType[18].shown = 0;
    CSettings again;
    gpSettings = &again;
    again.Init();
    EXPECT_EQ(CMessageHandler::_MessType[18].shown, 1);
    EXPECT_EQ(CMessageHandler::_MessType[18].pause, 1);
    EXPECT_EQ(ReadBytes(kSettingsFile), saved);
}

// Files of another format or cut short give the defaults; words out of range and texts without an end
// are repaired; either way the file is written back at once.
TEST_F(SettingsRecord, DamagedFilesGiveTheDefaultsOrAreRepaired)
{
    const Bytes defaults = DefaultBytes();
    Bytes renamed = defaults;
    std::memcpy(renamed.data() + 1252, "Aelfric", 8);
    PutWord(renamed, 339, 5);
    struct Case {
        const char* what;
        Bytes file;
        Bytes expected;
    };
    std::vector<Case> cases;
    Bytes revision = renamed;
    PutWord(revision, 2, 102);
    cases.push_back({ "revision 102", revision, defaults });
    Bytes bigEndian = renamed;
    for (int w = 0; w < kSettingsWords; ++w)
        if (w < 313 || w >= 337)
            std::reverse(bigEndian.begin() + 4 * w, bigEndian.begin() + 4 * w + 4);
    cases.push_back({ "big-endian", bigEndian, defaults });
    cases.push_back({ "100 bytes", Bytes(renamed.begin(), renamed.begin() + 100), defaults });
    cases.push_back({ "8 bytes", Bytes(renamed.begin(), renamed.begin() + 8), defaults });
    Bytes outOfRange = renamed;
    PutWord(outOfRange, 338, -1);
    PutWord(outOfRange, 339, 99);
    PutWord(outOfRange, 340, 250);
    PutWord(outOfRange, 337, 5);
    PutWord(outOfRange, 342, -7);
    PutWord(outOfRange, 343, 2);
    PutWord(outOfRange, 4 + 40, 7);
    Bytes clamped = renamed;
    PutWord(clamped, 338, 0);
    PutWord(clamped, 339, 7);
    PutWord(clamped, 340, 100);
    PutWord(clamped, 337, 4);
    PutWord(clamped, 342, 0);
    PutWord(clamped, 343, 1);
    cases.push_back({ "words out of range", outOfRange, clamped });
    Bytes endless = renamed;
    std::memset(endless.data() + 1252, 'x', 96);
    Bytes cut = endless;
    cut[1315] = 0;
    cut[1347] = 0;
    cases.push_back({ "texts without NUL", endless, cut });

    for (const Case& c : cases) {
        WriteBytes(kSettingsFile, c.file);
        CSettings loaded;
        gpSettings = &loaded;
        testing::internal::CaptureStderr();
        loaded.Init();
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find("config.rz"), std::string::npos) << c.what << ": nothing was reported";
        EXPECT_EQ(ReadBytes(kSettingsFile), c.expected) << c.what;
    }
}

TEST_F(SettingsRecord, OptionsOfASavedGameAreTakenOnlyWhenTheyMatch)
{
    settings.Init();
    settings.SetPlayerName("Harald");
    settings.Record().difficulty = 4;
    settings.SetOptions("scenarios\\game.cfg");
    ASSERT_EQ(ReadBytes("scenarios/game.cfg").size(), 0u) << "the folder does not exist yet";
    std::filesystem::create_directory(InData("scenarios"));
    settings.SetOptions("scenarios\\game.cfg");
    Bytes options = ReadBytes("scenarios/game.cfg");
    ASSERT_EQ(options.size(), 1384u);

    settings.SetPlayerName("Player");
    settings.Record().difficulty = 1;
    settings.SaveSettings();
    const Bytes before = ReadBytes(kSettingsFile);
    Bytes mismatched = options;
    PutWord(mismatched, 1, 1383);
    WriteBytes("scenarios/other.cfg", mismatched);
    for (const char* file : { "scenarios\\missing.cfg", "scenarios\\other.cfg" }) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(settings.GetOptions(file)) << file;
        testing::internal::GetCapturedStderr();
        EXPECT_STREQ(settings.Record().playerName, "Player") << file;
        EXPECT_EQ(settings.Record().difficulty, 1) << file;
        EXPECT_EQ(ReadBytes(kSettingsFile), before) << file;
    }
    EXPECT_TRUE(settings.GetOptions("scenarios\\game.cfg"));
    EXPECT_STREQ(settings.Record().playerName, "Harald");
    EXPECT_EQ(ReadBytes(kSettingsFile), options);
}

TEST_F(SettingsRecord, TextsAreCutToTheirFields)
{
    settings.Init();
    const std::string longName(100, 'n');
    settings.SetPlayerName(longName.c_str());
    settings.SetLastIp("192.168.100.200:25712-and-a-lot-more");
    EXPECT_EQ(std::string(settings.Record().playerName), longName.substr(0, 63));
    EXPECT_STREQ(settings.Record().lastIp, "192.168.100.200:25712-and-a-lot");
}

TEST_F(SettingsRecord, AFailedWriteKeepsTheOldFileAndSaysSo)
{
    settings.Init();
    const Bytes before = ReadBytes(kSettingsFile);
    settings.SetPlayerName("Lost");
    Ravel::InjectReplaceFailure(Ravel::ReplaceStep::kRename);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(settings.SaveSettings());
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("config.rz: could not be saved"), std::string::npos) << log;
    EXPECT_EQ(ReadBytes(kSettingsFile), before);
    EXPECT_FALSE(std::filesystem::exists(InData("config.rz.tmp")));
}

TEST_F(SettingsRecord, ScenarioOptionsAreOnePerNameWhateverTheLetterCase)
{
    CLexer::InitTokens();
    const std::string longTag(300, 't');
    std::ofstream(InData("options.txt")) << "tag = Crusades name = NO_SUCH_KEY status = yes }\n"
                                         << "tag = " << longTag << " status = no other = 3 }\n";
    CRZParser parser(InData("options.txt").c_str(), "r");
    auto* first = new CParseOption;
    EXPECT_EQ(first->ParseFields(parser), 0);
    EXPECT_STREQ(first->name, "Crusades");
    EXPECT_STREQ(first->text, "NO_SUCH_KEY");
    EXPECT_EQ(first->on, 1);
    auto* cut = new CParseOption;
    EXPECT_EQ(cut->ParseFields(parser), 0);
    EXPECT_LE(std::strlen(cut->name), 255u);
    EXPECT_EQ(cut->on, 0);

    EXPECT_EQ(settings.AddParseOption(first), first);
    auto* twin = new CParseOption;
    std::snprintf(twin->name, sizeof twin->name, "%s", "CRUSADES");
    EXPECT_EQ(settings.AddParseOption(twin), first);
    EXPECT_EQ(settings.AddParseOption(cut), cut);
    EXPECT_EQ(settings.Options().GetSize(), 2);
    EXPECT_EQ(settings.IsParseOption("crusades"), 1);
    EXPECT_EQ(settings.IsParseOption("unknown"), 0);
    EXPECT_EQ(settings.GetOption("unknown"), nullptr);
    settings.ClearParseOptions();
    EXPECT_EQ(settings.IsParseOption("crusades"), 0);
}

} // namespace
