#include "displays/chart/ChartTitle.h"

#include "displays/chart/ChartFont.h"

TChartTitle::TChartTitle(QObject *parent)
    : TPersistent(parent), m_font(NewChartFont(this, [this] { Changed(); }))
{}

void TChartTitle::SetVisible(bool visible)
{
    Store(m_visible, visible);
}

void TChartTitle::SetText(const QStringList &text)
{
    Store(m_text, text);
}

void TChartTitle::SetAlignment(TControl::TAlignment alignment)
{
    Store(m_alignment, alignment);
}
