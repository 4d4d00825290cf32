// Replacing a file whole: saves, settings, packed games and generated data files either keep their old
// bytes or hold the new ones, whatever fails or crashes on the way.
#pragma once

#include <cstdio>
#include <functional>

namespace Ravel {

// The steps of a replace in order.
enum class ReplaceStep {
    kNone,
    kCreate, // the temporary file "<path>.tmp" beside the target
    kWrite, // the caller's writer
    kFlush,
    kSyncFile,
    kClose,
    kRename,
    kSyncFolder, // makes the rename itself survive a crash
};

// Writes the file through write(file) into "<path>.tmp" in the same folder, flushes it, syncs it to the
// disk, closes it and renames it over path, then syncs the folder. write answers false when it could not
// write everything. On failure before the rename the old file keeps its bytes, the temporary file is
// removed and false is answered with the step and its errno in the out-parameters (errno 0 where the
// writer failed without one). A folder that cannot be synced after the rename still holds the whole new
// file: that is reported in the step but answers true.
bool ReplaceFile(const char* path, const std::function<bool(std::FILE* file)>& write,
    ReplaceStep* failedStep = nullptr, int* error = nullptr);

// The same replace without the two syncs, for files that are cheaper to write again than to make
// durable: a crash still leaves the old file or the new one, but a power loss may leave neither whole.
bool ReplaceFileUnsynced(const char* path, const std::function<bool(std::FILE* file)>& write);

// Makes every later replace fail at the step with EIO, as a full or failing disk would; kNone ends
// that. For tests of the callers.
void InjectReplaceFailure(ReplaceStep step);

} // namespace Ravel
