#pragma once

#include <optional>

#include <QByteArray>
#include <QRegion>

// The stored form of a window region: a 32-bit byte count N, then N bytes of a rectangle list (a 32-byte
// header of header size, kind, rectangle count, rectangle bytes and bounds, then left, top, right, bottom
// per rectangle, right and bottom exclusive), all little-endian. The block comes from a stored file, so
// reading trusts none of its counts.
namespace RegionData {

// Rectangles further out than this are refused as absurd; no screen comes near it.
inline constexpr int kMaxCoordinate = 1 << 20;
// A region of more rectangles than this is refused before anything is allocated for it.
inline constexpr int kMaxRectangles = 1 << 16;

// The region data of a block whose length, counts and rectangles all agree; nothing for N = 0 or for a
// block that is malformed in any way.
std::optional<QRegion> Read(const QByteArray &block);
// The whole block: N and the region data, or four zero bytes when there is no region.
QByteArray Write(const std::optional<QRegion> &region);

} // namespace RegionData
