#include "runtime/WindowMessage.h"

#include <vector>

#include <gtest/gtest.h>

#include "runtime/Form.h"
#include "runtime/MessageEvent.h"
#include "runtime/GraphicControl.h"
#include "runtime/WinControl.h"

namespace {

class TListeningControl : public TWinControl
{
public:
    using TWinControl::TWinControl;

    std::vector<unsigned> messages;
    quintptr lastWParam = 0;
    qintptr lastLParam = 0;
    // Where set, every control that hears a message puts itself here, so that tests see the order.
    std::vector<const QObject *> *hearingOrder = nullptr;

protected:
    void WindowMessage(TMessageEvent &message) override
    {
        messages.push_back(message.Msg());
        lastWParam = message.WParam();
        lastLParam = message.LParam();
        if (hearingOrder)
            hearingOrder->push_back(this);
        message.SetResult(7);
    }
};

} // namespace

TEST(WindowMessage, ReachesWindowedControlsWithItsParameters)
{
    TListeningControl control;
    EXPECT_EQ(SendWindowMessage(&control, 47169), 7);
    SendWindowMessage(&control, 47170, 3, -4);
    EXPECT_EQ(control.messages, (std::vector<unsigned>{47169, 47170}));
    EXPECT_EQ(control.lastWParam, 3u);
    EXPECT_EQ(control.lastLParam, -4);
}

TEST(WindowMessage, WindowlessControlsAndNoTargetIgnoreIt)
{
    TGraphicControl label;
    EXPECT_EQ(SendWindowMessage(&label, 47169), 0);
    EXPECT_EQ(SendWindowMessage(nullptr, 47169), 0);
    TWinControl plain;
    EXPECT_EQ(SendWindowMessage(&plain, 47169), 0);
}

TEST(WindowMessage, OnlyWindowedControlsCountAsWindowed)
{
    TWinControl panel;
    TListeningControl listener;
    TGraphicControl label;
    QObject plain;
    EXPECT_TRUE(TWinControl::IsWindowed(&panel));
    EXPECT_TRUE(TWinControl::IsWindowed(&listener));
    EXPECT_FALSE(TWinControl::IsWindowed(&label));
    EXPECT_FALSE(TWinControl::IsWindowed(&plain));
    EXPECT_FALSE(TWinControl::IsWindowed(nullptr));
}

TEST(WindowMessage, BroadcastReachesEveryWindowedControlAFormOwnsContainersFirst)
{
    TForm form;
    auto *first = new TListeningControl(&form);
    auto *inner = new TListeningControl(first);
    new TGraphicControl(&form);
    new QWidget(&form);
    auto *last = new TListeningControl(&form);
    std::vector<const QObject *> heard;
    for (TListeningControl *control : {first, inner, last}) {
        control->hearingOrder = &heard;
        control->lastWParam = 9;
        control->lastLParam = 9;
    }

    BroadcastToWindowedControls(&form, 47170);
    BroadcastToWindowedControls(first, 47169);
    BroadcastToWindowedControls(nullptr, 47169);

    for (TListeningControl *control : {first, inner, last}) {
        EXPECT_EQ(control->messages, std::vector<unsigned>{47170});
        EXPECT_EQ(control->lastWParam, 0u);
        EXPECT_EQ(control->lastLParam, 0);
    }
    EXPECT_EQ(heard, (std::vector<const QObject *>{first, inner, last}));
}

TEST(GraphicControl, LeavesTheParentsPixelsVisible)
{
    QWidget parent;
    parent.resize(20, 20);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::red);
    parent.setPalette(palette);
    parent.setAutoFillBackground(true);
    auto *label = new TGraphicControl(&parent);
    label->SetColor(clBlack);
    label->setGeometry(0, 0, 10, 10);
    auto *panel = new TWinControl(&parent);
    panel->SetColor(clBlack);
    panel->setGeometry(10, 10, 10, 10);

    const QImage image = parent.grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(15, 15), QColor(Qt::black));
}
