// The data folder, the case-forgiving path resolution every data file goes through, and CFile.
#include "foundation/data_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "foundation/logs.h"
#include "foundation/utilities.h"
#include "platform/win/win32.h"

#include "foundation/safeguards.h"

namespace {

bool bIsChanged = false;
char gDataFolderOverride[kPathMax + 1];

bool Exists(const char* path)
{
    struct stat info;
    return lstat(path, &info) == 0;
}

// Appends text to out (holding used bytes); false when it does not fit.
bool Append(char* out, std::size_t size, std::size_t& used, const char* text, std::size_t length)
{
    if (used + length + 1 > size)
        return false;
    std::memcpy(out + used, text, length);
    used += length;
    out[used] = '\0';
    return true;
}

// The entry of folder whose name equals wanted with ASCII case ignored. Several such entries
// (possible on a case-sensitive disk) resolve to the smallest name, so the choice never depends on
// the order the folder lists them in.
bool FindEntryIgnoringCase(const char* folder, const char* wanted, char* found, std::size_t size)
{
    DIR* dir = opendir(folder[0] ? folder : ".");
    if (!dir)
        return false;
    bool any = false;
    while (const dirent* entry = readdir(dir)) {
        if (stricmp(entry->d_name, wanted) != 0)
            continue;
        if (!any || std::strcmp(entry->d_name, found) < 0) {
            CopyString(found, entry->d_name, size);
            any = true;
        }
    }
    closedir(dir);
    return any;
}

} // namespace

void ConvertBackslashToSlash(char* path)
{
    if (!path)
        return;
    for (; *path; ++path)
        if (*path == '\\')
            *path = '/';
}

void SetDataFolderOverride(const char* path)
{
    CopyString(gDataFolderOverride, path ? path : "");
}

bool FindDataFolder(char* out, std::size_t size)
{
    if (gDataFolderOverride[0])
        return CopyString(out, gDataFolderOverride, size);
    const char* fromEnvironment = std::getenv("VELLMARK_DATA");
    if (fromEnvironment && fromEnvironment[0])
        return CopyString(out, fromEnvironment, size);
    // The executable lives in <flavour>/bin; the data folder sits beside bin.
    char exe[kPathMax + 1];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0)
        return false;
    exe[n] = '\0';
    for (int cut = 0; cut < 2; ++cut) {
        char* slash = std::strrchr(exe, '/');
        if (!slash)
            return false;
        *slash = '\0';
    }
    const int written = std::snprintf(out, size, "%s/%s", exe, kDataFolderName);
    return written > 0 && static_cast<std::size_t>(written) < size;
}

bool ChangeToDataFolder(const char* path)
{
    if (chdir(path) == 0)
        return true;
    std::fprintf(stderr, "Cannot change directory into the data folder: %s\n", path);
    return false;
}

void SetDataPath()
{
    if (bIsChanged)
        return;
    bIsChanged = true;
    char folder[kPathMax + 1];
    if (FindDataFolder(folder, sizeof folder))
        ChangeToDataFolder(folder);
    else
        std::fprintf(stderr, "Cannot change directory into the data folder: %s\n", kDataFolderName);
}

bool ResolveDataPath(const char* name, char* out, std::size_t size)
{
    char path[kPathMax + 1];
    if (size == 0 || !CopyString(path, name))
        return false;
    ConvertBackslashToSlash(path);
    if (Exists(path))
        return CopyString(out, path, size);

    std::size_t used = 0;
    out[0] = '\0';
    if (path[0] == '/' && !Append(out, size, used, "/", 1))
        return false;
    bool matching = true; // once a component matches nothing, the rest cannot exist either
    char entry[NAME_MAX + 1];
    for (char* part = path; *part;) {
        char* end = std::strchr(part, '/');
        if (end)
            *end = '\0';
        if (*part) {
            const std::size_t before = used;
            if (!Append(out, size, used, part, std::strlen(part)))
                return false;
            if (matching && !Exists(out)) {
                out[before] = '\0';
                used = before;
                const bool found = FindEntryIgnoringCase(out, part, entry, sizeof entry);
                matching = found;
                const char* spelled = found ? entry : part;
                if (!Append(out, size, used, spelled, std::strlen(spelled)))
                    return false;
            }
            if (end && !Append(out, size, used, "/", 1))
                return false;
        }
        if (!end)
            break;
        part = end + 1;
    }
    return true;
}

std::FILE* OpenDataFile(const char* name, const char* mode)
{
    SetDataPath();
    char path[kPathMax + 1];
    if (!ResolveDataPath(name, path, sizeof path))
        return nullptr;
    return std::fopen(path, mode);
}

int CFile::_nFiles = 0;
int CFile::GlobalFileError = 0;
void (*CFile::_pLoadingHook)(int) = nullptr;

CFile::CFile(const char* newName, const char* mode)
{
    OpenWith(newName, mode, "Got to unimplemented place in File:126\n");
}

CFile::CFile(const char* newName)
{
    Open(newName);
}

CFile::~CFile()
{
    if (stream)
        std::fclose(stream);
    ++_nFiles;
    if (_pLoadingHook)
        _pLoadingHook(_nFiles);
}

int CFile::Open(const char* newName)
{
    if (stream) {
        std::fclose(stream);
        stream = nullptr;
    }
    OpenWith(newName, "rb", "Got to unimplemented in File:215\n");
    return error;
}

void CFile::OpenWith(const char* newName, const char* mode, const char* markMessage)
{
    unicode = swapped = 0;
    stream = nullptr;
    size = 0;
    error = 1;
    SetDataPath();
    // A name that does not fit is refused rather than opened cut short.
    if (!CopyString(name, newName ? newName : "") || !(stream = OpenDataFile(name, mode))) {
        GlobalFileError = 1;
        return;
    }
    long length = -1;
    if (std::fseek(stream, 0, SEEK_END) == 0)
        length = std::ftell(stream);
    if (length < 0 || length > INT_MAX || std::fseek(stream, 0, SEEK_SET) != 0) {
        std::fclose(stream);
        stream = nullptr;
        GlobalFileError = 1;
        return;
    }
    error = 0;
    size = static_cast<int>(length);
    if (mode[0] == 'w')
        return;
    // An empty or one-byte file is a valid file: the order-mark probe is quiet.
    unsigned char mark[2];
    if (Read(mark, 2, true)
        && ((mark[0] == 0xFF && mark[1] == 0xFE) || (mark[0] == 0xFE && mark[1] == 0xFF))) {
        std::fputs(markMessage, stderr);
        unicode = 1;
        swapped = mark[0] == 0xFF;
    } else {
        std::fseek(stream, 0, SEEK_SET);
        std::clearerr(stream);
    }
}

void CFile::Fail(const char* what, const char* detail)
{
    std::snprintf(message, sizeof message, "%s%s%s%s%s!\n", what, name, detail[0] ? " (" : "", detail,
        detail[0] ? ")" : "");
    mydebug("%s", message);
    error = 1;
    GlobalFileError = 1;
}

bool CFile::Read(void* buffer, int n, bool quiet)
{
    if (error || !stream)
        return false;
    if (n < 0 || std::fread(buffer, 1, static_cast<std::size_t>(n), stream) != static_cast<std::size_t>(n)) {
        if (!quiet)
            Fail(" Error reading file ", std::strerror(errno));
        return false;
    }
    return true;
}

bool CFile::Read(void* buffer, int elementSize, int count)
{
    const long long n = static_cast<long long>(elementSize) * count;
    return n <= INT_MAX && Read(buffer, static_cast<int>(n), false);
}

bool CFile::Write(const void* buffer, int n)
{
    if (error || !stream)
        return false;
    if (n < 0 || std::fwrite(buffer, 1, static_cast<std::size_t>(n), stream) != static_cast<std::size_t>(n)) {
        Fail(" Error writing file ", "");
        return false;
    }
    return true;
}

bool CFile::Write(const void* buffer, int elementSize, int count)
{
    const long long n = static_cast<long long>(elementSize) * count;
    return n <= INT_MAX && Write(buffer, static_cast<int>(n));
}

bool CFile::SeekStart(int offset)
{
    if (!stream || std::fseek(stream, offset, SEEK_SET) != 0) {
        Fail(" Error seeking in file ", "");
        return false;
    }
    return true;
}

bool CFile::SeekCurrent(int offset)
{
    if (!stream || std::fseek(stream, offset, SEEK_CUR) != 0) {
        Fail(" Error seeking in file ", "");
        return false;
    }
    return true;
}

bool CFile::SeekEnd(int offset)
{
    if (!stream || std::fseek(stream, offset, SEEK_END) != 0) {
        Fail(" Error seeking in file ", "");
        return false;
    }
    return true;
}

bool CFile::Reset()
{
    return SeekStart(unicode ? 2 : 0);
}

int CFile::GetPosition()
{
    if (error || !stream)
        return -1;
    const long position = std::ftell(stream);
    if (position < 0 || position > INT_MAX) {
        Fail("Could not return current file position in file ", "");
        return -1;
    }
    return static_cast<int>(position);
}

bool CFile::ErrorFlag()
{
    if (error != 1)
        return false;
    error = 0;
    return true;
}

bool CFile::IsEof() const
{
    return stream && std::feof(stream);
}

int CFile::ReadChar(bool quiet)
{
    if (!unicode) {
        signed char c;
        return Read(&c, 1, quiet) ? c : 0;
    }
    unsigned char pair[2];
    if (!Read(pair, 2, quiet))
        return 0;
    // FF FE files are little-endian, FE FF files big-endian; the low byte of the character is kept.
    return static_cast<signed char>(swapped ? pair[0] : pair[1]);
}

int CFile::ReadLine(char* buffer, int bufferSize)
{
    if (bufferSize < 1)
        return 0;
    int stored = 0;
    bool cut = false;
    for (;;) {
        int c = ReadChar(true);
        if (c == '\r' || c == '\n')
            c = 0;
        if (c == 0) {
            buffer[stored++] = '\0';
            break;
        }
        if (stored < bufferSize - 1)
            buffer[stored++] = static_cast<char>(c);
        else
            cut = true;
    }
    if (cut)
        std::fprintf(stderr, "Line too long in file %s, cut to %d characters\n", name, bufferSize - 1);
    return stored;
}

char* CFile::GetRealFileName() const
{
    if (!name[0])
        return nullptr;
    const std::size_t n = std::strlen(name) + 1;
    char* copy = new char[n];
    std::memcpy(copy, name, n);
    return copy;
}
