// CBzip: packs the game file sent to multiplayer clients (base.rzg) into base.bz2 beside it on the
// host, and unpacks the received base.bz2 into base.rzg on a client, through libbzip2.
#pragma once

#include <cstdint>

class CBzip {
public:
    CBzip() = default;
    virtual ~CBzip() = default;

    // base is a data path without extension, backslashes allowed. Packs base.rzg into base.bz2 and
    // answers true, or at once when reuse is set and base.bz2 is newer than base.rzg. Any other packed
    // file is deleted first. A failure answers false and leaves no base.bz2 behind; it never touches
    // the plain file.
    bool CompressFile(const char* base, bool reuse);
    // Unpacks base.bz2 into base.rzg and then deletes base.bz2. A missing, corrupt or truncated packed
    // file answers false, keeps base.bz2 and leaves base.rzg as it was: the new file only replaces the
    // old one once it is complete.
    bool DecompressFile(const char* base);
    // True when both files exist and the packed file was modified after the plain one (nanoseconds,
    // so a plain file saved again within the same second is not mistaken for packed). `seconds` is
    // not used.
    bool SameFile(const char* packed, const char* plain, int seconds);
    // A new text (delete[] by the caller) of base + ".bz2".
    char* PatchPackedFileName(const char* base);

    int32_t GetBlockSize() const { return blockSize; }

    static constexpr int kChunkSize = 4096;

private:
    int32_t blockSize = 9;
};
