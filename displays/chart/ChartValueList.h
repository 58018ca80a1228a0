#pragma once

#include <vector>

#include <QString>

#include "runtime/Persistent.h"

// One dimension of a series' points: the raw values in point order, read through a multiplier, with a
// running total and the smallest and largest value kept as points come and go.
class TChartValueList : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TChartValueList)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(double Multiplier READ Multiplier WRITE SetMultiplier)
    Q_PROPERTY(TChartListOrder Order READ Order WRITE SetOrder)
    Q_PROPERTY(bool DateTime READ DateTime WRITE SetDateTime)

public:
    enum TChartListOrder
    {
        loNone,
        loAscending,
        loDescending,
    };
    Q_ENUM(TChartListOrder)

    TChartValueList(QObject *parent, const QString &name, TChartListOrder order);

    QString Name() const { return m_name; }
    void SetName(const QString &name);
    double Multiplier() const { return m_multiplier; }
    // A multiplier that is not a finite number is refused; a change recomputes the statistics.
    void SetMultiplier(double multiplier);
    TChartListOrder Order() const { return m_order; }
    void SetOrder(TChartListOrder order);
    bool DateTime() const { return m_dateTime; }
    void SetDateTime(bool dateTime);

    int Count() const { return int(m_values.size()); }
    // Raw value times the multiplier.
    double Value(int index) const { return m_values[size_t(index)] * m_multiplier; }
    double Total() const { return m_total; }
    double TotalAbs() const { return m_totalAbs; }
    // Both 0 while the list is empty.
    double MinValue() const { return m_minValue; }
    double MaxValue() const { return m_maxValue; }
    double PendingValue() const { return m_pending; }
    void SetPendingValue(double value) { m_pending = value; }

    // Where a raw value goes by the order: after every equal value, before the larger (ascending) ones.
    int InsertPosition(double raw) const;
    void Insert(int index, double raw);
    void Delete(int index);
    // Value i becomes i again; the total stays as it was, the limits follow.
    void Renumber();

private:
    void RescanLimits();

    QString m_name;
    double m_multiplier = 1.0;
    TChartListOrder m_order;
    bool m_dateTime = false;
    std::vector<double> m_values;
    double m_total = 0;
    double m_totalAbs = 0;
    double m_minValue = 0;
    double m_maxValue = 0;
    double m_pending = 0;
};
