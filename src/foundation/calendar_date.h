// The game's date: 12 months of 30 days, days and months counted from 0; all date arithmetic
// goes through a running day count.
#pragma once

#include <cstdint>

class CLScript;
class CRZParser;

class CDate {
public:
    static constexpr int _nMonthsPerYear = 12;
    static constexpr int _nDaysPerMonth = 30;

    int8_t day = 0;
    int8_t month = 0;
    int16_t year = 0;

    CDate() = default;
    CDate(int d, int m, int y)
        : day(static_cast<int8_t>(d))
        , month(static_cast<int8_t>(m))
        , year(static_cast<int16_t>(y))
    {
    }

    // The zero date stands for "none": no death, no conception.
    bool IsZero() const { return day == 0 && month == 0 && year == 0; }

    // ((year * 12) + month) * 30 + day, signed; negative and unnormalised fields count as they stand.
    int GetDays() const { return (year * _nMonthsPerYear + month) * _nDaysPerMonth + day; }

    // Division truncates toward zero, so a negative count gives fields that are all 0 or negative.
    void ConvertFromDays(int n);
    void AddDays(int n) { ConvertFromDays(GetDays() + n); }
    void AddMonths(int n) { ConvertFromDays(GetDays() + _nDaysPerMonth * n); }
    // Only the year moves; month and day stay even when out of range.
    void AddYears(int n) { year = static_cast<int16_t>(year + n); }

    CDate& operator+=(const CDate& other);
    CDate& operator-=(const CDate& other);
    // As a duration, the difference holds whole years, remaining months and remaining days.
    CDate operator+(const CDate& other) const;
    CDate operator-(const CDate& other) const;

    // Lexicographic over (year, month, day), signed; callers write "earlier" as !(a >= b).
    bool operator>(const CDate& other) const;
    bool operator>=(const CDate& other) const;
    bool operator==(const CDate& other) const;

    // The day scaled to the real length of the month (no leap years); display adds 1.
    int GetJulianDays() const;

    // Game-clock ticks from the game's start date to this date; 0 while no tick source is set.
    int ConvertToTicks() const;

    // Writes the eight-digit form YYYYMMDD (month and day from 0) into a buffer of at least 9 bytes.
    void GenerateString(char* text) const;
    // Reads the YYYYMMDD form. A text shorter than 8 characters leaves the date unchanged; the text
    // itself is never altered.
    void AssignFromString(const char* text);

    // The data-language block { year = N month = name day = N }, read after its "{" and defined by the
    // data language. A date sits inside event records, so it stays a plain record and offers these as
    // plain members; CLValueScripter lends it the CLScripter interface where one is needed.
    int ParseFields(CRZParser& parser);
    // A new statement list that the caller owns.
    CLScript* GetScript() const;
    void SetScript(CLScript*) { }
};

// Month lengths January first, for GetJulianDays.
extern const int32_t JulianTable[CDate::_nMonthsPerYear];

// Where ConvertToTicks finds the start date of the game and the clock's pace: the global game state and
// the game clock fill it when they are made.
struct CDateTickSource {
    const CDate* pStartDate = nullptr;
    int (*GetTicksPerDay)() = nullptr;
};
extern CDateTickSource gDateTickSource;
