#include <QAbstractButton>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QtTest>

#include "app/catalogue.h"
#include "app/form1.h"
#include "app/search/findcommands.h"
#include "app/search/standarddialogs.h"
#include "app/startup.h"
#include "app/textarea.h"
#include "reference_search.h"
#include "scripteddialogs.h"

namespace {

const QString kTitle = u"Morvane2物品一览表"_qs;
const QString kPrompt = u"输入物品名称或代码或描述中包含的字符"_qs;
const QString kFinished = u"已完成了全文搜索"_qs;

// A text for the commands to search, recording what they show of it.
class FakeText : public SearchTarget
{
public:
    QString content;
    QList<QPair<qsizetype, qsizetype>> shown; // (index, length) of each match shown
    int cleared = 0;

    const QString &text() const override { return content; }
    void showMatch(qsizetype index, qsizetype length) override { shown.append({index, length}); }
    void clearMatch() override { ++cleared; }
};

} // namespace

class TestFind : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    // The commands, on small texts.
    void singleOccurrenceThenFinished();
    void notFoundKeepsEarlierSearch();
    void findNextBeforeFindPrompts();
    void cancelOrEmptyChangesNothing_data();
    void cancelOrEmptyChangesNothing();
    void keptAsTyped_data();
    void keptAsTyped();
    void overlappingMatches();
    void textsAndTitles();
    void badInputStaysSound_data();
    void badInputStaysSound();
    void textReplacedUnderTheSearch();

    // Through the main window, as a player does it.
    void keysMoveTheCaret_data();
    void keysMoveTheCaret();
    void matchIsMarked();
    void duplicateNamesInTheCatalogue();
    void realDialogs();

private:
    void find(const QString &answer);
    void findNext() { commands->findNext(); }
    // The state is either empty or names a real match start.
    void verifyConsistent();
    Form1 *openWindow(ScriptedDialogs *&dialogs);

    QWidget owner;
    FakeText text;
    ScriptedDialogs *dialogs = nullptr; // owned by the commands
    std::unique_ptr<FindCommands> commands;
    std::unique_ptr<Form1> window;
};

void TestFind::initTestCase()
{
    startup::describeApplication();
}

void TestFind::init()
{
    text = FakeText();
    auto scripted = std::make_unique<ScriptedDialogs>();
    dialogs = scripted.get();
    commands = std::make_unique<FindCommands>(&owner, text, std::move(scripted));
}

void TestFind::cleanup()
{
    commands.reset();
    window.reset();
    dialogs = nullptr;
}

void TestFind::find(const QString &answer)
{
    dialogs->answers.append(answer);
    commands->find();
}

void TestFind::verifyConsistent()
{
    if (commands->searchText().isEmpty()) {
        QCOMPARE(commands->findPos(), 0);
        return;
    }
    const qsizetype pos = commands->findPos();
    QCOMPARE(reference::findText(text.content, commands->searchText(), pos), pos);
    if (!text.shown.isEmpty())
        QCOMPARE(text.shown.last().first, pos - 1);
}

Form1 *TestFind::openWindow(ScriptedDialogs *&scripted)
{
    auto owned = std::make_unique<ScriptedDialogs>();
    scripted = owned.get();
    window = std::make_unique<Form1>(std::move(owned));
    window->show();
    if (!QTest::qWaitForWindowActive(window.get()))
        return nullptr;
    return window.get();
}

void TestFind::singleOccurrenceThenFinished()
{
    text.content = u"ab\r\nE59,XYZ\r\ncd"_qs;
    find(u"xyz"_qs);
    QCOMPARE(commands->searchText(), u"xyz"_qs);
    QCOMPARE(commands->findPos(), 9);
    QCOMPARE(text.shown, (QList<QPair<qsizetype, qsizetype>>{{8, 3}}));
    QVERIFY(dialogs->messages.isEmpty());

    // No wrap-around: the message comes back on every further Find next.
    for (int i = 1; i <= 2; ++i) {
        findNext();
        QCOMPARE(dialogs->messages.size(), i);
        QCOMPARE(commands->findPos(), 9);
        QCOMPARE(text.shown.size(), 1);
    }
    QCOMPARE(dialogs->prompts.size(), 1);
}

void TestFind::notFoundKeepsEarlierSearch()
{
    text.content = u"金创药,E61\r\n回气丹,E62\r\n金创药,1005\r\n"_qs;
    find(u"金创药"_qs);
    QCOMPARE(commands->findPos(), 1);

    find(u"没有这种东西"_qs);
    QCOMPARE(dialogs->messages.size(), 1);
    QCOMPARE(commands->searchText(), u"金创药"_qs);
    QCOMPARE(commands->findPos(), 1);
    QCOMPARE(text.cleared, 1); // the failed search took the mark away

    findNext(); // goes on with the earlier search
    QCOMPARE(commands->findPos(), 19);
    QCOMPARE(text.shown.last(), (QPair<qsizetype, qsizetype>(18, 3)));
    findNext(); // there is no third
    QCOMPARE(dialogs->messages.size(), 2);
    QCOMPARE(commands->findPos(), 19);

    find(QString()); // the prompt offers the earlier text
    QCOMPARE(dialogs->prompts.size(), 3);
    QCOMPARE(dialogs->messages.size(), 2);
    QCOMPARE(dialogs->prompts[1].defaultText, u"金创药"_qs);
    QCOMPARE(dialogs->prompts[2].defaultText, u"金创药"_qs);
}

void TestFind::findNextBeforeFindPrompts()
{
    text.content = u"x\r\n\u0014星屑钉,D64\r\n"_qs;
    dialogs->answers.append(u"d64"_qs);
    findNext();
    QCOMPARE(dialogs->prompts.size(), 1);
    QCOMPARE(dialogs->prompts[0].defaultText, QString());
    QCOMPARE(commands->searchText(), u"d64"_qs);
    QCOMPARE(commands->findPos(), 9);
    findNext(); // now a real Find next: no prompt
    QCOMPARE(dialogs->prompts.size(), 1);
    QCOMPARE(dialogs->messages.size(), 1);
}

void TestFind::cancelOrEmptyChangesNothing_data()
{
    QTest::addColumn<QString>("earlier"); // a Find before, or none
    QTest::addColumn<bool>("viaFindNext");
    QTest::newRow("first Find cancelled") << QString() << false;
    QTest::newRow("Find next before any Find, cancelled") << QString() << true;
    QTest::newRow("Find cancelled after a match") << u"b"_qs << false;
}

void TestFind::cancelOrEmptyChangesNothing()
{
    QFETCH(QString, earlier);
    QFETCH(bool, viaFindNext);
    text.content = u"abc"_qs;
    if (!earlier.isEmpty())
        find(earlier);
    const QString textBefore = commands->searchText();
    const qint32 posBefore = commands->findPos();
    const auto shownBefore = text.shown;

    dialogs->answers.append(QString()); // cancel and an empty OK both give ""
    if (viaFindNext)
        findNext();
    else
        commands->find();
    QCOMPARE(dialogs->prompts.size(), earlier.isEmpty() ? 1 : 2);
    QVERIFY(dialogs->messages.isEmpty());
    QCOMPARE(commands->searchText(), textBefore);
    QCOMPARE(commands->findPos(), posBefore);
    QCOMPARE(text.shown, shownBefore);
    QCOMPARE(text.cleared, 0);
}

void TestFind::keptAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("lower case code") << u"e59"_qs;
    QTest::newRow("full-width lower case code") << u"ｅ５９"_qs;
    QTest::newRow("mixed widths") << u"ｅ5９"_qs;
}

void TestFind::keptAsTyped()
{
    QFETCH(QString, typed);
    text.content = u"凤羽丹,E59\r\n"_qs;
    find(typed);
    QCOMPARE(commands->findPos(), 5);
    QCOMPARE(commands->searchText(), typed); // kept as typed, offered so next time
    find(QString());
    QCOMPARE(dialogs->prompts.last().defaultText, typed);
}

void TestFind::overlappingMatches()
{
    text.content = u"xaaa"_qs;
    find(u"AA"_qs);
    QCOMPARE(commands->findPos(), 2);
    findNext();
    QCOMPARE(commands->findPos(), 3);
    QCOMPARE(text.shown.last(), (QPair<qsizetype, qsizetype>(2, 2)));
    findNext();
    QCOMPARE(dialogs->messages.size(), 1);
    QCOMPARE(commands->findPos(), 3);
}

void TestFind::textsAndTitles()
{
    text.content = u"abc"_qs;
    find(u"没有这种东西"_qs);
    QCOMPARE(dialogs->prompts.size(), 1);
    QCOMPARE(dialogs->prompts[0].parent, &owner);
    QCOMPARE(dialogs->prompts[0].title, kTitle);
    QCOMPARE(dialogs->prompts[0].text, kPrompt);
    QCOMPARE(dialogs->messages.size(), 1);
    QCOMPARE(dialogs->messages[0].parent, &owner);
    QCOMPARE(dialogs->messages[0].title, kTitle);
    QCOMPARE(dialogs->messages[0].text, kFinished);
}

void TestFind::badInputStaysSound_data()
{
    const QString sample = u"金创药\r\n\u0014星屑钉,D64\r\n😀"_qs;
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("position"); // 0: not found
    QTest::newRow("the text and one more") << sample + u'x' << 0;
    QTest::newRow("a million characters") << QString(1'000'000, u'药') << 0;
    QTest::newRow("the whole text") << sample << 1;
    QTest::newRow("control character") << u"\u0014"_qs << 6;
    QTest::newRow("control character and name") << u"\u0014星屑钉,d64"_qs << 6;
    QTest::newRow("NUL") << QString(QChar(u'\0')) << 0;
    QTest::newRow("surrogate pair") << u"😀"_qs << 16;
    QTest::newRow("lone high surrogate") << QString(QChar(0xD83D)) << 0;
    QTest::newRow("lone low surrogate after a name") << u"金创药"_qs + QChar(0xDE00) << 0;
}

void TestFind::badInputStaysSound()
{
    QFETCH(QString, typed);
    QFETCH(int, position);
    text.content = u"金创药\r\n\u0014星屑钉,D64\r\n😀"_qs;
    find(u"星屑钉"_qs); // an earlier search, which a failed Find must keep
    find(typed);
    QCOMPARE(commands->findPos(), position ? position : 7);
    QCOMPARE(dialogs->messages.size(), position ? 0 : 1);
    verifyConsistent();
    findNext();
    verifyConsistent();
    findNext();
    verifyConsistent();
}

void TestFind::textReplacedUnderTheSearch()
{
    text.content = u"ab ab ab"_qs;
    find(u"ab"_qs);
    findNext();
    QCOMPARE(commands->findPos(), 4);
    text.content = u"ab"_qs; // shorter than the last match position
    findNext();
    QCOMPARE(dialogs->messages.size(), 1);
    QCOMPARE(commands->findPos(), 4);
    find(u"ab"_qs);
    QCOMPARE(commands->findPos(), 1);
    QCOMPARE(text.shown.last(), (QPair<qsizetype, qsizetype>(0, 2)));
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
    QCOMPARE(scripted->prompts[0].parent, w);
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
    static const QRegularExpression nameLine(
        QStringLiteral("\r\n\\x{14}?([^,\r\n]+),[0-9A-F]+\r\n"));
    QMap<QString, QList<qsizetype>> starts;
    for (auto it = nameLine.globalMatch(cat); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        starts[m.captured(1)].append(m.capturedStart(1));
    }
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

    // Answers whatever modal dialog is up: types `answer` into the prompt,
    // records the message box and presses its button.
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
    QTimer answerer;
    answerer.setInterval(10);
    connect(&answerer, &QTimer::timeout, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
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
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen.messageTitle = box->windowTitle();
            seen.messageText = box->text();
            seen.icon = box->icon();
            seen.buttons = box->buttons().size();
            seen.width = box->width();
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                QTest::mouseClick(ok, Qt::LeftButton);
        }
    });
    answerer.start();

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
