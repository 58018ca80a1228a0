#include "skin/FontFx.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QPainter>
#include <QRect>
#include <QString>

TFontFx::TFontFx(QObject *parent) : TPersistent(parent)
{}

void TFontFx::SetDisabledStyle(TDisabledStyle style)
{
    Store(m_disabledStyle, style);
}

void TFontFx::SetStyle3D(TStyle3D style)
{
    Store(m_style3D, style);
}

void TFontFx::SetDepth(int depth)
{
    Store(m_depth, std::clamp(depth, 0, kMaxDepth));
}

void TFontFx::SetHighlightColor(TColor color)
{
    Store(m_highlightColor, color);
}

void TFontFx::SetShadowColor(TColor color)
{
    Store(m_shadowColor, color);
}

void TFontFx::SetAngle(int angle)
{
    Store(m_angle, (angle % 360 + 360) % 360);
}

TFontFx::TPasses TFontFx::Passes(TColor color, bool enabled, bool styled) const
{
    const QPoint ahead(-m_depth, -m_depth);
    const QPoint behind(m_depth, m_depth);
    if (!enabled && m_disabledStyle == dsAuto)
        return {{{{QPoint(1, 1), clBtnHighlight}, {QPoint(0, 0), clBtnShadow}}}, 2};
    if (!styled)
        return {{{{QPoint(0, 0), color}}}, 1};
    switch (m_style3D) {
    case fxRaised:
        return {{{{ahead, m_highlightColor}, {behind, m_shadowColor}, {QPoint(0, 0), color}}}, 3};
    case fxLowered:
        return {{{{ahead, m_shadowColor}, {behind, m_highlightColor}, {QPoint(0, 0), color}}}, 3};
    case fxShadow:
        return {{{{behind, m_shadowColor}, {QPoint(0, 0), color}}}, 2};
    case fxNone:
        break;
    }
    return {{{{QPoint(0, 0), color}}}, 1};
}

QSize TFontFx::Extent(const QSize &text) const
{
    const QSize plain(text.width() + Spread(), text.height() + Spread());
    if (m_angle % 180 == 0)
        return plain;
    if (m_angle % 90 == 0)
        return plain.transposed();
    const double radians = m_angle * std::numbers::pi / 180;
    const double cosine = std::abs(std::cos(radians));
    const double sine = std::abs(std::sin(radians));
    return QSize(int(std::ceil(plain.width() * cosine + plain.height() * sine)),
                 int(std::ceil(plain.width() * sine + plain.height() * cosine)));
}

void TFontFx::Draw(QPainter &painter, const QRect &box, const QSize &text, int flags, const QString &caption,
                   TColor color, bool enabled) const
{
    const QSize plain(text.width() + Spread(), text.height() + Spread());
    painter.save();
    // The caption with its 3-D passes is one block, turned about the box's centre.
    painter.translate(box.x() + box.width() / 2.0, box.y() + box.height() / 2.0);
    painter.rotate(-m_angle);
    const QPointF origin(-plain.width() / 2.0 + Lead(), -plain.height() / 2.0 + Lead());
    for (const TPass &pass : Passes(color, enabled, true)) {
        painter.setPen(pass.color.ToQColor());
        painter.drawText(QRectF(origin + pass.offset, text), flags, caption);
    }
    painter.restore();
}

int TFontFx::Spread() const
{
    switch (m_style3D) {
    case fxRaised:
    case fxLowered:
        return 2 * m_depth;
    case fxShadow:
        return m_depth;
    case fxNone:
        break;
    }
    return 0;
}

int TFontFx::Lead() const
{
    return m_style3D == fxRaised || m_style3D == fxLowered ? m_depth : 0;
}
