// Time of the movement check on maps of 1,000, 100,000 and 1,000,000 entries.
// Run: build/bench/movement_map_bench
#include <benchmark/benchmark.h>

#include "analysis/movement_map.h"

namespace {

// A barometer Mitchell with EW pairs renumbered: NS pair t stays at table t,
// EW pairs move up a table each round and every table plays the round's set
// of boards, so every pair plays every board once. Gives tables * tables *
// boardsPerRound entries.
RBTmap_t Mitchell(int tables, int boardsPerRound) {
    RBTmap_t map;
    for (int round = 1; round <= tables; ++round) {
        for (int table = 1; table <= tables; ++table) {
            int ewPair = tables + 1 + (table - 1 + round - 1) % tables;
            for (int i = 0; i < boardsPerRound; ++i) {
                int slot = (round - 1) * boardsPerRound + 1 + i;
                map[t_RBTkey(round, slot, table)] = t_PairTupple(table, ewPair, slot);
            }
        }
    }
    return map;
}

void BM_SanityCheckRBTmap(benchmark::State& state) {
    const int tables = static_cast<int>(state.range(0));
    const int boardsPerRound = static_cast<int>(state.range(1));
    RBTmap_t map = Mitchell(tables, boardsPerRound);
    bool transformable = false;
    std::string message;
    for (auto _ : state) {
        bool possible = SanityCheckRBTmap(map, transformable, message);
        benchmark::DoNotOptimize(possible);
        if (!possible || !transformable) state.SkipWithError("the movement should pass");
    }
    state.counters["entries"] = static_cast<double>(map.size());
}

// 10 x 10 x 10 = 1,000; 100 x 100 x 10 = 100,000; 100 x 100 x 100 = 1,000,000.
BENCHMARK(BM_SanityCheckRBTmap)
    ->Args({10, 10})
    ->Args({100, 10})
    ->Args({100, 100})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
