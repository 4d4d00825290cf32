// The data folder and CFile, the one way into the game's data files: backslash paths become slash
// paths, and a path whose letter case differs from the disk is found component by component.
#pragma once

#include <cstddef>
#include <cstdio>

inline constexpr const char* kDataFolderName = "Vellmark Data Files";
// Longest path the file layer handles, terminator excluded.
inline constexpr int kPathMax = 1023;

// Replaces every '\' by '/' in place; a null path is left alone.
void ConvertBackslashToSlash(char* path);

// Chooses the data folder in place of the one beside the executable (the --data option, tests).
// Must come before the first SetDataPath to take effect.
void SetDataFolderOverride(const char* path);

// The data folder to use: the override, else the environment variable VELLMARK_DATA, else
// "Vellmark Data Files" in the folder above the executable's. False when no path could be formed.
bool FindDataFolder(char* out, std::size_t size);

// Makes the folder the working directory; on failure writes one line to standard error and returns false.
bool ChangeToDataFolder(const char* path);

// On its first call only, makes the data folder the working directory; later calls do nothing.
void SetDataPath();

// Turns a game path ("GFX\Interface\x.bmp") into the path on disk: slashes, and for each component
// that does not exist as spelled, the entry of its folder whose name matches with ASCII case ignored.
// A component that matches nothing is kept as spelled (so a file about to be created keeps its name).
// False when the result does not fit.
bool ResolveDataPath(const char* name, char* out, std::size_t size);

// Opens a game path with a C open mode after SetDataPath and ResolveDataPath; null on failure.
std::FILE* OpenDataFile(const char* name, const char* mode);

// A binary or text data file with a sticky error flag that callers poll through ErrorFlag.
class CFile {
public:
    CFile(const char* name, const char* mode);
    // Opens the name for binary reading.
    explicit CFile(const char* name);
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Closes the file held and opens the name for binary reading; returns the error flag (0 on success).
    int Open(const char* name);

    // Each returns true when all bytes moved; a failure sets the error flag. While it is set they do nothing.
    bool Read(void* buffer, int n, bool quiet);
    bool Read(void* buffer, int size, int count);
    bool Write(const void* buffer, int n);
    bool Write(const void* buffer, int size, int count);

    bool SeekStart(int offset);
    bool SeekCurrent(int offset);
    // Moves to offset bytes from the end of the file (callers pass 0).
    bool SeekEnd(int offset);
    // Back to the first byte of data: behind a two-byte order mark when the file has one.
    bool Reset();
    // The position in bytes, or -1.
    int GetPosition();

    // True once per failure: reports the error flag and clears it.
    bool ErrorFlag();
    bool IsEof() const;

    // The next byte as a signed 8-bit value, or 0 when nothing could be read. Two-byte files give the low
    // byte of each character (files are 8-bit text throughout; the marked form is only recognised).
    int ReadChar(bool quiet);

    // Reads one line into buffer (size bytes, size >= 1), storing CR and LF as 0 and stopping after the
    // first 0 stored (line end, end of file or a NUL byte). A longer line is cut to size - 1 characters,
    // its rest skipped and the cut reported. Returns the bytes stored, terminator included.
    int ReadLine(char* buffer, int size);

    // A new copy (delete[] by the caller) of the name as given, or null when it is empty.
    char* GetRealFileName() const;

    int GetSize() const { return size; }
    bool IsUnicode() const { return unicode != 0; }
    bool IsSwapped() const { return swapped != 0; }

    // Files destroyed since start; each destruction lets the loading hook run once.
    static int _nFiles;
    // Set by every failed opening or operation, cleared only by its readers.
    static int GlobalFileError;
    // Called with _nFiles from every destructor so that the window stays responsive while data loads;
    // the game application installs its DrawLoading here.
    static void (*_pLoadingHook)(int);

private:
    void OpenWith(const char* newName, const char* mode, const char* markMessage);
    // Reports "<what><file name> (<detail>)!" (no brackets for an empty detail) and marks the file failed.
    void Fail(const char* what, const char* detail);

    char name[256] = {};
    std::FILE* stream = nullptr;
    char message[512] = {};
    int size = 0;
    int swapped = 0;
    int unicode = 0;
    int error = 1;
};
