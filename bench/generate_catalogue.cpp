// corvane-bench-catalogue FOLDER SHORTCUTS FILES [SEED]: writes a synthetic catalogue.
#include "CatalogueGenerator.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    if (argc < 4 || argc > 5) {
        std::cerr << "usage: " << argv[0] << " FOLDER SHORTCUTS FILES [SEED]\n";
        return 2;
    }
    try {
        const std::size_t shortcuts = std::stoul(argv[2]);
        const std::size_t files = std::stoul(argv[3]);
        const std::uint64_t seed = argc == 5 ? std::stoull(argv[4]) : 8;
        const auto bytes = CatalogueGenerator(seed).write(argv[1], shortcuts, files);
        std::cout << shortcuts << " shortcuts in " << files << " files, " << bytes << " bytes\n";
    } catch (const std::exception &error) {
        std::cerr << argv[0] << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}
