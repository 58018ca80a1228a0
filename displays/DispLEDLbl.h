#pragma once

#include <QImage>

#include "displays/DispObj.h"
#include "runtime/TestPeer.h"

class QTimer;

// A short text in a 5 x 7 dot-matrix LED font, optionally scrolling to the left. Its size follows the
// text (or the number of cells) and the font; the codes a to g show level bars of 1 to 7 rows.
class TDispLEDLabel : public TDispGraphicControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDispLEDLabel)
    Q_PROPERTY(TDispLEDFontSize FontSize READ FontSize WRITE SetFontSize)
    Q_PROPERTY(int NumChars READ NumChars WRITE SetNumChars)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(int LEDSpace READ LEDSpace WRITE SetLEDSpace)
    Q_PROPERTY(TColor LEDColor READ LEDColor WRITE SetLEDColor)
    Q_PROPERTY(TColor InactiveColor READ InactiveColor WRITE SetInactiveColor)
    Q_PROPERTY(bool DrawInactive READ DrawInactive WRITE SetDrawInactive)
    Q_PROPERTY(bool AutoScroll READ AutoScroll WRITE SetAutoScroll)
    Q_PROPERTY(int ScrollSpeed READ ScrollSpeed WRITE SetScrollSpeed)
    Q_PROPERTY(int StartStep READ StartStep WRITE SetStartStep)
    Q_PROPERTY(int CurrentStep READ CurrentStep WRITE SetCurrentStep)

public:
    enum TDispLEDFontSize
    {
        fs11x13,
        fs16x20,
    };
    Q_ENUM(TDispLEDFontSize)

    explicit TDispLEDLabel(QWidget *parent = nullptr);

    TDispLEDFontSize FontSize() const { return m_fontSize; }
    void SetFontSize(TDispLEDFontSize size);
    int NumChars() const { return m_numChars; }
    void SetNumChars(int count);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    int LEDSpace() const { return m_ledSpace; }
    void SetLEDSpace(int space);
    TColor LEDColor() const { return m_ledColor; }
    void SetLEDColor(TColor color);
    TColor InactiveColor() const { return m_inactiveColor; }
    void SetInactiveColor(TColor color);
    bool DrawInactive() const { return m_drawInactive; }
    void SetDrawInactive(bool drawInactive);
    bool AutoScroll() const { return m_autoScroll; }
    void SetAutoScroll(bool autoScroll);
    int ScrollSpeed() const { return m_scrollSpeed; }
    void SetScrollSpeed(int milliseconds);
    int StartStep() const { return m_startStep; }
    void SetStartStep(int step);
    int CurrentStep() const { return m_currentStep; }
    void SetCurrentStep(int step);

    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void Loaded() override;

    TNotifyEvent OnBegin;
    TNotifyEvent OnStep;
    TNotifyEvent OnEnd;

protected:
    void Paint(QPainter &painter) override;
    void CaptionChanged() override;
    void ColorChanged() override;
    void BevelChanged() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend struct TTestPeer<TDispLEDLabel>;

    bool Scrolling() const;
    // One step of the scroll timer.
    void ScrollStep();
    // The NumChars characters shown now, padded with spaces as aligned.
    QString VisibleText() const;
    // The strip cell of a character code; 0 for codes without a glyph.
    static int Cell(ushort code);
    void StripChanged();
    const QImage &Strip() const;
    QSize CellSize() const;
    // From the width when the size was asked for, else from NumChars or the caption.
    void Relayout(bool fromWidth = false);
    QSize LayoutSize() const;
    void FollowBounds();
    void StartScrolling();
    void RenderText(QPainter &painter) const;
    bool AcceptsStep(int step) const;

    TDispLEDFontSize m_fontSize = fs16x20;
    int m_numChars = 11;
    bool m_autoSize = true;
    TAlignment m_alignment = taLeftJustify;
    int m_ledSpace = 1;
    TColor m_ledColor = clLime;
    TColor m_inactiveColor = clGreen;
    bool m_drawInactive = true;
    bool m_autoScroll = false;
    int m_scrollSpeed = 100;
    int m_startStep = 0;
    int m_currentStep = 0;
    // Recoloured when first drawn.
    mutable QImage m_strip;
    QTimer *m_timer;
};
