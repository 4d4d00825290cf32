// CToken's constructors: the tokens that the writer prints for numbers, decimals, truth values and strings.
#include "datalang/token.h"

#include <cmath>
#include <cstdio>

#include "foundation/utilities.h"
#include "platform/win/win32.h"

#include "foundation/safeguards.h"

CToken::CToken()
    : type(TT_WORD_START)
    , text {}
{
}

CToken::CToken(int value)
    : type(TT_NUMBER)
    , text {}
{
    std::snprintf(text, sizeof text, "%d", value);
}

CToken::CToken(float value)
    : type(TT_DECIMAL)
    , text {}
{
    if (std::isnan(value)) {
        RV_assert_failed("!isnan(Float)", "lexer", 1439);
        value = 0.0f;
    }
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(value));
}

CToken::CToken(bool value)
    : type(TT_BOOLEAN)
    , text {}
{
    CopyString(text, value ? "yes" : "no", sizeof text);
}

CToken::CToken(const char* string)
    : type(TT_STRING)
    , text {}
{
    CopyString(text, string ? string : "", sizeof text);
}

void CToken::Init(int newType, const char* newText)
{
    type = static_cast<std::uint32_t>(newType);
    CopyString(text, newText ? newText : "", sizeof text);
}
