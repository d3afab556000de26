#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

#include "app/textarea.h"

namespace {
// Three lines, a stray control character and an empty line in between.
const QString kSample = QStringLiteral("ab\r\n\r\n\x14xy\r\n你好\r\n");

// A text far taller than the area, each line naming its number.
QString numberedLines(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("line %1,%2\r\n").arg(i).arg(i, 4, 16, QLatin1Char('0'));
    return text;
}

// The rows of the viewport from its top to the caret's line, and how many it shows.
struct CaretRow
{
    int row;
    int rows;
};
CaretRow caretRow(const TextArea &area)
{
    const int lineHeight = area.fontMetrics().lineSpacing();
    return {area.cursorRect().top() / lineHeight, area.viewport()->height() / lineHeight};
}
} // namespace

class TestTextArea : public QObject
{
    Q_OBJECT

private slots:
    void textKeepsCrLf();
    void caretIndex_data();
    void caretIndex();
    void everyIndexLandsOnItsCharacter();
    void farCaretComesWellIntoView_data();
    void farCaretComesWellIntoView();
    void caretInViewDoesNotScroll();
    void textFollowsChanges();
};

void TestTextArea::textKeepsCrLf()
{
    TextArea area;
    area.setText(kSample);
    QCOMPARE(area.text(), kSample);
    QCOMPARE(area.toPlainText().size(), kSample.size() - 4); // one separator per line end
}

void TestTextArea::caretIndex_data()
{
    QTest::addColumn<qsizetype>("index");
    QTest::addColumn<qsizetype>("expected"); // where the caret reads back
    QTest::addColumn<QString>("following"); // the characters right after the caret
    QTest::newRow("first character") << qsizetype(0) << qsizetype(0) << u"ab"_qs;
    QTest::newRow("before CR") << qsizetype(2) << qsizetype(2) << u""_qs;
    QTest::newRow("between CR and LF") << qsizetype(3) << qsizetype(2) << u""_qs;
    QTest::newRow("start of the empty line") << qsizetype(4) << qsizetype(4) << u""_qs;
    QTest::newRow("before the control character") << qsizetype(6) << qsizetype(6) << u"\x14xy"_qs;
    QTest::newRow("after the control character") << qsizetype(7) << qsizetype(7) << u"xy"_qs;
    QTest::newRow("double-byte line") << qsizetype(11) << qsizetype(11) << u"你好"_qs;
    QTest::newRow("last character") << qsizetype(12) << qsizetype(12) << u"好"_qs;
    QTest::newRow("end of the text") << qsizetype(15) << qsizetype(15) << u""_qs;
    QTest::newRow("past the end") << qsizetype(999) << qsizetype(15) << u""_qs;
    QTest::newRow("negative") << qsizetype(-5) << qsizetype(0) << u"ab"_qs;
}

void TestTextArea::caretIndex()
{
    QFETCH(qsizetype, index);
    QFETCH(qsizetype, expected);
    QFETCH(QString, following);
    TextArea area;
    area.setText(kSample);
    area.setCaretIndex(index);
    QCOMPARE(area.caretIndex(), expected);
    QVERIFY(!area.textCursor().hasSelection());
    const QTextCursor cursor = area.textCursor();
    QCOMPARE(cursor.block().text().mid(cursor.positionInBlock()), following);
}

void TestTextArea::everyIndexLandsOnItsCharacter()
{
    TextArea area;
    area.setText(kSample.repeated(3) + u"😀末"_qs);
    const QString &text = area.text();
    const QString plain = area.toPlainText();
    for (qsizetype i = 0; i < text.size(); ++i) {
        area.setCaretIndex(i);
        const int position = area.textCursor().position();
        if (text[i] == u'\n') {
            QCOMPARE(area.caretIndex(), i - 1);
            continue;
        }
        QCOMPARE(area.caretIndex(), i);
        const QChar expected = text[i] == u'\r' ? u'\n' : text[i];
        if (plain[position] != expected)
            QFAIL(qPrintable(QStringLiteral("index %1 lands on the wrong character").arg(i)));
    }
}

void TestTextArea::farCaretComesWellIntoView_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("from"); // the line the caret was on
    QTest::newRow("far down") << 150 << 0;
    QTest::newRow("far up") << 40 << 299;
    QTest::newRow("just below the view") << 16 << 0;
}

void TestTextArea::farCaretComesWellIntoView()
{
    QFETCH(int, line);
    QFETCH(int, from);
    TextArea area;
    area.resize(300, 200);
    area.setText(numberedLines(300));
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    area.setCaretIndex(area.text().indexOf(QStringLiteral("line %1,").arg(from)));

    area.setCaretIndex(area.text().indexOf(QStringLiteral("line %1,").arg(line)));
    const CaretRow at = caretRow(area);
    QVERIFY(at.rows > 4);
    // Neither on the first nor on the last rows: there is text to read around it.
    QVERIFY2(at.row >= at.rows / 3 && at.row <= at.rows - at.rows / 3,
        qPrintable(QStringLiteral("row %1 of %2").arg(at.row).arg(at.rows)));
}

void TestTextArea::caretInViewDoesNotScroll()
{
    TextArea area;
    area.resize(300, 200);
    area.setText(numberedLines(300));
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    area.verticalScrollBar()->setValue(100);
    const CaretRow view = caretRow(area);
    for (int row : {0, view.rows / 2, view.rows - 2}) {
        area.setCaretIndex(area.text().indexOf(QStringLiteral("line %1,").arg(100 + row)));
        QCOMPARE(area.verticalScrollBar()->value(), 100);
        QCOMPARE(area.horizontalScrollBar()->value(), 0);
        QVERIFY(area.viewport()->rect().contains(area.cursorRect()));
    }
}

void TestTextArea::textFollowsChanges()
{
    TextArea area;
    area.setText(kSample);
    QCOMPARE(area.text().size(), kSample.size());
    area.setText(u"x\r\ny"_qs);
    QCOMPARE(area.text(), u"x\r\ny"_qs);
    area.setCaretIndex(3);
    QCOMPARE(area.caretIndex(), 3);
}

QTEST_MAIN(TestTextArea)
#include "tst_textarea.moc"
