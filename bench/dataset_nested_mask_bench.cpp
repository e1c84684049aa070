// Masks whose repetitions and alternatives nest deeply: a check must stay
// quick whatever the mask, since each part is tried once per place in the text.
#include "dataset/picture_mask.h"
#include <benchmark/benchmark.h>

namespace {

void BM_NestedMask(benchmark::State& state, const char* mask)
{
    const TwwPictureValidator validator(QString::fromLatin1(mask), false);
    const QString typed = QString(80, QLatin1Char('x')) + QLatin1Char('y');
    for (auto _ : state) {
        QString text = typed;
        benchmark::DoNotOptimize(validator.Picture(text, false));
    }
    state.counters["limit_us"] = 5000;
}
BENCHMARK_CAPTURE(BM_NestedMask, Repetitions, "*255*255*255*255*255*255[x]")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NestedMask, Alternatives, "*255{*255{*255{*255x z,x},y},x}")->Unit(benchmark::kMicrosecond);

} // namespace
