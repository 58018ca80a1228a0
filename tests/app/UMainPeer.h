#pragma once

#include "app/UMain.h"

template <> struct TTestPeer<TFMain>
{
    static bool BuildServerMenu(TFMain &form) { return form.BuildServerMenu(); }
    static uint32_t SelectedConnection(const TFMain &form) { return form.SelectedConnection(); }
};
