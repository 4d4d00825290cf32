// Scores, the amounts of gold, prestige and piety that every price, gain and income of the game is made of:
// the plain triple CSimpleScore and CCompositeScore, which keeps one triple per income source.
#pragma once

#include <cstddef>

#include "foundation/scripter.h"

class CSimpleScore;

// The income sources of a composite score. Plunder, a province's contribution and construction count in
// every total but are never saved.
enum VLScoreType : int {
    VLST_TAX_PEASANTS = 0,
    VLST_TAX_BURGHERS = 1,
    VLST_TAX_CLERGY = 2,
    VLST_TAX_NOBLES = 3,
    VLST_NEGOTIATIONS = 4,
    VLST_BUILDINGS = 5,
    VLST_PLUNDER = 6,
    VLST_PROVINCE = 7,
    VLST_CONSTRUCTION = 8,
    VLST_COUNT = 9,
    VLST_SAVED_COUNT = 6,
};

class CScore : public CLScripter {
public:
    virtual ~CScore() = default;
    void SetScript(CLScript*) override { }
    virtual float GetGold() const = 0;
    virtual float GetPrestige() const = 0;
    virtual float GetPiety() const = 0;
    virtual bool IsZero() const = 0;
    virtual CSimpleScore GetTotal() const = 0;
    // Reads the block after its "{" up to its "}": 0 at its end; another key abandons the load as the
    // parse error "unknown lhs in scenario file (score)".
    virtual int ParseFields(CRZParser& parser) = 0;

protected:
    CScore() = default;
    CScore(const CScore&) = default;
    CScore& operator=(const CScore&) = default;
};

class CSimpleScore : public CScore {
public:
    CSimpleScore() = default;
    CSimpleScore(float inGold, float inPrestige, float inPiety)
        : gold(inGold)
        , prestige(inPrestige)
        , piety(inPiety)
    {
    }
    CSimpleScore(const CSimpleScore&) = default;
    CSimpleScore& operator=(const CSimpleScore&) = default;
    // A composite collapses to its total.
    explicit CSimpleScore(const CScore& other)
        : gold(other.GetGold())
        , prestige(other.GetPrestige())
        , piety(other.GetPiety())
    {
    }

    float GetGold() const override { return gold; }
    float GetPrestige() const override { return prestige; }
    float GetPiety() const override { return piety; }
    bool IsZero() const override { return gold == 0.0f && prestige == 0.0f && piety == 0.0f; }
    CSimpleScore GetTotal() const override { return *this; }

    CSimpleScore& operator+=(const CSimpleScore& other);
    CSimpleScore operator-() const { return CSimpleScore(-gold, -prestige, -piety); }
    CSimpleScore operator*(float factor) const
    {
        return CSimpleScore(gold * factor, prestige * factor, piety * factor);
    }
    // Gold by gold, prestige by prestige, piety by piety.
    CSimpleScore& MemberwiseMultiplicationAndAssignment(const CScore& other);

    // The non-zero parts as "%.2f <text> " each, gold, prestige, piety, with the localised "SCOREGOLD",
    // "PRESTIGE" and "PIETY"; empty for a zero score. Cut to size.
    void GetDesc(char* out, std::size_t size) const;
    template <std::size_t N> void GetDesc(char (&out)[N]) const { GetDesc(out, N); }

    // { gold = f prestige = f piety = f } with the non-zero parts only, as a new list the caller owns.
    CLScript* GetScript() const override;
    // Keys seen twice keep the last value; keys left out keep the part as it was.
    int ParseFields(CRZParser& parser) override;

private:
    float gold = 0.0f;
    float prestige = 0.0f;
    float piety = 0.0f;
};

class CCompositeScore : public CScore {
public:
    CCompositeScore() = default;
    CCompositeScore(VLScoreType type, const CSimpleScore& score);
    CCompositeScore(const CCompositeScore&) = default;
    CCompositeScore& operator=(const CCompositeScore&) = default;

    // Types outside 0..8 read a zero score and add nothing.
    CSimpleScore Get(VLScoreType type) const;
    void Add(VLScoreType type, const CSimpleScore& score);

    CSimpleScore GetTotal() const override;
    float GetGold() const override { return GetTotal().GetGold(); }
    float GetPrestige() const override { return GetTotal().GetPrestige(); }
    float GetPiety() const override { return GetTotal().GetPiety(); }
    // Parts that cancel each other count as zero.
    bool IsZero() const override { return GetTotal().IsZero(); }

    CCompositeScore operator-() const;
    // Every part, part by part, by the other score.
    CCompositeScore& MemberwiseMultiplicationAndAssignment(const CScore& other);

    // The six saved sources by key, each that is not zero itself, as a new list the caller owns.
    CLScript* GetScript() const override;
    int ParseFields(CRZParser& parser) override;

private:
    CSimpleScore parts[VLST_COUNT];
};
