#include <benchmark/benchmark.h>

#include "app/Classes.h"
#include "app/UMain.h"
#include "runtime/Adapter.h"
#include "runtime/LibraryLoader.h"
#include "runtime/MenuItem.h"
#include "runtime/PopupMenu.h"
#include "runtime/ProcessState.h"

// One sampling tick of the monitor on the simulated client's built-in network: the two client calls,
// both takes' display updates and both charts redrawn.
namespace {

void OneTick(benchmark::State &state)
{
    TPlatformLibraryLoader loader(SEMBROLIN_BIN_DIR);
    TAdapterOverride<TLibraryLoader> override(loader);
    {
        TFMain form;
        form.show();
        form.StartUp();
        form.PServer->Item(0)->Click();
        for (auto _ : state) {
            form.TServerStatsTimer(nullptr);
            form.Cpu.Chart->repaint();
            form.Ncp.Chart->repaint();
        }
    }
    ProcessState::ResetAll();
    RegisterClasses();
}
BENCHMARK(OneTick)->Unit(benchmark::kMicrosecond);

} // namespace
