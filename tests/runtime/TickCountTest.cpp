#include "runtime/TickCount.h"

#include <QThread>

#include <gtest/gtest.h>

#include "tests/runtime/FakeTickCount.h"

TEST(TTickCount, PlatformCountAdvancesInMilliseconds)
{
    TTickCount &clock = TTickCount::Current();
    const uint32_t start = clock.GetTickCount();
    QThread::msleep(30);
    const uint32_t elapsed = clock.GetTickCount() - start;
    EXPECT_GE(elapsed, 25u);
    EXPECT_LT(elapsed, 5000u);
}

TEST(TTickCount, AFakeReplacesTheClockAndWrapsLikeIt)
{
    TFakeTickCount fake(0xFFFFFFF0u);
    {
        TAdapterOverride<TTickCount> override(fake);
        EXPECT_EQ(TTickCount::Current().GetTickCount(), 0xFFFFFFF0u);
        fake.Advance(0x20);
        EXPECT_EQ(TTickCount::Current().GetTickCount(), 0x10u);
        fake.SetValue(1000);
        EXPECT_EQ(TTickCount::Current().GetTickCount(), 1000u);
    }
    EXPECT_EQ(&TTickCount::Current(), &TTickCount::Platform());
}

TEST(TAdapterOverride, ANestedOverrideRestoresTheOneItReplaced)
{
    TFakeTickCount outer(1);
    TFakeTickCount inner(2);
    TAdapterOverride<TTickCount> first(outer);
    {
        TAdapterOverride<TTickCount> second(inner);
        EXPECT_EQ(TTickCount::Current().GetTickCount(), 2u);
    }
    EXPECT_EQ(TTickCount::Current().GetTickCount(), 1u);
}
