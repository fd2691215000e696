#pragma once
// The main of a benchmark program with widgets: the offscreen platform unless another is
// chosen, one application object for every benchmark, the runs through the program's
// reporter, then the program's own summary while the application still lives.
#include <benchmark/benchmark.h>

#include <QApplication>
#include "platform/runtime_dir.h"

template <class Summary>
int RunQtBenchmarks(int argc, char **argv, benchmark::BenchmarkReporter &reporter, Summary summary)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qor::platform::EnsurePrivateRuntimeDir();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    summary();
    benchmark::Shutdown();
    return 0;
}
