#pragma once

#include "platform/Allocator.h"
#include "platform/EventDispatcher.h"

#include <QApplication>

#include <benchmark/benchmark.h>

// The main() of the benchmarks that need widgets: the program's allocator setting and
// main loop, headless Qt, then every benchmark.
// A reporter given prints the results instead of the console's own.
inline int runWidgetBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter* reporter = nullptr)
{
    TuneAllocator();  // as the program's main() does, and its dispatcher below
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PlainEventDispatcher dispatcher;
    QApplication app(argc, argv);
    dispatcher.chosen();
    benchmark::Initialize(&argc, argv);
    if (reporter)
        benchmark::RunSpecifiedBenchmarks(reporter);
    else
        benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
