// Composition speed, for spotting regressions: no target.
#include "compose/dropped_path.h"
#include "compose/option_fragments.h"

#include <benchmark/benchmark.h>

namespace {

void BM_RefreshAllAndBuild(benchmark::State& state) {
    compose::OptionFragments fragments;
    fragments.modelpath = uR"(D:\models\robot\robot.model)";
    const compose::ControlValues values{{1, 1, 1, 0, 0, 1}, u"400", u"600"};
    for (auto _ : state) {
        compose::RefreshAll(fragments, values);
        benchmark::DoNotOptimize(compose::BuildCommandLine(fragments));
    }
}
BENCHMARK(BM_RefreshAllAndBuild);

void BM_SplitDroppedPath(benchmark::State& state) {
    const std::u16string path = u"/home/user/models/robot/robot.v2.model";
    for (auto _ : state) {
        benchmark::DoNotOptimize(compose::SplitDroppedPath(path, u'/'));
    }
}
BENCHMARK(BM_SplitDroppedPath);

}  // namespace

BENCHMARK_MAIN();
