#include "displays/ChartTitle.h"

#include "displays/ChartFont.h"

TChartTitle::TChartTitle(QObject *parent)
    : TPersistent(parent), m_font(NewChartFont(this, [this] { Changed(); }))
{}

void TChartTitle::SetVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    Changed();
}

void TChartTitle::SetText(const QStringList &text)
{
    if (m_text == text)
        return;
    m_text = text;
    Changed();
}

void TChartTitle::SetAlignment(TControl::TAlignment alignment)
{
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    Changed();
}
