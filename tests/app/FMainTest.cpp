#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QTest>

#include "app/Classes.h"
#include "app/UMain.h"
#include "displays/chart/Series.h"
#include "runtime/Application.h"
#include "runtime/MenuItem.h"
#include "runtime/ProcessState.h"
#include "runtime/WebBrowser.h"
#include "runtime/layout/LayoutValues.h"
#include "runtime/layout/LayoutWriter.h"
#include "runtime/layout/Published.h"
#include "resources/Resources.h"
#include "tests/netware/NetWareFixture.h"

namespace {

class TRecordingBrowser : public TWebBrowser
{
public:
    int OpenWebAddress(const QString &address, const QString &, const QString &) override
    {
        opened << address;
        return kOpened;
    }

    QStringList opened;
};

class FMainChrome : public TNetWareFixture
{
protected:
    FMainChrome()
    {
        RegisterClasses();
        form = std::make_unique<TFMain>();
        TApplication::SetMainForm(form.get());
        form->StartUp();
    }

    ~FMainChrome() override { ProcessState::ResetAll(); }

    QObject *MenuItem(const char *name) const { return form->findChild<TMenuItem *>(name); }
    // As the pointer does it: in, then a click at the middle.
    static void Click(QWidget *control)
    {
        const QPoint middle = control->rect().center();
        QEnterEvent enter(middle, middle, control->mapToGlobal(QPointF(middle)));
        QCoreApplication::sendEvent(control, &enter);
        QTest::mouseClick(control, Qt::LeftButton, {}, middle);
    }

    TRecordingBrowser browser;
    TAdapterOverride<TWebBrowser> browsing{browser};
    std::unique_ptr<TFMain> form;
};

} // namespace

TEST_F(FMainChrome, TheTakeMenuSwitchesPageAndCaption)
{
    EXPECT_EQ(form->PMain->ActivePage(), static_cast<TTabSheet *>(form->TCPU));
    qobject_cast<TMenuItem *>(MenuItem("PMNCP"))->Click();
    EXPECT_EQ(form->PMain->ActivePage(), static_cast<TTabSheet *>(form->TNCP));
    EXPECT_EQ(form->BTakes->Caption(), "NCP");
    qobject_cast<TMenuItem *>(MenuItem("PMCPU"))->Click();
    EXPECT_EQ(form->PMain->ActivePage(), static_cast<TTabSheet *>(form->TCPU));
    EXPECT_EQ(form->BTakes->Caption(), "CPU");
}

TEST_F(FMainChrome, TheExpanderCollapsesToTheTopRowsAndBack)
{
    const QPoint place = form->pos();
    Click(form->BExpander);
    EXPECT_TRUE(form->BExpander->Pressed());
    EXPECT_EQ(form->Height(), 75);
    EXPECT_EQ(form->Width(), 371);
    EXPECT_EQ(form->BExpander->Hint(), "Expand");
    Click(form->BExpander);
    EXPECT_FALSE(form->BExpander->Pressed());
    EXPECT_EQ(form->Height(), 182);
    EXPECT_EQ(form->BExpander->Hint(), "Collapse");
    EXPECT_EQ(form->pos(), place);
}

TEST_F(FMainChrome, TheLinkAlternatesEveryTickAndOpensTheSiteItNames)
{
    form->RAdClick(nullptr);
    fake.SetCode("NWGetFileServerInfo", NW_ERR_NO_CONSOLE_RIGHTS);
    form->TServerStatsTimer(nullptr);
    EXPECT_EQ(form->RAd->Caption(), TFMain::kMakerText) << "the text turns even when the sample fails";
    form->RAdClick(nullptr);
    form->TServerStatsTimer(nullptr);
    EXPECT_EQ(form->RAd->Caption(), TFMain::kDistributorText);
    form->RAdClick(nullptr);
    EXPECT_EQ(browser.opened,
              QStringList({TFMain::kDistributorAddress, TFMain::kMakerAddress, TFMain::kDistributorAddress}));
}

TEST_F(FMainChrome, TheLinkIsRedUnderThePointer)
{
    const auto lettering = [this](QRgb colour) {
        const QImage shown = form->grab(form->RAd->geometry()).toImage();
        int pixels = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                pixels += shown.pixel(x, y) == colour;
        return pixels;
    };
    const QRgb red = qRgb(255, 0, 0);
    const QRgb lime = qRgb(0, 255, 0);
    // A link follows the pointer only while its window is the active one.
    form->Show();
    QApplication::setActiveWindow(form.get());
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), form->RAd->mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(form->RAd, &enter);
    EXPECT_GT(lettering(red), 0);
    EXPECT_EQ(lettering(lime), 0);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(form->RAd, &leave);
    EXPECT_EQ(lettering(red), 0);
    EXPECT_GT(lettering(lime), 0);
}

namespace {

// The objects of a layout text, each with its depth, in creation order.
QStringList ObjectLines(const QString &layout)
{
    QStringList objects;
    for (const QString &line : layout.split('\n'))
        if (line.trimmed().startsWith("object "))
            objects << line.trimmed().prepend(QString(line.indexOf("object"), ' '));
    return objects;
}

} // namespace

TEST(FMainLayout, WrittenBackItReadsTheSameTree)
{
    RegisterClasses();
    const QString stored = QString::fromUtf8(ReadResource("FMain.layout"));
    TFMain first;
    const QString written = WriteLayout(&first);
    EXPECT_EQ(ObjectLines(written), ObjectLines(stored));
    TFMain second(written);
    EXPECT_EQ(WriteLayout(&second).toStdString(), written.toStdString());
    ProcessState::ResetAll();
}

namespace {

// A published value of a component in the layout's own notation: `Font.Color` reads through sub-objects,
// an event gives the name of its handler, a reference the name of the component.
QString ShownValue(QObject *component, const QString &path)
{
    const QStringList names = path.split('.');
    QObject *holder = component;
    for (qsizetype i = 0; holder && i + 1 < names.size(); ++i)
        holder = Published::SubObject(holder, Published::Find(holder, names[i]));
    if (!holder)
        return "no such object";
    if (const TComponent *events = TComponent::Of(holder); events && events->EventProperty(names.back()))
        return events->HandlerName(names.back());
    const QMetaProperty property = Published::Find(holder, names.back());
    if (!property.isValid())
        return "no such property";
    const QVariant value = property.read(holder);
    if (Published::HoldsObject(property))
        return value.value<QObject *>() ? value.value<QObject *>()->objectName() : "nil";
    return LayoutValues::Text(property, value, QString()).remove('\n');
}

struct StoredControl
{
    const char *name;
    // `Property=value; ...`
    QString values;
};

void PrintTo(const StoredControl &control, std::ostream *out)
{
    *out << control.name;
}

class FMainStoredLayout : public testing::TestWithParam<StoredControl>
{
};

TEST_P(FMainStoredLayout, GivesEveryControlItsValues)
{
    RegisterClasses();
    {
        TFMain form;
        // Shown, as the program shows it, so that the skin has followed the window to its stored size.
        form.Show();
        QObject *component = GetParam().name == QLatin1String("FMain")
                                 ? &form
                                 : form.findChild<QObject *>(QLatin1String(GetParam().name));
        ASSERT_NE(component, nullptr);
        for (const QString &setting : GetParam().values.split("; ")) {
            const qsizetype equals = setting.indexOf('=');
            EXPECT_EQ(ShownValue(component, setting.left(equals)).toStdString(),
                      setting.mid(equals + 1).toStdString());
        }
    }
    ProcessState::ResetAll();
}

const QString kNoBevel = "Bevel.BevelInner=bvNone; Bevel.BevelOuter=bvNone; Bevel.BorderStyle=bsNone; "
                         "Bevel.BorderWidth=0; Bevel.BorderSpace=0";
const QString kLEDPanel = "DigitSize=ls08x13; MinValue=0; " + kNoBevel;
const QString kLEDTitle =
    "Left=8; Top=0; Width=37; Height=17; FontSize=fs11x13; NumChars=3; ParentColor=False; "
    "Bevel.BevelInner=bvNone; Bevel.BevelOuter=bvNone; Bevel.BorderStyle=bsNone; "
    "Bevel.BorderSpace=2; Bevel.BorderSpaceColor=clBlack";
const QString kMeter =
    "Left=56; Top=3; Height=11; SpotSpace=2; SpotWidth=3; Bar1Color=clLime; Bar2Color=clLime; "
    "Samples=20; DecayMode=dmExponential; " +
    kNoBevel;
const QString kLimeLabel = "Height=13; Font.Color=clLime; Font.Pitch=fpVariable; Font.Name='MS Sans Serif'; "
                           "Font.Height=-11";
const QString kChart =
    "Left=8; Top=25; Width=265; Height=72; Color=clBlack; BevelOuter=bvNone; BevelWidth=0; View3D=False; "
    "View3DWalls=False; Legend.Visible=False; Title.Text=('TChart'); Title.Visible=False; Frame.Color=clRed; "
    "Frame.Visible=False; Foot.Font.Color=clRed; Foot.Font.Name='Arial'; Foot.Font.Style=[fsItalic]; "
    "LeftWall.Color=clBlack; BottomWall.Color=clWhite; MarginTop=10; MarginBottom=10; MaxPointsPerPage=30; "
    "ScaleLastPage=False; AllowPanning=pmHorizontal; BottomAxis.Visible=False; BottomAxis.Labels=False; "
    "TopAxis.Labels=False; RightAxis.Labels=False; LeftAxis.Axis.Color=clRed; LeftAxis.Axis.Visible=False; "
    "LeftAxis.LabelsFont.Color=clLime; LeftAxis.LabelsFont.Name='Arial'; LeftAxis.LabelsFont.Height=-11; "
    "LeftAxis.TickLength=0; LeftAxis.MinorTickLength=0; LeftAxis.MinorTickCount=0; "
    "LeftAxis.Title.Font.Color=clRed; LeftAxis.Title.Font.Name='Arial'; LeftAxis.ExactDateTime=False; "
    "LeftAxis.Automatic=False; LeftAxis.AutomaticMinimum=False";
const QString kSeries = "SeriesColor=65408; Marks.Visible=False; Marks.Style=smsValue; Marks.ArrowLength=20; "
                        "XValues.Name='X'; XValues.Order=loAscending; XValues.Multiplier=1.0; "
                        "YValues.Name='Bar'; YValues.Order=loNone; YValues.Multiplier=1.0";
const QString kWhiteFont = "Font.Color=clWhite; Font.Name='MS Sans Serif'; Font.Height=-11";

INSTANTIATE_TEST_SUITE_P(
    Controls, FMainStoredLayout,
    testing::Values(
        StoredControl{"FMain", "Left=255; Top=167; ClientWidth=371; ClientHeight=182; BorderStyle=bsNone; "
                               "Caption='FMain'; Color=clBlack; Font.Name='MS Sans Serif'; Font.Height=-11; "
                               "Font.Color=clWindowText"},
        StoredControl{"CFMain", "Left=0; Top=0; Width=371; Height=182; Picture='skin.png'; Transparent=True; "
                                "Draggable=True"},
        StoredControl{"BExit",
                      "Left=6; Top=4; Width=17; Height=17; Hint='Exit'; ShowHint=True; Glyph='exit.png'; "
                      "UnColorMain=False; OnClick=BExitClick; " +
                          kWhiteFont},
        StoredControl{"BTakes",
                      "Left=101; Top=30; Width=84; Height=17; Caption='CPU'; DropDownMenu=PTakes; " +
                          kWhiteFont},
        StoredControl{"BServer", "Left=5; Top=30; Width=92; Height=17; Caption='Select Server'; "
                                 "DropDownMenu=PServer; " +
                                     kWhiteFont},
        StoredControl{"BExpander",
                      "Left=26; Top=4; Width=17; Height=17; Hint='Collapse'; ShowHint=True; "
                      "Glyph='expander.png'; NumGlyphs=4; EnterColor=clActiveCaption; "
                      "FontFx.DisabledStyle=dsNone; GroupIndex=1; AllowAllUp=True; UnColorMain=False; "
                      "Pressed=False; OnClick=BExpanderClick"},
        StoredControl{
            "RAd", "Left=8; Top=160; AutoSize=True; Caption='Click to visit Pellmont'; Cursor=crHandPoint; "
                   "ShadowSize=0; OnClick=RAdClick; OnMouseEnter=RAdMouseEnter; "
                   "OnMouseLeave=RAdMouseLeave; " +
                       kLimeLabel},
        StoredControl{"PMain",
                      "Left=2; Top=47; Width=371; Height=114; ActivePage=TCPU; TabHeight=0; TabWidth=0; "
                      "TabStyle=tabStButton; TabInactiveColor=10789024"},
        StoredControl{"TCPU", "Caption='TCPU'; TabVisible=False"},
        StoredControl{"TNCP", "Caption='TNCP'; TabVisible=False"}, StoredControl{"TimerList1", "Active=True"},
        StoredControl{"TServerStats", "Interval=1000; Enabled=True; Cycled=True; RepeatCount=0; "
                                      "OnTimer=TServerStatsTimer"},
        StoredControl{"PMCPU", "Caption='CPU'; OnClick=PMCPUClick"},
        StoredControl{"PMNCP", "Caption='NCP'; OnClick=PMNCPClick"},
        StoredControl{"DispLEDLabel1", "Caption='CPU'; " + kLEDTitle},
        StoredControl{"DispLEDLabel2", "Caption='NCP'; " + kLEDTitle},
        StoredControl{"LEVCPU", "Width=257; " + kMeter},
        StoredControl{"LEVNCP", "Width=209; Point1=100; Point2=100; " + kMeter},
        StoredControl{"LEDCPU",
                      "Left=328; Top=2; Width=23; Height=13; NumDigits=3; MaxValue=100; " + kLEDPanel},
        StoredControl{"LEDNCP",
                      "Left=280; Top=2; Width=71; Height=13; NumDigits=9; MaxValue=999999999; " + kLEDPanel},
        StoredControl{"Label1", "Left=290; Top=24; Width=50; Caption='Peak CPU'; " + kLimeLabel},
        StoredControl{"Label3", "Left=290; Top=24; Width=50; Caption='Peak NCP'; " + kLimeLabel},
        StoredControl{"LEDCPU_Peak",
                      "Left=304; Top=42; Width=23; Height=13; NumDigits=3; MaxValue=100; " + kLEDPanel},
        StoredControl{"LEDNCP_Peak",
                      "Left=296; Top=42; Width=39; Height=13; NumDigits=5; MaxValue=999999999; " + kLEDPanel},
        StoredControl{"Label2", "Left=283; Top=64; Width=65; Caption='Average CPU'; " + kLimeLabel},
        StoredControl{"Label4", "Left=283; Top=64; Width=65; Caption='Average NCP'; " + kLimeLabel},
        StoredControl{"LEDCPU_Average",
                      "Left=304; Top=82; Width=23; Height=13; NumDigits=3; MaxValue=100; " + kLEDPanel},
        StoredControl{"LEDNCP_Average",
                      "Left=296; Top=82; Width=39; Height=13; NumDigits=5; MaxValue=99999999; " + kLEDPanel},
        StoredControl{"CCPU", kChart + "; LeftAxis.AutomaticMaximum=False; LeftAxis.Maximum=100.0; "
                                       "LeftAxis.Increment=25.0; LeftAxis.Title.Caption='CPU ps'"},
        StoredControl{"CNCP", kChart + "; LeftAxis.Minimum=100.0; LeftAxis.LabelsOnAxis=False; "
                                       "LeftAxis.Title.Caption='NCP ps'"},
        StoredControl{"BarSeries2", kSeries}, StoredControl{"BarSeries1", kSeries}));

} // namespace

TEST(FMainLayout, StacksItsControlsAndShapesTheWindowAsStored)
{
    RegisterClasses();
    {
        TFMain form;
        QStringList stacked;
        for (const QWidget *control : form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (!control->isWindow())
                stacked << control->objectName();
        EXPECT_EQ(stacked,
                  QStringList({"CFMain", "BExit", "BTakes", "BServer", "BExpander", "RAd", "PMain"}));
        EXPECT_EQ(form.mask(), QRegion(1, 0, 371, 22) + QRegion(1, 25, 371, 163));
        EXPECT_EQ(form.PServer->Count(), 0);
        EXPECT_EQ(form.Cpu.Chart->Series(0), form.findChild<TChartSeries *>("BarSeries2"));
        EXPECT_EQ(form.Ncp.Chart->Series(0), form.findChild<TChartSeries *>("BarSeries1"));
    }
    ProcessState::ResetAll();
}
