#include <benchmark/benchmark.h>

#include "app/Classes.h"
#include "app/UMain.h"
#include "netware/nwbase.h"
#include "runtime/Adapter.h"
#include "runtime/LibraryLoader.h"
#include "runtime/PopupMenu.h"
#include "runtime/ProcessState.h"

// Start-up of the monitor against the simulated client's built-in network: the window built from its
// stored layout, then the client checked and the server menu filled.
namespace {

// Back to a process that has loaded nothing; the classes stay known.
void forgetClient()
{
    ProcessState::ResetAll();
    RegisterClasses();
}

void WindowFromLayout(benchmark::State &state)
{
    for (auto _ : state) {
        TFMain form;
        benchmark::DoNotOptimize(form.PServer);
    }
}
BENCHMARK(WindowFromLayout)->Unit(benchmark::kMicrosecond);

void StartUpOnBuiltInNetwork(benchmark::State &state)
{
    TPlatformLibraryLoader loader(SEMBROLIN_BIN_DIR);
    TAdapterOverride<TLibraryLoader> override(loader);
    TFMain form;
    for (auto _ : state) {
        forgetClient();
        form.StartUp();
        benchmark::DoNotOptimize(form.PServer->Count());
    }
    forgetClient();
}
BENCHMARK(StartUpOnBuiltInNetwork)->Unit(benchmark::kMicrosecond);

} // namespace
