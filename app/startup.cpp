#include "app/startup.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QList>
#include <QLocale>
#include <QString>
#include <QTimer>
#include <QTranslator>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app/chinesefont.h"
#include "app/form1.h"
#include "common/version.h"

namespace startup {

bool graphicalSessionNamed(const EnvLookup &env)
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    Q_UNUSED(env);
    return true;
#else
    return !env("QT_QPA_PLATFORM").isEmpty() || !env("DISPLAY").isEmpty()
        || !env("WAYLAND_DISPLAY").isEmpty();
#endif
}

bool graphicalSessionNamed()
{
    return graphicalSessionNamed([](const char *name) { return qgetenv(name); });
}

namespace {

struct Held
{
    QtMsgType type;
    QString text;
    QByteArray category;
};

QList<Held> &held()
{
    static QList<Held> messages;
    return messages;
}

QtMessageHandler previousHandler = nullptr;

void holdingHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        // The windowing system could not be started: say why in one line and
        // leave without the abort (and core dump) that would follow.
        const bool noDisplay = std::any_of(held().cbegin(), held().cend(), [](const Held &m) {
            return m.text.contains(QLatin1StringView("could not connect to display"));
        });
        if (noDisplay)
            std::fprintf(stderr, "%s\n", kNoDisplayMessage);
        else
            std::fprintf(stderr, "morvane2-items: the windowing system could not be started: %s\n",
                qPrintable(text.section(u'\n', 0, 0)));
        std::fflush(stderr);
        std::_Exit(1);
    }
    held().append({type, text, QByteArray(context.category ? context.category : "default")});
}

// Until the application object exists, the windowing system's complaints are
// held back; if it cannot be started at all, the program says why in one line
// and exits with status 1 instead of aborting with a core dump.
void guardPlatformStart()
{
    previousHandler = qInstallMessageHandler(holdingHandler);
}

void endPlatformGuard()
{
    qInstallMessageHandler(previousHandler);
    const QList<Held> messages = std::exchange(held(), {});
    for (const Held &m : messages) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
        qt_message_output(m.type, context, m.text);
    }
}

} // namespace

void describeApplication()
{
    // Every text on screen is Chinese, the toolkit's own included, whatever
    // the system's language.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China));
    auto *translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral(":/translations/qtbase_zh_CN.qm")))
        QCoreApplication::installTranslator(translator);

    QApplication::setApplicationName(QStringLiteral("Morvane2物品一览表"));
    QApplication::setApplicationVersion(QString::fromLatin1(appinfo::kVersion));
    QApplication::setOrganizationName(QStringLiteral("Tessavar"));
    QGuiApplication::setDesktopFileName(QStringLiteral("morvane2-items"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/morvane2.ico")));
    chinesefont::preferSimplifiedChinese();
}

bool chineseFontAvailable()
{
    return !QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty();
}

int run(int argc, char *argv[], const std::function<void(QWidget &)> &shown)
{
    if (!graphicalSessionNamed()) {
        std::fprintf(stderr, "%s\n", kNoDisplayMessage);
        return 1;
    }

    guardPlatformStart();
    QApplication app(argc, argv);
    endPlatformGuard();

    describeApplication();

    Form1 window;
    window.show();
    // Listing every installed font is slow; it can wait until the window is up.
    QTimer::singleShot(0, &window, [] {
        if (!chineseFontAvailable())
            std::fprintf(stderr, "%s\n", kNoChineseFontMessage);
    });
    if (shown)
        shown(window);
    return QApplication::exec();
}

} // namespace startup
