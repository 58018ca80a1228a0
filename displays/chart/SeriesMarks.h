#pragma once

#include "runtime/Persistent.h"

// The value marks of a series: stored settings. The flat chart draws no marks, so they take no room.
class TSeriesMarks : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSeriesMarks)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TSeriesMarksStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(int ArrowLength READ ArrowLength WRITE SetArrowLength)

public:
    enum TSeriesMarksStyle
    {
        smsValue,
        smsPercent,
        smsLabel,
        smsLabelPercent,
        smsLabelValue,
        smsLegend,
        smsPercentTotal,
        smsLabelPercentTotal,
        smsXValue,
    };
    Q_ENUM(TSeriesMarksStyle)

    explicit TSeriesMarks(QObject *parent = nullptr);

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    TSeriesMarksStyle Style() const { return m_style; }
    void SetStyle(TSeriesMarksStyle style);
    int ArrowLength() const { return m_arrowLength; }
    void SetArrowLength(int length);

private:
    bool m_visible = false;
    TSeriesMarksStyle m_style = smsLabel;
    int m_arrowLength = 8;
};
