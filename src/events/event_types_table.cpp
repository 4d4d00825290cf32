// The static tables of the event types: the diagnostic names and the types that have no
// network form.
#include "events/event_types.h"

#include <cstdio>

#include "foundation/safeguards.h"

namespace {

#define VM_EVENT_TYPE_NAME_NAMED(name, value) #name,
#define VM_EVENT_TYPE_NAME_UNNAMED(value) nullptr,

char const* const kEventTypeNames[]
    = { VM_EVENT_TYPE_LIST(VM_EVENT_TYPE_NAME_NAMED, VM_EVENT_TYPE_NAME_UNNAMED) };

#undef VM_EVENT_TYPE_NAME_NAMED
#undef VM_EVENT_TYPE_NAME_UNNAMED

#define VM_EVENT_TYPE_VALUE_NAMED(name, value) value,
#define VM_EVENT_TYPE_VALUE_UNNAMED(value) value,

constexpr uint32_t kEventTypeValues[]
    = { VM_EVENT_TYPE_LIST(VM_EVENT_TYPE_VALUE_NAMED, VM_EVENT_TYPE_VALUE_UNNAMED) };

#undef VM_EVENT_TYPE_VALUE_NAMED
#undef VM_EVENT_TYPE_VALUE_UNNAMED

// The name table is indexed by value, so the list must run 0, 1, 2, ... without a hole.
constexpr bool ValuesAreConsecutive()
{
    for (uint32_t i = 0; i < kEventTypeCount; ++i) {
        if (kEventTypeValues[i] != i)
            return false;
    }
    return true;
}
static_assert(sizeof(kEventTypeValues) / sizeof(kEventTypeValues[0]) == kEventTypeCount);
static_assert(sizeof(kEventTypeNames) / sizeof(kEventTypeNames[0]) == kEventTypeCount);
static_assert(ValuesAreConsecutive());

// Inclusive ranges of the types that take effect only on the issuing machine.
struct CTypeRange {
    uint16_t first;
    uint16_t last;
};

constexpr CTypeRange kLocalOnlyTypes[] = {
    { 4, 4 },
    { 7, 7 },
    { 12, 21 },
    { 26, 26 },
    { 37, 37 },
    { 43, 43 },
    { 52, 53 },
    { 63, 65 },
    { 67, 68 },
    { 80, 81 },
    { 89, 91 },
    { 93, 95 },
    { 101, 102 },
    { 110, 110 },
    { 115, 123 },
    { 129, 138 },
    { 140, 141 },
    { 145, 148 },
    { 150, 155 },
    { 158, 163 },
    { 168, 168 },
    { 173, 175 },
    { 179, 183 },
    { 186, 187 },
    { 189, 192 },
    { 195, 195 },
    { 197, 202 },
    { 204, 215 },
    { 217, 221 },
    { 224, 228 },
    { 232, 234 },
    { 243, 247 },
    { 250, 253 },
    { 257, 260 },
    { 264, 266 },
    { 278, 280 },
    { 283, 288 },
    { 295, 295 },
    { 319, 321 },
    { 332, 337 },
    { 347, 347 },
    { 358, 364 },
    { 366, 369 },
    { 371, 371 },
    { 379, 379 },
    { 384, 388 },
    { 393, 393 },
    { 397, 397 },
    { 402, 407 },
    { 410, 410 },
    { 412, 414 },
    { 419, 419 },
    { 424, 424 },
    { 441, 441 },
    { 468, 468 },
    { 470, 470 },
    { 472, 472 },
    { 474, 474 },
};

constexpr uint32_t CountLocalOnlyTypes()
{
    uint32_t count = 0;
    for (CTypeRange const& r : kLocalOnlyTypes)
        count += r.last - r.first + 1u;
    return count;
}
static_assert(CountLocalOnlyTypes() == 190);

// Shared by every unknown value, as the diagnostic lines expect.
char gUnknownEventName[32];

} // namespace

char const* GetEventTypeName(uint32_t type)
{
    if (type < kEventTypeCount && kEventTypeNames[type] != nullptr)
        return kEventTypeNames[type];
    snprintf(gUnknownEventName, sizeof(gUnknownEventName), "Uknown event %d", static_cast<int>(type));
    return gUnknownEventName;
}

bool HasNetworkForm(uint32_t type)
{
    if (type >= kEventTypeCount)
        return false;
    for (CTypeRange const& r : kLocalOnlyTypes) {
        if (type < r.first)
            return true;
        if (type <= r.last)
            return false;
    }
    return true;
}
