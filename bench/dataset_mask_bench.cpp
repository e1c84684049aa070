// One check of a typed text against the mask that the application's text
// fields carry, as the before-post check and the in-cell editor run it.
#include "dataset/picture_mask.h"
#include <benchmark/benchmark.h>

namespace {

const QString kAppMask = QStringLiteral("*[&*[{#, ,.,;,,;;,:,;[,;],(,),}]]");

void BM_AppMaskCheck(benchmark::State& state)
{
    const TwwPictureValidator validator(kAppMask, true);
    const QString typed = QStringLiteral("First National Bank (Main St. 12), acct. 4711: savings");
    for (auto _ : state) {
        QString text = typed;
        benchmark::DoNotOptimize(validator.Picture(text, false));
        benchmark::DoNotOptimize(text);
    }
    state.counters["limit_us"] = 1000;
}
BENCHMARK(BM_AppMaskCheck)->Unit(benchmark::kMicrosecond);

} // namespace
