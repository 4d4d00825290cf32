// Test double of the running game for the scenario reader and the save writer: every object keeps the
// numeric fields of its block and writes them back, and every call the reader makes is counted.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "datalang/block_keywords.h"
#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/scenario_keywords.h"
#include "datalang/scenario_world.h"
#include "datalang/script_tree.h"
#include "foundation/utilities.h"

inline constexpr CRZTokenType KW_BIRTHDATE = static_cast<CRZTokenType>(621);

// "key = number" statements of one block, in file order.
using Fields = std::vector<std::pair<int, int>>;

inline Fields ReadFields(CRZParser& parser)
{
    Fields fields;
    ReadBlockStatements(parser, [&] {
        if (parser.value.type != TT_NUMBER)
            parser.ParseError("fake object: not a number");
        fields.emplace_back(static_cast<int>(parser.key.type), TextToInt(parser.value.text));
        return kReadOn;
    });
    return fields;
}

// The fields as a statement list, led by an optional first statement (a tag or an id).
inline CLSList* FieldsScript(const Fields& fields, CLSymbol* first = nullptr)
{
    CLSList* list = new CLSList;
    if (first)
        list->Append(first);
    for (const auto& [key, value] : fields)
        list->Append(new CLSymbol(static_cast<CRZTokenType>(key), new CLInteger(value)));
    return list;
}

// Tags of the fake country table.
inline int FakeTagToID(const char* tag)
{
    static const char* const kTags[] = { "", "FRA", "ENG", "CAS" };
    for (int number = 1; number < 4; ++number)
        if (std::string(tag) == kTags[number])
            return number;
    return 0;
}
inline const char* FakeTag(int number)
{
    static const char* const kTags[] = { "", "FRA", "ENG", "CAS" };
    return number > 0 && number < 4 ? kTags[number] : "NONE";
}

struct FakeCharacter {
    CDate birth;
    Fields fields;
};

class FakeScenarioWorld : public CScenarioWorld {
public:
    // --- What was read ---
    std::string scenarioName;
    Fields header, global, relations;
    std::map<int, Fields> countries, provinces, titles;
    std::vector<FakeCharacter> characters;
    std::vector<Fields> dynasties;
    std::map<int, std::vector<Fields>> combats;
    std::vector<std::string> eventFiles;
    CPoint focus, mouse { 11, 22 };
    int zoom = 0;
    int tutorialRemoved = 0;
    std::array<CList<CRZID>, kUnitGroupCount> groups;

    // --- How it was read ---
    int serviced = 0, loadingBarSteps = 0, titleLinks = 0, childLinks = 0, refreshes = 0, discards = 0;
    int charactersDestroyed = 0;
    // What had been read when the first link step ran.
    int titlesAtLink = -1, countriesAtLink = -1;
    CDate today { 0, 0, 1100 };
    bool multiPlayer = false, tutorial = false;

    bool IsEmpty() const
    {
        bool noUnits = true;
        for (const CList<CRZID>& group : groups)
            noUnits = noUnits && group.GetSize() == 0;
        return scenarioName.empty() && header.empty() && global.empty() && relations.empty()
            && countries.empty() && provinces.empty() && titles.empty() && characters.empty()
            && dynasties.empty() && combats.empty() && !pending && noUnits;
    }

    void ServiceMusicAndNetwork() override { ++serviced; }
    void AdvanceLoadingBar() override { ++loadingBarSteps; }
    // The country handle is the fake's own record; only this fake ever looks inside it.
    CRZCountry* ConstructCountry(int number) override
    {
        return reinterpret_cast<CRZCountry*>(&countries[number]);
    }
    int ParseCountryFields(CRZCountry* country, CRZParser& parser) override
    {
        *reinterpret_cast<Fields*>(country) = ReadFields(parser);
        return 0;
    }
    int ParseProvinceFields(int number, CRZParser& parser) override
    {
        provinces[number] = ReadFields(parser);
        return 0;
    }
    int ParseTitleFields(int number, CRZParser& parser) override
    {
        titles[number] = ReadFields(parser);
        return 0;
    }
    int ParseCharacter(CRZParser& parser, CDate& birthDate) override
    {
        FakeCharacter character;
        const int result = ReadBlockStatements(parser, [&] {
            if (parser.key.type == KW_BIRTHDATE && parser.value.type == TT_OPEN_BRACE) {
                character.birth.ParseFields(parser);
            } else if (parser.value.type == TT_NUMBER) {
                character.fields.emplace_back(
                    static_cast<int>(parser.key.type), TextToInt(parser.value.text));
            } else {
                return -2;
            }
            return kReadOn;
        });
        if (result != 0)
            return result;
        pending = std::make_unique<FakeCharacter>(character);
        birthDate = character.birth;
        return 0;
    }
    void AdmitCharacter(bool keep) override
    {
        if (keep)
            characters.push_back(*pending);
        else
            ++charactersDestroyed;
        pending.reset();
    }
    int ParseDynasty(CRZParser& parser) override
    {
        dynasties.push_back(ReadFields(parser));
        return 0;
    }
    int ParseRelations(CRZParser& parser) override
    {
        relations = ReadFields(parser);
        return 0;
    }
    int ParseGlobalData(CRZParser& parser) override
    {
        global = ReadFields(parser);
        return 0;
    }
    int ParseHeader(CRZParser& parser) override
    {
        header = ReadFields(parser);
        return 0;
    }
    // A battle names its province first.
    bool ParseCombat(CRZParser& parser) override
    {
        Fields fields = ReadFields(parser);
        if (fields.empty() || fields[0].first != KW_PROVINCE || fields[0].second < 1
            || fields[0].second > 1003)
            return false;
        combats[fields[0].second].push_back(fields);
        return true;
    }
    void LoadEventFile(const char* name) override { eventFiles.emplace_back(name); }
    void SetScenarioName(const char* name) override { scenarioName = name; }
    CDate GetCurrentDate() const override { return today; }
    void SetMapFocus(const CPoint& point) override { focus = point; }
    void SetZoomLevel(int level) override { zoom = level; }
    void SetTutorialRemoved(int count) override { tutorialRemoved = count; }
    void AddToUnitGroup(int group, const CRZID& unit) override { groups[group].Append(unit); }
    void LinkTitlesClaimsAndCharacters() override
    {
        if (titleLinks++ == 0) {
            titlesAtLink = static_cast<int>(titles.size());
            countriesAtLink = static_cast<int>(countries.size());
        }
    }
    void LinkChildrenAndRelations() override { ++childLinks; }
    void RefreshAfterLoad() override { ++refreshes; }
    void DiscardLoad() override
    {
        ++discards;
        scenarioName.clear();
        header.clear();
        global.clear();
        relations.clear();
        countries.clear();
        provinces.clear();
        titles.clear();
        characters.clear();
        dynasties.clear();
        combats.clear();
        pending.reset();
        for (CList<CRZID>& group : groups)
            group.RemoveAll();
    }

    const char* GetScenarioName() const override { return scenarioName.c_str(); }
    CLScript* GetHeaderScript() const override { return FieldsScript(header); }
    CLScript* GetGlobalScript() const override { return FieldsScript(global); }
    bool ShouldSaveProvince(int number) const override { return provinces.count(number) != 0; }
    CLScript* GetProvinceScript(int number) const override
    {
        return FieldsScript(provinces.at(number), new CLSymbol(KW_ID, new CLInteger(number)));
    }
    CLScript* GetRelationsScript() const override { return FieldsScript(relations); }
    int GetCharacterCount() const override { return static_cast<int>(characters.size()); }
    CLScript* GetCharacterScript(int index) const override
    {
        const FakeCharacter& character = characters[index];
        return FieldsScript(character.fields, new CLSymbol(KW_BIRTHDATE, character.birth.GetScript()));
    }
    bool TitleNeedsSave(int number) const override { return titles.count(number) != 0; }
    CLScript* GetTitleScript(int number) const override
    {
        return FieldsScript(titles.at(number), new CLSymbol(KW_TAG, new CLIdentifier(FakeTag(number))));
    }
    CRZCountry* GetCountry(int number) const override
    {
        const auto found = countries.find(number);
        return found == countries.end() ? nullptr
                                        : reinterpret_cast<CRZCountry*>(const_cast<Fields*>(&found->second));
    }
    CLScript* GetCountryScript(CRZCountry* country) const override
    {
        for (const auto& [number, fields] : countries)
            if (reinterpret_cast<const Fields*>(country) == &fields)
                return FieldsScript(fields, new CLSymbol(KW_TAG, new CLIdentifier(FakeTag(number))));
        return nullptr;
    }
    int GetCombatCount(int province) const override
    {
        const auto found = combats.find(province);
        return found == combats.end() ? 0 : static_cast<int>(found->second.size());
    }
    CLScript* GetCombatScript(int province, int index) const override
    {
        return FieldsScript(combats.at(province)[index]);
    }
    bool IsMultiPlayer() const override { return multiPlayer; }
    bool IsTutorial() const override { return tutorial; }
    CPoint GetMousePosition() const override { return mouse; }
    CPoint GetMapFocus() const override { return focus; }
    int GetZoomLevel() const override { return zoom; }
    int GetTutorialRemoved() const override { return tutorialRemoved; }
    const CList<CRZID>& GetUnitGroup(int group) const override { return groups[group]; }

private:
    std::unique_ptr<FakeCharacter> pending;
};
