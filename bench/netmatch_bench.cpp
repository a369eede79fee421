// bench/netmatch_bench.cpp - one networked match in lock-step (FAST, two
// processes of velmora-netmatch through the relay on 127.0.0.1) at 0, 50 and
// 200 ms of delay: the wall time of the match, the client's bytes per game
// minute (minute packets and fetches apart) and its fetches per game minute.
#include <benchmark/benchmark.h>

#include <string>

#include "tests/match/netmatch_relay.h"

namespace {

using namespace velmora::test;

// The last number the pattern captures in the text, -1 none.
double Letzte(const std::string& text, const char* muster) {
    const std::vector<int32_t> v = Zahlen(text, std::regex(muster));
    return v.empty() ? -1.0 : double(v.back());
}

void BM_NetzSpiel(benchmark::State& state) {
    const int32_t verzoegerung = int32_t(state.range(0));
    const Einstellung e{"bench", verzoegerung, verzoegerung * 2 / 5, 0, 0, false};
    double minuten = 0, bytes = 0, abruf_bytes = 0, abrufe = 0, pakete = 0, vorsprung = 0;
    for (auto _ : state) {
        const Netmatch_Ergebnis r = Netmatch_Spielen(VELMORA_NETMATCH_BIN, e, "5", 300);
        const bool ok = r.fertig && WIFEXITED(r.client_status) && WEXITSTATUS(r.client_status) == 0 &&
                        WIFEXITED(r.server_status) && WEXITSTATUS(r.server_status) == 0;
        if (!ok) {
            state.SkipWithError(("the match did not finish:\n" + r.client).c_str());
            return;
        }
        state.SetIterationTime(r.sekunden);
        minuten += Letzte(r.client, R"(minute +(\d+))");
        bytes += Letzte(r.client, R"(bytes sent (\d+))") + Letzte(r.client, R"(received (\d+))");
        abruf_bytes += Letzte(r.client, R"(fetching (\d+))");
        abrufe += Letzte(r.client, R"(fetches (\d+))");
        pakete += Letzte(r.client, R"(packets sent (\d+))");
        vorsprung = std::max(vorsprung, Letzte(r.server, R"(largest lead (\d+))"));
    }
    if (minuten <= 0) return;
    // Per client and game minute: everything, the fetches, the rest (minute
    // packets, their answers and the few other requests).
    state.counters["bytes_pro_minute"] = bytes / minuten;
    state.counters["abruf_bytes_pro_minute"] = abruf_bytes / minuten;
    state.counters["paket_bytes_pro_minute"] = (bytes - abruf_bytes) / minuten;
    state.counters["abrufe_pro_minute"] = abrufe / minuten;
    state.counters["pakete_pro_minute"] = pakete / minuten;
    state.counters["minuten"] = minuten / double(state.iterations());
    state.counters["groesster_vorsprung"] = vorsprung;
}
BENCHMARK(BM_NetzSpiel)->Arg(0)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
