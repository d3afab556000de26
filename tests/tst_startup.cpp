#include <QFontDatabase>
#include <QtTest>

#include "app/startup.h"

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void graphicalSession_data();
    void graphicalSession();
    void chineseFont();
};

void TestStartup::graphicalSession_data()
{
    QTest::addColumn<QByteArray>("platform");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<bool>("expected");
    QTest::newRow("nothing named") << QByteArray() << QByteArray() << QByteArray() << false;
    QTest::newRow("X11 display") << QByteArray() << QByteArray(":0") << QByteArray() << true;
    QTest::newRow("Wayland only") << QByteArray() << QByteArray() << QByteArray("wayland-0")
                                  << true;
    QTest::newRow("platform chosen, no display")
        << QByteArray("offscreen") << QByteArray() << QByteArray() << true;
}

void TestStartup::graphicalSession()
{
    QFETCH(QByteArray, platform);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, wayland);
    QFETCH(bool, expected);
    const QHash<QByteArray, QByteArray> env{
        {"QT_QPA_PLATFORM", platform}, {"DISPLAY", display}, {"WAYLAND_DISPLAY", wayland}};
    const auto lookup = [&env](const char *name) { return env.value(name); };
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    expected = true;
#endif
    QCOMPARE(startup::graphicalSessionNamed(lookup), expected);
}

void TestStartup::chineseFont()
{
    // Run twice by CTest: on this system, and with a font configuration that
    // holds Latin fonts only, where MORVANE2_EXPECT_CHINESE_FONT is 0. Either
    // way a real font is there, not only the toolkit's generic names: an
    // empty configuration would prove nothing.
    const bool expected = qEnvironmentVariable("MORVANE2_EXPECT_CHINESE_FONT") != u"0"_qs;
    QStringList latin = QFontDatabase::families(QFontDatabase::Latin);
    latin.removeIf([](const QString &f) {
        return f == u"Sans Serif"_qs || f == u"Serif"_qs || f == u"Monospace"_qs;
    });
    QVERIFY(!latin.isEmpty());
    QCOMPARE(startup::chineseFontAvailable(), expected);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
