#include <QFile>
#include <QtEndian>
#include <QtTest>

#include "about/curfile.h"

// The picture files checked from their bytes: the formats are what other
// programs (Explorer, resource compilers, browsers) rely on, not only Qt.
namespace {

struct Facts
{
    QString format;
    int width = 0;
    int height = 0;
    int bits = 0; // bits per pixel (JPEG: components × 8)
    QPoint hotSpot{-1, -1};
};

quint16 le16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint16 be16(const QByteArray &b, qsizetype at)
{
    return qFromBigEndian<quint16>(b.constData() + at);
}

Facts jpeg(const QByteArray &b)
{
    Facts f;
    if (!b.startsWith("\xFF\xD8"))
        return f;
    for (qsizetype at = 2; at + 9 < b.size();) {
        if (uchar(b[at]) != 0xFF)
            return f;
        const uchar marker = uchar(b[at + 1]);
        if (marker == 0xC0 || marker == 0xC2) {
            f.format = marker == 0xC0 ? u"baseline JPEG"_qs : u"progressive JPEG"_qs;
            f.height = be16(b, at + 5);
            f.width = be16(b, at + 7);
            f.bits = uchar(b[at + 9]) * 8;
            return f;
        }
        at += 2 + be16(b, at + 2);
    }
    return f;
}

Facts gif(const QByteArray &b)
{
    Facts f;
    f.format = QString::fromLatin1(b.left(6));
    f.width = le16(b, 6);
    f.height = le16(b, 8);
    f.bits = (uchar(b[10]) & 0x07) + 1; // size of the global colour table
    return f;
}

Facts iconOrCursor(const QByteArray &b)
{
    Facts f;
    const quint16 type = le16(b, 2);
    f.format = type == 1 ? u"ICO"_qs : type == 2 ? u"CUR"_qs : u"?"_qs;
    if (le16(b, 4) != 1)
        return f;
    const qsizetype image = qFromLittleEndian<quint32>(b.constData() + 6 + 12);
    f.width = qFromLittleEndian<qint32>(b.constData() + image + 4);
    f.height = qFromLittleEndian<qint32>(b.constData() + image + 8) / 2; // colour and mask
    f.bits = le16(b, image + 14);
    if (type == 1 && le16(b, 6 + 6) != f.bits) // an icon's directory entry repeats the depth
        f.format += u" with a contradictory depth"_qs;
    if (type == 2)
        f.hotSpot = curHotSpot(b).value_or(QPoint(-1, -1));
    return f;
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void files_data();
    void files();
    void hotSpotRejectsOtherFiles();
};

void TestPictures::files_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("bits");
    QTest::newRow("main icon, 16 colours")
        << u":/icons/morvane2.ico"_qs << u"ICO"_qs << QSize(32, 32) << 4;
    QTest::newRow("About icon, 256 colours")
        << u":/about/about.ico"_qs << u"ICO"_qs << QSize(32, 32) << 8;
    QTest::newRow("hand cursor, monochrome")
        << u":/about/hand.cur"_qs << u"CUR"_qs << QSize(32, 32) << 1;
    QTest::newRow("background") << u":/about/background.jpg"_qs << u"baseline JPEG"_qs
                                << QSize(400, 200) << 24;
    QTest::newRow("link 0") << u":/about/link0.jpg"_qs << u"baseline JPEG"_qs << QSize(88, 31)
                            << 24;
    QTest::newRow("link 1") << u":/about/link1.gif"_qs << u"GIF89a"_qs << QSize(88, 31) << 0;
    QTest::newRow("link 2") << u":/about/link2.jpg"_qs << u"baseline JPEG"_qs << QSize(88, 32)
                            << 24;
}

void TestPictures::files()
{
    QFETCH(QString, path);
    QFETCH(QString, format);
    QFETCH(QSize, size);
    QFETCH(int, bits);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const Facts f = path.endsWith(u".jpg"_qs) ? jpeg(bytes)
        : path.endsWith(u".gif"_qs)           ? gif(bytes)
                                              : iconOrCursor(bytes);
    QCOMPARE(f.format, format);
    QCOMPARE(QSize(f.width, f.height), size);
    if (bits)
        QCOMPARE(f.bits, bits);
    if (format == u"CUR"_qs)
        QCOMPARE(f.hotSpot, QPoint(5, 0));
    QVERIFY(!QImage(path).isNull()); // and Qt reads it as well
}

void TestPictures::hotSpotRejectsOtherFiles()
{
    QFile icon(u":/icons/morvane2.ico"_qs);
    QVERIFY(icon.open(QIODevice::ReadOnly));
    QVERIFY(!curHotSpot(icon.readAll()).has_value());
    QVERIFY(!curHotSpot(QByteArray("\0\0\2\0", 4)).has_value());
    QByteArray outside(6 + 16, '\0');
    outside[2] = 2;
    outside[4] = 1;
    outside[6] = 32;
    outside[7] = 32;
    outside[10] = 40; // x beyond the 32-pixel width
    QVERIFY(!curHotSpot(outside).has_value());
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
