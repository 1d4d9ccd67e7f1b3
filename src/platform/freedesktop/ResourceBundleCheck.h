#pragma once

#include <QString>

#include <cstddef>

// Checks a compiled resource bundle (GVDB: a header, a hash table of entries, each entry's name and
// value) before GIO reads it. GIO trusts a bundle's entries and takes each stored value for what the
// format says it is; a single changed byte then hands it a value of another type, and it crashes.
// Here every pointer must lie inside the bundle and every file entry must be a value in normal form
// of the type GIO expects, so that nothing GIO later reads can surprise it.
class ResourceBundleCheck {
public:
    struct Result {
        QString error;       // empty when the bundle may be given to GIO
        std::size_t length = 0;  // where the bundle's last structure ends
    };

    // `data` must be aligned to 8 bytes (a bundle's values are GVariants); `size` may run past the
    // bundle's end (a section holding several bundles one after the other).
    static Result check(const char *data, std::size_t size);

    // Where the next bundle after one of `length` bytes starts in `size` bytes at `data`, or `size`
    // when no other follows (bundles are stored at 8-byte boundaries).
    static std::size_t nextBundle(const char *data, std::size_t size, std::size_t length);
};
