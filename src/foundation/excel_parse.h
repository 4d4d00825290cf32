// CExcelParse: the forward-only reader of the game database's semicolon tables ("db\province.csv"):
// fields end at ';' or at a carriage return, line feeds are dropped, there is no quoting.
#pragma once

#include "foundation/data_file.h"

class CExcelParse {
public:
    // Opens the table (a data path, backslashes allowed). A table that cannot be opened is reported
    // once on standard error with its name and then reads as empty: every reader answers false.
    explicit CExcelParse(const char* name);
    virtual ~CExcelParse() = default;
    CExcelParse(const CExcelParse&) = delete;
    CExcelParse& operator=(const CExcelParse&) = delete;

    // Reads the next field into out (size bytes, terminator included; a longer field is cut and its
    // rest skipped). True when the field ended at ';' or a carriage return, false at the end of the
    // file, with what was read before it already stored.
    bool parse_string(char* out, int size);
    // atoi rules (blanks, sign, digits up to the first other byte; 0 without digits), clamped to int.
    // False at the end of the file, leaving *out unchanged.
    bool parse_int(int* out);
    // Scans "%f"; a field without a number leaves *out unchanged. False at the end of the file.
    bool parse_float(float* out);
    // Scans "%f" into a float and stores it widened, so "0.1" is the float 0.1; a field without a number
    // leaves *out unchanged. False at the end of the file.
    bool parse_double(double* out);

    // Skips n fields, each up to and including its ';' or carriage return; false if the file ends first.
    bool skip_entries(int n);
    // Skips n row ends (up to and including each carriage return); false if the file ends first.
    // Reads quietly: hitting the end here leaves the table readable after Reset.
    bool skip_rows(int n);
    // The number of carriage returns, counted from the start; the cursor is back at the start afterwards.
    // A last row without a carriage return is not counted.
    int CountRows();
    // Back to the first byte. Once parse_string or skip_entries has met the end of the file, the
    // table stays at its end: it is read once, front to back, after any counting.
    void Reset();

    bool IsOpen() const { return opened; }
    // True when the last field parse_string read closed its row: it ended at a carriage return or at the
    // end of the file. Readers of a fixed number of cells use it to keep to their row.
    bool EndedRow() const { return rowEnded; }
    // Whether the last field read was cut to fit: row readers refuse rows with overlong fields.
    bool WasCut() const { return lastCut; }

    // The buffer of the numeric readers, terminator included; a longer field is cut.
    static constexpr int kNumberFieldSize = 1024;

private:
    // The next byte; false at the end of the file or on a failed read.
    bool NextChar(bool quiet, char* c);
    // Reads the next field and, when it holds a "%f" number, stores that float through out (widened
    // for a double); false at the end of the file.
    template <class Number> bool ParseFloatInto(Number* out);
    // Reads past n row ends, or with fields set past n field ends (';' or a carriage return).
    bool SkipEnds(int n, bool fields);

    CFile file;
    bool opened;
    bool cutReported = false;
    bool rowEnded = false;
    bool lastCut = false;
};
