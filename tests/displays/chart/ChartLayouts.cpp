#include "tests/displays/chart/ChartLayouts.h"

#include "app/Classes.h"
#include "displays/chart/Chart.h"
#include "displays/chart/Series.h"
#include "runtime/layout/LayoutReader.h"
#include "tests/runtime/layout/TestClasses.h"

QString ChartLayouts::ChartBlock(const QString &name)
{
    const bool cpu = name == QLatin1String("CCPU");
    const QString leftAxis = cpu ? QStringLiteral("    LeftAxis.Automatic = False\n"
                                                  "    LeftAxis.AutomaticMaximum = False\n"
                                                  "    LeftAxis.AutomaticMinimum = False\n"
                                                  "    LeftAxis.Increment = 25\n"
                                                  "    LeftAxis.Maximum = 100\n")
                                 : QStringLiteral("    LeftAxis.Automatic = False\n"
                                                  "    LeftAxis.AutomaticMinimum = False\n"
                                                  "    LeftAxis.LabelsOnAxis = False\n"
                                                  "    LeftAxis.Minimum = 100\n");
    return QStringLiteral("  object %1: TChart\n"
                          "    Left = 8\n"
                          "    Top = 25\n"
                          "    Width = 265\n"
                          "    Height = 72\n"
                          "    BottomWall.Color = clWhite\n"
                          "    Foot.Font.Color = clRed\n"
                          "    Foot.Font.Height = -11\n"
                          "    Foot.Font.Name = 'Arial'\n"
                          "    Foot.Font.Style = [fsItalic]\n"
                          "    LeftWall.Color = clBlack\n"
                          "    Legend.Visible = False\n"
                          "    MarginBottom = 10\n"
                          "    MarginTop = 10\n"
                          "    MaxPointsPerPage = 30\n"
                          "    ScaleLastPage = False\n"
                          "    Title.Text = ('TChart')\n"
                          "    Title.Visible = False\n"
                          "    AllowPanning = pmHorizontal\n"
                          "    BottomAxis.Labels = False\n"
                          "    BottomAxis.Visible = False\n"
                          "    Frame.Color = clRed\n"
                          "    Frame.Visible = False\n"
                          "%2"
                          "    LeftAxis.Axis.Color = clRed\n"
                          "    LeftAxis.Axis.Visible = False\n"
                          "    LeftAxis.ExactDateTime = False\n"
                          "    LeftAxis.LabelsFont.Color = clLime\n"
                          "    LeftAxis.LabelsFont.Height = -11\n"
                          "    LeftAxis.LabelsFont.Name = 'Arial'\n"
                          "    LeftAxis.LabelsFont.Style = []\n"
                          "    LeftAxis.MinorTickCount = 0\n"
                          "    LeftAxis.MinorTickLength = 0\n"
                          "    LeftAxis.TickLength = 0\n"
                          "    LeftAxis.Title.Caption = '%3'\n"
                          "    LeftAxis.Title.Font.Color = clRed\n"
                          "    LeftAxis.Title.Font.Height = -11\n"
                          "    LeftAxis.Title.Font.Name = 'Arial'\n"
                          "    LeftAxis.Title.Font.Style = []\n"
                          "    RightAxis.Labels = False\n"
                          "    TopAxis.Labels = False\n"
                          "    View3D = False\n"
                          "    View3DWalls = False\n"
                          "    BevelOuter = bvNone\n"
                          "    BevelWidth = 0\n"
                          "    Color = clBlack\n"
                          "    object %4: TBarSeries\n"
                          "      Marks.ArrowLength = 20\n"
                          "      Marks.Style = smsValue\n"
                          "      Marks.Visible = False\n"
                          "      SeriesColor = 65408\n"
                          "      XValues.DateTime = False\n"
                          "      XValues.Name = 'X'\n"
                          "      XValues.Multiplier = 1\n"
                          "      XValues.Order = loAscending\n"
                          "      YValues.DateTime = False\n"
                          "      YValues.Name = 'Bar'\n"
                          "      YValues.Multiplier = 1\n"
                          "      YValues.Order = loNone\n"
                          "    end\n"
                          "  end\n")
        .arg(name, leftAxis, cpu ? QStringLiteral("CPU ps") : QStringLiteral("NCP ps"),
             cpu ? QStringLiteral("BarSeries2") : QStringLiteral("BarSeries1"));
}

std::unique_ptr<TTestForm> ChartLayouts::LoadBoth()
{
    RegisterTestClasses();
    RegisterClasses();
    auto form = std::make_unique<TTestForm>();
    ReadLayout(form.get(), QStringLiteral("object F: TTestForm\n") + ChartBlock(QStringLiteral("CCPU")) +
                               ChartBlock(QStringLiteral("CNCP")) + QStringLiteral("end\n"));
    form->resize(281, 105);
    form->show();
    return form;
}

void ChartLayouts::SamplerStep(TChart &chart, double sample, double threshold)
{
    TChartSeries *series = chart.Series(0);
    if (series->PointCount() > 30) {
        series->DeletePoint(0);
        series->XValues()->Renumber();
    }
    if (sample < threshold)
        series->AppendY(threshold, QString(), clGreen);
    else
        series->AppendY(sample, QString(), clLime);
}
