#include "BenchCatalogues.h"

#include "CatalogueGenerator.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

// Bumped whenever the generator's output changes, so cached folders are regenerated.
static constexpr int generatorVersion = 1;

const std::vector<BenchCatalogues::Size> &BenchCatalogues::sizes()
{
    static const std::vector<Size> all = {{1000, 10}, {10000, 100}, {100000, 1000}, {1000000, 5000}};
    return all;
}

BenchCatalogues::Size BenchCatalogues::sizeFor(std::size_t shortcuts)
{
    for (const Size &size : sizes()) {
        if (size.shortcuts == shortcuts)
            return size;
    }
    // Other sizes: about a hundred shortcuts per file, within 10 to 5,000 files.
    return {shortcuts, std::max<std::size_t>(std::min<std::size_t>(shortcuts, 10), std::min<std::size_t>(5000, shortcuts / 100))};
}

BenchCatalogues::BenchCatalogues(std::string root, std::uint64_t seed) : root(std::move(root)), seed(seed)
{
    if (this->root.empty()) {
        const char *env = std::getenv("CORVANE_BENCH_DATA");
        this->root = env && *env ? env : (fs::temp_directory_path() / "corvane-bench-data").string();
    }
}

std::string BenchCatalogues::folder(std::size_t shortcuts) const
{
    const Size size = sizeFor(shortcuts);
    std::ostringstream name;
    name << "n" << size.shortcuts << "-f" << size.files << "-s" << seed;
    const fs::path base = fs::path(root) / name.str();
    const fs::path data = base / "ShortcutData";
    const fs::path stamp = base / "complete";
    const std::string expected = "generator " + std::to_string(generatorVersion);

    std::string found;
    if (std::ifstream in(stamp); in)
        std::getline(in, found);
    if (found != expected) {
        std::cerr << "generating " << size.shortcuts << " shortcuts in " << size.files << " files under " << data << "\n";
        fs::remove_all(base);
        CatalogueGenerator(seed).write(data, size.shortcuts, size.files);
        std::ofstream out(stamp);
        out << expected << "\n";
        if (!out)
            throw std::runtime_error("cannot write " + stamp.string());
    }
    return data.string();
}
