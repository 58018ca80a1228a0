#include "skin/ExtPage.h"

#include <gtest/gtest.h>

#include "skin/ExtPageInvalidCall.h"

namespace {

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
    EXPECT_TRUE(pages->TabRects().isEmpty());
}

TEST_F(ExtPageTest, AVetoKeepsTheCurrentPage)
{
    pages->OnChanging = [](QObject *, bool &allow) { allow = false; };
    pages->SetActivePage(ncp);
    EXPECT_EQ(pages->ActivePage(), cpu);
    EXPECT_EQ(changes, 0);
}

TEST_F(ExtPageTest, ADisabledPageIsRefused)
{
    ncp->SetEnabled(false);
    pages->SetActivePage(ncp);
    EXPECT_EQ(pages->ActivePage(), cpu);
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
    EXPECT_EQ(pages->TabRects().size(), 1);
    EXPECT_EQ(ncp->geometry().top(), 22);
    EXPECT_EQ(pages->TabIndex(ncp), 0);
    EXPECT_EQ(pages->TabIndex(cpu), -1);
    EXPECT_EQ(pages->PageIndexByTabIndex(0), 1);
    try {
        pages->PageIndexByTabIndex(1);
        FAIL() << "no page has tab 1";
    } catch (const EExtPageInvalidCall &error) {
        EXPECT_EQ(error.Message(), "Function GetPageIndexByTabIndex of component PMain of class TExtPageControl was "
                                   "called with an invalid parameter (CurrentTabIndex = 1).");
    }
}

TEST_F(ExtPageTest, FillsInsideAndOutsideWithTheColours)
{
    window.SetColor(clBlack);
    pages->SetColor(clLime);
    cpu->SetColor(clLime);
    const QImage image = pages->grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 5), QColor(0, 255, 0));
    image.save(QStringLiteral("ExtPage.png"));
}

} // namespace
