#include <QAbstractButton>
#include <QInputDialog>
#include <QMessageBox>
#include <QtTest>

#include "app/catalogue.h"
#include "app/form1.h"
#include "app/search/searchdialogs.h"
#include "app/search/textsearch.h"
#include "app/startup.h"
#include "app/textarea.h"

namespace {

const QString kTitle = u"Morvane2物品一览表"_qs;
const QString kPrompt = u"输入物品名称或代码或描述中包含的字符"_qs;
const QString kFinished = u"已完成了全文搜索"_qs;

// Answers the prompts from a queue (an empty answer once it runs out, as a
// cancel would) and records every prompt and message.
class ScriptedDialogs : public SearchDialogs
{
public:
    struct Shown
    {
        QWidget *parent;
        QString title;
        QString text; // the prompt's label or the message
        QString defaultText; // prompts only
    };

    QStringList answers;
    QList<Shown> prompts;
    QList<Shown> messages;

    QString prompt(QWidget *parent, const QString &title, const QString &label,
        const QString &defaultText) override
    {
        prompts.append({parent, title, label, defaultText});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    void information(QWidget *parent, const QString &title, const QString &text) override
    {
        messages.append({parent, title, text, {}});
    }
};

} // namespace

class TestFind : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void singleOccurrenceThenFinished();
    void notFoundKeepsEarlierSearch();
    void findNextBeforeFindPrompts();
    void cancelOrEmptyChangesNothing_data();
    void cancelOrEmptyChangesNothing();
    void itemCodeIgnoresCaseAndWidth_data();
    void itemCodeIgnoresCaseAndWidth();
    void overlappingMatches();
    void caretAtMatch_data();
    void caretAtMatch();
    void textsAndTitles();
    void badInputStaysSound_data();
    void badInputStaysSound();
    void textReplacedUnderTheSearch();
    void realDialogs();

private:
    // Both press the program's keys, as a player would: Ctrl+F and F3.
    void find(const QString &answer);
    void findNext() { QTest::keyClick(window, Qt::Key_F3); }
    // The state is either empty or names a real match start.
    void verifyConsistent();

    Form1 *window = nullptr;
    TextArea *text = nullptr;
    ScriptedDialogs *dialogs = nullptr; // owned by the window
};

void TestFind::initTestCase()
{
    startup::describeApplication();
}

void TestFind::init()
{
    window = new Form1;
    auto scripted = std::make_unique<ScriptedDialogs>();
    dialogs = scripted.get();
    window->setSearchDialogs(std::move(scripted));
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    text = window->textArea();
}

void TestFind::cleanup()
{
    delete window;
    window = nullptr;
    dialogs = nullptr;
}

void TestFind::find(const QString &answer)
{
    dialogs->answers.append(answer);
    QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
}

void TestFind::verifyConsistent()
{
    QVERIFY(text->caretIndex() >= 0 && text->caretIndex() <= text->text().size());
    if (window->findText().isEmpty()) {
        QCOMPARE(window->findPos(), 0);
        return;
    }
    const qsizetype pos = window->findPos();
    QVERIFY(pos >= 1);
    QCOMPARE(search::findText(text->text(), window->findText(), pos), pos);
}

void TestFind::singleOccurrenceThenFinished()
{
    find(u"E59"_qs);
    QCOMPARE(window->findText(), u"E59"_qs);
    QCOMPARE(window->findPos(), 825);
    QCOMPARE(text->caretIndex(), 824);
    QVERIFY(dialogs->messages.isEmpty());

    // No wrap-around: the message comes back on every further Find next.
    for (int i = 1; i <= 2; ++i) {
        findNext();
        QCOMPARE(dialogs->messages.size(), i);
        QCOMPARE(window->findPos(), 825);
        QCOMPARE(text->caretIndex(), 824);
    }
    QCOMPARE(dialogs->prompts.size(), 1);
}

void TestFind::notFoundKeepsEarlierSearch()
{
    find(u"金创药"_qs);
    QCOMPARE(window->findPos(), 5072);

    find(u"没有这种东西"_qs);
    QCOMPARE(dialogs->messages.size(), 1);
    QCOMPARE(window->findText(), u"金创药"_qs);
    QCOMPARE(window->findPos(), 5072);
    QCOMPARE(text->caretIndex(), 5071);

    findNext(); // goes on with the earlier search
    QCOMPARE(window->findPos(), 8828);
    QCOMPARE(text->text().mid(text->caretIndex(), 3), u"金创药"_qs);
    findNext(); // there is no third
    QCOMPARE(dialogs->messages.size(), 2);
    QCOMPARE(window->findPos(), 8828);

    find(QString()); // the prompt offers the earlier text
    QCOMPARE(dialogs->prompts.size(), 3);
    QCOMPARE(dialogs->messages.size(), 2);
    QCOMPARE(dialogs->prompts[1].defaultText, u"金创药"_qs);
    QCOMPARE(dialogs->prompts[2].defaultText, u"金创药"_qs);
}

void TestFind::findNextBeforeFindPrompts()
{
    dialogs->answers.append(u"D64"_qs);
    findNext();
    QCOMPARE(dialogs->prompts.size(), 1);
    QCOMPARE(dialogs->prompts[0].defaultText, QString());
    QCOMPARE(window->findText(), u"D64"_qs);
    QCOMPARE(text->text().mid(text->caretIndex(), 3), u"D64"_qs);
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
    QTest::newRow("Find cancelled after a match") << u"金创药"_qs << false;
}

void TestFind::cancelOrEmptyChangesNothing()
{
    QFETCH(QString, earlier);
    QFETCH(bool, viaFindNext);
    if (!earlier.isEmpty())
        find(earlier);
    text->setCaretIndex(42); // the caret moved by hand since
    const QString textBefore = window->findText();
    const qint32 posBefore = window->findPos();

    dialogs->answers.append(QString()); // cancel and an empty OK both give ""
    if (viaFindNext)
        findNext();
    else
        QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(dialogs->prompts.size(), earlier.isEmpty() ? 1 : 2);
    QVERIFY(dialogs->messages.isEmpty());
    QCOMPARE(window->findText(), textBefore);
    QCOMPARE(window->findPos(), posBefore);
    QCOMPARE(text->caretIndex(), 42);
}

void TestFind::itemCodeIgnoresCaseAndWidth_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("lower case") << u"e59"_qs;
    QTest::newRow("full-width lower case") << u"ｅ５９"_qs;
    QTest::newRow("mixed") << u"ｅ5９"_qs;
}

void TestFind::itemCodeIgnoresCaseAndWidth()
{
    QFETCH(QString, typed);
    find(typed);
    QCOMPARE(text->text().mid(text->caretIndex(), 3), u"E59"_qs);
    QCOMPARE(window->findText(), typed); // kept as typed, offered so next time
    QCOMPARE(window->findPos(), 825);
}

void TestFind::overlappingMatches()
{
    text->setText(u"xaaa"_qs);
    find(u"AA"_qs);
    QCOMPARE(window->findPos(), 2);
    findNext();
    QCOMPARE(window->findPos(), 3);
    QCOMPARE(text->caretIndex(), 2);
    findNext();
    QCOMPARE(dialogs->messages.size(), 1);
    QCOMPARE(window->findPos(), 3);
}

void TestFind::caretAtMatch_data()
{
    QTest::addColumn<QString>("content"); // empty: the catalogue
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("caret");
    QTest::newRow("at the very start") << u"ab\r\ncd"_qs << u"a"_qs << 1 << 0;
    QTest::newRow("line end") << u"ab\r\ncd"_qs << u"\r\n"_qs << 3 << 2;
    // The caret cannot stand between CR and LF: it stays at the end of that line.
    QTest::newRow("LF of a line end") << u"ab\r\ncd"_qs << u"\n"_qs << 4 << 2;
    QTest::newRow("across a line end") << u"ab\r\ncd"_qs << u"b\r\nc"_qs << 2 << 1;
    QTest::newRow("start of the next line") << u"ab\r\ncd"_qs << u"cd"_qs << 5 << 4;
    QTest::newRow("last character") << u"ab\r\ncd"_qs << u"D"_qs << 6 << 5;
    QTest::newRow("line end at the very end") << u"ab\r\ncd\r\n"_qs << u"d\r\n"_qs << 6 << 5;
    QTest::newRow("catalogue, last line")
        << QString() << u"比回城符贵上百倍。\r\n"_qs << 13070 << 13069;
    QTest::newRow("catalogue, the stray character") << QString() << u"\u0014"_qs << 12345 << 12344;
}

void TestFind::caretAtMatch()
{
    QFETCH(QString, content);
    QFETCH(QString, what);
    QFETCH(int, position);
    QFETCH(int, caret);
    if (!content.isEmpty())
        text->setText(content);
    find(what);
    QCOMPARE(window->findPos(), position);
    QCOMPARE(text->caretIndex(), caret);
    if (caret == position - 1)
        QVERIFY(text->text().mid(caret).startsWith(what, Qt::CaseInsensitive));
    QVERIFY(text->textCursor().selectedText().isEmpty());
}

void TestFind::textsAndTitles()
{
    find(u"没有这种东西"_qs);
    QCOMPARE(dialogs->prompts.size(), 1);
    QCOMPARE(dialogs->prompts[0].parent, window);
    QCOMPARE(dialogs->prompts[0].title, kTitle);
    QCOMPARE(dialogs->prompts[0].text, kPrompt);
    QCOMPARE(dialogs->messages.size(), 1);
    QCOMPARE(dialogs->messages[0].parent, window);
    QCOMPARE(dialogs->messages[0].title, kTitle);
    QCOMPARE(dialogs->messages[0].text, kFinished);
}

void TestFind::badInputStaysSound_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("position"); // 0: not found
    const QString cat = catalogue::text();
    QTest::newRow("the catalogue and one more") << cat + u'x' << 0;
    QTest::newRow("a million characters") << QString(1'000'000, u'药') << 0;
    QTest::newRow("the whole catalogue") << cat << 1;
    QTest::newRow("control character") << u"\u0014"_qs << 12345;
    QTest::newRow("control character and name") << u"\u0014星屑钉,d64"_qs << 12345;
    QTest::newRow("NUL") << QString(QChar(u'\0')) << 0;
    QTest::newRow("surrogate pair") << u"😀"_qs << 0;
    QTest::newRow("lone high surrogate") << QString(QChar(0xD83D)) << 0;
    QTest::newRow("lone low surrogate after a name") << u"金创药"_qs + QChar(0xDE00) << 0;
}

void TestFind::badInputStaysSound()
{
    QFETCH(QString, typed);
    QFETCH(int, position);
    find(u"金创药"_qs); // an earlier search, which a failed Find must keep
    find(typed);
    QCOMPARE(window->findPos(), position ? position : 5072);
    QCOMPARE(dialogs->messages.size(), position ? 0 : 1);
    verifyConsistent();
    findNext();
    verifyConsistent();
    findNext();
    verifyConsistent();
}

void TestFind::textReplacedUnderTheSearch()
{
    find(u"金创药"_qs);
    findNext();
    text->setText(u"金创药"_qs); // shorter than the last match position
    findNext();
    QCOMPARE(dialogs->messages.size(), 1);
    QCOMPARE(window->findPos(), 8828);
    QVERIFY(text->caretIndex() <= text->text().size());
    find(u"金创药"_qs);
    QCOMPARE(window->findPos(), 1);
    QCOMPARE(text->caretIndex(), 0);
}

void TestFind::realDialogs()
{
    window->setSearchDialogs(makeStandardSearchDialogs());

    // Answers whatever modal dialog is up: types `answer` into the prompt,
    // records the message box and presses its button.
    struct Seen
    {
        QString promptTitle, promptLabel, promptDefault;
        QString messageTitle, messageText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        qsizetype buttons = 0;
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
            seen.modal = input->parentWidget() == window && input->isModal();
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
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                QTest::mouseClick(ok, Qt::LeftButton);
        }
    });
    answerer.start();

    answer = u"金创药"_qs;
    QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(seen.promptTitle, kTitle);
    QCOMPARE(seen.promptLabel, kPrompt);
    QCOMPARE(seen.promptDefault, QString());
    QVERIFY(seen.modal);
    QCOMPARE(window->findPos(), 5072);
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
    QCOMPARE(window->findText(), u"金创药"_qs);

    answer.clear(); // Cancel
    seen = {};
    findAction->trigger();
    QCOMPARE(window->findText(), u"金创药"_qs);
    QCOMPARE(seen.promptDefault, u"金创药"_qs);
    QCOMPARE(seen.messageText, QString());
    QCOMPARE(window->findPos(), 5072);
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestFind)
#include "tst_find.moc"
