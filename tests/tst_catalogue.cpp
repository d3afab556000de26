#include <QRegularExpression>
#include <QSet>
#include <QStringEncoder>
#include <QtTest>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

#include "app/catalogue.h"
#include "common/links.h"

namespace {

// The codes in document order, as ranges that run through every code between
// their ends.
constexpr const char *kCodeRanges
    = "13F8-1403 1272 1404-1405 E59-E5A 1406-1409 126C-1271 11F9-1204 1140 1131-113F 1195-11A0 "
      "10CD-10DA D49-D4F BB9-BBC C1D-C21 C81-C85 CE5-CE8 DAD-DB4 E11-E47 E75-E7A ED9-EDD F3D-F40 "
      "FA1-FA4 1005-100B E48-E51 E61-E63 100C-100F 1069-106F 125D-126B E64-E66 E52-E58 12C1-12C3 "
      "1325-1327 1389-139E 13EE-13F5 13ED 13F6 1328 13F7 1273 D64 13BB-13BD BE00 E7B-E7D FA5 E5B "
      "FA6 140B-140E";

QStringList expectedCodes()
{
    QStringList codes;
    const QStringList ranges = QString::fromLatin1(kCodeRanges).split(u' ');
    for (const QString &range : ranges) {
        const QStringList ends = range.split(u'-');
        const int first = ends.first().toInt(nullptr, 16);
        const int last = ends.last().toInt(nullptr, 16);
        for (int code = first; code <= last; ++code)
            codes << QString::number(code, 16).toUpper();
    }
    return codes;
}

struct Entry
{
    qsizetype nameLine; // 0-based line index
    QString name;
    QString code;
    QString description;
};

const QStringList &lines()
{
    static const QStringList all = catalogue::text().split(QStringLiteral("\r\n"));
    return all;
}

// Reads the entries the way a reader of the text would: name line, description
// line, then an empty line between entries.
QList<Entry> entries()
{
    QList<Entry> result;
    const QStringList &all = lines();
    qsizetype i = 12;
    while (i + 1 < all.size()) {
        if (all[i].isEmpty()) { // the one extra empty line of the catalogue
            ++i;
            continue;
        }
        const qsizetype comma = all[i].lastIndexOf(u',');
        result.append({i, all[i].left(comma), all[i].mid(comma + 1), all[i + 1]});
        i += 3;
    }
    return result;
}

// Screen columns of a line as a fixed-width GBK display shows it.
int columns(QStringView text)
{
    int width = 0;
    for (QChar c : text)
        width += c.unicode() < 0x80 ? 1 : 2;
    return width;
}

// The text back in GBK, to compare with the stored bytes; empty if it cannot
// be written in GBK. Qt built without ICU has no GBK encoder, but Windows has
// code page 936.
QByteArray encodeGbk(const QString &text)
{
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    if (encoder.isValid()) {
        QByteArray bytes = encoder(text);
        return encoder.hasError() ? QByteArray() : bytes;
    }
#ifdef Q_OS_WIN
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(936, 0, wide, int(text.size()), nullptr, 0, nullptr, &lossy);
    QByteArray bytes(n, Qt::Uninitialized);
    WideCharToMultiByte(936, 0, wide, int(text.size()), bytes.data(), n, nullptr, nullptr);
    return lossy ? QByteArray() : bytes;
#else
    return QByteArray();
#endif
}

bool isHan(QChar c)
{
    return c.script() == QChar::Script_Han;
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
    void sameTextOnEverySystem();
    void encodingRoundTrip();
    void lineEnds();
    void header();
    void linkLines_data();
    void linkLines();
    void entryLayout();
    void codes();
    void names();
    void descriptions();
    void strayControlCharacter();
    void gbkRejectsBrokenInput();
};

void TestCatalogue::figures_data()
{
    const QByteArray raw = catalogue::rawBytes();
    const QString &text = catalogue::text();
    qsizetype singleByte = 0;
    qsizetype doubleByte = 0;
    for (QChar c : text) {
        if (c == u'\r' || c == u'\n')
            continue;
        (c.unicode() < 0x80 ? singleByte : doubleByte) += 1;
    }
    const qsizetype crlf = text.count(QStringLiteral("\r\n"));

    QTest::addColumn<qsizetype>("actual");
    QTest::addColumn<qsizetype>("expected");
    QTest::newRow("stored bytes") << raw.size() << qsizetype(22821);
    QTest::newRow("CR LF line ends") << crlf << qsizetype(912);
    QTest::newRow("lines") << lines().size() << qsizetype(913);
    QTest::newRow("single-byte characters") << singleByte << qsizetype(1515);
    QTest::newRow("double-byte characters") << doubleByte << qsizetype(9741);
    QTest::newRow("characters, CR LF as one") << text.size() - crlf << qsizetype(12168);
    QTest::newRow("characters, CR and LF each") << text.size() << qsizetype(13080);
    QTest::newRow("entries") << qsizetype(entries().size()) << qsizetype(300);
}

void TestCatalogue::figures()
{
    QFETCH(qsizetype, actual);
    QFETCH(qsizetype, expected);
    QCOMPARE(actual, expected);
}

void TestCatalogue::sameTextOnEverySystem()
{
    // The build machine's iconv decoded the stored bytes when the test was
    // built; this system's decoder (code page 936 on Windows) must read every
    // character alike.
    QFile expected(QStringLiteral(":/expected/catalogue.txt"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(catalogue::text(), QString::fromUtf8(expected.readAll()));
}

void TestCatalogue::encodingRoundTrip()
{
    const QByteArray raw = catalogue::rawBytes();
    const QString &text = catalogue::text();
    QVERIFY(!text.isNull());
    QCOMPARE(encodeGbk(text), raw);
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
    QCOMPARE(catalogue::decodeGbk(raw), text);
}

void TestCatalogue::lineEnds()
{
    const QString &text = catalogue::text();
    QCOMPARE(text.count(u'\r'), 912);
    QCOMPARE(text.count(u'\n'), 912);
    for (qsizetype i = text.indexOf(u'\n'); i >= 0; i = text.indexOf(u'\n', i + 1))
        QVERIFY2(i > 0 && text[i - 1] == u'\r', qPrintable(QStringLiteral("lone LF at %1").arg(i)));
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    QVERIFY(lines().last().isEmpty());
    QVERIFY(!lines()[lines().size() - 2].isEmpty());
}

void TestCatalogue::header()
{
    const QStringList &all = lines();
    QCOMPARE(all[0], QStringLiteral("Morvane2所有物品一览表"));
    QCOMPARE(all[1], QStringLiteral("Tessavar"));
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}\\.\\d{1,2}\\.\\d{1,2}$"))
                 .match(all[2])
                 .hasMatch(),
        qPrintable(all[2]));
    QVERIFY(all[3].isEmpty());
    for (int i : {4, 5}) {
        QVERIFY2(
            all[i].endsWith(u' ') && !all[i].endsWith(QStringLiteral("  ")), qPrintable(all[i]));
        QVERIFY(all[i].trimmed().size() > 3);
    }
    QVERIFY(all[5].contains(u'@'));
    QCOMPARE(all[6], QStringLiteral("[欢迎访问]"));
    QVERIFY(all[10].isEmpty());
    QVERIFY(all[11].isEmpty());
    QVERIFY(!all[12].isEmpty());
}

void TestCatalogue::linkLines_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("author's home page") << 0;
    QTest::newRow("game-modification site") << 1;
    QTest::newRow("game portal") << 2;
}

void TestCatalogue::linkLines()
{
    QFETCH(int, index);
    const links::Link &link = links::kLinks[index];
    const QString line = lines()[7 + index];
    const QString address = QString::fromLatin1(link.tag);
    QVERIFY2(line.startsWith(QString::fromUtf8(link.siteName)), qPrintable(line));
    QVERIFY2(line.endsWith(address), qPrintable(line));
    const QStringView padding = QStringView(line)
                                    .sliced(0, line.size() - address.size())
                                    .sliced(QString::fromUtf8(link.siteName).size());
    QVERIFY(!padding.isEmpty());
    QVERIFY(padding.trimmed().isEmpty());
    // The address starts in the tenth column.
    QCOMPARE(columns(QStringView(line).left(line.size() - address.size())), 9);
}

void TestCatalogue::entryLayout()
{
    const QStringList &all = lines();
    const QList<Entry> list = entries();
    QCOMPARE(list.size(), 300);
    for (qsizetype i = 0; i < list.size(); ++i) {
        const Entry &e = list[i];
        QVERIFY2(!e.description.isEmpty(), qPrintable(e.code));
        QCOMPARE(all[e.nameLine].count(u','), 1);
        if (i + 1 < list.size()) {
            QVERIFY(all[e.nameLine + 2].isEmpty());
            const qsizetype gap = list[i + 1].nameLine - e.nameLine;
            QVERIFY2(gap == 3 || (gap == 4 && list[i + 1].code == u"D64"_qs), qPrintable(e.code));
        }
    }
    // The last description is the last line of the text.
    QCOMPARE(list.last().nameLine + 1, all.size() - 2);
    QCOMPARE(list.first().nameLine, 12);
}

void TestCatalogue::codes()
{
    const QList<Entry> list = entries();
    QStringList actual;
    QSet<QString> seen;
    const QRegularExpression form(QStringLiteral("^[1-9A-F][0-9A-F]{2,3}$"));
    for (const Entry &e : list) {
        QVERIFY2(form.match(e.code).hasMatch(), qPrintable(e.code));
        QVERIFY2(!seen.contains(e.code), qPrintable(e.code));
        seen.insert(e.code);
        actual << e.code;
        if (e.code != u"BE00"_qs) {
            const int block = e.code.toInt(nullptr, 16) / 100;
            QVERIFY2(block >= 30 && block <= 51, qPrintable(e.code));
        }
    }
    QCOMPARE(actual, expectedCodes());
}

void TestCatalogue::names()
{
    QHash<QString, QStringList> codesByName;
    int endingInTwo = 0;
    for (const Entry &e : entries()) {
        QString name = e.name;
        if (name.startsWith(QChar(0x14)))
            name.remove(0, 1);
        codesByName[name] << e.code;
        if (name.endsWith(u'2')) {
            ++endingInTwo;
            name.chop(1);
        }
        QVERIFY2(name.size() >= 2 && name.size() <= 5, qPrintable(name));
        QVERIFY2(std::all_of(name.cbegin(), name.cend(), isHan), qPrintable(name));
    }
    QCOMPARE(endingInTwo, 1);
    QStringList twice;
    for (auto it = codesByName.cbegin(); it != codesByName.cend(); ++it) {
        QVERIFY2(it.value().size() <= 2, qPrintable(it.key()));
        if (it.value().size() == 2)
            twice << it.key();
    }
    QCOMPARE(twice.size(), 4);
}

void TestCatalogue::descriptions()
{
    for (const Entry &e : entries()) {
        for (QChar c : e.description)
            QVERIFY2(c.unicode() >= 0x80, qPrintable(e.code + u": "_qs + e.description));
    }
}

void TestCatalogue::strayControlCharacter()
{
    const QString &text = catalogue::text();
    QCOMPARE(text.count(QChar(0x14)), 1);
    const QStringList &all = lines();
    const auto at = std::find_if(
        all.cbegin(), all.cend(), [](const QString &l) { return l.startsWith(QChar(0x14)); });
    const qsizetype line = at - all.cbegin();
    QVERIFY(at != all.cend() && line > 0);
    QVERIFY(all[line].endsWith(QStringLiteral(",D64")));
    QVERIFY(all[line - 1].isEmpty());
    QVERIFY(all[line - 2].isEmpty());
    QVERIFY(!all[line - 3].isEmpty());
}

void TestCatalogue::gbkRejectsBrokenInput()
{
    // A lead byte with nothing after it is not text.
    QVERIFY(catalogue::decodeGbk(QByteArray("\xC4")).isNull());
    QCOMPARE(catalogue::decodeGbk(QByteArray("\xC4\xE3")), QStringLiteral("你"));
}

QTEST_APPLESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
