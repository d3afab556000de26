#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include "about/linkopener.h"
#include "common/links.h"

// The real hand-off to the browser, with the desktop's launcher replaced by a
// recording stand-in, and with no launcher at all.
class TestLinkOpener : public QObject
{
    Q_OBJECT

private slots:
    void init() { savedPath = qgetenv("PATH"); }
    // However a test ends, the next one starts with the real PATH.
    void cleanup() { qputenv("PATH", savedPath); }

    void noBrowserAnywhere();
    void eachAddressReachesTheBrowserAlone_data();
    void eachAddressReachesTheBrowserAlone();

private:
    QTemporaryDir scratch;
    QByteArray savedPath;
};

void TestLinkOpener::noBrowserAnywhere()
{
    qputenv("PATH", scratch.path().toLocal8Bit()); // an empty folder
    qunsetenv("BROWSER");
    qunsetenv("DEFAULT_BROWSER");
    QElapsedTimer clock;
    clock.start();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u".*"_qs));
    openInDefaultBrowser(nullptr, QString::fromLatin1(links::kLinks[0].tag));
    QVERIFY2(clock.elapsed() < 5000, "opening a link with no browser must not hang");
}

void TestLinkOpener::eachAddressReachesTheBrowserAlone_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("author's home page") << 0;
    QTest::newRow("modification site") << 1;
    QTest::newRow("portal") << 2;
}

void TestLinkOpener::eachAddressReachesTheBrowserAlone()
{
    QFETCH(int, index);
    const QString record = scratch.filePath(QStringLiteral("opened-%1").arg(index));
    qputenv("MORVANE2_OPENED", record.toLocal8Bit());
    qputenv("PATH", QByteArray(MORVANE2_FAKE_BROWSER_DIR ":") + qgetenv("PATH"));
    const QString address = QString::fromLatin1(links::kLinks[index].tag);
    openInDefaultBrowser(nullptr, address);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
    QFile file(record);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines, (QStringList{u"1"_qs, address}));
}

QTEST_MAIN(TestLinkOpener)
#include "tst_linkopener.moc"
