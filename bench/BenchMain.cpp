#include <benchmark/benchmark.h>

#include "app/Classes.h"
#include "runtime/Application.h"
#include "runtime/ProcessState.h"

// One entry for every benchmark: off screen unless a display is asked for, on the simulated client's built-in
// network, with every layout class known.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("NWSIM_SCENARIO");
    TApplication application(argc, argv);
    RegisterClasses();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ProcessState::ResetAll();
    return 0;
}
