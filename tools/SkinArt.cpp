// Draws the main window's artwork into a folder: the skin, the exit glyph and the expander strip, as PNG
// pictures. Usage: skinart DIRECTORY
#include <cstdio>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace {

const QColor kRed(255, 0, 0);
const QColor kYellow(0xED, 0xEC, 0x00);
const QColor kOlive(0x88, 0x88, 0x00);

QImage Canvas(int width, int height, const QColor &fill)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(fill);
    return image;
}

QImage Skin()
{
    QImage skin = Canvas(371, 188, Qt::black);
    QPainter painter(&skin);
    painter.fillRect(0, 0, 371, 22, kRed);
    // Three grip stripes, each a yellow top over an olive bottom.
    for (int top : {3, 8, 13}) {
        painter.fillRect(48, top, 223, 3, kYellow);
        painter.fillRect(48, top + 3, 223, 2, kOlive);
    }
    painter.fillRect(0, 22, 371, 3, Qt::white);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(16);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    const QRect name(277, 1, 84, 20);
    painter.setPen(QColor(0x40, 0, 0));
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (dx || dy)
                painter.drawText(name.translated(dx, dy), Qt::AlignCenter, QStringLiteral("Sembrolin"));
    painter.setPen(QColor(0xFF, 0xEE, 0x22));
    painter.drawText(name, Qt::AlignCenter, QStringLiteral("Sembrolin"));
    return skin;
}

QImage ExitGlyph()
{
    QImage glyph = Canvas(9, 10, kRed);
    for (int i = 0; i < 8; ++i) {
        glyph.setPixelColor(i, i + 1, kYellow);
        glyph.setPixelColor(i + 1, i + 1, kYellow);
        glyph.setPixelColor(8 - i, i + 1, kYellow);
        glyph.setPixelColor(7 - i, i + 1, kYellow);
    }
    return glyph;
}

// Up, Disabled and Hot point down; Down, the collapsed window's state, points up.
QImage ExpanderStrip()
{
    QImage strip = Canvas(46, 12, kRed);
    QPainter painter(&strip);
    painter.setPen(Qt::NoPen);
    for (int slice = 0; slice < 4; ++slice) {
        painter.setBrush(slice == 1 ? kOlive : kYellow);
        const int x = slice * 11;
        const QPolygon down{QPoint(x + 1, 3), QPoint(x + 10, 3), QPoint(x + 5, 8)};
        const QPolygon up{QPoint(x + 1, 8), QPoint(x + 10, 8), QPoint(x + 5, 3)};
        painter.drawPolygon(slice == 3 ? up : down);
    }
    return strip;
}

// The artwork has a handful of colours, so a palette keeps each picture small and quick to decode; past 256
// colours the conversion would dither, and the picture keeps its own pixels instead.
bool Save(const QImage &image, const QString &path)
{
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8);
    const bool exact = indexed.convertToFormat(image.format()) == image;
    return (exact ? indexed : image).save(path, "PNG");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: skinart DIRECTORY\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    const bool saved = Save(Skin(), folder + QStringLiteral("skin.png")) &&
                       Save(ExitGlyph(), folder + QStringLiteral("exit.png")) &&
                       Save(ExpanderStrip(), folder + QStringLiteral("expander.png"));
    return saved ? 0 : 1;
}
