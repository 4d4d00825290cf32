// Character attribute tuples: access, arithmetic, modifiers and the compact text form. The block form is
// read and written by the data language (datalang/value_blocks.cpp).
#include "datalang/attribute_tuple.h"

#include <climits>
#include <cmath>
#include <cstdlib>

#include "foundation/safeguards.h"

namespace {

const char* const kNameKeys[CAttributeTuple::COUNT]
    = { "MARTIAL", "DIPLOMACY", "INTRIGUE", "STEWARDSHIP", "HEALTH", "FERTILITY" };

int ClampToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

const char* (*CAttributeTuple::_pGetText)(const char*) = nullptr;

int CAttributeTuple::Get(int which) const
{
    return which >= 0 && which < COUNT ? values[which] : 0;
}

void CAttributeTuple::Set(int which, int value)
{
    if (which >= 0 && which < COUNT)
        values[which] = value;
}

void CAttributeTuple::Add(int which, int amount)
{
    values[which] = ClampToInt(static_cast<double>(values[which]) + amount);
}

const char* CAttributeTuple::GetName(int which)
{
    if (which < 0 || which >= COUNT)
        return nullptr;
    return _pGetText ? _pGetText(kNameKeys[which]) : kNameKeys[which];
}

CAttributeTuple& CAttributeTuple::operator+=(const CAttributeTuple& other)
{
    for (int i = 0; i < COUNT; ++i)
        Add(i, other.values[i]);
    return *this;
}

CAttributeTuple CAttributeTuple::operator+(const CAttributeTuple& other) const
{
    CAttributeTuple sum(*this);
    sum += other;
    return sum;
}

CAttributeTuple& CAttributeTuple::operator*=(float factor)
{
    for (int32_t& value : values)
        value = ClampToInt(static_cast<float>(value) * factor);
    return *this;
}

void CAttributeTuple::CapZero()
{
    for (int32_t& value : values)
        if (value < 0)
            value = 0;
}

float CAttributeTuple::Exponential(int value)
{
    return static_cast<float>(0.5 * std::exp(std::log(2.0) * value / 10.0));
}

float CAttributeTuple::GetLoyaltyModifier() const
{
    float x = (static_cast<float>(values[DIPLOMACY]) - 10.0f) / 200.0f;
    if (x > 0.0f)
        x *= 0.5f;
    if (x > 1.0f)
        x = 1.0f;
    return x;
}

void CAttributeTuple::AssignFromString(const char* text)
{
    if (!text)
        return;
    static const int kOrder[COUNT] = { MARTIAL, DIPLOMACY, INTRIGUE, STEWARDSHIP, FERTILITY, HEALTH };
    const char* at = text;
    for (int i = 0; i < COUNT; ++i) {
        if (i > 0) {
            if (*at != '.')
                return;
            ++at;
        }
        char* end = nullptr;
        const long long number = std::strtoll(at, &end, 10);
        if (end == at)
            return;
        values[kOrder[i]] = ClampToInt(static_cast<double>(number));
        at = end;
    }
}
