#include "app/chinesefont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QList>

#include <algorithm>
#include <utility>

namespace chinesefont {

namespace {

bool drawsSimplifiedChinese(const QString &family)
{
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese);
}

bool drawsHan(const QString &family)
{
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
    return std::any_of(systems.cbegin(), systems.cend(), [](QFontDatabase::WritingSystem s) {
        return s == QFontDatabase::SimplifiedChinese || s == QFontDatabase::TraditionalChinese
            || s == QFontDatabase::Japanese || s == QFontDatabase::Korean;
    });
}

// Classes a platform may give a font of their own, among those the program
// shows; QApplication drops them all when the default font is set.
constexpr const char *kClassFonts[]
    = {"QMenu", "QMenuBar", "QMenuItem", "QMessageBox", "QLabel", "QPushButton", "QTipLabel",
        "QAbstractItemView", "QComboMenuItem", "QComboLineEdit", "QMdiSubWindowTitleBar"};

} // namespace

QStringList simplifiedChineseFaces()
{
    QStringList faces;
#ifdef Q_OS_WIN
    faces << QStringLiteral("Microsoft YaHei UI") << QStringLiteral("Microsoft YaHei")
          << QStringLiteral("DengXian") << QStringLiteral("SimSun");
#endif
    // The well-known free faces, which Wine also offers from the host.
    faces << QStringLiteral("Noto Sans CJK SC") << QStringLiteral("Source Han Sans SC")
          << QStringLiteral("Source Han Sans CN") << QStringLiteral("WenQuanYi Micro Hei")
          << QStringLiteral("WenQuanYi Zen Hei") << QStringLiteral("AR PL UMing CN");
    return faces;
}

QString installedSimplifiedChineseFace()
{
    // Asking after a few families by name is cheap; listing every installed
    // font is not, and this runs before the first window is painted.
    const QStringList faces = simplifiedChineseFaces();
    const auto found = std::find_if(faces.cbegin(), faces.cend(), drawsSimplifiedChinese);
    return found == faces.cend() ? QString() : *found;
}

QFont withSimplifiedChinese(const QFont &font, const QString &face)
{
    // The face the font resolves to here, not the alias it names ("Sans
    // Serif"): an alias would let the toolkit pick the Latin face anew.
    const QString own = QFontInfo(font).family();
    if (simplifiedChineseFaces().contains(own, Qt::CaseInsensitive))
        return font;
    QFont result = font;
    result.setFamilies(drawsHan(own) ? QStringList{face, own} : QStringList{own, face});
    return result;
}

void preferSimplifiedChinese()
{
    const QString face = installedSimplifiedChineseFace();
    if (face.isEmpty())
        return;

    const QFont defaultFont = QApplication::font();
    QList<std::pair<const char *, QFont>> classFonts;
    for (const char *className : kClassFonts) {
        const QFont font = QApplication::font(className);
        if (font != defaultFont)
            classFonts.append({className, withSimplifiedChinese(font, face)});
    }
    QApplication::setFont(withSimplifiedChinese(defaultFont, face));
    for (const auto &[className, font] : std::as_const(classFonts))
        QApplication::setFont(font, className);
}

} // namespace chinesefont
