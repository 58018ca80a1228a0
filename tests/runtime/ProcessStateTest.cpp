#include "runtime/ProcessState.h"

#include <gtest/gtest.h>

namespace {

int g_servicesStopped = 0;

struct TCounter
{
    int value = 0;
};

// Stands for a state that owns a thread.
struct TService
{
    static constexpr bool kStopsWithApplication = true;
    ~TService() { ++g_servicesStopped; }
    int value = 0;
};

} // namespace

TEST(ProcessState, ResetAllPutsEveryStateBackToAFreshOne)
{
    TProcessState<TCounter>::Instance().value = 5;
    TProcessState<TService>::Instance().value = 7;
    ProcessState::ResetAll();
    EXPECT_EQ(TProcessState<TCounter>::Instance().value, 0);
    EXPECT_EQ(TProcessState<TService>::Instance().value, 0);
}

TEST(ProcessState, StoppingServicesDestroysOnlyThoseThatStopWithTheApplication)
{
    TProcessState<TCounter>::Instance().value = 5;
    TProcessState<TService>::Instance().value = 7;
    const int stopped = g_servicesStopped;
    ProcessState::StopServices();
    EXPECT_EQ(g_servicesStopped, stopped + 1);
    EXPECT_EQ(TProcessState<TCounter>::Instance().value, 5);
    EXPECT_EQ(TProcessState<TService>::Instance().value, 0);
    ProcessState::ResetAll();
}
