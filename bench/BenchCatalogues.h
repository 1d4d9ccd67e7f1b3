#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The synthetic catalogues the benchmarks read, generated once into a cache folder and reused by
// later runs (a stamp records what a folder holds).
class BenchCatalogues {
public:
    struct Size {
        std::size_t shortcuts;
        std::size_t files;
    };

    // The sizes measured: 1,000 shortcuts in 10 files up to 1,000,000 in 5,000.
    static const std::vector<Size> &sizes();
    static Size sizeFor(std::size_t shortcuts);

    // `root` is the cache folder; CORVANE_BENCH_DATA overrides it when `root` is empty.
    explicit BenchCatalogues(std::string root = {}, std::uint64_t seed = 8);

    // The ShortcutData folder of a catalogue of this size, generated when missing.
    std::string folder(std::size_t shortcuts) const;

private:
    std::string root;
    std::uint64_t seed;
};
