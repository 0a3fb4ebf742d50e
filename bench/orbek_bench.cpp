// Speed of the hot methods, measured against a baseline taken in the same run: copying an
// eight-character time text, the least any call that takes and returns a text does.
#include "platform/posix/recording_window_layer.h"
#include "platform/posix/system_clock.h"
#include "shell/dispatcher.h"
#include "shell/orbek_object.h"
#include "sys_tools_impl.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

using namespace orbek;

struct Host {
    SystemClock clock;
    RecordingWindowLayer windows;
    ModuleState state;
    Environment environment{&clock, [this] { return std::make_shared<SysToolsImpl>(windows); }};
    OrbekObject object{state, environment};
};

void BM_Baseline_TextCopy(benchmark::State& state) {
    const Text time = u"01:30:15";
    for (auto _ : state) {
        Text copy = time;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_Baseline_TextCopy);

void BM_Hrs2Seg(benchmark::State& state) {
    Host host;
    Variant time(Text(u"01:30:15"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(host.object.Hrs2Seg(time));
    }
}
BENCHMARK(BM_Hrs2Seg);

void BM_SumaHoras_SixTimes(benchmark::State& state) {
    Host host;
    std::vector<Variant> times{Text(u"01:30:00"), Text(u"00:45:30"), Text(u"02:00:15"),
                               Text(u"00:00:45"), Text(u"10:10:10"), Text(u"03:03:03")};
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            host.object.SumaHoras(times[0], times[1], times[2], times[3], times[4], times[5]));
    }
}
BENCHMARK(BM_SumaHoras_SixTimes);

void BM_Acceso(benchmark::State& state) {
    Host host;
    Text rights = SysToolsImpl(host.windows).EncodeText(u"65535");
    std::int16_t module = 7;
    for (auto _ : state) {
        benchmark::DoNotOptimize(host.object.Acceso(rights, module));
    }
}
BENCHMARK(BM_Acceso);

// The dispatcher's own cost: a by-name call of the cheapest method against the direct call.
void BM_MasDeUnDia_Direct(benchmark::State& state) {
    Host host;
    std::int32_t seconds = 86400;
    for (auto _ : state) {
        benchmark::DoNotOptimize(host.object.MasDeUnDia(seconds));
    }
}
BENCHMARK(BM_MasDeUnDia_Direct);

void BM_MasDeUnDia_ByName(benchmark::State& state) {
    Host host;
    for (auto _ : state) {
        std::vector<Variant> args{Text(u"86400")};
        benchmark::DoNotOptimize(call_by_name(host.object, u"MasDeUnDia", args));
    }
}
BENCHMARK(BM_MasDeUnDia_ByName);

} // namespace

BENCHMARK_MAIN();
