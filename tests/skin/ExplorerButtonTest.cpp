#include "skin/ExplorerButton.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <gtest/gtest.h>

#include <QCursor>
#include <QEnterEvent>
#include <QPointer>
#include <QTest>

#include "runtime/Form.h"
#include "runtime/MenuItem.h"
#include "runtime/PopupMenu.h"
#include "runtime/ProcessState.h"
#include "skin/GlyphCache.h"
#include "skin/TimerPool.h"
#include "tests/runtime/RecordingPresenter.h"

template <> struct TTestPeer<TExplorerButton>
{
    static TExplorerButton::TState State(const TExplorerButton &button) { return button.m_state; }
    static int HoverTimer(const TExplorerButton &button) { return button.m_hoverTimer; }
    static int GlyphIndex(const TExplorerButton &button) { return button.GlyphIndex(); }
    static QRect GlyphRect(const TExplorerButton &button) { return button.Layout().glyph; }
    static QRect TextRect(const TExplorerButton &button) { return button.Layout().text; }
    static QRect ArrowRect(const TExplorerButton &button) { return button.Layout().arrow; }
};

template <> struct TTestPeer<TGlyphCache>
{
    static int Lists() { return int(TGlyphCache::Instance().m_lists.size()); }
    static int Images(QSize size) { return TGlyphCache::Instance().Images(size); }
};

template <> struct TTestPeer<TTimerPool>
{
    static bool Running(int handle) { return TTimerPool::Instance().Running(handle); }
    static void Deliver(int handle) { TTimerPool::Instance().Deliver(handle); }
};

namespace {

using Peer = TTestPeer<TExplorerButton>;

using TState = TExplorerButton::TState;

// A glyph strip of `count` slices on pure red, slice i marked by a yellow square of i + 1 pixels.
QImage Strip(int count, int sliceWidth = 11, int height = 12)
{
    QImage strip(count * sliceWidth + 2, height, QImage::Format_RGB888);
    strip.fill(QColor(255, 0, 0));
    for (int i = 0; i < count; ++i)
        for (int d = 0; d <= i; ++d)
            for (int e = 0; e <= i; ++e)
                strip.setPixelColor(i * sliceWidth + 3 + d, 3 + e, QColor(255, 236, 0));
    return strip;
}

class ExplorerButtonTest : public ::testing::Test
{
protected:
    ExplorerButtonTest()
    {
        window.resize(200, 100);
        button->SetBounds(5, 30, 92, 17);
        button->Font()->SetColor(clWhite);
        button->OnClick = [this](QObject *) {
            ++clicks;
            seenAtClick = {button->Pressed(), Peer::State(*button)};
        };
        button->OnDblClick = [this](QObject *) { ++doubleClicks; };
        menu->Add(new TMenuItem(menu));
        window.show();
        PointerTo(QPoint(5, 5));
    }
    ~ExplorerButtonTest() override
    {
        delete button;
        ProcessState::ResetAll();
    }

    void PointerTo(QPoint local) { QCursor::setPos(button->mapToGlobal(local)); }
    void Enter()
    {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
        QCoreApplication::sendEvent(button, &enter);
    }
    // As the window system delivers it: the second press comes on its own, then the double click.
    void DoubleClick(QPoint at)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
        QTest::mousePress(button, Qt::LeftButton, {}, at);
        QMouseEvent twice(QEvent::MouseButtonDblClick, at, button->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, {});
        QCoreApplication::sendEvent(button, &twice);
        QTest::mouseRelease(button, Qt::LeftButton, {}, at);
    }
    void Leave()
    {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(button, &leave);
    }

    // Presses the button and closes its menu once it shows, by `close`; reports where the menu stood.
    std::optional<QPoint> MenuPositionAfterPress(Qt::MouseButton mouseButton,
                                                 const std::function<void()> &close = {})
    {
        std::optional<QPoint> shownAt;
        // Bound to this press, so neither the connection nor a pending call outlives the frame; queued from
        // the show, the call runs inside the menu's own loop, once the menu stands where it opened.
        QObject thisPress;
        QObject::connect(menu, &QMenu::aboutToShow, &thisPress, [&] {
            ++menuShows;
            QMetaObject::invokeMethod(
                &thisPress,
                [&] {
                    if (menu->isVisible())
                        shownAt = menu->pos();
                    stateWhileOpen = Peer::State(*button);
                    if (close)
                        close();
                    else
                        menu->close();
                },
                Qt::QueuedConnection);
        });
        QTest::mousePress(button, mouseButton, {}, QPoint(10, 8));
        QTest::mouseRelease(button, mouseButton, {}, QPoint(10, 8));
        return shownAt;
    }

    QWidget window;
    TExplorerButton *button = new TExplorerButton(&window);
    TPopupMenu *menu = new TPopupMenu(&window);
    int clicks = 0;
    int doubleClicks = 0;
    int menuShows = 0;
    std::optional<TState> stateWhileOpen;
    std::pair<bool, TState> seenAtClick{false, TState::Up};
};

struct TDropDownCase
{
    bool right;
    int indent;
    QPoint corner;
};

class ExplorerButtonDropDown : public ExplorerButtonTest, public ::testing::WithParamInterface<TDropDownCase>
{
};

TEST_P(ExplorerButtonDropDown, OpensItsMenuAtTheCornerAndReturnsHotWithoutAClick)
{
    button->SetDropDownMenu(menu);
    button->SetDropDownRight(GetParam().right);
    button->SetDropDownIndent(GetParam().indent);
    Enter();

    const std::optional<QPoint> shownAt = MenuPositionAfterPress(Qt::LeftButton);

    ASSERT_TRUE(shownAt.has_value());
    EXPECT_EQ(*shownAt, button->mapToGlobal(GetParam().corner));
    EXPECT_EQ(stateWhileOpen, TState::DroppedDown);
    EXPECT_EQ(Peer::State(*button), TState::Hot);
    EXPECT_EQ(clicks, 0);
}

INSTANTIATE_TEST_SUITE_P(Corners, ExplorerButtonDropDown,
                         ::testing::Values(TDropDownCase{false, 0, QPoint(0, 17)},
                                           TDropDownCase{false, 4, QPoint(4, 17)},
                                           TDropDownCase{true, 0, QPoint(92, 0)},
                                           TDropDownCase{true, 3, QPoint(92, 3)}));

TEST_F(ExplorerButtonTest, TheClickThatClosesTheMenuOnTheButtonDoesNotReopenIt)
{
    button->SetDropDownMenu(menu);
    Enter();
    MenuPositionAfterPress(Qt::LeftButton, [this] {
        // The press that closes a popup reaches the button underneath while its menu is still open.
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 8));
        menu->close();
    });
    EXPECT_EQ(menuShows, 1);
    EXPECT_EQ(Peer::State(*button), TState::Hot);
    EXPECT_EQ(clicks, 0);
}

class ExplorerButtonComeBack : public ExplorerButtonTest, public ::testing::WithParamInterface<bool>
{
};

// The menu holds the pointer while it is open, so the button never hears that it left.
TEST_P(ExplorerButtonComeBack, LightsUpWhenThePointerReturnsAfterItsMenuClosedElsewhere)
{
    int exits = 0;
    button->OnMouseExit = [&exits](QObject *) { ++exits; };
    button->SetDropDownMenu(menu);
    Enter();
    MenuPositionAfterPress(Qt::LeftButton, [this] {
        PointerTo(QPoint(200, 40));
        menu->close();
    });
    EXPECT_EQ(exits, 1);
    TTestPeer<TTimerPool>::Deliver(Peer::HoverTimer(*button));
    ASSERT_EQ(Peer::State(*button), TState::Up);
    PointerTo(QPoint(10, 8));
    if (GetParam())
        Enter();
    else
        QTest::mouseMove(button, QPoint(10, 8));
    EXPECT_EQ(Peer::State(*button), TState::Hot);
}

INSTANTIATE_TEST_SUITE_P(ByEnterOrMove, ExplorerButtonComeBack, ::testing::Bool());

TEST_F(ExplorerButtonTest, AnEmptyMenuDoesNotOpenAndTheButtonReturnsHot)
{
    button->SetDropDownMenu(menu);
    menu->Clear();
    Enter();
    MenuPositionAfterPress(Qt::LeftButton);
    EXPECT_EQ(menuShows, 0);
    EXPECT_EQ(Peer::State(*button), TState::Hot);
}

TEST_F(ExplorerButtonTest, OnlyALeftPressOnAButtonWithAMenuOpensOne)
{
    EXPECT_FALSE(MenuPositionAfterPress(Qt::LeftButton)) << "no menu assigned";
    button->SetDropDownMenu(menu);
    EXPECT_FALSE(MenuPositionAfterPress(Qt::RightButton));
}

TEST_F(ExplorerButtonTest, AMenuThatIsDeletedIsForgotten)
{
    button->SetDropDownMenu(menu);
    delete menu;
    menu = nullptr;
    EXPECT_EQ(button->DropDownMenu(), nullptr);
}

TEST_F(ExplorerButtonTest, EveryPressOpensTheMenuOnceAndNoneClicks)
{
    button->SetDropDownMenu(menu);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [this] {
        ++menuShows;
        QMetaObject::invokeMethod(menu, &QMenu::close, Qt::QueuedConnection);
    });
    Enter();
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 8));
    DoubleClick(QPoint(10, 8));
    EXPECT_EQ(menuShows, 3) << "a double click is two presses";
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(Peer::State(*button), TState::Hot);
    EXPECT_EQ(clicks, 0);
}

// A sequence of pointer actions and the state after each: e enter, l leave, p press, r release inside,
// o drag outside and release there, d double click; states by their letters in "UxHDP-Vy" (U Up, H Hot,
// D Down, P Pushed).
struct TSequenceCase
{
    const char *name;
    int groupIndex;
    bool allowAllUp;
    int numGlyphs;
    const char *actions;
    const char *states;
    int clicks;
};

void PrintTo(const TSequenceCase &c, std::ostream *os)
{
    *os << c.name;
}

class ExplorerButtonSequence : public ExplorerButtonTest, public ::testing::WithParamInterface<TSequenceCase>
{
};

TEST_P(ExplorerButtonSequence, GoesThroughTheStates)
{
    const TSequenceCase &c = GetParam();
    button->SetGroupIndex(c.groupIndex);
    button->SetAllowAllUp(c.allowAllUp);
    if (c.numGlyphs) {
        button->SetGlyphBitmap(Strip(c.numGlyphs));
        button->SetNumGlyphs(c.numGlyphs);
        button->SetUnColorMain(false);
    }
    std::string states;
    int doubles = 0;
    for (const char *action = c.actions; *action; ++action) {
        switch (*action) {
        case 'e':
            Enter();
            break;
        case 'l':
            Leave();
            break;
        case 'p':
            QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
            break;
        case 'r':
            QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
            break;
        case 'd':
            DoubleClick(QPoint(5, 5));
            ++doubles;
            break;
        case 'o':
            PointerTo(QPoint(-20, 5));
            QTest::mouseMove(button, QPoint(-20, 5));
            QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-20, 5));
            break;
        }
        states += "UxHDP-Vy"[int(Peer::State(*button))];
    }
    EXPECT_EQ(states, c.states);
    EXPECT_EQ(clicks, c.clicks);
    EXPECT_EQ(doubleClicks, doubles);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ExplorerButtonSequence,
    ::testing::Values(TSequenceCase{"plainClick", 0, false, 0, "eprl", "HPHU", 1},
                      TSequenceCase{"plainReleaseOutside", 0, false, 0, "epo", "HPU", 0},
                      TSequenceCase{"plainThrice", 0, false, 0, "eprprpr", "HPHPHPH", 3},
                      TSequenceCase{"plainDoubleClick", 0, false, 0, "edd", "HHH", 4},
                      TSequenceCase{"oneGlyphClick", 0, false, 1, "epr", "HPH", 1},
                      TSequenceCase{"oneGlyphDoubleClick", 0, false, 1, "ed", "HH", 2},
                      TSequenceCase{"toggleTwice", 1, true, 4, "eprpr", "HPDDH", 2},
                      TSequenceCase{"toggleThrice", 1, true, 4, "eprprpr", "HPDDHPD", 3},
                      TSequenceCase{"toggleDoubleClick", 1, true, 4, "edd", "HHH", 4},
                      TSequenceCase{"toggleStaysDown", 1, false, 4, "eprpr", "HPDDD", 1},
                      TSequenceCase{"toggleDoubleClickStaysDown", 1, false, 4, "ed", "HD", 1},
                      TSequenceCase{"toggleReleasedOutside", 1, true, 4, "epo", "HPU", 0},
                      TSequenceCase{"pressedToggleLeftAndBack", 1, true, 4, "eprle", "HPDDD", 1}),
    [](const auto &info) { return std::string(info.param.name); });

struct TSelfDeleteCase
{
    const char *name;
    bool unColorMain;
    int numGlyphs;
    bool repeatedClick;
};

class ExplorerButtonSelfDelete : public ExplorerButtonTest,
                                 public ::testing::WithParamInterface<TSelfDeleteCase>
{
};

// Run under the address sanitizer, which sees any touch of the freed button.
TEST_P(ExplorerButtonSelfDelete, AClickHandlerMayDeleteItsButton)
{
    const TSelfDeleteCase &c = GetParam();
    if (c.numGlyphs) {
        button->SetGlyphBitmap(Strip(c.numGlyphs));
        button->SetNumGlyphs(c.numGlyphs);
    }
    button->SetUnColorMain(c.unColorMain);
    button->SetRepeatedClick(c.repeatedClick);
    const QPointer<TExplorerButton> watched(button);
    button->OnClick = [this](QObject *) { delete std::exchange(button, nullptr); };
    Enter();
    QTest::mousePress(watched, Qt::LeftButton, {}, QPoint(5, 5));
    if (watched)
        QTest::mouseRelease(watched, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(watched);
}

INSTANTIATE_TEST_SUITE_P(Buttons, ExplorerButtonSelfDelete,
                         ::testing::Values(TSelfDeleteCase{"uncoloured", true, 0, false},
                                           TSelfDeleteCase{"fourGlyphs", false, 4, false},
                                           TSelfDeleteCase{"repeating", false, 0, true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ExplorerButtonTest, TheToggleIsDownOnItsLastSliceBeforeItsClickRuns)
{
    button->SetGlyphBitmap(Strip(4));
    button->SetNumGlyphs(4);
    button->SetUnColorMain(false);
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    Enter();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Peer::GlyphIndex(*button), 0);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(seenAtClick, std::make_pair(true, TState::Down));
    EXPECT_EQ(Peer::GlyphIndex(*button), 3);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(seenAtClick, std::make_pair(false, TState::Up));
    EXPECT_EQ(Peer::GlyphIndex(*button), 2);
}

TEST_F(ExplorerButtonTest, PressingAHotButtonOfFewGlyphsRepaintsIt)
{
    struct TPaintCounter : QObject
    {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    button->SetGroupIndex(1);
    Enter();
    QCoreApplication::sendPostedEvents();
    button->installEventFilter(&counter);
    button->SetPressed(true);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(Peer::State(*button), TState::Down);
    EXPECT_GT(counter.paints, 0);
}

TEST_F(ExplorerButtonTest, PressingAnotherButtonOfTheGroupUnpressesThisOne)
{
    auto *other = new TExplorerButton(&window);
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    button->SetPressed(true);
    other->SetGroupIndex(1);
    other->SetAllowAllUp(false);
    EXPECT_FALSE(button->AllowAllUp()) << "joining the group passes on its setting";
    other->SetPressed(true);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(Peer::State(*button), TState::Up);
    EXPECT_TRUE(other->Pressed());
    other->SetPressed(false);
    EXPECT_TRUE(other->Pressed()) << "a group that does not allow all up keeps one pressed";
}

TEST_F(ExplorerButtonTest, TheHoverCheckReturnsAButtonLeftUnnoticedToUp)
{
    Enter();
    ASSERT_TRUE(TTestPeer<TTimerPool>::Running(Peer::HoverTimer(*button)));
    TTestPeer<TTimerPool>::Deliver(Peer::HoverTimer(*button));
    EXPECT_EQ(Peer::State(*button), TState::Hot) << "the pointer is still over it";
    PointerTo(QPoint(200, 5));
    const int timer = Peer::HoverTimer(*button);
    TTestPeer<TTimerPool>::Deliver(timer);
    EXPECT_EQ(Peer::State(*button), TState::Up);
    EXPECT_FALSE(TTestPeer<TTimerPool>::Running(timer));
}

TEST_F(ExplorerButtonTest, NoTimerLeftIsReportedAndTheButtonStillTurnsHot)
{
    TRecordingPresenter presenter;
    TAdapterOverride<TMessagePresenter> boxes{presenter};
    for (int i = 0; i < TTimerPool::kSlots; ++i)
        TTimerPool::Instance().Start(1000, [] {});
    Enter();
    ASSERT_EQ(presenter.boxes.size(), 1u);
    EXPECT_EQ(presenter.boxes[0].text, "Not enough timers available");
    EXPECT_EQ(Peer::State(*button), TState::Hot);
}

TEST_F(ExplorerButtonTest, AnInactiveWindowsButtonIsNotHighlighted)
{
    TForm form;
    TForm other;
    auto *formButton = new TExplorerButton(&form);
    form.show();
    other.show();
    QApplication::setActiveWindow(&other);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), formButton->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(formButton, &enter);
    EXPECT_EQ(Peer::State(*formButton), TState::Up);
    QApplication::setActiveWindow(&form);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(formButton, &leave);
    QCoreApplication::sendEvent(formButton, &enter);
    EXPECT_EQ(Peer::State(*formButton), TState::Hot);
}

TEST_F(ExplorerButtonTest, DisablingFollowsThePressedState)
{
    button->SetGroupIndex(1);
    button->SetEnabled(false);
    EXPECT_EQ(Peer::State(*button), TState::Disabled);
    button->SetEnabled(true);
    button->SetPressed(true);
    button->SetEnabled(false);
    EXPECT_EQ(Peer::State(*button), TState::DisabledDown);
    EXPECT_EQ(Peer::GlyphIndex(*button), 1);
}

TEST_F(ExplorerButtonTest, TheAcceleratorClicksAndReturnsUp)
{
    button->SetCaption("&Go");
    PointerTo(QPoint(200, 5));
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(seenAtClick.second, TState::Pushed);
    EXPECT_EQ(Peer::State(*button), TState::Up);
}

struct TEdgeCase
{
    const char *name;
    TState state;
    QColor topLeft;
    QColor bottomRight;
};

class ExplorerButtonEdge : public ExplorerButtonTest, public ::testing::WithParamInterface<TEdgeCase>
{
};

// An empty button draws its edge only: raised while Hot, sunken while down.
TEST_P(ExplorerButtonEdge, FramesTheButtonAndNothingElse)
{
    window.setStyleSheet("background: black");
    window.setAutoFillBackground(true);
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    Enter();
    if (GetParam().state == TState::Down)
        button->SetPressed(true);
    else if (GetParam().state == TState::Pushed)
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    else if (GetParam().state == TState::Up)
        Leave();
    ASSERT_EQ(Peer::State(*button), GetParam().state);
    const QImage image = window.grab(button->geometry()).toImage();
    EXPECT_EQ(image.pixelColor(0, 0), GetParam().topLeft);
    EXPECT_EQ(image.pixelColor(91, 16), GetParam().bottomRight);
    EXPECT_EQ(image.pixelColor(45, 8), QColor(Qt::black));
    image.save(QStringLiteral("ExplorerButton-%1.png").arg(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(States, ExplorerButtonEdge,
                         ::testing::Values(TEdgeCase{"Up", TState::Up, Qt::black, Qt::black},
                                           TEdgeCase{"Hot", TState::Hot, Qt::white, QColor(128, 128, 128)},
                                           TEdgeCase{"Down", TState::Down, QColor(128, 128, 128), Qt::white},
                                           TEdgeCase{"Pushed", TState::Pushed, QColor(128, 128, 128),
                                                     Qt::white}),
                         [](const auto &info) { return std::string(info.param.name); });

struct TArrowCase
{
    const char *name;
    TButtonLayout::TArrowPosition position;
    int size;
    int indent;
    bool pushed;
    QRect box;
};

class ExplorerButtonArrow : public ExplorerButtonTest, public ::testing::WithParamInterface<TArrowCase>
{
};

TEST_P(ExplorerButtonArrow, IsATriangleOfItsSizeAtItsPlace)
{
    const TArrowCase &c = GetParam();
    window.setStyleSheet("background: black");
    window.setAutoFillBackground(true);
    button->SetCaption("CPU");
    TButtonLayout &layout = *button->ButtonLayout();
    layout.SetArrow(true);
    layout.SetArrowColor(clLime);
    layout.SetArrowPosition(c.position);
    layout.SetArrowSize(c.size);
    layout.SetArrowIndent(c.indent);
    if (c.pushed)
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    // Beside the caption, the arrow's left edge follows the caption's.
    QRect expected = c.box;
    if (c.position == TButtonLayout::apRightText)
        expected.moveLeft(Peer::TextRect(*button).right() + c.indent);
    ASSERT_EQ(Peer::ArrowRect(*button), expected);
    const QImage image = window.grab(button->geometry()).toImage();
    const QRect seen = expected & image.rect();
    for (int y = seen.top(); y <= seen.bottom(); ++y)
        for (int x = seen.left(); x <= seen.right(); ++x) {
            const int row = y - expected.top();
            const bool inside = x >= expected.left() + row && x <= expected.right() - row;
            EXPECT_EQ(image.pixelColor(x, y), inside ? QColor(0, 255, 0) : QColor(Qt::black))
                << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Places, ExplorerButtonArrow,
    ::testing::Values(
        TArrowCase{"rightButton", TButtonLayout::apRightButton, 3, 3, false, QRect(84, 7, 5, 3)},
        TArrowCase{"rightEdge", TButtonLayout::apRightButton, 4, 0, false, QRect(85, 6, 7, 4)},
        TArrowCase{"rightButtonPushed", TButtonLayout::apRightButton, 3, 3, true, QRect(85, 8, 5, 3)},
        TArrowCase{"rightText", TButtonLayout::apRightText, 3, 3, false, QRect(0, 7, 5, 3)},
        TArrowCase{"absurdSize", TButtonLayout::apRightButton, 1 << 30, 0, false,
                   QRect(92 - 127, (17 - 64) / 2, 127, 64)}),
    [](const auto &info) { return std::string(info.param.name); });

// Without a glyph the caption stands one pixel right and down of its centred place, effects included.
TEST_F(ExplorerButtonTest, TheCaptionIsCentredWithTheRoomOfItsEffects)
{
    button->SetCaption("CPU");
    const QSize plain = Peer::TextRect(*button).size();
    button->FontFx()->SetStyle3D(TFontFx::fxRaised);
    button->FontFx()->SetDepth(2);
    for (int angle : {0, 90}) {
        button->FontFx()->SetAngle(angle);
        const QRect text = Peer::TextRect(*button);
        EXPECT_EQ(text.size(), angle ? (plain + QSize(4, 4)).transposed() : plain + QSize(4, 4));
        EXPECT_EQ(text.topLeft() - QPoint(1, 1), QPoint((92 - text.width()) / 2, (17 - text.height()) / 2));
    }
}

TEST_F(ExplorerButtonTest, GlyphAndCaptionAreCentredAsOneBoxWithSpacing)
{
    button->SetCaption("CPU");
    button->SetGlyphBitmap(Strip(1, 9, 10));
    const QRect glyph = Peer::GlyphRect(*button);
    const QRect text = Peer::TextRect(*button);
    EXPECT_EQ(glyph.size(), QSize(11, 10));
    EXPECT_EQ(text.left(), glyph.right() + 1 + 2 + 1);
    const int boxWidth = glyph.width() + 2 + text.width();
    EXPECT_EQ(glyph.left(), (92 - boxWidth) / 2);
}

// A move counts the pixels just past the right and bottom edges as on the button; a release only those
// just past the bottom.
struct TPointerEdgeCase
{
    const char *name;
    QPoint at;
    bool moveInside;
    bool releaseClicks;
};

class ExplorerButtonPointerEdge : public ExplorerButtonTest,
                                  public ::testing::WithParamInterface<TPointerEdgeCase>
{
};

TEST_P(ExplorerButtonPointerEdge, FollowsTheMoveAndReleaseRules)
{
    const TPointerEdgeCase &c = GetParam();
    Enter();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(button, c.at);
    EXPECT_EQ(Peer::State(*button), c.moveInside ? TState::Pushed : TState::Up);
    QTest::mouseRelease(button, Qt::LeftButton, {}, c.at);
    EXPECT_EQ(clicks, c.releaseClicks ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Points, ExplorerButtonPointerEdge,
                         ::testing::Values(TPointerEdgeCase{"inside", QPoint(91, 16), true, true},
                                           TPointerEdgeCase{"pastBottom", QPoint(5, 17), true, true},
                                           TPointerEdgeCase{"pastCorner", QPoint(92, 17), true, false},
                                           TPointerEdgeCase{"pastRight", QPoint(92, 5), true, false},
                                           TPointerEdgeCase{"twoPastBottom", QPoint(5, 18), false, false},
                                           TPointerEdgeCase{"left", QPoint(-1, 5), false, false}),
                         [](const auto &info) { return std::string(info.param.name); });

// Glyph 10 x 10 and text 20 x 8 in a 100 x 40 content rectangle, two pixels apart.
struct TPlaceCase
{
    const char *name;
    TButtonLayout::TTextAlign side;
    TButtonLayout::TAlignment alignment;
    QSize text;
    QSize trailer;
    QPoint glyph;
    QPoint textAt;
};

class ButtonLayoutPlace : public ::testing::TestWithParam<TPlaceCase>
{
};

TEST_P(ButtonLayoutPlace, PutsGlyphAndCaptionInOneBox)
{
    const TPlaceCase &c = GetParam();
    const TButtonLayout::TPlaced placed =
        TButtonLayout::Place(QRect(1, 1, 100, 40), QSize(10, 10), c.text, 2, c.side, c.alignment, c.trailer);
    EXPECT_EQ(placed.glyph, QRect(c.glyph, QSize(10, 10)));
    EXPECT_EQ(placed.text, QRect(c.textAt, c.text));
    EXPECT_TRUE(placed.box.contains(placed.glyph | placed.text));
}

using TLayout = TButtonLayout;
INSTANTIATE_TEST_SUITE_P(
    Cases, ButtonLayoutPlace,
    ::testing::Values(
        TPlaceCase{"right", TLayout::taRight, TLayout::agCenter, {20, 8}, {0, 0}, {35, 16}, {47, 17}},
        TPlaceCase{"left", TLayout::taLeft, TLayout::agCenter, {20, 8}, {0, 0}, {57, 16}, {35, 17}},
        TPlaceCase{"below", TLayout::taBottom, TLayout::agCenter, {20, 8}, {0, 0}, {46, 11}, {41, 23}},
        TPlaceCase{"above", TLayout::taTop, TLayout::agCenter, {20, 8}, {0, 0}, {46, 21}, {41, 11}},
        TPlaceCase{
            "noTextNoSpacing", TLayout::taRight, TLayout::agCenter, {0, 0}, {0, 0}, {46, 16}, {56, 21}},
        TPlaceCase{"trailerInTheBox",
                   TLayout::taRight,
                   TLayout::agRightBottom,
                   {20, 8},
                   {7, 14},
                   {62, 29},
                   {74, 30}},
        TPlaceCase{
            "belowWithTrailer", TLayout::taBottom, TLayout::agLeftTop, {20, 8}, {6, 0}, {6, 1}, {1, 13}}),
    [](const auto &info) { return std::string(info.param.name); });

struct TNumGlyphsCase
{
    int width;
    int height;
    int numGlyphs;
};

class ButtonGlyphSlices : public ::testing::TestWithParam<TNumGlyphsCase>
{
};

TEST_P(ButtonGlyphSlices, AWholeNumberOfSquaresBelowSixSetsTheCount)
{
    TButtonGlyph glyph;
    glyph.SetNumGlyphs(3);
    glyph.SetBitmap(QImage(GetParam().width, GetParam().height, QImage::Format_RGB888));
    EXPECT_EQ(glyph.NumGlyphs(), GetParam().numGlyphs);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ButtonGlyphSlices,
                         ::testing::Values(TNumGlyphsCase{40, 10, 4}, TNumGlyphsCase{10, 10, 1},
                                           TNumGlyphsCase{50, 10, 5}, TNumGlyphsCase{60, 10, 1},
                                           TNumGlyphsCase{46, 12, 3}));

TEST(ButtonGlyph, UncolouredGreysByBrightnessAgainstTheMean)
{
    QImage slice(4, 1, QImage::Format_RGB32);
    slice.setPixel(0, 0, qRgb(255, 0, 0));
    slice.setPixel(1, 0, qRgb(255, 255, 255));
    slice.setPixel(2, 0, qRgb(100, 100, 100));
    slice.setPixel(3, 0, qRgb(0, 0, 0));
    // Mean of 765, 300 and 0 is 355, so t = 155: white above 705, highlight above 405, shadow above 205.
    const QImage image = TButtonGlyph::Uncoloured(slice);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(2, 0), qRgb(128, 128, 128));
    EXPECT_EQ(image.pixel(3, 0), qRgb(0, 0, 0));
}

TEST(ButtonGlyph, DisabledEmbossesTheShape)
{
    QImage slice(4, 4, QImage::Format_RGB32);
    slice.fill(qRgb(255, 0, 0));
    slice.setPixel(1, 1, qRgb(255, 255, 0));
    const QImage image = TButtonGlyph::Disabled(slice, qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 1), qRgb(128, 128, 128));
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
}

TEST(ButtonGlyph, GlyphsOfOneSizeShareOneListFreedWithTheLast)
{
    ProcessState::ResetAll();
    {
        TButtonGlyph first;
        TButtonGlyph second;
        first.SetBitmap(Strip(4));
        first.SetNumGlyphs(4);
        second.SetBitmap(Strip(1, 11, 12).copy(0, 0, 11, 12));
        first.Image(3);
        second.Image(0);
        second.Image(2);
        EXPECT_EQ(TTestPeer<TGlyphCache>::Lists(), 1);
        EXPECT_EQ(TTestPeer<TGlyphCache>::Images(QSize(11, 12)), 3);
        EXPECT_EQ(first.Image(3).pixel(0, 0), 0u) << "the transparent colour is left out";
        EXPECT_NE(first.Image(3).pixel(6, 6), 0u);
        first.SetUnColorMain(false);
        EXPECT_EQ(TTestPeer<TGlyphCache>::Images(QSize(11, 12)), 2);
    }
    EXPECT_EQ(TTestPeer<TGlyphCache>::Lists(), 0);
}

} // namespace
