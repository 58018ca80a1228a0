// Draws the program's icon at 16, 32, 48, 64, 128 and 256 pixels from the skin's own colours: the red
// title strip with its grip stripes and exit cross, the see-through row and column the window's mask cuts
// away, and a lime bar chart on the black body. The design is one 16 x 16 grid and every size is a whole
// multiple of it, so each grid cell stays a sharp square. Usage: iconart SKIN.png DIRECTORY
#include <cstdio>

#include <QColor>
#include <QImage>
#include <QString>

namespace {

constexpr int kGrid = 16;
constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};

struct Palette
{
    QColor red;
    QColor yellow;
    QColor olive;
};

// The skin's own pixels: the title strip's red, and a grip stripe's yellow top and olive bottom.
Palette FromSkin(const QImage &skin)
{
    return {skin.pixelColor(1, 0), skin.pixelColor(48, 3), skin.pixelColor(48, 6)};
}

QImage Design(const Palette &palette)
{
    QImage grid(kGrid, kGrid, QImage::Format_ARGB32);
    grid.fill(Qt::black);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < kGrid; ++x)
            grid.setPixelColor(x, y, palette.red);
    for (int x = 5; x < 15; ++x) {
        grid.setPixelColor(x, 1, palette.yellow);
        grid.setPixelColor(x, 2, palette.olive);
        grid.setPixelColor(x, 3, palette.yellow);
        grid.setPixelColor(x, 4, palette.olive);
    }
    for (int i = 0; i < 3; ++i) {
        grid.setPixelColor(1 + i, 1 + i, palette.yellow);
        grid.setPixelColor(3 - i, 1 + i, palette.yellow);
    }
    // The bars of the chart, from the bottom row up.
    const int heights[] = {3, 5, 2, 7, 4, 8, 6};
    for (int bar = 0; bar < 7; ++bar)
        for (int y = kGrid - heights[bar]; y < kGrid; ++y)
            grid.setPixelColor(2 + 2 * bar, y, QColor(0, 255, 0));
    for (int x = 0; x < kGrid; ++x)
        grid.setPixelColor(x, 6, Qt::transparent);
    for (int y = 0; y < kGrid; ++y)
        grid.setPixelColor(0, y, Qt::transparent);
    return grid;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: iconart SKIN.png DIRECTORY\n");
        return 2;
    }
    const QImage skin(QString::fromLocal8Bit(argv[1]));
    if (skin.width() < 49 || skin.height() < 7) {
        std::fprintf(stderr, "iconart: %s is not the skin\n", argv[1]);
        return 1;
    }
    const QImage design = Design(FromSkin(skin));
    const QString folder = QString::fromLocal8Bit(argv[2]) + QLatin1Char('/');
    for (int size : kSizes) {
        // Nearest-neighbour scaling by a whole factor: every grid cell becomes a square of one colour.
        const QImage icon = design.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!icon.save(folder + QStringLiteral("sembrolin-%1.png").arg(size))) {
            std::fprintf(stderr, "iconart: cannot write the %d-pixel icon\n", size);
            return 1;
        }
    }
    return 0;
}
