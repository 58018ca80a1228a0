#pragma once

#include <QString>

#include "runtime/Persistent.h"
#include "runtime/Font.h"

// The caption beside an axis, drawn turned by its angle (90: reading upwards).
class TChartAxisTitle : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TChartAxisTitle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Angle READ Angle WRITE SetAngle)
    Q_PROPERTY(TFont *Font READ Font)

public:
    TChartAxisTitle(QObject *parent, int angle);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    int Angle() const { return m_angle; }
    // Taken modulo 360 into 0..359.
    void SetAngle(int angle);
    TFont *Font() const { return m_font; }

    // Whether the text runs across the axis (turned a quarter), so that its height is its size.
    bool Vertical() const { return m_angle == 90 || m_angle == 270; }

private:
    QString m_caption;
    int m_angle;
    TFont *m_font;
};
