// The game file packer over libbzip2's stdio interface: every library and stdio result is checked,
// and a packed or unpacked file appears under its name only once it is complete.
#include "foundation/bzip.h"

#include <bzlib.h>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "foundation/data_file.h"
#include "platform/elements/replace_file.h"

#include "foundation/safeguards.h"

namespace {

constexpr const char* kPlainExtension = ".rzg";
constexpr const char* kPackedExtension = ".bz2";

using Path = char[kPathMax + 1];

// base + extension as the game names it; false when it does not fit.
bool BuildName(Path out, const char* base, const char* extension)
{
    const int written = std::snprintf(out, sizeof(Path), "%s%s", base ? base : "", extension);
    return written > 0 && written < static_cast<int>(sizeof(Path));
}

// A game name as the disk knows it: slashes, letter case as found in the data folder.
bool DiskPath(Path out, const char* name)
{
    SetDataPath();
    return ResolveDataPath(name, out, sizeof(Path));
}

void ReportCannotOpen(const char* name)
{
    std::printf("can't open [%s]\n", name);
    std::perror("reason:");
}

void ReportNoStream()
{
    std::printf("can't bz2openstream\n");
}

bool ModifiedAt(const char* path, timespec* when)
{
    struct stat info;
    if (stat(path, &info) != 0)
        return false;
    *when = info.st_mtim;
    return true;
}

} // namespace

char* CBzip::PatchPackedFileName(const char* base)
{
    const char* text = base ? base : "";
    const std::size_t size = std::strlen(text) + std::strlen(kPackedExtension) + 1;
    char* name = new char[size];
    std::snprintf(name, size, "%s%s", text, kPackedExtension);
    return name;
}

bool CBzip::SameFile(const char* packed, const char* plain, int)
{
    Path packedPath, plainPath;
    timespec packedTime, plainTime;
    if (!DiskPath(packedPath, packed) || !DiskPath(plainPath, plain) || !ModifiedAt(packedPath, &packedTime)
        || !ModifiedAt(plainPath, &plainTime))
        return false;
    if (packedTime.tv_sec != plainTime.tv_sec)
        return packedTime.tv_sec > plainTime.tv_sec;
    return packedTime.tv_nsec > plainTime.tv_nsec;
}

bool CBzip::CompressFile(const char* base, bool reuse)
{
    Path plainName, packedName, plainPath, packedPath;
    if (!BuildName(plainName, base, kPlainExtension) || !BuildName(packedName, base, kPackedExtension)
        || !DiskPath(plainPath, plainName) || !DiskPath(packedPath, packedName)) {
        std::printf("can't open [%s]\n", base ? base : "");
        return false;
    }
    if (reuse && SameFile(packedName, plainName, 120))
        return true;
    // Whatever packed file is there no longer matches the plain one: once this pack fails, no stale
    // packed file may remain to be sent.
    std::remove(packedPath);

    std::FILE* in = std::fopen(plainPath, "rb");
    if (!in) {
        ReportCannotOpen(plainName);
        return false;
    }
    bool opened = true;
    const bool packed = Ravel::ReplaceFile(packedPath, [&](std::FILE* out) {
        int status = BZ_OK;
        BZFILE* packer = BZ2_bzWriteOpen(&status, out, blockSize, 0, 0);
        if (!packer) {
            opened = false;
            return false;
        }
        char chunk[kChunkSize];
        bool failed = false;
        for (;;) {
            const std::size_t n = std::fread(chunk, 1, sizeof chunk, in);
            if (n > 0) {
                BZ2_bzWrite(&status, packer, chunk, static_cast<int>(n));
                if (status != BZ_OK) {
                    failed = true;
                    break;
                }
            }
            if (n < sizeof chunk) {
                failed = std::ferror(in) != 0;
                break;
            }
        }
        // Finishing writes the last block, which can fail too. The library keeps its stream when the
        // file shows an error, so the error is cleared first and a failed finish is followed by an
        // abandoning close that releases it.
        if (failed)
            std::clearerr(out);
        BZ2_bzWriteClose(&status, packer, failed ? 1 : 0, nullptr, nullptr);
        if (status != BZ_OK) {
            failed = true;
            std::clearerr(out);
            int ignored;
            BZ2_bzWriteClose(&ignored, packer, 1, nullptr, nullptr);
        }
        return !failed;
    });
    std::fclose(in);
    if (!opened)
        ReportNoStream();
    else if (!packed)
        std::printf("can't write [%s]\n", packedName);
    return packed;
}

bool CBzip::DecompressFile(const char* base)
{
    char* packedName = PatchPackedFileName(base);
    Path plainName, plainPath, packedPath;
    const bool named = BuildName(plainName, base, kPlainExtension) && DiskPath(plainPath, plainName)
        && DiskPath(packedPath, packedName);
    delete[] packedName;
    if (!named) {
        ReportNoStream();
        return false;
    }

    std::FILE* in = std::fopen(packedPath, "rb");
    int status = BZ_OK;
    BZFILE* unpacker = in ? BZ2_bzReadOpen(&status, in, 0, 0, nullptr, 0) : nullptr;
    if (!unpacker) {
        ReportNoStream();
        if (in)
            std::fclose(in);
        return false;
    }
    bool created = false;
    const bool unpacked = Ravel::ReplaceFile(plainPath, [&](std::FILE* out) {
        created = true;
        char chunk[kChunkSize];
        for (;;) {
            const int n = BZ2_bzRead(&status, unpacker, chunk, sizeof chunk);
            if (status != BZ_OK && status != BZ_STREAM_END)
                return false; // corrupt or truncated
            if (n > 0
                && std::fwrite(chunk, 1, static_cast<std::size_t>(n), out) != static_cast<std::size_t>(n))
                return false;
            if (status == BZ_STREAM_END)
                return true;
        }
    });
    BZ2_bzReadClose(&status, unpacker);
    std::fclose(in);
    if (!created)
        ReportCannotOpen(plainName);
    if (!unpacked) {
        std::printf("can't unpack [%s] into [%s]\n", packedPath, plainName);
        return false;
    }
    std::remove(packedPath);
    return true;
}
