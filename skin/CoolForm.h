#pragma once

#include <optional>

#include <QByteArray>
#include <QImage>
#include <QRegion>
#include <QString>

#include "runtime/GraphicControl.h"
#include "runtime/TestPeer.h"

class TRegionType;

// The skin of a borderless window: an image control that covers its window's client area, cuts the window
// to a stored region (outside it nothing is drawn and clicks reach what lies behind) and moves the window
// while any mouse button drags it.
class TCoolForm : public TGraphicControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCoolForm)
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(QString Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool Draggable READ Draggable WRITE SetDraggable)

public:
    explicit TCoolForm(QWidget *parent = nullptr);

    // The control always sits at the window's origin, whatever is written.
    void SetLeft(int left);
    void SetTop(int top);

    // The name of an embedded image file; an unknown name gives an empty picture.
    QString Picture() const { return m_pictureName; }
    void SetPicture(const QString &name);
    // Leaves out the pixels of the bitmap's bottom-left colour, so the window's background shows there.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    bool Draggable() const { return m_draggable; }
    void SetDraggable(bool draggable) { m_draggable = draggable; }

    TRegionType *Mask() const { return m_mask; }

    // The "Mask2" block: a malformed one leaves the control without a region and the window as it was.
    void LoadMaskData(const QByteArray &block);
    QByteArray SaveMaskData() const;
    std::vector<TDefinedProperty> DefinedProperties() override;

protected:
    void Invalidate() override;
    void SkinChanged();

    // The skin's moves and releases are the drag's own: they raise no OnMouseMove or OnMouseUp.
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend struct TTestPeer<TCoolForm>;

    void SetBitmap(const QImage &bitmap);
    void PlaceOnParent();
    const QRegion &OpaquePart();

    TRegionType *m_mask;
    QString m_pictureName;
    QImage m_bitmap;
    std::optional<QRegion> m_opaque;
    bool m_transparent = false;
    bool m_draggable = true;
    bool m_dragging = false;
    QPoint m_grab;
    QByteArray m_maskBytes;
    QWidget *m_watchedParent = nullptr;
};
