#pragma once

#include "app/Classes.h"
#include "runtime/Adapter.h"
#include "runtime/LibraryLoader.h"
#include "runtime/MessageBox.h"
#include "tests/runtime/RecordingPresenter.h"

// The simulated client beside the program, loaded the way the program loads it, with every layout class
// registered and the boxes recorded instead of shown. Its test program defines SEMBROLIN_BIN_DIR.
struct TSimulatedClient
{
    TSimulatedClient() { RegisterClasses(); }

    TPlatformLibraryLoader loader{SEMBROLIN_BIN_DIR};
    TAdapterOverride<TLibraryLoader> loading{loader};
    TRecordingPresenter presenter;
    TAdapterOverride<TMessagePresenter> boxes{presenter};
};
