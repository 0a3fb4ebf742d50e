// Speed of the hot methods, measured against a baseline taken in the same run: copying an
// eight-character time text, the least any call that takes and returns a text does.
#include "platform/posix/posix_platform.h"
#include "platform/posix/system_clock.h"
#include "shell/orbek_object.h"
#include "text_encoding.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <vector>

namespace {

using namespace orbek;

struct NoMessages final : UserMessageBox {
    void show_information(TextView, TextView) override {}
};

struct Host {
    SystemClock clock;
    NoMessages messages;
    PosixPlatform platform{{clock, messages, std::filesystem::temp_directory_path()}};
    ModuleState state;
    OrbekObject object{state, platform.platform()};

    // A call as every host makes it: through the call engine, arguments placed.
    Variant call(const MethodDecl& method, std::span<const Variant> placed) {
        DiscardingSink sink;
        return OrbekMethods::call(object, method, placed, sink).value;
    }
};

const MethodDecl& method(std::u16string_view name) {
    return *find_method(OrbekDllInterface, name);
}

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
    const MethodDecl& m = method(u"Hrs2Seg");
    const Text time = u"01:30:15";
    const Variant placed[] = {Variant::borrowed_text(time)};
    for (auto _ : state) {
        benchmark::DoNotOptimize(host.call(m, placed));
    }
}
BENCHMARK(BM_Hrs2Seg);

void BM_Seg2Hrs(benchmark::State& state) {
    Host host;
    const MethodDecl& m = method(u"Seg2Hrs");
    const Variant placed[] = {Variant(std::int32_t{5415})};
    for (auto _ : state) {
        benchmark::DoNotOptimize(host.call(m, placed));
    }
}
BENCHMARK(BM_Seg2Hrs);

void BM_SumaHoras_SixTimes(benchmark::State& state) {
    Host host;
    const MethodDecl& m = method(u"SumaHoras");
    const Text texts[] = {u"01:30:00", u"00:45:30", u"02:00:15",
                          u"00:00:45", u"10:10:10", u"03:03:03"};
    std::vector<Variant> placed;
    for (const Text& text : texts) {
        placed.push_back(Variant::borrowed_text(text));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(host.call(m, placed));
    }
}
BENCHMARK(BM_SumaHoras_SixTimes);

void BM_Acceso(benchmark::State& state) {
    Host host;
    const MethodDecl& m = method(u"Acceso");
    const Text rights = encode_text(u"65535");
    const Variant placed[] = {Variant::borrowed_text(rights), Variant(std::int16_t{7})};
    for (auto _ : state) {
        benchmark::DoNotOptimize(host.call(m, placed));
    }
}
BENCHMARK(BM_Acceso);

// The engine's own cost: the cheapest method called directly and through the engine.
void BM_MasDeUnDia_Direct(benchmark::State& state) {
    Host host;
    std::int32_t seconds = 86400;
    for (auto _ : state) {
        benchmark::DoNotOptimize(host.object.MasDeUnDia(seconds));
    }
}
BENCHMARK(BM_MasDeUnDia_Direct);

void BM_MasDeUnDia_ThroughTheEngine(benchmark::State& state) {
    Host host;
    const MethodDecl& m = method(u"MasDeUnDia");
    const Variant placed[] = {Variant(std::int32_t{86400})};
    for (auto _ : state) {
        benchmark::DoNotOptimize(host.call(m, placed));
    }
}
BENCHMARK(BM_MasDeUnDia_ThroughTheEngine);

} // namespace

BENCHMARK_MAIN();
