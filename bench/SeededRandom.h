#pragma once

#include <cstdint>
#include <vector>

// A small deterministic generator (splitmix64). The same seed gives the same catalogue on every
// machine and standard library, which std's distributions do not promise.
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A number in [0, bound).
    std::size_t below(std::size_t bound) { return bound == 0 ? 0 : std::size_t(next() % bound); }
    // A number in [low, high].
    std::size_t between(std::size_t low, std::size_t high) { return low + below(high - low + 1); }
    // True with the given chance in percent.
    bool percent(unsigned chance) { return below(100) < chance; }

    template <typename T>
    const T &pick(const std::vector<T> &items) { return items[below(items.size())]; }

    // An index in [0, size) drawn with weight 1 / (index + 1): a few items are common, most are rare,
    // as with words in real titles.
    std::size_t zipf(std::size_t size)
    {
        double total = 0;
        for (std::size_t i = 0; i < size; ++i)
            total += 1.0 / double(i + 1);
        double point = double(next() >> 11) / double(1ull << 53) * total;
        for (std::size_t i = 0; i < size; ++i) {
            point -= 1.0 / double(i + 1);
            if (point < 0)
                return i;
        }
        return size - 1;
    }

private:
    std::uint64_t state;
};
