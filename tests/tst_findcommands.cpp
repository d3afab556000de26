#include <QtTest>

#include "app/search/findcommands.h"
#include "reference_search.h"
#include "scripteddialogs.h"

// Find and Find next on small texts, with the prompt and message answered by
// a script. Built against the search alone: the commands need no widgets.
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

class TestFindCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

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

private:
    void find(const QString &answer);
    void findNext() { commands->findNext(); }
    // The state is either empty or names a real match start.
    void verifyConsistent();

    FakeText text;
    ScriptedDialogs *dialogs = nullptr; // owned by the commands
    std::unique_ptr<FindCommands> commands;
};

void TestFindCommands::initTestCase()
{
    // The program's name, which the prompt and the message carry as their title.
    QCoreApplication::setApplicationName(kTitle);
}

void TestFindCommands::init()
{
    text = FakeText();
    auto scripted = std::make_unique<ScriptedDialogs>();
    dialogs = scripted.get();
    commands = std::make_unique<FindCommands>(text, std::move(scripted));
}

void TestFindCommands::find(const QString &answer)
{
    dialogs->answers.append(answer);
    commands->find();
}

void TestFindCommands::verifyConsistent()
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

void TestFindCommands::singleOccurrenceThenFinished()
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

void TestFindCommands::notFoundKeepsEarlierSearch()
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

void TestFindCommands::findNextBeforeFindPrompts()
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

void TestFindCommands::cancelOrEmptyChangesNothing_data()
{
    QTest::addColumn<QString>("earlier"); // a Find before, or none
    QTest::addColumn<bool>("viaFindNext");
    QTest::newRow("first Find cancelled") << QString() << false;
    QTest::newRow("Find next before any Find, cancelled") << QString() << true;
    QTest::newRow("Find cancelled after a match") << u"b"_qs << false;
}

void TestFindCommands::cancelOrEmptyChangesNothing()
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

void TestFindCommands::keptAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("lower case code") << u"e59"_qs;
    QTest::newRow("full-width lower case code") << u"ｅ５９"_qs;
    QTest::newRow("mixed widths") << u"ｅ5９"_qs;
}

void TestFindCommands::keptAsTyped()
{
    QFETCH(QString, typed);
    text.content = u"凤羽丹,E59\r\n"_qs;
    find(typed);
    QCOMPARE(commands->findPos(), 5);
    QCOMPARE(commands->searchText(), typed); // kept as typed, offered so next time
    find(QString());
    QCOMPARE(dialogs->prompts.last().defaultText, typed);
}

void TestFindCommands::overlappingMatches()
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

void TestFindCommands::textsAndTitles()
{
    text.content = u"abc"_qs;
    find(u"没有这种东西"_qs);
    QCOMPARE(dialogs->prompts.size(), 1);
    QCOMPARE(dialogs->prompts[0].title, kTitle);
    QCOMPARE(dialogs->prompts[0].text, kPrompt);
    QCOMPARE(dialogs->messages.size(), 1);
    QCOMPARE(dialogs->messages[0].title, kTitle);
    QCOMPARE(dialogs->messages[0].text, kFinished);
}

void TestFindCommands::badInputStaysSound_data()
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

void TestFindCommands::badInputStaysSound()
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

void TestFindCommands::textReplacedUnderTheSearch()
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

QTEST_GUILESS_MAIN(TestFindCommands)
#include "tst_findcommands.moc"
