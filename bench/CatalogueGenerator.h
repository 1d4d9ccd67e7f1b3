#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Writes synthetic catalogues that look like real data files: applications with names, slugs,
// identifiers and icons, keymaps for several platforms, titled sections, shortcut titles made of
// common and rare words, key texts with modifiers, chords and named keys, and some comments.
// Everything follows from the seed.
class CatalogueGenerator {
public:
    explicit CatalogueGenerator(std::uint64_t seed) : seed(seed) {}

    // How many listed shortcuts each of `files` applications gets, `shortcuts` in total (at least one
    // each): uneven, as real applications are.
    std::vector<std::size_t> split(std::size_t shortcuts, std::size_t files) const;

    // The data file of application number `index` with `shortcuts` listed shortcuts. Some files also
    // hold a keymap for another platform, which the catalogue reads but does not list.
    std::string appJson(std::size_t index, std::size_t shortcuts) const;

    // Fills `folder` (created when missing) with `files` data files, `shortcuts` listed shortcuts
    // in total. Returns the number of bytes written.
    std::uintmax_t write(const std::filesystem::path &folder, std::size_t shortcuts, std::size_t files) const;

private:
    std::uint64_t seed;
};
