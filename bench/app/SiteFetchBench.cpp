#include "EventLoopGap.h"
#include "QtHttpReader.h"
#include "SiteFetch.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTimer>
#include <QUrl>
#include <benchmark/benchmark.h>

namespace {

// The daily-picks fetch against a server that takes the connection and never answers: the
// longest time the event loop went without turning (between two 10 ms timer ticks) while the
// fetch waited, and when it gave up. The listening socket is never accepted from: the system
// completes the connection and nobody reads or writes on it.
void PicksServerNeverAnswers(benchmark::State& state) {
    QTcpServer silent;
    silent.listen(QHostAddress::LocalHost);
    const QUrl address(QStringLiteral("http://127.0.0.1:%1/mrjx/ew.txt").arg(silent.serverPort()));
    tk::QtHttpReader reader;
    qint64 longestGap = 0, gaveUpAfter = 0;
    for (auto _ : state) {
        const EventLoopGap gap;
        QElapsedTimer clock;
        clock.start();
        QEventLoop loop;
        bool ok = true;
        reader.get(address, app::SiteRequestTimeoutMs, &loop, [&](const QByteArray&, bool answer) {
            ok = answer;
            loop.quit();
        });
        loop.exec();
        gaveUpAfter = clock.elapsed();
        longestGap = std::max(longestGap, gap.longestMs());
        state.SetIterationTime(static_cast<double>(gaveUpAfter) / 1000.0);
        if (ok)
            state.SkipWithError("the silent server answered");
    }
    state.counters["longest_gap_ms"] = static_cast<double>(longestGap);
    state.counters["gave_up_after_ms"] = static_cast<double>(gaveUpAfter);
}
BENCHMARK(PicksServerNeverAnswers)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// The baseline: the longest gap of the same timer over the same 5 s with nothing to wait for,
// which is what the machine's own load costs.
void IdleEventLoop(benchmark::State& state) {
    qint64 longestGap = 0;
    for (auto _ : state) {
        const EventLoopGap gap;
        QEventLoop loop;
        QTimer::singleShot(app::SiteRequestTimeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        longestGap = std::max(longestGap, gap.longestMs());
        state.SetIterationTime(app::SiteRequestTimeoutMs / 1000.0);
    }
    state.counters["longest_gap_ms"] = static_cast<double>(longestGap);
}
BENCHMARK(IdleEventLoop)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
