#include <QtTest>

#include <limits>

#include "app/search/textsearch.h"

namespace {

// Builds strings from code points, so that lone surrogates can be written.
QString units(std::initializer_list<char16_t> codes)
{
    QString s;
    for (char16_t c : codes)
        s.append(QChar(c));
    return s;
}

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void findText_data();
    void findText();
};

void TestSearch::findText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::addColumn<qsizetype>("start");
    QTest::addColumn<qsizetype>("expected");

    const qsizetype big = std::numeric_limits<qsizetype>::max();
    const qsizetype small = std::numeric_limits<qsizetype>::min();

    QTest::newRow("lower case finds upper")
        << u"凤羽丹,E59"_qs << u"e59"_qs << qsizetype(1) << qsizetype(5);
    QTest::newRow("upper case finds lower")
        << u"abc DEF"_qs << u"ABC"_qs << qsizetype(1) << qsizetype(1);
    QTest::newRow("ascii finds full-width")
        << u"身法＋５（永久）"_qs << u"+5"_qs << qsizetype(1) << qsizetype(3);
    QTest::newRow("full-width finds ascii")
        << u"code E59"_qs << u"ｅ５９"_qs << qsizetype(1) << qsizetype(6);
    QTest::newRow("full-width finds full-width, other case")
        << u"ＡＢＣ"_qs << u"ｂｃ"_qs << qsizetype(1) << qsizetype(2);
    QTest::newRow("ideographic space equals space")
        << u"a\u3000b"_qs << u"a b"_qs << qsizetype(1) << qsizetype(1);
    QTest::newRow("space equals ideographic space")
        << u"x a b"_qs << u"a\u3000b"_qs << qsizetype(1) << qsizetype(3);
    QTest::newRow("no other fold: tilde range ends")
        << u"\uFF5F"_qs << u"\u007F"_qs << qsizetype(1) << qsizetype(0);
    QTest::newRow("plain substring, no wildcard")
        << u"abc"_qs << u"a?c"_qs << qsizetype(1) << qsizetype(0);

    QTest::newRow("overlap, from 1") << u"aaa"_qs << u"aa"_qs << qsizetype(1) << qsizetype(1);
    QTest::newRow("overlap, from 2") << u"aaa"_qs << u"aa"_qs << qsizetype(2) << qsizetype(2);
    QTest::newRow("overlap, from 3") << u"aaa"_qs << u"aa"_qs << qsizetype(3) << qsizetype(0);

    QTest::newRow("start in the middle")
        << u"abcabc"_qs << u"abc"_qs << qsizetype(2) << qsizetype(4);
    QTest::newRow("start on the match")
        << u"abcabc"_qs << u"abc"_qs << qsizetype(4) << qsizetype(4);
    QTest::newRow("start at the last character")
        << u"abcx"_qs << u"x"_qs << qsizetype(4) << qsizetype(4);
    QTest::newRow("start just past the end")
        << u"abcx"_qs << u"x"_qs << qsizetype(5) << qsizetype(0);
    QTest::newRow("start far past the end") << u"abcx"_qs << u"x"_qs << big << qsizetype(0);
    QTest::newRow("start 0 counts as 1") << u"abc"_qs << u"a"_qs << qsizetype(0) << qsizetype(1);
    QTest::newRow("start negative counts as 1")
        << u"abc"_qs << u"a"_qs << qsizetype(-5) << qsizetype(1);
    QTest::newRow("start at the minimum counts as 1")
        << u"abc"_qs << u"a"_qs << small << qsizetype(1);

    QTest::newRow("CR LF as two characters")
        << u"ab\r\ncd"_qs << u"\r\n"_qs << qsizetype(1) << qsizetype(3);
    QTest::newRow("LF alone") << u"ab\r\ncd"_qs << u"\n"_qs << qsizetype(1) << qsizetype(4);
    QTest::newRow("across a line end")
        << u"ab\r\ncd"_qs << u"B\r\nC"_qs << qsizetype(1) << qsizetype(2);
    QTest::newRow("after a line end") << u"ab\r\ncd"_qs << u"cd"_qs << qsizetype(1) << qsizetype(5);
    QTest::newRow("last character") << u"ab\r\ncd"_qs << u"d"_qs << qsizetype(1) << qsizetype(6);
    QTest::newRow("line end at the very end")
        << u"ab\r\n"_qs << u"\r\n"_qs << qsizetype(1) << qsizetype(3);

    QTest::newRow("sharp s: SS is not it")
        << u"Straße"_qs << u"SS"_qs << qsizetype(1) << qsizetype(0);
    QTest::newRow("sharp s: itself") << u"Straße"_qs << u"ß"_qs << qsizetype(1) << qsizetype(5);
    QTest::newRow("sharp s: capital folds to it")
        << u"Straße"_qs << u"\u1E9E"_qs << qsizetype(1) << qsizetype(5);
    QTest::newRow("sharp s: what follows keeps its place")
        << u"Straße"_qs << u"E"_qs << qsizetype(1) << qsizetype(6);
    QTest::newRow("sharp s: not in ss") << u"STRASSE"_qs << u"ß"_qs << qsizetype(1) << qsizetype(0);
    QTest::newRow("fi ligature: fi is not it")
        << u"ﬁsh"_qs << u"FI"_qs << qsizetype(1) << qsizetype(0);
    QTest::newRow("fi ligature: itself") << u"xﬁsh"_qs << u"ﬁ"_qs << qsizetype(1) << qsizetype(2);
    QTest::newRow("fi ligature: what follows keeps its place")
        << u"ﬁsh"_qs << u"SH"_qs << qsizetype(1) << qsizetype(2);
    QTest::newRow("dotted I: i is not it")
        << u"İstanbul"_qs << u"i"_qs << qsizetype(1) << qsizetype(0);
    QTest::newRow("dotted I: I is not it")
        << u"İstanbul"_qs << u"I"_qs << qsizetype(1) << qsizetype(0);
    QTest::newRow("dotted I: itself") << u"İstanbul"_qs << u"İ"_qs << qsizetype(1) << qsizetype(1);
    QTest::newRow("dotted I: does not find i")
        << u"Iii"_qs << u"İ"_qs << qsizetype(1) << qsizetype(0);
    QTest::newRow("dotted I: what follows keeps its place")
        << u"İstanbul"_qs << u"STAN"_qs << qsizetype(1) << qsizetype(2);

    QTest::newRow("control character")
        << u"\r\n\u0014星屑钉"_qs << u"\u0014"_qs << qsizetype(1) << qsizetype(3);
    QTest::newRow("pair") << u"a😀b"_qs << u"😀"_qs << qsizetype(1) << qsizetype(2);
    QTest::newRow("after a pair") << u"a😀b"_qs << u"B"_qs << qsizetype(1) << qsizetype(4);
    QTest::newRow("pair, case folded")
        << u"x\U00010400"_qs << u"\U00010428"_qs << qsizetype(1) << qsizetype(2);
    QTest::newRow("pair, other case")
        << u"\U00010428"_qs << u"\U00010400"_qs << qsizetype(1) << qsizetype(1);
    QTest::newRow("lone high surrogate")
        << units({u'x', 0xD83D, u'y'}) << units({0xD83D}) << qsizetype(1) << qsizetype(2);
    QTest::newRow("lone low surrogate")
        << units({u'x', 0xDE00}) << units({0xDE00}) << qsizetype(1) << qsizetype(2);
    QTest::newRow("lone high is not half a pair")
        << u"😀"_qs << units({0xD83D}) << qsizetype(1) << qsizetype(0);
    QTest::newRow("lone low is not half a pair")
        << u"😀"_qs << units({0xDE00}) << qsizetype(1) << qsizetype(0);
    QTest::newRow("lone high, then a pair further on")
        << units({0xD83D, 0xD83D, 0xDE00}) << units({0xD83D}) << qsizetype(1) << qsizetype(1);
    QTest::newRow("pair is not a lone half")
        << units({0xD83D, u'x', 0xDE00}) << u"😀"_qs << qsizetype(1) << qsizetype(0);
    QTest::newRow("start inside a pair") << u"😀😀"_qs << u"😀"_qs << qsizetype(2) << qsizetype(3);

    QTest::newRow("needle longer than text")
        << u"abc"_qs << u"abcd"_qs << qsizetype(1) << qsizetype(0);
    QTest::newRow("needle same as text") << u"abc"_qs << u"ABC"_qs << qsizetype(1) << qsizetype(1);
    QTest::newRow("empty needle") << u"abc"_qs << QString() << qsizetype(1) << qsizetype(0);
    QTest::newRow("empty text") << QString() << u"a"_qs << qsizetype(1) << qsizetype(0);
    QTest::newRow("both empty") << QString() << QString() << qsizetype(0) << qsizetype(0);
}

void TestSearch::findText()
{
    QFETCH(QString, text);
    QFETCH(QString, what);
    QFETCH(qsizetype, start);
    QFETCH(qsizetype, expected);
    QCOMPARE(search::findText(text, what, start), expected);
}

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
