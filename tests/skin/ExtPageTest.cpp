#include "skin/ExtPage.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QToolTip>

#include "runtime/layout/ClassRegistry.h"
#include "runtime/layout/LayoutReader.h"
#include "skin/ExtPageInvalidCall.h"
#include "tests/runtime/layout/TestClasses.h"
#include "tests/runtime/layout/TestForm.h"

template <> struct TTestPeer<TExtPageControl>
{
    static QList<QRect> TabRects(const TExtPageControl &pages) { return pages.TabRects(); }
    static int HotTab(const TExtPageControl &pages) { return pages.m_hotTab; }
};

namespace {

using Peer = TTestPeer<TExtPageControl>;

class ExtPageTest : public ::testing::Test
{
protected:
    ExtPageTest()
    {
        pages->setObjectName("PMain");
        pages->SetBounds(2, 47, 371, 114);
        pages->SetTabStyle(TExtPageControl::tabStButton);
        cpu->SetTabVisible(false);
        ncp->SetTabVisible(false);
        pages->SetActivePage(cpu);
        pages->OnChange = [this](QObject *) { ++changes; };
        window.show();
    }

    TControl window;
    TExtPageControl *pages = new TExtPageControl(&window);
    TTabSheet *cpu = new TTabSheet(pages);
    TTabSheet *ncp = new TTabSheet(pages);
    int changes = 0;
};

TEST_F(ExtPageTest, SwitchingShowsTheNewPageInTheSamePlaceWithoutTabs)
{
    pages->SetActivePage(cpu);
    EXPECT_EQ(changes, 0) << "the current page again changes nothing";
    pages->SetActivePage(ncp);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(ncp->isVisible());
    EXPECT_FALSE(cpu->isVisible());
    EXPECT_EQ(ncp->geometry(), QRect(0, 2, 371, 112));
    EXPECT_EQ(cpu->geometry(), ncp->geometry());
    EXPECT_TRUE(Peer::TabRects(*pages).isEmpty());
}

TEST_F(ExtPageTest, AVetoKeepsTheCurrentPage)
{
    pages->OnChanging = [](QObject *, bool *allow) { *allow = false; };
    pages->SetActivePage(ncp);
    EXPECT_EQ(pages->ActivePage(), cpu);
    EXPECT_EQ(changes, 0);
}

TEST_F(ExtPageTest, OnlyAPageDisabledItselfIsRefused)
{
    ncp->SetEnabled(false);
    pages->SetActivePage(ncp);
    EXPECT_EQ(pages->ActivePage(), cpu);
    ncp->SetEnabled(true);
    pages->SetEnabled(false);
    pages->SetActivePage(ncp);
    EXPECT_EQ(pages->ActivePage(), ncp);
}

class ExtPageFocus : public ExtPageTest, public ::testing::WithParamInterface<bool>
{
};

// The focus leaves with the old page for the new page's first control that Tab reaches, or the new page.
TEST_P(ExtPageFocus, FollowsThePageThatHeldIt)
{
    const bool controls = GetParam();
    auto *old = new QLineEdit(cpu);
    old->show();
    QWidget *first = ncp;
    if (controls) {
        new QLabel(QStringLiteral("NCP"), ncp);
        first = new QLineEdit(ncp);
        new QLineEdit(ncp);
    }
    QApplication::setActiveWindow(&window);
    old->setFocus();
    ASSERT_TRUE(old->hasFocus());
    pages->SetActivePage(ncp);
    EXPECT_EQ(QApplication::focusWidget(), first);
}

INSTANTIATE_TEST_SUITE_P(NewPageWithControls, ExtPageFocus, ::testing::Bool());

TEST_F(ExtPageTest, AnUpdateHoldsBackTheControlsOwnPaintsOnly)
{
    struct TPaintCounter : QObject
    {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } pagePaints;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    int ownPaints = 0;
    pages->OnDrawBkgndInside = [&ownPaints](QObject *, QPainter *, QRect) { ++ownPaints; };
    cpu->installEventFilter(&pagePaints);
    pages->BeginUpdate();
    pages->BeginUpdate();
    pages->repaint();
    cpu->repaint();
    pages->EndUpdate();
    EXPECT_EQ(ownPaints, 0);
    EXPECT_EQ(pagePaints.paints, 1);
    pages->EndUpdate();
    EXPECT_GT(ownPaints, 0);
}

TEST_F(ExtPageTest, ResizingRelaysEveryPage)
{
    pages->SetBounds(2, 47, 200, 80);
    EXPECT_EQ(cpu->geometry(), QRect(0, 2, 200, 78));
    EXPECT_EQ(ncp->geometry(), QRect(0, 2, 200, 78));
}

TEST_F(ExtPageTest, VisibleTabsTakeARowAndMapToTheirPages)
{
    ncp->SetTabVisible(true);
    pages->SetTabHeight(20);
    EXPECT_EQ(Peer::TabRects(*pages).size(), 1);
    EXPECT_EQ(ncp->geometry().top(), 22);
    EXPECT_EQ(pages->TabIndex(ncp), 0);
    EXPECT_EQ(pages->TabIndex(cpu), -1);
    EXPECT_EQ(pages->PageIndexByTabIndex(0), 1);
    for (int tab : {1, -1}) {
        try {
            pages->PageIndexByTabIndex(tab);
            ADD_FAILURE() << "no page has tab " << tab;
        } catch (const EExtPageInvalidCall &error) {
            EXPECT_EQ(
                error.Message(),
                QStringLiteral("Function GetPageIndexByTabIndex of component PMain of class TExtPageControl "
                               "was called with an invalid parameter (CurrentTabIndex = %1).")
                    .arg(tab));
        }
    }
}

struct TStoredTabsCase
{
    const char *name;
    const char *secondTab;
    QRect page;
};

class ExtPageStored : public ::testing::TestWithParam<TStoredTabsCase>
{
};

// A stored page control lays its pages out once loaded, from the tabs as stored, not as they were on the way.
TEST_P(ExtPageStored, LaysItsPagesOutByTheStoredTabs)
{
    RegisterTestClasses();
    TClassRegistry::Instance().RegisterClass<TExtPageControl>();
    TClassRegistry::Instance().RegisterClass<TTabSheet>();
    TTestForm form;
    ReadLayout(&form,
               QStringLiteral("object F: TTestForm\n  object P: TExtPageControl\n    Width = 371\n"
                              "    Height = 114\n    ActivePage = A\n    TabHeight = 20\n"
                              "    TabStyle = tabStButton\n    object A: TTabSheet\n      Caption = 'A'\n"
                              "      TabVisible = False\n    end\n    object B: TTabSheet\n"
                              "      Caption = 'B'\n      TabVisible = %1\n    end\n  end\nend\n")
                   .arg(QLatin1String(GetParam().secondTab)));
    for (const char *name : {"A", "B"})
        EXPECT_EQ(form.findChild<TTabSheet *>(name)->geometry(), GetParam().page) << name;
}

INSTANTIATE_TEST_SUITE_P(Tabs, ExtPageStored,
                         ::testing::Values(TStoredTabsCase{"hidden", "False", QRect(0, 2, 371, 112)},
                                           TStoredTabsCase{"shown", "True", QRect(0, 22, 371, 92)}),
                         [](const auto &info) { return std::string(info.param.name); });

// The control's colour fills the page's surroundings; the parent's fills what the tab row leaves over.
TEST_F(ExtPageTest, FillsInsideAndOutsideWithTheColours)
{
    window.SetColor(clBlack);
    pages->SetColor(clLime);
    cpu->SetColor(clRed);
    QImage image = pages->grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 1), QColor(Qt::green)) << "above the page";
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::red));
    cpu->SetTabVisible(true);
    pages->SetTabHeight(20);
    image = pages->grab().toImage();
    const int beside = Peer::TabRects(*pages)[0].right() + 5;
    EXPECT_EQ(image.pixelColor(beside, 5), QColor(Qt::black)) << "beside the tab";
    EXPECT_EQ(image.pixelColor(beside, 19), QColor(Qt::green)) << "round the page";
    EXPECT_EQ(image.pixelColor(beside, 25), QColor(Qt::red));
    image.save(QStringLiteral("ExtPage.png"));
}

// A window with a handler for each event of the control that passes more than its sender.
class TPagesForm : public QWidget, public TComponent
{
    Q_OBJECT

public:
    Q_INVOKABLE void PagesChanging(QObject *, bool *AllowChange) { *AllowChange = false; }
    Q_INVOKABLE void InsideDrawn(QObject *, QPainter *Canvas, QRect Rect)
    {
        Canvas->fillRect(Rect, Qt::blue);
    }
    Q_INVOKABLE void OutsideDrawn(QObject *, QPainter *Canvas, QRect Rect)
    {
        Canvas->fillRect(Rect, Qt::yellow);
    }
    Q_INVOKABLE void TabDrawn(QObject *, QPainter *Canvas, int TabIndex, QRect Rect, bool Active)
    {
        Canvas->fillRect(Rect, TabIndex == 0 && Active ? Qt::green : Qt::cyan);
    }
};

TEST(ExtPageEvents, AStoredLayoutBindsTheDrawingAndChangingHandlers)
{
    RegisterTestClasses();
    TClassRegistry::Instance().RegisterClass<TExtPageControl>();
    TClassRegistry::Instance().RegisterClass<TTabSheet>();
    TPagesForm form;
    ReadLayout(&form, QStringLiteral("object F: TPagesForm\n  object P: TExtPageControl\n    Width = 200\n"
                                     "    Height = 100\n    ActivePage = A\n    TabHeight = 20\n"
                                     "    OnChanging = PagesChanging\n    OnDrawBkgndInside = InsideDrawn\n"
                                     "    OnDrawBkgndOutside = OutsideDrawn\n    OnDrawTab = TabDrawn\n"
                                     "    object A: TTabSheet\n      Caption = 'A'\n    end\n"
                                     "    object B: TTabSheet\n      Caption = 'B'\n    end\n  end\nend\n"));
    auto *pages = form.findChild<TExtPageControl *>("P");
    const QList<QRect> tabs = Peer::TabRects(*pages);
    ASSERT_EQ(tabs.size(), 2);
    const QImage image = pages->grab().toImage();
    EXPECT_EQ(image.pixelColor(tabs[0].center()), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(tabs[1].center()), QColor(Qt::cyan));
    EXPECT_EQ(image.pixelColor(tabs[1].right() + 5, 5), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(5, 21), QColor(Qt::blue));
    pages->SetActivePage(pages->Pages()[1]);
    EXPECT_EQ(pages->ActivePage(), pages->Pages()[0]) << "vetoed";
}

// Two pages with visible tabs "&CPU" and "&NCP", in a window of the given colour.
class ExtPageTabs : public ::testing::Test
{
protected:
    ExtPageTabs()
    {
        window.SetColor(clBlack);
        pages->SetBounds(0, 0, 300, 100);
        pages->SetTabHeight(24);
        pages->SetTabActiveColor(clWhite);
        pages->SetTabInactiveColor(clWhite);
        pages->TabInactiveFont()->SetColor(clBlack);
        cpu->SetCaption("&CPU");
        ncp->SetCaption("&NCP");
        pages->SetActivePage(cpu);
        window.show();
    }

    // How many pixels of the tab have the colour.
    int Pixels(int tab, QColor color) const
    {
        const QImage image = pages->grab(Peer::TabRects(*pages)[tab]).toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == color;
        return count;
    }
    // A strip of two 16 x 16 images on magenta, image i marked by a red square at (4, 4) of 2 + i pixels.
    static QImage Strip()
    {
        QImage strip(32, 16, QImage::Format_RGB32);
        strip.fill(QColor(255, 0, 255));
        QPainter painter(&strip);
        painter.fillRect(4, 4, 2, 2, Qt::red);
        painter.fillRect(20, 4, 3, 3, Qt::red);
        return strip;
    }

    TControl window;
    TExtPageControl *pages = new TExtPageControl(&window);
    TTabSheet *cpu = new TTabSheet(pages);
    TTabSheet *ncp = new TTabSheet(pages);
};

TEST_F(ExtPageTabs, AClickOrAnAcceleratorSelectsTheTabsPage)
{
    QTest::mouseClick(pages, Qt::LeftButton, {}, Peer::TabRects(*pages)[1].center());
    EXPECT_EQ(pages->ActivePage(), ncp);
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(pages->ActivePage(), cpu);
    cpu->SetCaption("&Load");
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    QTest::keyClick(&window, Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(pages->ActivePage(), cpu) << "a changed caption brings its accelerator";
    cpu->SetTabVisible(false);
    pages->SetActivePage(ncp);
    QTest::keyClick(&window, Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(pages->ActivePage(), ncp) << "a hidden tab has no accelerator";
}

struct TGlyphCase
{
    const char *name;
    TExtGlyphs::TGlyphPosition position;
    bool firstTabHidden;
    int extraWidth;
};

class ExtPageGlyphs : public ExtPageTabs, public ::testing::WithParamInterface<TGlyphCase>
{
};

// The tab grows by its image, which shows its page's slice without the transparent colour.
TEST_P(ExtPageGlyphs, TabsShowTheirPagesImages)
{
    const TGlyphCase &c = GetParam();
    const int textWidth = QFontMetrics(pages->TabActiveFont()->ToQFont()).horizontalAdvance("&NCP");
    pages->SetTabHeight(0);
    TExtGlyphs &glyphs = *pages->TabGlyphs();
    glyphs.SetGlyphBitmap(Strip());
    glyphs.SetNumGlyphs(2);
    glyphs.SetSpacing(3);
    glyphs.SetPosition(c.position);
    cpu->SetTabVisible(!c.firstTabHidden);
    const int ncpTab = pages->TabIndex(ncp);
    const QRect tab = Peer::TabRects(*pages)[ncpTab];
    EXPECT_EQ(tab.width(), textWidth + 12 + c.extraWidth);
    const int text = QFontMetrics(pages->TabActiveFont()->ToQFont()).height();
    EXPECT_EQ(tab.height(), c.position == TExtGlyphs::glPosLeft ? std::max(text, 16) + 6 : text + 3 + 16 + 6);
    EXPECT_EQ(Pixels(ncpTab, Qt::red), 9) << "the second page's image";
    EXPECT_EQ(Pixels(ncpTab, QColor(255, 0, 255)), 0);
}

INSTANTIATE_TEST_SUITE_P(Positions, ExtPageGlyphs,
                         ::testing::Values(TGlyphCase{"left", TExtGlyphs::glPosLeft, false, 16 + 3},
                                           TGlyphCase{"leftHiddenFirst", TExtGlyphs::glPosLeft, true, 16 + 3},
                                           TGlyphCase{"top", TExtGlyphs::glPosTop, false, 0}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ExtPageTabs, TheTabUnderThePointerTakesTheHotColourWhileHotTrackingIsOn)
{
    pages->Hottrack()->SetTabActiveColor(clRed);
    pages->Hottrack()->SetTabInactiveColor(clAqua);
    QTest::mouseMove(pages, Peer::TabRects(*pages)[0].center());
    EXPECT_EQ(Pixels(0, Qt::red), 0) << "hot tracking is off";
    pages->Hottrack()->SetEnabled(true);
    for (int tab : {1, 0}) {
        QTest::mouseMove(pages, Peer::TabRects(*pages)[tab].center());
        EXPECT_EQ(Peer::HotTab(*pages), tab);
        EXPECT_GT(Pixels(tab, tab == 0 ? Qt::red : Qt::cyan), 0);
        EXPECT_EQ(Pixels(1 - tab, Qt::red) + Pixels(1 - tab, Qt::cyan), 0)
            << "the other tab keeps its colour";
    }
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(pages, &leave);
    EXPECT_EQ(Peer::HotTab(*pages), -1);
}

TEST_F(ExtPageTabs, AnOwnerDrawsEveryVisibleTabInsteadOfTheControl)
{
    std::vector<std::tuple<int, QRect, bool>> drawn;
    pages->OnDrawTab = [&](QObject *, QPainter *canvas, int tab, QRect rect, bool active) {
        drawn.emplace_back(tab, rect, active);
        canvas->fillRect(rect, Qt::green);
    };
    cpu->SetTabVisible(false);
    const QRect tab = Peer::TabRects(*pages)[0];
    EXPECT_EQ(Pixels(0, Qt::green), tab.width() * tab.height());
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0], std::make_tuple(0, tab, false));
}

// Qt keeps a tool tip's text while it fades, so the cases that show nothing come first.
TEST_F(ExtPageTabs, AHintShowsOverItsTabOnlyWithShowHint)
{
    const auto hintOver = [this](int tab) {
        const QPoint at = Peer::TabRects(*pages)[tab].center();
        QHelpEvent help(QEvent::ToolTip, at, pages->mapToGlobal(at));
        QCoreApplication::sendEvent(pages, &help);
        return QToolTip::text();
    };
    pages->SetTabHints({"Processor"});
    EXPECT_EQ(hintOver(0), "") << "ShowHint is off";
    pages->SetShowHint(true);
    EXPECT_EQ(hintOver(1), "") << "a tab without a hint of its own";
    pages->SetTabHints({"Processor", "Requests"});
    EXPECT_EQ(hintOver(1), "Requests");
}

struct TScaleCase
{
    int multiplier;
    int divider;
    int tabHeight;
    int tabWidth;
    int fontHeight;
};

class ExtPageScale : public ::testing::TestWithParam<TScaleCase>
{
};

TEST_P(ExtPageScale, ScalesTheTabSizesAndFontsByOneRatio)
{
    const TScaleCase &c = GetParam();
    TExtPageControl pages;
    pages.SetTabHeight(20);
    pages.SetTabWidth(50);
    pages.TabActiveFont()->SetHeight(-11);
    pages.TabInactiveFont()->SetHeight(-11);
    pages.ChangeScale(c.multiplier, c.divider);
    EXPECT_EQ(pages.TabHeight(), c.tabHeight);
    EXPECT_EQ(pages.TabWidth(), c.tabWidth);
    EXPECT_EQ(pages.TabActiveFont()->Height(), c.fontHeight);
    EXPECT_EQ(pages.TabInactiveFont()->Height(), c.fontHeight);
}

INSTANTIATE_TEST_SUITE_P(Ratios, ExtPageScale,
                         ::testing::Values(TScaleCase{2, 1, 40, 100, -22}, TScaleCase{3, 4, 15, 38, -8},
                                           TScaleCase{1, 1, 20, 50, -11}, TScaleCase{1, 0, 20, 50, -11},
                                           TScaleCase{-2, 1, 20, 50, -11}, TScaleCase{0, 3, 20, 50, -11},
                                           TScaleCase{1 << 20, 1, TExtPageControl::kMaxTabSize,
                                                      TExtPageControl::kMaxTabSize, -TFont::kMaxHeight}));

} // namespace

#include "ExtPageTest.moc"
