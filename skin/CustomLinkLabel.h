#pragma once

#include <vector>

#include <QFont>
#include <QImage>
#include <QPointer>

#include "runtime/GraphicControl.h"
#include "runtime/WinControl.h"

// A line of text with an optional drop shadow that sizes itself to its caption, and whose enter and leave
// events come in pairs: none while another application is active, and a leave only once a press that
// began on the label is released.
class TCustomLinkLabel : public TGraphicControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCustomLinkLabel)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(TTextLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(TColor ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(int ShadowSize READ ShadowSize WRITE SetShadowSize)
    Q_PROPERTY(TShadowPosition ShadowPos READ ShadowPos WRITE SetShadowPos)
    Q_PROPERTY(bool ShowAccelChar READ ShowAccelChar WRITE SetShowAccelChar)
    Q_PROPERTY(TWinControl *FocusControl READ FocusControl WRITE SetFocusControl)
    Q_PROPERTY(bool ShowFocus READ ShowFocus WRITE SetShowFocus)

public:
    enum TTextLayout
    {
        tlTop,
        tlCenter,
        tlBottom,
    };
    Q_ENUM(TTextLayout)
    enum TShadowPosition
    {
        spLeftTop,
        spLeftBottom,
        spRightBottom,
        spRightTop,
    };
    Q_ENUM(TShadowPosition)

    explicit TCustomLinkLabel(QWidget *parent = nullptr);

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout layout);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    TColor ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(TColor color);
    // A byte wide; larger values are cut to 255.
    int ShadowSize() const { return m_shadowSize; }
    void SetShadowSize(int size);
    TShadowPosition ShadowPos() const { return m_shadowPos; }
    void SetShadowPos(TShadowPosition position);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool show);
    TWinControl *FocusControl() const { return m_focusControl; }
    void SetFocusControl(TWinControl *control);
    bool ShowFocus() const { return m_showFocus; }
    void SetShowFocus(bool show);

    void Loaded() override;

protected:
    void CaptionChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct TTextLook
    {
        TColor color;
        TColor shadowColor;
        int shadowSize;
        TShadowPosition shadowPos;

        bool operator==(const TTextLook &) const = default;
    };
    // Everything the caption's pixels depend on.
    struct TTextKey
    {
        QString caption;
        QFont font;
        int flags = 0;
        TTextLook look;
        QRect rect;
        QSize size;
        qreal pixelRatio = 1;

        bool operator==(const TTextKey &) const = default;
    };
    // The rectangle the text and its shadow cover and, once drawn, the pixels themselves on a transparent
    // image of the label's size.
    struct TLaidOutText
    {
        TTextKey key;
        QRect covered;
        QImage pixels;
    };

    TTextLook Look() const;
    // Where the shadow stands from the text.
    static QPoint ShadowOffset(const TTextLook &look);
    int TextFlags() const;
    QString MeasuredText() const;
    // The rectangle that the text and its shadow cover, drawn at `r`; drawn too when a painter is given.
    QRect ShadowText(QPainter *painter, const QRect &r) const;
    // The caption laid out for `r` in the label's present look, drawn too when asked; kept for the few looks
    // the label last showed, as it alternates its captions and colours and laying text out costs the most.
    const TLaidOutText &LaidOut(const QRect &r, bool drawn) const;
    void AdjustBounds();
    void Recheck();

    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    bool m_autoSize = true;
    bool m_wordWrap = false;
    bool m_transparent = false;
    TColor m_shadowColor = clBtnHighlight;
    int m_shadowSize = 1;
    TShadowPosition m_shadowPos = spLeftTop;
    bool m_showAccelChar = true;
    QPointer<TWinControl> m_focusControl;
    bool m_showFocus = false;
    bool m_leftHeld = false;
    int m_shortcut = 0;
    mutable std::vector<TLaidOutText> m_laidOut;
};
