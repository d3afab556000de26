#include <QAbstractButton>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QtTest>

#include "app/catalogue.h"
#include "app/form1.h"
#include "app/standarddialogs.h"
#include "app/startup.h"
#include "app/textarea.h"
#include "catalogue_entries.h"
#include "modaldialogs.h"
#include "reference_search.h"
#include "scripteddialogs.h"

namespace {

const QString kTitle = u"Morvane2物品一览表"_qs;
const QString kPrompt = u"输入物品名称或代码或描述中包含的字符"_qs;
const QString kFinished = u"已完成了全文搜索"_qs;

} // namespace

class TestFind : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    // Through the main window, as a player does it.
    void keysMoveTheCaret_data();
    void keysMoveTheCaret();
    void matchIsMarked();
    void duplicateNamesInTheCatalogue();
    void realDialogs();

private:
    Form1 *openWindow(ScriptedDialogs *&dialogs);

    std::unique_ptr<Form1> window;
};

void TestFind::initTestCase()
{
    startup::describeApplication();
}

void TestFind::cleanup()
{
    window.reset();
}

Form1 *TestFind::openWindow(ScriptedDialogs *&scripted)
{
    window = std::make_unique<Form1>(makeScriptedDialogs(scripted));
    window->show();
    if (!QTest::qWaitForWindowActive(window.get()))
        return nullptr;
    return window.get();
}

void TestFind::keysMoveTheCaret_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("nextCaret"); // after F3; -1 when F3 finds no more
    QTest::newRow("at the very start") << u"ab\r\ncd"_qs << u"a"_qs << 0 << -1;
    QTest::newRow("line end") << u"ab\r\ncd\r\n"_qs << u"\r\n"_qs << 2 << 6;
    // The caret cannot stand between CR and LF: it stays at the end of that line.
    QTest::newRow("LF of a line end") << u"ab\r\ncd"_qs << u"\n"_qs << 2 << -1;
    QTest::newRow("across a line end") << u"ab\r\ncd"_qs << u"b\r\nc"_qs << 1 << -1;
    QTest::newRow("start of the next line") << u"ab\r\ncd"_qs << u"CD"_qs << 4 << -1;
    QTest::newRow("last character") << u"ab\r\ncd"_qs << u"d"_qs << 5 << -1;
    QTest::newRow("run of three, overlapping") << u"\r\nxaaa"_qs << u"aa"_qs << 3 << 4;
    QTest::newRow("after the stray control character")
        << u"x\r\n\u0014星屑钉,D64\r\n"_qs << u"星屑钉"_qs << 4 << -1;
    QTest::newRow("after a surrogate pair") << u"😀\r\n😀b"_qs << u"B"_qs << 6 << -1;
}

void TestFind::keysMoveTheCaret()
{
    QFETCH(QString, content);
    QFETCH(QString, what);
    QFETCH(int, caret);
    QFETCH(int, nextCaret);
    ScriptedDialogs *scripted = nullptr;
    Form1 *w = openWindow(scripted);
    QVERIFY(w);
    auto *area = w->findChild<TextArea *>(u"Text1"_qs);
    area->setText(content);

    scripted->answers.append(what);
    QTest::keyClick(w, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(scripted->prompts.size(), 1);
    QCOMPARE(scripted->owner, w);
    QCOMPARE(area->caretIndex(), caret);
    QVERIFY(!area->textCursor().hasSelection());

    QTest::keyClick(w, Qt::Key_F3);
    QCOMPARE(scripted->prompts.size(), 1);
    QCOMPARE(scripted->messages.size(), nextCaret < 0 ? 1 : 0);
    QCOMPARE(area->caretIndex(), nextCaret < 0 ? caret : nextCaret);
}

void TestFind::matchIsMarked()
{
    ScriptedDialogs *scripted = nullptr;
    Form1 *w = openWindow(scripted);
    QVERIFY(w);
    auto *area = w->findChild<TextArea *>(u"Text1"_qs);
    area->setText(u"金创药,E61\r\n回气丹,E62\r\n"_qs);
    QList<QAction *> colours = w->findChildren<QAction *>(u"mnuColor"_qs);
    QCOMPARE(colours.size(), 2);

    for (QAction *scheme : colours) {
        scheme->trigger();
        scripted->answers.append(u"e62"_qs);
        QTest::keyClick(w, Qt::Key_F, Qt::ControlModifier);
        const QList<QTextEdit::ExtraSelection> marks = area->extraSelections();
        QCOMPARE(marks.size(), 1);
        QCOMPARE(marks[0].cursor.selectedText(), u"E62"_qs);
        QVERIFY(!area->textCursor().hasSelection());
        QCOMPARE(area->caretIndex(), 13);
        // It stands out from the text around it and stays readable.
        const QColor background = marks[0].format.background().color();
        const QColor foreground = marks[0].format.foreground().color();
        QVERIFY(background != area->palette().color(QPalette::Base));
        QVERIFY(qAbs(qGray(background.rgb()) - qGray(foreground.rgb())) > 100);

        QTest::keyClick(area, Qt::Key_Left); // the caret moves: the mark goes
        QVERIFY(area->extraSelections().isEmpty());
    }

    scripted->answers.append(u"金创药"_qs);
    QTest::keyClick(w, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(area->extraSelections().size(), 1);
    QTest::keyClick(w, Qt::Key_F3); // a search that ends takes the mark away
    QCOMPARE(scripted->messages.size(), 1);
    QVERIFY(area->extraSelections().isEmpty());
}

void TestFind::duplicateNamesInTheCatalogue()
{
    // Every name that occurs twice, with where it occurs, read off the catalogue.
    const QString &cat = catalogue::text();
    QMap<QString, QList<qsizetype>> starts;
    const QList<CatalogueEntry> all = catalogueEntries(cat);
    for (const CatalogueEntry &e : all)
        starts[e.name].append(e.nameStart);
    QStringList twice;
    for (auto it = starts.cbegin(); it != starts.cend(); ++it) {
        if (it.value().size() == 2)
            twice << it.key();
    }
    QVERIFY(!twice.isEmpty());

    for (const QString &name : std::as_const(twice)) {
        ScriptedDialogs *scripted = nullptr;
        Form1 *w = openWindow(scripted);
        QVERIFY(w);
        auto *area = w->findChild<TextArea *>(u"Text1"_qs);
        // A name may also stand inside another entry's text; its first and
        // second occurrence anywhere are where Find and F3 must stop.
        const qsizetype first = reference::findText(cat, name, 1) - 1;
        const qsizetype second = reference::findText(cat, name, first + 2) - 1;
        QVERIFY(first >= 0 && first <= starts[name][0]);
        QVERIFY(second > first && second <= starts[name][1]);

        scripted->answers.append(name);
        QTest::keyClick(w, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(area->caretIndex(), first);
        QTest::keyClick(w, Qt::Key_F3);
        QCOMPARE(area->caretIndex(), second);
        QVERIFY(scripted->messages.isEmpty());
    }
}

void TestFind::realDialogs()
{
    window = std::make_unique<Form1>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto *area = window->findChild<TextArea *>(u"Text1"_qs);
    area->setText(u"回气丹,E62\r\n金创药,E61\r\n"_qs);

    // Types `answer` into the prompt, records the message box and presses
    // its button.
    struct Seen
    {
        QString promptTitle, promptLabel, promptDefault;
        QString messageTitle, messageText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        qsizetype buttons = 0;
        int promptWidth = 0;
        int width = 0;
        bool modal = false;
    } seen;
    QString answer;
    ModalAnswerer answerer;
    answerer.onPrompt = [&](QInputDialog *input) {
        seen.promptTitle = input->windowTitle();
        seen.promptLabel = input->labelText();
        seen.promptDefault = input->textValue();
        seen.modal = input->parentWidget() == window.get() && input->isModal();
        seen.promptWidth = input->width();
        input->setTextValue(answer);
        if (answer.isEmpty())
            input->reject();
        else
            input->accept();
    };
    answerer.onMessage = [&](QMessageBox *box) {
        seen.messageTitle = box->windowTitle();
        seen.messageText = box->text();
        seen.icon = box->icon();
        seen.buttons = box->buttons().size();
        seen.width = box->width();
        if (QAbstractButton *ok = box->button(QMessageBox::Ok))
            QTest::mouseClick(ok, Qt::LeftButton);
    };

    // Both are wide enough for their whole title in a title bar, beside its
    // icon and three buttons, not just for their own text.
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    const int titleBarWidth = QFontMetrics(titleFont).horizontalAdvance(kTitle) + 150;

    answer = u"金创药"_qs;
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(seen.promptTitle, kTitle);
    QCOMPARE(seen.promptLabel, kPrompt);
    QCOMPARE(seen.promptDefault, QString());
    QVERIFY(seen.modal);
    QVERIFY2(seen.promptWidth > titleBarWidth, qPrintable(QString::number(seen.promptWidth)));
    QCOMPARE(area->caretIndex(), 9);
    QCOMPARE(seen.messageText, QString()); // found: no message

    // From the menu from now on: the offscreen platform does not make the
    // window active again once a real dialog has closed, so keys would be lost.
    QAction *findAction = window->findChild<QAction *>(u"mnuFind"_qs);
    QVERIFY(findAction);
    answer = u"没有这种东西"_qs;
    findAction->trigger();
    QCOMPARE(seen.promptDefault, u"金创药"_qs);
    QCOMPARE(seen.messageTitle, kTitle);
    QCOMPARE(seen.messageText, kFinished);
    QCOMPARE(seen.icon, QMessageBox::Information);
    QCOMPARE(seen.buttons, 1);
    QVERIFY2(seen.width > titleBarWidth, qPrintable(QString::number(seen.width)));

    answer.clear(); // Cancel
    seen = {};
    findAction->trigger();
    QCOMPARE(seen.promptDefault, u"金创药"_qs);
    QCOMPARE(seen.messageText, QString());
    QCOMPARE(area->caretIndex(), 9);
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestFind)
#include "tst_find.moc"
