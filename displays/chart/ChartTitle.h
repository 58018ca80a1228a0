#pragma once

#include <QStringList>

#include "runtime/Control.h"
#include "runtime/Font.h"
#include "runtime/Persistent.h"

// The chart's title above the plot, or its foot below it: lines of text that take room only when shown.
class TChartTitle : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TChartTitle)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(QStringList Text READ Text WRITE SetText)
    Q_PROPERTY(TFont *Font READ Font)
    Q_PROPERTY(TControl::TAlignment Alignment READ Alignment WRITE SetAlignment)

public:
    explicit TChartTitle(QObject *parent = nullptr);

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    QStringList Text() const { return m_text; }
    void SetText(const QStringList &text);
    TFont *Font() const { return m_font; }
    TControl::TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TControl::TAlignment alignment);

private:
    bool m_visible = true;
    QStringList m_text;
    TFont *m_font;
    TControl::TAlignment m_alignment = TControl::taCenter;
};
