#include "runtime/ErrorBox.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "runtime/Exception.h"
#include "tests/runtime/RecordingPresenter.h"

namespace {

class ErrorBox : public ::testing::Test
{
protected:
    TRecordingPresenter presenter;
    TAdapterOverride<TMessagePresenter> override{presenter};
};

} // namespace

TEST_F(ErrorBox, ShowsTheMessageOfAnyEscapingErrorAndGoesOn)
{
    EXPECT_NO_THROW(Guarded([] { throw Exception("Invalid digit count"); }));
    EXPECT_NO_THROW(Guarded([] { throw std::runtime_error("out of range"); }));
    EXPECT_NO_THROW(Guarded([] { throw 42; }));

    ASSERT_EQ(presenter.boxes.size(), 3u);
    EXPECT_EQ(presenter.boxes[0].kind, TMessageKind::Error);
    EXPECT_EQ(presenter.boxes[0].text, "Invalid digit count");
    EXPECT_EQ(presenter.boxes[1].text, "out of range");
    EXPECT_FALSE(presenter.boxes[2].text.isEmpty());
}

TEST_F(ErrorBox, CallsAssignedHandlersWithTheirSenderAndSkipsEmptyOnes)
{
    QObject sender;
    QObject *seen = nullptr;
    CallHandler([&seen](QObject *s) { seen = s; }, &sender);
    EXPECT_EQ(seen, &sender);

    EXPECT_NO_THROW(CallHandler(TNotifyEvent(), &sender));
    EXPECT_NO_THROW(CallHandler([](QObject *) { throw Exception("boom"); }, &sender));
    ASSERT_EQ(presenter.boxes.size(), 1u);
    EXPECT_EQ(presenter.boxes[0].text, "boom");
}
