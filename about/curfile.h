#pragma once

#include <QByteArray>
#include <QPoint>

#include <optional>

// Reads the hot spot of the first image of a Windows .cur file. Qt reads the
// picture of such a file but not where the pointer's tip is.
std::optional<QPoint> curHotSpot(const QByteArray &file);
