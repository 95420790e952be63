// How the time to read a settings file grows with the values in one section: each
// pass reads every value of a file it has not read before (two files, used in turn),
// so the parse is part of each pass. The time per value should stay flat from 1,000
// to 20,000 values (the complexity line should say O(N)).
//
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRADEWRIGHT_BENCH=ON
//   cmake --build build-bench --target bench_registry_store && build-bench/bench_registry_store
#include "platform/RegistryStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

namespace {

QString writeSettings(const QString& path, int values)
{
    QByteArray file = "[Software\\Orvane\\Tradewright5\\Big]\n";
    for (int i = 0; i < values; ++i)
        file += "Value" + QByteArray::number(i) + "=sz:" + QByteArray::number(i) + '\n';
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size())
        return QString();
    return path;
}

void BM_ReadEveryValueOfOneSection(benchmark::State& state)
{
    const int values = int(state.range(0));
    QTemporaryDir dir;
    const QString files[2] = {writeSettings(dir.filePath(QStringLiteral("a.ini")), values),
                              writeSettings(dir.filePath(QStringLiteral("b.ini")), values)};
    if (files[0].isEmpty() || files[1].isEmpty()) {
        state.SkipWithError("could not write the settings files");
        return;
    }
    // A file changed within the last few milliseconds has its bytes compared on each
    // read as well (its times may not show a change yet): let that pass.
    QThread::msleep(200);
    const QString key = QStringLiteral("Software\\Orvane\\Tradewright5\\Big");
    QStringList names;
    for (int i = 0; i < values; ++i)
        names << QStringLiteral("Value") + QString::number(i);
    const QString saved = RegistryStore::filePath();
    int pass = 0;
    for (auto _ : state) {
        RegistryStore::setFilePath(files[pass++ % 2]);
        for (const QString& name : names)
            benchmark::DoNotOptimize(RegistryStore::queryValue(key, name));
    }
    RegistryStore::setFilePath(saved);
    state.SetComplexityN(values);
    state.SetItemsProcessed(state.iterations() * values);
}

} // namespace

BENCHMARK(BM_ReadEveryValueOfOneSection)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

BENCHMARK_MAIN();
