#pragma once

#include <array>

#include <QPoint>
#include <QSize>

#include "runtime/Color.h"
#include "runtime/Persistent.h"

class QPainter;
class QRect;
class QString;

// The effects of a button's caption: a 3-D style (raised, lowered or shadowed by Depth pixels), a
// rotation by Angle degrees counter-clockwise about the caption's centre, and the look of a disabled
// caption. A caption with its effects takes Extent() of room and is drawn into a box of that size.
class TFontFx : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFontFx)
    Q_PROPERTY(TDisabledStyle DisabledStyle READ DisabledStyle WRITE SetDisabledStyle)
    Q_PROPERTY(TStyle3D Style3D READ Style3D WRITE SetStyle3D)
    Q_PROPERTY(int Depth READ Depth WRITE SetDepth)
    Q_PROPERTY(TColor HighlightColor READ HighlightColor WRITE SetHighlightColor)
    Q_PROPERTY(TColor ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(int Angle READ Angle WRITE SetAngle)

public:
    // dsAuto embosses a disabled caption in the highlight and shadow colours; dsNone leaves it as it is.
    enum TDisabledStyle
    {
        dsAuto,
        dsNone,
    };
    Q_ENUM(TDisabledStyle)
    // fxRaised: highlight up and left, shadow down and right; fxLowered the other way round; fxShadow:
    // the shadow colour down and right only.
    enum TStyle3D
    {
        fxNone,
        fxRaised,
        fxLowered,
        fxShadow,
    };
    Q_ENUM(TStyle3D)

    // Depth is cut to this; more would only smear the caption.
    static constexpr int kMaxDepth = 16;

    // One drawing of the shape: where, relative to the plain caption, and in which colour.
    struct TPass
    {
        QPoint offset;
        TColor color;
    };
    struct TPasses
    {
        std::array<TPass, 3> pass;
        int count = 0;
        const TPass *begin() const { return pass.data(); }
        const TPass *end() const { return pass.data() + count; }
    };

    explicit TFontFx(QObject *parent = nullptr);

    TDisabledStyle DisabledStyle() const { return m_disabledStyle; }
    void SetDisabledStyle(TDisabledStyle style);
    TStyle3D Style3D() const { return m_style3D; }
    void SetStyle3D(TStyle3D style);
    int Depth() const { return m_depth; }
    void SetDepth(int depth);
    TColor HighlightColor() const { return m_highlightColor; }
    void SetHighlightColor(TColor color);
    TColor ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(TColor color);
    // Taken modulo 360, as 0 to 359.
    int Angle() const { return m_angle; }
    void SetAngle(int angle);

    // The passes that draw a shape in `color`, last on top: embossed while disabled with dsAuto, else
    // with the 3-D style when `styled`.
    TPasses Passes(TColor color, bool enabled, bool styled) const;
    // The room a caption of plain size `text` takes with the effects.
    QSize Extent(const QSize &text) const;
    // Draws the caption, of plain size `text`, into `box` (of Extent(text)) with the painter's font.
    void Draw(QPainter &painter, const QRect &box, const QSize &text, int flags, const QString &caption,
              TColor color, bool enabled) const;

private:
    // How much the 3-D style widens and heightens the caption, and where the plain caption sits in it.
    int Spread() const;
    int Lead() const;

    TDisabledStyle m_disabledStyle = dsAuto;
    TStyle3D m_style3D = fxNone;
    int m_depth = 1;
    TColor m_highlightColor = clBtnHighlight;
    TColor m_shadowColor = clBtnShadow;
    int m_angle = 0;
};
