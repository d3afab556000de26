#include "about/curfile.h"

#include <QtEndian>

std::optional<QPoint> curHotSpot(const QByteArray &file)
{
    // ICONDIR (reserved, type 2 for cursors, count), then 16-byte entries whose
    // planes and bit-count fields hold the hot spot's x and y.
    constexpr qsizetype kDirSize = 6;
    constexpr qsizetype kEntrySize = 16;
    if (file.size() < kDirSize + kEntrySize)
        return std::nullopt;
    const auto *bytes = reinterpret_cast<const uchar *>(file.constData());
    if (qFromLittleEndian<quint16>(bytes) != 0 || qFromLittleEndian<quint16>(bytes + 2) != 2
        || qFromLittleEndian<quint16>(bytes + 4) == 0)
        return std::nullopt;
    const uchar *entry = bytes + kDirSize;
    const int width = entry[0] == 0 ? 256 : entry[0];
    const int height = entry[1] == 0 ? 256 : entry[1];
    const int x = qFromLittleEndian<quint16>(entry + 4);
    const int y = qFromLittleEndian<quint16>(entry + 6);
    if (x >= width || y >= height)
        return std::nullopt;
    return QPoint(x, y);
}
