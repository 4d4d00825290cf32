// The layers of the source tree: every #include "folder/file.h" in src must reach a library that the
// including file's library links, directly or through its DEPS, as the CMake build describes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/safeguards.h"

namespace fs = std::filesystem;

namespace {

// The layer table the build writes: "folder <src folder> <library>" and "library <name> <deps>...".
struct CLayers {
    std::map<std::string, std::string> libraryOfFolder;
    std::map<std::string, std::set<std::string>> reach; // a library and everything its DEPS reach

    explicit CLayers(const std::string& table)
    {
        std::map<std::string, std::vector<std::string>> deps;
        std::istringstream lines(table);
        std::string line;
        while (std::getline(lines, line)) {
            std::istringstream words(line);
            std::string kind, name, word;
            words >> kind >> name;
            if (kind == "folder" && words >> word)
                libraryOfFolder[name] = word;
            else if (kind == "library")
                while (words >> word)
                    deps[name].push_back(word);
            if (kind == "library")
                deps[name];
        }
        for (const auto& [name, unused] : deps) {
            std::set<std::string>& seen = reach[name];
            std::vector<std::string> todo { name };
            while (!todo.empty()) {
                const std::string next = todo.back();
                todo.pop_back();
                if (!seen.insert(next).second)
                    continue;
                for (const std::string& dep : deps[next])
                    todo.push_back(dep);
            }
        }
    }

    // The library of the longest folder prefix holding path (relative to src), or of the file itself
    // when a library takes single files; empty when none.
    std::string LibraryOf(const std::string& path) const
    {
        std::string best;
        size_t bestLength = 0;
        for (const auto& [folder, library] : libraryOfFolder)
            if (path.compare(0, folder.size(), folder) == 0 && path.size() > folder.size()
                && (path[folder.size()] == '/' || path[folder.size()] == '.')
                && folder.size() >= bestLength) {
                best = library;
                bestLength = folder.size();
            }
        return best;
    }
};

struct CScan {
    int files = 0;
    int includes = 0;
    std::vector<std::string> faults;
};

// The path of a line's #include "..."; empty for any other line.
std::string QuotedInclude(const std::string& line)
{
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '#')
        return "";
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line.compare(at, 7, "include") != 0)
        return "";
    at = line.find_first_not_of(" \t", at + 7);
    if (at == std::string::npos || line[at] != '"')
        return "";
    const size_t end = line.find('"', at + 1);
    return end == std::string::npos ? "" : line.substr(at + 1, end - at - 1);
}

CScan CheckTree(const std::string& table, const fs::path& src)
{
    const CLayers layers(table);
    // Every source file ends with this header, a set of compile-time bans that links nothing.
    const std::string everywhere = "foundation/safeguards.h";
    CScan scan;
    std::vector<fs::path> paths;
    for (const auto& entry : fs::recursive_directory_iterator(src))
        if (entry.is_regular_file()
            && (entry.path().extension() == ".h" || entry.path().extension() == ".cpp"))
            paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    for (const fs::path& path : paths) {
        const std::string name = fs::relative(path, src).generic_string();
        const std::string own = layers.LibraryOf(name);
        ++scan.files;
        if (own.empty()) {
            scan.faults.push_back(
                "src/" + name + " lies in no library: declare one in its folder's CMakeLists.txt");
            continue;
        }
        std::ifstream in(path);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            const std::string header = QuotedInclude(line);
            if (header.find('/') == std::string::npos)
                continue;
            ++scan.includes;
            if (header == everywhere)
                continue;
            const std::string target = layers.LibraryOf(header);
            const auto reach = layers.reach.find(own);
            if (target.empty())
                scan.faults.push_back("src/" + name + ":" + std::to_string(number) + " includes " + header
                    + ", which lies in no library");
            else if (reach == layers.reach.end() || reach->second.count(target) == 0)
                scan.faults.push_back("src/" + name + ":" + std::to_string(number) + " includes " + header
                    + ", but vm_" + own + " does not depend on vm_" + target
                    + ": include no higher than its layer, or add vm_" + target + " to its DEPS");
        }
    }
    return scan;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(IncludeLayers, EverySourceIncludesOnlyWhatItsLibraryLinks)
{
    const std::string table = ReadFile(VELLMARK_LAYERS);
    ASSERT_NE(table.find("library foundation"), std::string::npos) << VELLMARK_LAYERS;
    const CScan scan = CheckTree(table, VELLMARK_SRC);
    // The scan must have read the tree, not an empty or misplaced folder.
    EXPECT_GT(scan.files, 100);
    EXPECT_GT(scan.includes, 500);
    std::string report;
    for (const std::string& fault : scan.faults)
        report += fault + "\n";
    EXPECT_TRUE(scan.faults.empty()) << report;
}

TEST(IncludeLayers, NamesUpwardIncludesAndFilesOutsideEveryLibrary)
{
    const fs::path root = fs::path(testing::TempDir()) / "include_layers_tree";
    fs::remove_all(root);
    const std::map<std::string, std::string> files {
        { "core/win/lock.h", "#pragma once\n#include \"foundation/safeguards.h\"\n" },
        { "core/host.h", "#pragma once\n" },
        { "foundation/list.h", "#include \"core/win/lock.h\"\n" },
        { "events/queue.cpp",
            "#include \"foundation/list.h\"\n#include \"core/win/lock.h\"\n"
            "  #  include \"datalang/token.h\"\n#include <vector>\n" },
        { "datalang/token.h", "#include \"foundation/list.h\"\n#include \"core/host.h\"\n" },
        { "stray/loose.cpp", "\n" },
        { "events/glue.cpp", "#include \"datalang/token.h\"\n" },
    };
    for (const auto& [name, text] : files) {
        fs::create_directories((root / name).parent_path());
        std::ofstream(root / name) << text;
    }
    const std::string table
        = "folder core/win core_base\nlibrary core_base\nfolder core core\nlibrary core core_base\n"
          "folder foundation foundation\nlibrary foundation core_base\n"
          "folder datalang datalang\nlibrary datalang foundation\n"
          "folder events events\nlibrary events foundation\n"
          "folder events/glue glue\nlibrary glue events datalang\n";
    const CScan scan = CheckTree(table, root);
    EXPECT_EQ(scan.files, 7);
    EXPECT_EQ(scan.includes, 8);
    const std::vector<std::string> expected {
        "src/datalang/token.h:2 includes core/host.h, but vm_datalang does not depend on vm_core: include no "
        "higher than its layer, or add vm_core to its DEPS",
        "src/events/queue.cpp:3 includes datalang/token.h, but vm_events does not depend on vm_datalang: "
        "include "
        "no higher than its layer, or add vm_datalang to its DEPS",
        "src/stray/loose.cpp lies in no library: declare one in its folder's CMakeLists.txt",
    };
    EXPECT_EQ(scan.faults, expected);
    fs::remove_all(root);
}

} // namespace
