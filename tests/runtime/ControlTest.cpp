#include "runtime/Control.h"

#include <QEnterEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "runtime/Exception.h"
#include "runtime/Form.h"
#include "runtime/GraphicControl.h"
#include "runtime/WinControl.h"
#include "tests/runtime/RecordingPresenter.h"

namespace {

class TCountingControl : public TGraphicControl
{
public:
    using TGraphicControl::TGraphicControl;

    int fontChanges = 0;
    int enableChanges = 0;

protected:
    void FontChanged() override { ++fontChanges; }
    void EnabledChanged() override { ++enableChanges; }
};

// Paints from a cache, so every change must reach its one invalidation point.
class TCachingControl : public TGraphicControl
{
public:
    using TGraphicControl::TGraphicControl;

    int invalidations = 0;

protected:
    void Invalidate() override
    {
        ++invalidations;
        TGraphicControl::Invalidate();
    }
};

} // namespace

TEST(TControl, ChildrenFollowTheParentFontUntilTheyGetTheirOwn)
{
    TForm form;
    form.Font()->SetName("Arial");
    auto *panel = new TWinControl(&form);
    auto *label = new TGraphicControl(panel);
    EXPECT_TRUE(label->ParentFont());
    EXPECT_EQ(label->Font()->Name(), "Arial");

    form.Font()->SetHeight(-20);
    EXPECT_EQ(panel->Font()->Height(), -20);
    EXPECT_EQ(label->Font()->Height(), -20);
    EXPECT_EQ(label->font().pixelSize(), 20);

    label->Font()->SetColor(clLime);
    EXPECT_FALSE(label->ParentFont());
    form.Font()->SetHeight(-11);
    EXPECT_EQ(label->Font()->Height(), -20);
    EXPECT_EQ(panel->Font()->Height(), -11);

    label->SetParentFont(true);
    EXPECT_EQ(label->Font()->Height(), -11);
    EXPECT_EQ(label->Font()->Color(), clWindowText);
}

TEST(TControl, StoredFontSurvivesEitherPropertyOrder)
{
    TForm form;
    auto *fontFirst = new TGraphicControl(&form);
    fontFirst->Font()->SetColor(clWhite);
    fontFirst->setProperty("ParentFont", false);
    auto *flagFirst = new TGraphicControl(&form);
    flagFirst->setProperty("ParentFont", false);
    flagFirst->Font()->SetColor(clWhite);

    form.Font()->SetName("Arial");
    for (TControl *control : {fontFirst, flagFirst}) {
        EXPECT_FALSE(control->ParentFont());
        EXPECT_EQ(control->Font()->Color(), clWhite);
        EXPECT_EQ(control->Font()->Name(), "MS Sans Serif");
    }
}

TEST(TControl, AControlMovedUnderANewParentTakesItsFontAndColour)
{
    TForm form;
    form.Font()->SetHeight(-15);
    form.SetColor(clBlack);
    TGraphicControl label;
    label.setParent(&form);
    EXPECT_EQ(label.Font()->Height(), -15);
    EXPECT_EQ(label.Color(), clBlack);
}

TEST(TControl, ColourFollowsTheParentUntilSet)
{
    TForm form;
    auto *panel = new TWinControl(&form);
    form.SetColor(clBlack);
    EXPECT_TRUE(panel->ParentColor());
    EXPECT_EQ(panel->Color(), clBlack);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0, 0, 0));

    panel->SetColor(clTeal);
    EXPECT_FALSE(panel->ParentColor());
    form.SetColor(clWhite);
    EXPECT_EQ(panel->Color(), clTeal);
    panel->SetParentColor(true);
    EXPECT_EQ(panel->Color(), clWhite);
}

TEST(TControl, GeometryHintCursorAndStateGoThroughProperties)
{
    TForm form;
    auto *control = new TCountingControl(&form);
    control->setProperty("Left", 8);
    control->setProperty("Top", 160);
    control->setProperty("Width", 181);
    control->setProperty("Height", 13);
    EXPECT_EQ(control->geometry(), QRect(8, 160, 181, 13));

    control->SetHint("Exit");
    EXPECT_TRUE(control->toolTip().isEmpty());
    control->SetShowHint(true);
    EXPECT_EQ(control->toolTip(), "Exit");

    control->setProperty("Cursor", "crHandPoint");
    EXPECT_EQ(control->Cursor(), TControl::crHandPoint);
    EXPECT_EQ(control->cursor().shape(), Qt::PointingHandCursor);

    control->SetEnabled(false);
    EXPECT_FALSE(control->Enabled());
    EXPECT_EQ(control->enableChanges, 1);
    control->SetEnabled(true);
    form.setEnabled(false);
    EXPECT_TRUE(control->Enabled());
    EXPECT_FALSE(control->isEnabled());
    form.setEnabled(true);

    control->SetVisible(false);
    form.Show();
    EXPECT_FALSE(control->isVisible());
    control->SetVisible(true);
    EXPECT_TRUE(control->isVisible());
}

TEST(TControl, FontChangesReachTheHook)
{
    TForm form;
    auto *control = new TCountingControl(&form);
    control->Font()->SetName("Arial");
    form.Font()->SetHeight(-30);
    EXPECT_EQ(control->fontChanges, 1);
}

TEST(TControl, ClickNeedsAPressAndReleaseInsideWithTheLeftButton)
{
    TForm form;
    auto *control = new TGraphicControl(&form);
    control->setGeometry(0, 0, 40, 20);
    form.resize(100, 100);
    form.Show();
    QObject *sender = nullptr;
    int clicks = 0;
    control->OnClick = [&](QObject *s) {
        sender = s;
        ++clicks;
    };

    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, control);
    QTest::mouseClick(control, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mousePress(control, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(60, 5));
    QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
}

TEST(TControl, PointerEntryAndExitRaiseTheirEventsAndErrorsAreShown)
{
    TRecordingPresenter presenter;
    TAdapterOverride<TMessagePresenter> override(presenter);
    TGraphicControl control;
    QStringList seen;
    control.OnMouseEnter = [&](QObject *) { seen << "enter"; };
    control.OnMouseLeave = [&](QObject *) {
        seen << "leave";
        throw Exception("leave failed");
    };
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&control, &enter);
    QCoreApplication::sendEvent(&control, &enter);
    EXPECT_NO_THROW(QCoreApplication::sendEvent(&control, &leave));
    QCoreApplication::sendEvent(&control, &leave);
    EXPECT_EQ(seen, QStringList({"enter", "leave"})) << "one of each while the pointer stays on either side";
    ASSERT_EQ(presenter.boxes.size(), 1u);
    EXPECT_EQ(presenter.boxes[0].text, "leave failed");
}

TEST(TControl, EventsArePublishedForBindingByName)
{
    TGraphicControl control;
    EXPECT_EQ(control.Event("OnClick"), &control.OnClick);
    EXPECT_EQ(control.Event("OnMouseEnter"), &control.OnMouseEnter);
    EXPECT_EQ(control.Event("OnMouseLeave"), &control.OnMouseLeave);
}

TEST(TControl, EveryChangeOfTheLookEndsInItsOneInvalidation)
{
    TForm form;
    auto *control = new TCachingControl(&form);
    form.Show();
    const std::vector<std::function<void()>> changes = {
        [&] { control->SetCaption("x"); },   [&] { control->Font()->SetColor(clRed); },
        [&] { control->SetColor(clLime); },  [&] { form.Font()->SetHeight(-20); },
        [&] { control->SetEnabled(false); }, [&] { control->SetBounds(0, 0, 30, 10); },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const int before = control->invalidations;
        changes[i]();
        QCoreApplication::sendPostedEvents();
        const bool followsForm = i == 3;
        EXPECT_EQ(control->invalidations > before, !followsForm) << "change " << i;
    }
}
