#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// Every text of the program is Simplified Chinese. Left to itself, the
// toolkit picks the face for Han characters by the desktop's language, so
// outside a Chinese desktop they come out in Japanese, Korean or Hong Kong
// forms. These name the face the program's Han characters are drawn with.
namespace chinesefont {

// Faces that draw Han characters in Simplified Chinese forms, in the order
// this platform's users expect them.
QStringList simplifiedChineseFaces();

// The first of those that is installed, or an empty string.
QString installedSimplifiedChineseFace();

// `font` with `face` for its Han characters. The font's own face stays first,
// so Latin letters and digits keep it, unless that face draws Han itself in
// another language's forms: then `face` goes first and draws everything.
QFont withSimplifiedChinese(const QFont &font, const QString &face);

// Gives the application's default font, and the fonts the platform sets for
// some classes of control (menus, message boxes and tooltips on Windows),
// the installed Simplified Chinese face. Does nothing where none is installed.
void preferSimplifiedChinese();

} // namespace chinesefont
