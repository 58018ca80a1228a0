#pragma once

#include <QRect>

#include "runtime/Color.h"
#include "runtime/GraphicControl.h"
#include "runtime/Persistent.h"
#include "runtime/WinControl.h"

class QPainter;

// The base of a display's stored sub-objects: the update lock and the one owner change handler.
class TDispObject : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDispObject)

public:
    explicit TDispObject(QObject *parent = nullptr);
};

// The frame of every display: an optional window-frame ring, an outer 3-D bevel, a flat border, an inner
// 3-D bevel and a flat gap, from the outside in.
class TDispBevel : public TDispObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDispBevel)
    Q_PROPERTY(TBevelCut BevelInner READ BevelInner WRITE SetBevelInner)
    Q_PROPERTY(TBevelCut BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(int BevelInnerWidth READ BevelInnerWidth WRITE SetBevelInnerWidth)
    Q_PROPERTY(int BevelOuterWidth READ BevelOuterWidth WRITE SetBevelOuterWidth)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(int BorderSpace READ BorderSpace WRITE SetBorderSpace)
    Q_PROPERTY(TColor BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(TColor BorderSpaceColor READ BorderSpaceColor WRITE SetBorderSpaceColor)
    Q_PROPERTY(TColor InnerLightColor READ InnerLightColor WRITE SetInnerLightColor)
    Q_PROPERTY(TColor InnerShadowColor READ InnerShadowColor WRITE SetInnerShadowColor)
    Q_PROPERTY(TColor OuterLightColor READ OuterLightColor WRITE SetOuterLightColor)
    Q_PROPERTY(TColor OuterShadowColor READ OuterShadowColor WRITE SetOuterShadowColor)

public:
    enum TBevelCut
    {
        bvNone,
        bvLowered,
        bvRaised,
    };
    Q_ENUM(TBevelCut)

    enum TBorderStyle
    {
        bsNone,
        bsSingle,
    };
    Q_ENUM(TBorderStyle)

    // Indices of the indexed colour setter.
    enum TColorIndex
    {
        ciBorder,
        ciBorderSpace,
        ciInnerLight,
        ciInnerShadow,
        ciOuterLight,
        ciOuterShadow,
        ciCount,
    };

    explicit TDispBevel(QObject *parent = nullptr);

    TBevelCut BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TBevelCut cut);
    TBevelCut BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TBevelCut cut);
    int BevelInnerWidth() const { return m_bevelInnerWidth; }
    void SetBevelInnerWidth(int width);
    int BevelOuterWidth() const { return m_bevelOuterWidth; }
    void SetBevelOuterWidth(int width);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int width);
    int BorderSpace() const { return m_borderSpace; }
    void SetBorderSpace(int space);

    TColor Color(TColorIndex index) const { return m_colors[index]; }
    // An index outside the six is ignored.
    void SetColor(TColorIndex index, TColor color);
    TColor BorderColor() const { return m_colors[ciBorder]; }
    void SetBorderColor(TColor color) { SetColor(ciBorder, color); }
    TColor BorderSpaceColor() const { return m_colors[ciBorderSpace]; }
    void SetBorderSpaceColor(TColor color) { SetColor(ciBorderSpace, color); }
    TColor InnerLightColor() const { return m_colors[ciInnerLight]; }
    void SetInnerLightColor(TColor color) { SetColor(ciInnerLight, color); }
    TColor InnerShadowColor() const { return m_colors[ciInnerShadow]; }
    void SetInnerShadowColor(TColor color) { SetColor(ciInnerShadow, color); }
    TColor OuterLightColor() const { return m_colors[ciOuterLight]; }
    void SetOuterLightColor(TColor color) { SetColor(ciOuterLight, color); }
    TColor OuterShadowColor() const { return m_colors[ciOuterShadow]; }
    void SetOuterShadowColor(TColor color) { SetColor(ciOuterShadow, color); }

    // Copies all thirteen values under one lock, so the owner hears of it exactly once.
    void Assign(const TDispBevel &source);

    // Pixels taken from each side of the control.
    int BevelExtent() const;
    // Draws the frame on the outer rectangle and returns what is left inside it. Without drawBorder the
    // flat border is left unpainted, though it still takes its width.
    QRect PaintBevel(QPainter &painter, const QRect &outer, bool drawBorder) const;

private:
    TBevelCut m_bevelInner = bvNone;
    TBevelCut m_bevelOuter = bvLowered;
    int m_bevelInnerWidth = 1;
    int m_bevelOuterWidth = 1;
    TBorderStyle m_borderStyle = bsNone;
    int m_borderWidth = 0;
    int m_borderSpace = 0;
    TColor m_colors[ciCount];
};

// A windowed display: a panel framed only by its bevel, whose children lie inside the bevel.
class TDispCustomPanel : public TWinControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDispCustomPanel)
    Q_PROPERTY(TDispBevel *Bevel READ Bevel)

public:
    explicit TDispCustomPanel(QWidget *parent = nullptr);
    ~TDispCustomPanel() override;

    TDispBevel *Bevel() const { return m_bevel; }
    // The client rectangle shrunk by the bevel.
    QRect InnerRect() const;

protected:
    // A change of the bevel; the base invalidates.
    virtual void BevelChanged();

    void paintEvent(QPaintEvent *event) override;

private:
    TDispBevel *m_bevel;
};

// A windowless display that paints its whole rectangle: the bevel, then its colour inside.
class TDispGraphicControl : public TGraphicControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDispGraphicControl)
    Q_PROPERTY(TDispBevel *Bevel READ Bevel)

public:
    explicit TDispGraphicControl(QWidget *parent = nullptr);
    ~TDispGraphicControl() override;

    TDispBevel *Bevel() const { return m_bevel; }
    QRect InnerRect() const;

protected:
    // A change of the bevel; the base invalidates.
    virtual void BevelChanged();
    // The bevel and the colour fill; displays draw their content after calling it.
    virtual void Paint(QPainter &painter);

    void paintEvent(QPaintEvent *event) override;

private:
    TDispBevel *m_bevel;
};
