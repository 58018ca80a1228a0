#pragma once

#include <gtest/gtest.h>

#include "runtime/Adapter.h"
#include "tests/netware/FakeClient.h"

// Every test starts from a process that has loaded nothing, with the fake client in the platform's place.
class TNetWareFixture : public ::testing::Test
{
protected:
    TNetWareFixture();

    TFakeClient fake;
    TAdapterOverride<TLibraryLoader> loader{fake};
};
