// How fast a Show reduces a map to its key fields, and that it allocates
// nothing while doing so.
//
// Counters: ns_per_map is the mean time of one reduction, allocs_per_map the
// number of heap allocations made by it (operator new is counted below).
#include "show.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string_view>
#include <vector>

namespace {

std::atomic<long> allocations{0};

} // namespace

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using tessary::cell_values;

cell_values map_of(std::string_view text) {
    cell_values cells{};
    std::size_t n = 0;
    for (const char ch : text)
        if (ch != '/') cells[n++] = ch;
    return cells;
}

cell_values map_of_bits(unsigned bits) {
    cell_values cells;
    for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = (bits >> i) & 1u ? '1' : '0';
    return cells;
}

// A fixed sample of maps with don't-cares, the same at every run.
std::vector<cell_values> dont_care_sample() {
    std::vector<cell_values> maps(65536);
    std::uint32_t state = 12345;
    for (cell_values& cells : maps) {
        for (char& cell : cells) {
            state = state * 1664525u + 1013904223u;
            cell = "01X"[(state >> 16) % 3];
        }
    }
    return maps;
}

// Reduces every map once per iteration and reports per-map figures.
void reduce_all(benchmark::State& state, const std::vector<cell_values>& maps) {
    long allocs = 0;
    for (auto _ : state) {
        const long before = allocations.load();
        for (const cell_values& cells : maps) benchmark::DoNotOptimize(tessary::show_map(cells));
        allocs += allocations.load() - before;
    }
    const double reduced =
        static_cast<double>(state.iterations()) * static_cast<double>(maps.size());
    state.SetItemsProcessed(static_cast<std::int64_t>(reduced));
    state.counters["ns_per_map"] = benchmark::Counter(
        reduced * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["allocs_per_map"] = static_cast<double>(allocs) / reduced;
}

void every_map_of_zeros_and_ones(benchmark::State& state) {
    std::vector<cell_values> maps;
    for (unsigned bits = 0; bits < 0x10000; ++bits) maps.push_back(map_of_bits(bits));
    reduce_all(state, maps);
}
BENCHMARK(every_map_of_zeros_and_ones);

void sample_with_dont_cares(benchmark::State& state) {
    reduce_all(state, dont_care_sample());
}
BENCHMARK(sample_with_dont_cares);

void named_map(benchmark::State& state, const char* map) {
    reduce_all(state, {map_of(map)});
}
BENCHMARK_CAPTURE(named_map, checkerboard, "1010/0101/1010/0101");
BENCHMARK_CAPTURE(named_map, octets, "0111/1111/1111/1111");
BENCHMARK_CAPTURE(named_map, pairs, "1100/0000/0011/0000");
BENCHMARK_CAPTURE(named_map, mutual_cover, "0000/0101/0111/1111");

// Every map of 0, 1 and X, reduced once: the work of the exhaustive sweep
// without its checks.
void every_map_with_dont_cares(benchmark::State& state) {
    long maps = 0;
    for (auto _ : state) {
        cell_values cells;
        cells.fill('0');
        bool more = true;
        while (more) {
            benchmark::DoNotOptimize(tessary::show_map(cells));
            ++maps;
            more = false;
            for (char& cell : cells) {
                cell = cell == '0' ? '1' : cell == '1' ? 'X' : '0';
                if (cell != '0') {
                    more = true;
                    break;
                }
            }
        }
    }
    state.SetItemsProcessed(maps);
    state.counters["ns_per_map"] =
        benchmark::Counter(static_cast<double>(maps) * 1e-9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(every_map_with_dont_cares)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
