#include "skin/CoolForm.h"

#include <vector>

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "resources/Resources.h"
#include "runtime/Form.h"
#include "skin/RegionData.h"
#include "skin/RegionType.h"

TCoolForm::TCoolForm(QWidget *parent) : TGraphicControl(parent), m_mask(new TRegionType(this))
{
    PlaceOnParent();
}

void TCoolForm::SetLeft(int)
{
    move(0, y());
}

void TCoolForm::SetTop(int)
{
    move(x(), 0);
}

void TCoolForm::SetPicture(const QString &name)
{
    m_pictureName = name;
    SetBitmap(ReadImage(name));
}

void TCoolForm::SetBitmap(const QImage &bitmap)
{
    m_bitmap = bitmap;
    SkinChanged();
    Invalidate();
}

void TCoolForm::SetTransparent(bool transparent)
{
    if (Change(m_transparent, transparent))
        Invalidate();
}

void TCoolForm::LoadMaskData(const QByteArray &block)
{
    m_maskBytes = block.mid(4);
    m_mask->SetRegionHandle(RegionData::Read(block));
    // The window takes a copy of its own; the holder keeps its region for writing the block.
    if (m_mask->RegionHandle() && parentWidget())
        window()->setMask(*m_mask->RegionHandle());
}

QByteArray TCoolForm::SaveMaskData() const
{
    return RegionData::Write(m_mask->RegionHandle());
}

std::vector<TDefinedProperty> TCoolForm::DefinedProperties()
{
    std::vector<TDefinedProperty> properties = TGraphicControl::DefinedProperties();
    properties.push_back({QStringLiteral("Mask2"),
                          [this](const QVariant &value) { LoadMaskData(value.toByteArray()); },
                          [this] { return QVariant(SaveMaskData()); }});
    return properties;
}

void TCoolForm::Invalidate()
{
    m_opaque.reset();
    TGraphicControl::Invalidate();
}

// The window takes the bitmap's size; the region no longer fits the new skin, but the window keeps the
// shape it has.
void TCoolForm::SkinChanged()
{
    QWidget *parent = parentWidget();
    if (parent && !m_bitmap.isNull()) {
        resize(m_bitmap.size());
        // The widget's size is the client area; a form's stored client size still wins once it is loaded.
        parent->resize(m_bitmap.size());
    }
    m_mask->SetRegionHandle(std::nullopt);
}

void TCoolForm::paintEvent(QPaintEvent *)
{
    if (m_bitmap.isNull())
        return;
    QPainter painter(this);
    if (m_transparent)
        painter.setClipRegion(OpaquePart());
    painter.drawImage(0, 0, m_bitmap);
}

namespace {

// The runs of a row's pixels that are not the key colour, as one-row rectangles.
template <class IsKey> void AddRuns(std::vector<QRect> &runs, int y, int width, IsKey isKey)
{
    for (int x = 0; x < width;) {
        while (x < width && isKey(x))
            ++x;
        const int start = x;
        while (x < width && !isKey(x))
            ++x;
        if (x > start)
            runs.emplace_back(start, y, x - start, 1);
    }
}

} // namespace

// The pixels that differ from the bottom-left one's colour, as runs per row: a clip instead of a keyed copy
// of the whole bitmap. A palette skin is read in its own indices, so nothing is expanded.
const QRegion &TCoolForm::OpaquePart()
{
    if (m_opaque)
        return *m_opaque;
    const int width = m_bitmap.width();
    const int height = m_bitmap.height();
    std::vector<QRect> runs;
    if (m_bitmap.format() == QImage::Format_Indexed8) {
        const QRgb key = m_bitmap.pixel(0, height - 1);
        std::vector<bool> keyed;
        for (const QRgb colour : m_bitmap.colorTable())
            keyed.push_back(colour == key);
        for (int y = 0; y < height; ++y) {
            const uchar *line = m_bitmap.constScanLine(y);
            AddRuns(runs, y, width, [&](int x) { return line[x] < keyed.size() && keyed[line[x]]; });
        }
    } else {
        const QImage bitmap = m_bitmap.convertToFormat(QImage::Format_RGB32);
        const QRgb key = bitmap.pixel(0, height - 1);
        for (int y = 0; y < height; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(bitmap.constScanLine(y));
            AddRuns(runs, y, width, [&](int x) { return line[x] == key; });
        }
    }
    m_opaque.emplace();
    m_opaque->setRects(runs.data(), int(runs.size()));
    return *m_opaque;
}

void TCoolForm::mousePressEvent(QMouseEvent *event)
{
    TGraphicControl::mousePressEvent(event);
    m_dragging = m_draggable;
    m_grab = event->position().toPoint();
    // Where the platform places windows itself, it moves this one with the pointer.
    if (m_dragging && QGuiApplication::platformName().startsWith(QLatin1String("wayland"))
        && window()->windowHandle())
        m_dragging = !window()->windowHandle()->startSystemMove();
}

void TCoolForm::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    QWidget *form = window();
    const QPoint point = event->position().toPoint();
    form->move(form->pos() + point - m_grab);
}

void TCoolForm::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    event->accept();
}

void TCoolForm::MouseMove(TShiftState, int, int)
{}

void TCoolForm::MouseUp(TMouseButton, TShiftState, int, int)
{}

bool TCoolForm::event(QEvent *event)
{
    if (event->type() == QEvent::ParentChange)
        PlaceOnParent();
    return TGraphicControl::event(event);
}

bool TCoolForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watchedParent && event->type() == QEvent::Resize)
        setGeometry(m_watchedParent->rect());
    return TGraphicControl::eventFilter(watched, event);
}

// The control fills its parent's client area for as long as it sits there.
void TCoolForm::PlaceOnParent()
{
    if (m_watchedParent)
        m_watchedParent->removeEventFilter(this);
    m_watchedParent = parentWidget();
    if (!m_watchedParent)
        return;
    m_watchedParent->installEventFilter(this);
    if (auto *form = qobject_cast<TForm *>(m_watchedParent))
        form->SetBorderStyle(TForm::bsNone);
    setGeometry(m_watchedParent->rect());
    lower();
}
