#include "skin/RegionData.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include <QRect>
#include <QtEndian>

namespace {

constexpr uint32_t kHeaderSize = 32;
constexpr uint32_t kRectangles = 1;
constexpr uint32_t kRectangleSize = 16;

int32_t signedAt(const QByteArray &block, qsizetype offset)
{
    return qFromLittleEndian<int32_t>(block.constData() + offset);
}

uint32_t unsignedAt(const QByteArray &block, qsizetype offset)
{
    return qFromLittleEndian<uint32_t>(block.constData() + offset);
}

// An exclusive-edged rectangle, or nothing when it is inverted or lies beyond any screen.
std::optional<QRect> rectangleAt(const QByteArray &block, qsizetype offset)
{
    const std::array<int32_t, 4> edges{signedAt(block, offset), signedAt(block, offset + 4),
                                       signedAt(block, offset + 8), signedAt(block, offset + 12)};
    for (int32_t edge : edges)
        if (edge < -RegionData::kMaxCoordinate || edge > RegionData::kMaxCoordinate)
            return std::nullopt;
    if (edges[2] < edges[0] || edges[3] < edges[1])
        return std::nullopt;
    return QRect(QPoint(edges[0], edges[1]), QPoint(edges[2] - 1, edges[3] - 1));
}

constexpr std::size_t kDirectUnion = 32;

// Adding rectangles one by one to a region costs time in proportion to the region already built, which a
// stored list can make quadratic (tens of seconds at the largest count); uniting halves keeps it near-linear;
// short runs are added directly, as allocating a region per rectangle costs more than they do.
QRegion unite(const std::vector<QRect> &rectangles, std::size_t begin, std::size_t end)
{
    if (end - begin <= kDirectUnion) {
        QRegion region;
        for (std::size_t i = begin; i < end; ++i)
            region += rectangles[i];
        return region;
    }
    const std::size_t middle = begin + (end - begin) / 2;
    return unite(rectangles, begin, middle).united(unite(rectangles, middle, end));
}

void append(QByteArray &block, int32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    block.append(bytes, 4);
}

} // namespace

std::optional<QRegion> RegionData::Read(const QByteArray &block)
{
    if (block.size() < 4)
        return std::nullopt;
    const uint32_t size = unsignedAt(block, 0);
    if (size == 0 || size != uint64_t(block.size()) - 4 || size < kHeaderSize)
        return std::nullopt;
    const uint32_t count = unsignedAt(block, 12);
    if (unsignedAt(block, 4) != kHeaderSize || unsignedAt(block, 8) != kRectangles || count > kMaxRectangles
        || unsignedAt(block, 16) != count * kRectangleSize || size != kHeaderSize + count * kRectangleSize)
        return std::nullopt;
    const std::optional<QRect> bounds = rectangleAt(block, 20);
    if (!bounds)
        return std::nullopt;
    std::vector<QRect> rectangles;
    rectangles.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const std::optional<QRect> rectangle = rectangleAt(block, 4 + kHeaderSize + i * kRectangleSize);
        if (!rectangle || (!rectangle->isEmpty() && !bounds->contains(*rectangle)))
            return std::nullopt;
        rectangles.push_back(*rectangle);
    }
    // Overlaps can cut a list into more rectangles than it had; such a region could not be stored again.
    QRegion region = unite(rectangles, 0, rectangles.size());
    if (region.rectCount() > kMaxRectangles)
        return std::nullopt;
    return region;
}

QByteArray RegionData::Write(const std::optional<QRegion> &region)
{
    QByteArray block;
    if (!region) {
        append(block, 0);
        return block;
    }
    const int count = int(region->rectCount());
    append(block, int32_t(kHeaderSize + count * kRectangleSize));
    append(block, kHeaderSize);
    append(block, kRectangles);
    append(block, count);
    append(block, count * int32_t(kRectangleSize));
    const auto appendRectangle = [&block](const QRect &r) {
        append(block, r.left());
        append(block, r.top());
        append(block, r.left() + r.width());
        append(block, r.top() + r.height());
    };
    appendRectangle(region->boundingRect());
    for (const QRect &rectangle : *region)
        appendRectangle(rectangle);
    return block;
}
