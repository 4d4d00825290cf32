// File writing and the seeded generator of the data folder generator.
#include "data_writer.h"

#include <cstdio>
#include <stdexcept>

#include "platform/elements/replace_file.h"

#include "foundation/safeguards.h"

namespace datagen {

std::uint64_t Random::Next()
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int Random::Range(int lo, int hi)
{
    auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo + 1);
    return lo + static_cast<int>(Next() % span);
}

Random Context::RandomFor(std::string_view name) const
{
    std::uint64_t h = 1469598103934665603ull; // FNV-1a of the name, mixed with the seed
    for (char c : name)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return Random(h ^ (seed * 0x9E3779B97F4A7C15ull));
}

void WriteDataFile(const Context& context, std::string_view path, std::string_view contents)
{
    std::string relative(path);
    for (char& c : relative)
        if (c == '\\')
            c = '/';
    std::filesystem::path target = context.root / relative;
    std::filesystem::create_directories(target.parent_path());
    // A data folder is generated again far more cheaply than thousands of files are synced one by one.
    const bool written = Ravel::ReplaceFileUnsynced(target.c_str(), [&](std::FILE* out) {
        return std::fwrite(contents.data(), 1, contents.size(), out) == contents.size();
    });
    if (!written)
        throw std::runtime_error("cannot write " + target.string());
}

} // namespace datagen
