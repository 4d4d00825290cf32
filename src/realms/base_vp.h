// CRZBaseVP: a realm's base victory points, one value per source, kept in scenarios and saved games as a
// plain list of seven numbers.
#pragma once

#include <cstdint>

#include "events/record_types.h"
#include "foundation/scripter.h"

// The sources of victory points; the event that adds them names one.
enum BaseVPSource : int32_t { BASEVP_FIRST_SOURCE = 0, BASEVP_LAST_SOURCE = 6 };
inline constexpr int kBaseVPSourceCount = BASEVP_LAST_SOURCE + 1;

class CRZBaseVP : public CLScripter {
public:
    // Reads numbers after the block's "{" up to and including its "}", commas between them skipped, into
    // the sources in order; sources the list does not reach keep their values. An eighth number abandons
    // the load with "Too many values for basevp", any other token with "basevp: Unexpected field".
    virtual int ParseFields(CRZParser& parser);
    // The seven values as a list; the caller owns it.
    CLScript* GetScript() const override;
    void SetScript(CLScript*) override { }
    // Victory points are not yet counted from their sources, so nothing is added.
    void Add(BaseVPSource, float) { }
    void AddMonthly() { }

    // 0 for a source outside 0..6.
    float Get(int source) const { return source >= 0 && source < kBaseVPSourceCount ? values[source] : 0.0f; }

private:
    float values[kBaseVPSourceCount] = {};
};
