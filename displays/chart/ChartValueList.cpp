#include "displays/chart/ChartValueList.h"

#include <algorithm>
#include <cmath>

TChartValueList::TChartValueList(QObject *parent, const QString &name, TChartListOrder order)
    : TPersistent(parent), m_name(name), m_order(order)
{}

void TChartValueList::SetName(const QString &name)
{
    m_name = name;
}

void TChartValueList::SetMultiplier(double multiplier)
{
    if (!std::isfinite(multiplier) || m_multiplier == multiplier)
        return;
    m_multiplier = multiplier;
    m_total = 0;
    m_totalAbs = 0;
    for (double raw : m_values) {
        m_total += raw * multiplier;
        m_totalAbs += std::fabs(raw * multiplier);
    }
    RescanLimits();
    Changed();
}

void TChartValueList::SetOrder(TChartListOrder order)
{
    m_order = order;
}

void TChartValueList::SetDateTime(bool dateTime)
{
    Store(m_dateTime, dateTime);
}

int TChartValueList::InsertPosition(double raw) const
{
    int i = Count() - 1;
    if (m_order == loAscending)
        while (i >= 0 && raw < m_values[size_t(i)])
            --i;
    else if (m_order == loDescending)
        while (i >= 0 && raw > m_values[size_t(i)])
            --i;
    return i + 1;
}

void TChartValueList::Insert(int index, double raw)
{
    m_values.insert(m_values.begin() + index, raw);
    const double value = raw * m_multiplier;
    m_total += value;
    m_totalAbs += std::fabs(value);
    if (m_values.size() == 1) {
        m_minValue = value;
        m_maxValue = value;
    } else {
        m_minValue = std::min(m_minValue, value);
        m_maxValue = std::max(m_maxValue, value);
    }
}

void TChartValueList::Delete(int index)
{
    const double value = Value(index);
    m_values.erase(m_values.begin() + index);
    m_total -= value;
    m_totalAbs -= std::fabs(value);
    RescanLimits();
}

void TChartValueList::Renumber()
{
    for (size_t i = 0; i < m_values.size(); ++i)
        m_values[i] = double(i);
    RescanLimits();
}

void TChartValueList::RescanLimits()
{
    m_minValue = 0;
    m_maxValue = 0;
    for (int i = 0; i < Count(); ++i) {
        const double value = Value(i);
        m_minValue = i == 0 ? value : std::min(m_minValue, value);
        m_maxValue = i == 0 ? value : std::max(m_maxValue, value);
    }
}
