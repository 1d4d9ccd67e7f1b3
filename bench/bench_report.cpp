// bench_report LOAD.json MODEL.json MEMORY.jsonl: prints the benchmark table (Markdown) with the
// goals, from Google Benchmark's JSON output (medians) and bench_memory's lines.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wdangling-pointer"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <simdjson.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

struct Median {
    double ms = -1;
    double rows = -1;
};

// Run name ("rebuild/1word_many/1000") to its median.
using Medians = std::map<std::string, Median>;

double toMs(double value, std::string_view unit)
{
    if (unit == "ns") return value / 1e6;
    if (unit == "us") return value / 1e3;
    if (unit == "s") return value * 1e3;
    return value;
}

bool readMedians(const char *path, Medians &out)
{
    // Google Benchmark writes NaN for the spread of a constant counter, which JSON does not allow.
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const std::string bad : {"-NaN", "NaN", "-Infinity", "Infinity"}) {
        for (std::size_t at; (at = text.find(bad)) != std::string::npos;)
            text.replace(at, bad.size(), "null");
    }
    simdjson::dom::parser parser;
    simdjson::dom::element doc;
    if (const auto error = parser.parse(text).get(doc)) {
        std::cerr << "cannot read " << path << ": " << simdjson::error_message(error) << "\n";
        return false;
    }
    simdjson::dom::array runs;
    if (doc["benchmarks"].get(runs))
        return false;
    for (simdjson::dom::element run : runs) {
        std::string_view aggregate;
        if (run["aggregate_name"].get(aggregate) || aggregate != "median")
            continue;
        // Manually timed runs report thread CPU time as their real time; the others, their CPU time.
        std::string_view runName, unit;
        if (run["run_name"].get(runName) || run["time_unit"].get(unit))
            continue;
        const bool manual = runName.find("/manual_time") != std::string_view::npos;
        double time = 0;
        if (run[manual ? "real_time" : "cpu_time"].get(time))
            continue;
        std::string name(runName);
        if (const auto manual = name.find("/manual_time"); manual != std::string::npos)
            name.erase(manual);
        Median median;
        median.ms = toMs(time, unit);
        double rows = 0;
        if (!run["rows"].get(rows))
            median.rows = rows;
        out[name] = median;
    }
    return true;
}

struct Memory {
    double shortcuts = 0, loadMs = 0, loadCpuMs = 0, peakKb = 0, rssKb = 0, rssBeforeKb = 0, heap = 0, strings = 0, perShortcut = 0,
           overhead = 0, records = 0;
};

std::vector<Memory> readMemory(const char *path)
{
    std::vector<Memory> out;
    std::ifstream in(path);
    simdjson::dom::parser parser;
    for (std::string line; std::getline(in, line);) {
        simdjson::dom::element doc;
        if (line.empty() || parser.parse(line).get(doc))
            continue;
        Memory m;
        auto number = [&doc](const char *key) {
            double value = 0;
            if (doc[key].get(value)) {
                std::uint64_t whole = 0;
                if (!doc[key].get(whole))
                    value = double(whole);
            }
            return value;
        };
        m.shortcuts = number("shortcuts");
        m.loadMs = number("load_ms");
        m.loadCpuMs = number("load_cpu_ms");
        m.peakKb = number("peak_rss_kb");
        m.rssKb = number("rss_kb");
        m.rssBeforeKb = number("rss_before_kb");
        m.heap = number("heap_bytes");
        m.strings = number("string_bytes");
        m.perShortcut = number("heap_per_shortcut");
        m.overhead = number("overhead_per_shortcut");
        m.records = number("records_per_shortcut");
        out.push_back(m);
    }
    return out;
}

std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string ms(double value)
{
    if (value < 0) return "–";
    return fixed(value, value < 0.1 ? 3 : value < 10 ? 2 : 1);
}

std::string sizeName(std::size_t n)
{
    if (n >= 1000000) return std::to_string(n / 1000000) + "M";
    if (n >= 1000) return std::to_string(n / 1000) + "k";
    return std::to_string(n);
}

const std::vector<std::size_t> sizes = {1000, 10000, 100000, 1000000};
const std::vector<std::string> queryNames = {"empty", "1letter", "1word_many", "1word_few", "1word_none", "2words_many",
                                             "2words_few", "2words_none", "3words_many", "3words_few", "3words_none"};

const Median *find(const Medians &medians, const std::string &name)
{
    const auto it = medians.find(name);
    return it == medians.end() ? nullptr : &it->second;
}

std::string verdict(bool met) { return met ? "**met**" : "**missed**"; }

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::cerr << "usage: " << argv[0] << " LOAD.json MODEL.json MEMORY.jsonl\n";
        return 2;
    }
    Medians medians;
    if (!readMedians(argv[1], medians) || !readMedians(argv[2], medians))
        return 1;
    const std::vector<Memory> memory = readMemory(argv[3]);

    std::cout << "### Catalogue load (median ms)\n\n| shortcuts | load | decode only (files to records) | parse only | load / parse |\n|---:|---:|---:|---:|---:|\n";
    double worstLoadRatio = 0, load100k = -1;
    for (std::size_t n : sizes) {
        const Median *load = find(medians, "load/" + std::to_string(n));
        const Median *parse = find(medians, "parse_only/" + std::to_string(n));
        const Median *decode = find(medians, "decode_only/" + std::to_string(n));
        if (!load || !parse)
            continue;
        const double ratio = load->ms / parse->ms;
        worstLoadRatio = std::max(worstLoadRatio, ratio);
        if (n == 100000)
            load100k = load->ms;
        std::cout << "| " << sizeName(n) << " | " << ms(load->ms) << " | " << (decode ? ms(decode->ms) : "–") << " | "
                  << ms(parse->ms) << " | " << fixed(ratio, 2) << "× |\n";
    }

    std::cout << "\n### Rebuild for a search (median ms; in brackets: rebuild / plain scan)\n\n| query | rows at 100k |";
    for (std::size_t n : sizes)
        std::cout << " " << sizeName(n) << " |";
    std::cout << "\n|---|---:|";
    for (std::size_t i = 0; i < sizes.size(); ++i)
        std::cout << "---:|";
    std::cout << "\n";
    double worstRatio100k = 0, letterRatio100k = 0, letterRatio1M = 0, worst100k = 0, worst1M = 0;
    for (const std::string &query : queryNames) {
        const Median *at100k = find(medians, "rebuild/" + query + "/100000");
        std::cout << "| " << query << " | " << (at100k ? fixed(at100k->rows, 0) : "–") << " |";
        for (std::size_t n : sizes) {
            const Median *rebuild = find(medians, "rebuild/" + query + "/" + std::to_string(n));
            const Median *scan = find(medians, "plain_scan/" + query + "/" + std::to_string(n));
            if (!rebuild) {
                std::cout << " – |";
                continue;
            }
            std::cout << " " << ms(rebuild->ms);
            if (scan) {
                const double ratio = rebuild->ms / scan->ms;
                std::cout << " (" << fixed(ratio, 2) << "×)";
                if (n == 1000000 && query == "1letter")
                    letterRatio1M = ratio;
                if (n == 100000 && query == "1letter")
                    letterRatio100k = ratio;
                else if (n == 100000)
                    worstRatio100k = std::max(worstRatio100k, ratio);
            }
            std::cout << " |";
            if (n == 100000)
                worst100k = std::max(worst100k, rebuild->ms);
            if (n == 1000000)
                worst1M = std::max(worst1M, rebuild->ms);
        }
        std::cout << "\n";
    }
    std::cout << "\nPlain scan alone (median ms):";
    for (std::size_t n : sizes) {
        const Median *scan = find(medians, "plain_scan/1word_many/" + std::to_string(n));
        if (scan)
            std::cout << " " << sizeName(n) << " " << ms(scan->ms) << ";";
    }
    std::cout << " typing \"fold glossary recent\", per keystroke:";
    for (std::size_t n : sizes) {
        const Median *typing = find(medians, "typing/3words_few/" + std::to_string(n));
        if (typing)
            std::cout << " " << sizeName(n) << " " << ms(typing->ms) << ";";
    }

    std::cout << "\n\n### Selection (median)\n\n| shortcuts | favourite toggle + refreshKeepingSelection | moveSelection | navigable() list after a rebuild |\n|---:|---:|---:|---:|\n";
    for (std::size_t n : sizes) {
        const Median *toggle = find(medians, "favorite_toggle/" + std::to_string(n));
        const Median *move = find(medians, "move_selection/" + std::to_string(n));
        const Median *rows = find(medians, "row_list/" + std::to_string(n));
        if (!toggle && !move)
            continue;
        std::cout << "| " << sizeName(n) << " | " << (toggle ? ms(toggle->ms) + " ms" : "–") << " | "
                  << (move ? fixed(move->ms * 1e6, 0) + " ns" : "–") << " | " << (rows ? ms(rows->ms) + " ms" : "–")
                  << " |\n";
    }

    std::cout << "\n### Memory (one process per size, catalogue loaded)\n\n"
                 "| shortcuts | first load in a new process, wall / CPU (ms) | peak RSS (MB) | RSS growth (MB) | heap (MB) | text (MB) | heap per shortcut (B) | beyond the text (B) | of the heap: decoded records (B) |\n"
                 "|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    double worstOverhead = 0;
    for (const Memory &m : memory) {
        worstOverhead = std::max(worstOverhead, m.overhead);
        std::cout << "| " << sizeName(std::size_t(m.shortcuts)) << " | " << fixed(m.loadMs, 0) << " / " << fixed(m.loadCpuMs, 0) << " | "
                  << fixed(m.peakKb / 1024, 1) << " | " << fixed((m.rssKb - m.rssBeforeKb) / 1024, 1) << " | "
                  << fixed(m.heap / 1048576, 1) << " | " << fixed(m.strings / 1048576, 1) << " | "
                  << fixed(m.perShortcut, 0) << " | " << fixed(m.overhead, 0) << " | " << fixed(m.records, 0) << " |\n";
    }

    std::cout << "\n### Goals\n\n"
              << "- rebuild at 100k, at most 2× the plain scan (queries of 1 to 3 words): worst " << fixed(worstRatio100k, 2)
              << "× — " << verdict(worstRatio100k > 0 && worstRatio100k <= 2) << "\n"
              << "- the single letter at most 1× the plain scan at 100k and 1M: " << fixed(letterRatio100k, 2)
              << "× and " << fixed(letterRatio1M, 2) << "× — "
              << verdict(letterRatio100k > 0 && letterRatio100k <= 1 && letterRatio1M > 0 && letterRatio1M <= 1) << "\n"
              << "- rebuild at 100k under 5 ms for any query: worst " << ms(worst100k) << " ms — "
              << verdict(worst100k > 0 && worst100k < 5) << "\n"
              << "- rebuild at 1M under 50 ms: worst " << ms(worst1M) << " ms — " << verdict(worst1M > 0 && worst1M < 50)
              << "\n"
              << "- load at most 2.5× parse only: worst " << fixed(worstLoadRatio, 2) << "× — "
              << verdict(worstLoadRatio > 0 && worstLoadRatio <= 2.5) << "\n"
              << "- load of 100k under 300 ms: " << ms(load100k) << " ms — " << verdict(load100k > 0 && load100k < 300)
              << "\n"
              << "- under 100 B per shortcut beyond its text: worst " << fixed(worstOverhead, 0) << " B — "
              << verdict(!memory.empty() && worstOverhead < 100) << "\n";
    return 0;
}
