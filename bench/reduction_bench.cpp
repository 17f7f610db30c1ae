// How fast each engine answers a map, and that none allocates while doing
// so: the greedy reduction (the window's Show), the minimum sum of products
// and the minimum product of sums.
//
// Counters: ns_per_map is the mean time of one answer, allocs_per_map the
// number of heap allocations made by it (operator new is counted below).
#include "exact/exact.h"
#include "minimiser/greedy.h"
#include "teach/explain.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>
#include <utility>
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

using tessary::boolean_map;
using tessary::minimum_shared_sop;
using tessary::minterm_bit;
using tessary::minterm_set;

struct greedy {
    static auto answer(const boolean_map& map) {
        return tessary::write_greedy(tessary::reduce_greedy(map));
    }
};
struct minimal_sop {
    static auto answer(const boolean_map& map) { return tessary::minimum_sop(map); }
};
struct minimal_pos {
    static auto answer(const boolean_map& map) { return tessary::minimum_pos(map); }
};
// The steps of --explain, without their text; it allocates its lists.
struct explain_sop {
    static auto answer(const boolean_map& map) {
        return tessary::explain(map, tessary::cover_kind::sum_of_products);
    }
};

boolean_map map_of(std::string_view text) {
    tessary::cell_values cells{};
    std::size_t n = 0;
    for (const char ch : text)
        if (ch != '/') cells[n++] = ch;
    return tessary::map_from_cells(cells);
}

// A fixed sample of maps with don't-cares, the same at every run.
std::vector<boolean_map> dont_care_sample() {
    std::vector<boolean_map> maps(65536);
    std::uint32_t state = 12345;
    for (boolean_map& map : maps) {
        for (int m = 0; m < 16; ++m) {
            state = state * 1664525u + 1013904223u;
            const auto roll = (state >> 16) % 3;
            if (roll == 1) map.ones |= tessary::minterm_bit(m);
            if (roll == 2) map.dont_cares |= tessary::minterm_bit(m);
        }
    }
    return maps;
}

void report_per_map(benchmark::State& state, double maps, long allocs) {
    state.SetItemsProcessed(static_cast<std::int64_t>(maps));
    state.counters["ns_per_map"] =
        benchmark::Counter(maps * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["allocs_per_map"] = static_cast<double>(allocs) / maps;
}

// Answers every map once per iteration.
template <typename Engine>
void answer_all(benchmark::State& state, const std::vector<boolean_map>& maps) {
    long allocs = 0;
    for (auto _ : state) {
        const long before = allocations.load();
        for (const boolean_map& map : maps) benchmark::DoNotOptimize(Engine::answer(map));
        allocs += allocations.load() - before;
    }
    report_per_map(
        state, static_cast<double>(state.iterations()) * static_cast<double>(maps.size()), allocs);
}

template <typename Engine> void every_map_of_zeros_and_ones(benchmark::State& state) {
    std::vector<boolean_map> maps;
    for (unsigned bits = 0; bits < 0x10000; ++bits) maps.push_back({minterm_set(bits), 0});
    answer_all<Engine>(state, maps);
}
template <typename Engine> void sample_with_dont_cares(benchmark::State& state) {
    answer_all<Engine>(state, dont_care_sample());
}
template <typename Engine> void named_map(benchmark::State& state, const char* map) {
    answer_all<Engine>(state, {map_of(map)});
}

// Every map of 0, 1 and X, answered once: each set of don't-cares with each
// set of 1-cells among the other cells.
template <typename Engine> void every_map_with_dont_cares(benchmark::State& state) {
    long maps = 0, allocs = 0;
    for (auto _ : state) {
        const long before = allocations.load();
        for (unsigned dc = 0; dc < 0x10000; ++dc) {
            const unsigned free_cells = ~dc & 0xFFFFu;
            for (unsigned ones = free_cells;; ones = (ones - 1) & free_cells) {
                benchmark::DoNotOptimize(Engine::answer({minterm_set(ones), minterm_set(dc)}));
                ++maps;
                if (ones == 0) break;
            }
        }
        allocs += allocations.load() - before;
    }
    report_per_map(state, static_cast<double>(maps), allocs);
}

template <typename Engine> void register_engine(const std::string& engine) {
    benchmark::RegisterBenchmark((engine + "/every_map_of_zeros_and_ones").c_str(),
                                 every_map_of_zeros_and_ones<Engine>);
    benchmark::RegisterBenchmark((engine + "/sample_with_dont_cares").c_str(),
                                 sample_with_dont_cares<Engine>);
    const std::pair<const char*, const char*> named[] = {{"checkerboard", "1010/0101/1010/0101"},
                                                         {"cyclic", "0111/1111/1101/1111"}};
    for (const auto& [name, map] : named)
        benchmark::RegisterBenchmark((engine + "/named_map/" + name).c_str(), named_map<Engine>,
                                     map);
    benchmark::RegisterBenchmark((engine + "/every_map_with_dont_cares").c_str(),
                                 every_map_with_dont_cares<Engine>)
        ->Iterations(1)
        ->Unit(benchmark::kSecond);
}

// A BCD to 7-segment decoder, its seven outputs minimised together: the
// inputs 10 to 15 never come, so they are don't-cares on every output.
void shared_seven_segment(benchmark::State& state) {
    const std::vector<std::vector<int>> segments = {{0, 2, 3, 5, 6, 7, 8, 9},
                                                    {0, 1, 2, 3, 4, 7, 8, 9},
                                                    {0, 1, 3, 4, 5, 6, 7, 8, 9},
                                                    {0, 2, 3, 5, 6, 8, 9},
                                                    {0, 2, 6, 8},
                                                    {0, 4, 5, 6, 8, 9},
                                                    {2, 3, 4, 5, 6, 8, 9}};
    std::vector<boolean_map> maps;
    for (const std::vector<int>& on : segments) {
        boolean_map m{0, 0xFC00};
        for (const int cell : on) m.ones |= minterm_bit(cell);
        maps.push_back(m);
    }
    for (auto _ : state) benchmark::DoNotOptimize(minimum_shared_sop(maps));
}

} // namespace

int main(int argc, char** argv) {
    register_engine<greedy>("greedy");
    register_engine<minimal_sop>("minimal_sop");
    register_engine<minimal_pos>("minimal_pos");
    register_engine<explain_sop>("explain_sop");
    benchmark::RegisterBenchmark("shared/seven_segment", shared_seven_segment);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
