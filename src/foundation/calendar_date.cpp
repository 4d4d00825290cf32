// The 360-day calendar: day-count arithmetic, comparison, display scaling and the compact text form.
#include "foundation/calendar_date.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/safeguards.h"

const int32_t JulianTable[CDate::_nMonthsPerYear] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };

CDateTickSource gDateTickSource;

void CDate::ConvertFromDays(int n)
{
    constexpr int daysPerYear = _nMonthsPerYear * _nDaysPerMonth;
    int y = n / daysPerYear;
    int r = n - y * daysPerYear;
    int m = r / _nDaysPerMonth;
    year = static_cast<int16_t>(y);
    month = static_cast<int8_t>(m);
    day = static_cast<int8_t>(r - m * _nDaysPerMonth);
}

CDate& CDate::operator+=(const CDate& other)
{
    ConvertFromDays(GetDays() + other.GetDays());
    return *this;
}

CDate& CDate::operator-=(const CDate& other)
{
    ConvertFromDays(GetDays() - other.GetDays());
    return *this;
}

CDate CDate::operator+(const CDate& other) const
{
    CDate result(*this);
    result += other;
    return result;
}

CDate CDate::operator-(const CDate& other) const
{
    CDate result(*this);
    result -= other;
    return result;
}

bool CDate::operator>(const CDate& other) const
{
    if (year != other.year)
        return year > other.year;
    if (month != other.month)
        return month > other.month;
    return day > other.day;
}

bool CDate::operator>=(const CDate& other) const
{
    return *this > other || *this == other;
}

bool CDate::operator==(const CDate& other) const
{
    return day == other.day && month == other.month && year == other.year;
}

int CDate::GetJulianDays() const
{
    // An unnormalised month has no real length; scale it as a 30-day month rather than read outside the
    // table.
    int length = (month >= 0 && month < _nMonthsPerYear) ? JulianTable[month] : _nDaysPerMonth;
    return day * length / 30;
}

int CDate::ConvertToTicks() const
{
    if (gDateTickSource.pStartDate == nullptr || gDateTickSource.GetTicksPerDay == nullptr)
        return 0;
    return (GetDays() - gDateTickSource.pStartDate->GetDays()) * gDateTickSource.GetTicksPerDay();
}

void CDate::GenerateString(char* text) const
{
    // Unnormalised fields can make the text longer than eight digits: it is cut to the caller's 9 bytes.
    char full[32];
    std::snprintf(full, sizeof full, "%04d%02d%02d", year, month, day);
    std::snprintf(text, 9, "%.8s", full);
}

void CDate::AssignFromString(const char* text)
{
    if (text == nullptr || std::strlen(text) < 8)
        return;
    // Each field is read from its offset to the end of what is left, cutting the copy behind it.
    std::string part(text);
    day = static_cast<int8_t>(std::atoi(part.c_str() + 6));
    part.resize(6);
    month = static_cast<int8_t>(std::atoi(part.c_str() + 4));
    part.resize(4);
    year = static_cast<int16_t>(std::atoi(part.c_str()));
}
