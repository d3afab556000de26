#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QtTest>

#include "app/catalogue.h"
#include "app/form1.h"
#include "app/startup.h"
#include "app/textarea.h"

namespace {

// The client area as designed: 10080 x 5820 twips, 15 twips to the pixel.
constexpr QSize kClientSize(672, 388);

QWidget *client(const Form1 &window)
{
    return window.centralWidget();
}

QAction *action(const QMenu *menu, const QString &name, int index)
{
    const QList<QAction *> actions = menu->findChildren<QAction *>(name);
    for (QAction *a : actions) {
        if (a->data().toInt() == index)
            return a;
    }
    return nullptr;
}

QColor textColor(const TextArea *area)
{
    return area->palette().color(QPalette::Text);
}

QColor backgroundColor(const TextArea *area)
{
    return area->palette().color(QPalette::Base);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void caption();
    void menuTree_data();
    void menuTree();
    void menuBarOrder();
    void accessKeyOpensMenu();
    void textAreaAtStart();
    void keyboardMovesCaret();
    void presets_data();
    void presets();
    void fitsClientArea_data();
    void fitsClientArea();
    void fitsWhenMinimisedAndRestored();

private:
    Form1 *window = nullptr;
    TextArea *text = nullptr;
    QMenu *fontMenu = nullptr;
};

void TestMainWindow::initTestCase()
{
    startup::describeApplication();
}

void TestMainWindow::init()
{
    window = new Form1;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    text = window->findChild<TextArea *>(u"Text1"_qs);
    fontMenu = window->findChild<QMenu *>(u"mnuFont"_qs);
    QVERIFY(text);
    QVERIFY(fontMenu);
}

void TestMainWindow::cleanup()
{
    delete window;
    window = nullptr;
}

void TestMainWindow::caption()
{
    QCOMPARE(window->windowTitle(), u"Morvane2所有物品一览表 by Tessavar"_qs);
    QVERIFY(!window->windowIcon().isNull());
    QCOMPARE(window->windowIcon().availableSizes().value(0), QSize(32, 32));
    QCOMPARE(client(*window)->size(), kClientSize);
}

void TestMainWindow::menuTree_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("position"); // among the menu's actions, separator included
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::newRow("font size large")
        << u"mnuFont"_qs << u"mnuFontSize"_qs << 0 << 0 << u"大"_qs << QKeySequence();
    QTest::newRow("font size medium")
        << u"mnuFont"_qs << u"mnuFontSize"_qs << 1 << 1 << u"中"_qs << QKeySequence();
    QTest::newRow("font size small")
        << u"mnuFont"_qs << u"mnuFontSize"_qs << 2 << 2 << u"小"_qs << QKeySequence();
    QTest::newRow("colours blue") << u"mnuFont"_qs << u"mnuColor"_qs << 4 << 0 << u"蓝底黄字"_qs
                                  << QKeySequence();
    QTest::newRow("colours white")
        << u"mnuFont"_qs << u"mnuColor"_qs << 5 << 1 << u"白底黑字"_qs << QKeySequence();
    QTest::newRow("find") << u"mnuFindMain"_qs << u"mnuFind"_qs << 0 << 0 << u"查找"_qs
                          << QKeySequence(Qt::CTRL | Qt::Key_F);
    QTest::newRow("find next") << u"mnuFindMain"_qs << u"mnuFindNext"_qs << 1 << 0
                               << u"查找下一个"_qs << QKeySequence(Qt::Key_F3);
}

void TestMainWindow::menuTree()
{
    QFETCH(QString, menu);
    QFETCH(QString, name);
    QFETCH(int, position);
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    const QMenu *m = window->findChild<QMenu *>(menu);
    QVERIFY(m);
    const QList<QAction *> actions = m->actions();
    QCOMPARE(actions.size(), menu == u"mnuFont"_qs ? 6 : 2);
    QAction *a = actions.value(position);
    QVERIFY(a);
    QCOMPARE(a->objectName(), name);
    QCOMPARE(a->data().toInt(), index);
    QCOMPARE(a->text(), caption);
    QCOMPARE(a->shortcut(), shortcut);
    QVERIFY(a->isEnabled() && a->isVisible());
    QVERIFY(!a->isCheckable());
    QVERIFY(!a->menu());
    if (menu == u"mnuFont"_qs) {
        QAction *separator = actions[3];
        QVERIFY(separator->isSeparator());
        QCOMPARE(separator->objectName(), u"b1"_qs);
    }
}

void TestMainWindow::menuBarOrder()
{
    const QList<QAction *> top = window->menuBar()->actions();
    QCOMPARE(top.size(), 3);
    QCOMPARE(top[0]->text(), u"字体(&F)"_qs);
    QCOMPARE(top[1]->text(), u"查找(&S)"_qs);
    QCOMPARE(top[2]->text(), u"关于"_qs);
    QCOMPARE(top[2]->objectName(), u"mnuAbout"_qs);
    QVERIFY(!top[2]->menu()); // acts when clicked, no submenu
    QCOMPARE(QKeySequence::mnemonic(top[0]->text()), QKeySequence(Qt::ALT | Qt::Key_F));
    QCOMPARE(QKeySequence::mnemonic(top[1]->text()), QKeySequence(Qt::ALT | Qt::Key_S));
}

void TestMainWindow::accessKeyOpensMenu()
{
    QMenu *searchMenu = window->findChild<QMenu *>(u"mnuFindMain"_qs);
    QTest::keyClick(text, Qt::Key_S, Qt::AltModifier);
    QTRY_VERIFY(searchMenu->isVisible());
    QTest::keyClick(searchMenu, Qt::Key_Escape);
    QTRY_VERIFY(!searchMenu->isVisible());
}

void TestMainWindow::textAreaAtStart()
{
    QCOMPARE(text->text(), catalogue::text());
    QCOMPARE(text->caretIndex(), 0);
    QVERIFY(text->hasFocus());
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(textColor(text), QColor(255, 255, 0));
    QCOMPARE(backgroundColor(text), QColor(0, 0, 255));
    QCOMPARE(text->font().family(), QApplication::font().family());
    QCOMPARE(text->font().pointSizeF(), QApplication::font().pointSizeF());
    // One block per line of the document: nothing breaks a line but its line end.
    QCOMPARE(text->document()->blockCount(), catalogue::text().count(u"\r\n"_qs) + 1);
}

void TestMainWindow::keyboardMovesCaret()
{
    QTest::keyClick(text, Qt::Key_Down);
    QCOMPARE(text->caretIndex(), text->text().indexOf(u"\r\n"_qs) + 2);
    QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(text->caretIndex(), text->text().size());
    QTest::keyClicks(text, u"typed"_qs);
    QCOMPARE(text->text(), catalogue::text());
}

void TestMainWindow::presets_data()
{
    QTest::addColumn<QStringList>("clicks"); // "name:index"
    QTest::addColumn<qreal>("points"); // 0: the size at start
    QTest::addColumn<QColor>("foreground");
    QTest::addColumn<QColor>("background");
    const QColor yellow(255, 255, 0), blue(0, 0, 255), black(0, 0, 0), white(255, 255, 255);
    QTest::newRow("large") << QStringList{u"mnuFontSize:0"_qs} << 15.0 << yellow << blue;
    QTest::newRow("medium") << QStringList{u"mnuFontSize:1"_qs} << 12.0 << yellow << blue;
    QTest::newRow("small") << QStringList{u"mnuFontSize:2"_qs} << 9.0 << yellow << blue;
    QTest::newRow("white, size kept") << QStringList{u"mnuColor:1"_qs} << 0.0 << black << white;
    QTest::newRow("small then white keeps the size")
        << QStringList{u"mnuFontSize:2"_qs, u"mnuColor:1"_qs} << 9.0 << black << white;
    QTest::newRow("white then large keeps the colours")
        << QStringList{u"mnuColor:1"_qs, u"mnuFontSize:0"_qs} << 15.0 << black << white;
    QTest::newRow("white then blue again")
        << QStringList{u"mnuColor:1"_qs, u"mnuColor:0"_qs} << 0.0 << yellow << blue;
    QTest::newRow("the preset in force, twice")
        << QStringList{u"mnuFontSize:1"_qs, u"mnuFontSize:1"_qs, u"mnuColor:0"_qs} << 12.0 << yellow
        << blue;
}

void TestMainWindow::presets()
{
    QFETCH(QStringList, clicks);
    QFETCH(qreal, points);
    QFETCH(QColor, foreground);
    QFETCH(QColor, background);
    const QFont before = text->font();
    for (const QString &click : clicks) {
        const QStringList parts = click.split(u':');
        QAction *a = action(fontMenu, parts[0], parts[1].toInt());
        QVERIFY(a);
        a->trigger();
    }
    QCOMPARE(text->font().pointSizeF(), points > 0 ? points : before.pointSizeF());
    QCOMPARE(text->font().family(), before.family());
    QCOMPARE(text->font().bold(), before.bold());
    QCOMPARE(textColor(text), foreground);
    QCOMPARE(backgroundColor(text), background);
    QCOMPARE(text->text(), catalogue::text());
    QVERIFY(!fontMenu->actions()[0]->isChecked());
}

void TestMainWindow::fitsClientArea_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("odd") << QSize(517, 293);
    QTest::newRow("below the scroll bars") << QSize(12, 9);
    QTest::newRow("one pixel") << QSize(1, 1);
    QTest::newRow("zero") << QSize(0, 0);
    QTest::newRow("huge") << QSize(5000, 3500);
}

void TestMainWindow::fitsClientArea()
{
    QFETCH(QSize, size);
    window->resize(size);
    QCoreApplication::processEvents();
    const QWidget *area = client(*window);
    QCOMPARE(text->geometry(), QRect(QPoint(0, 0), area->size()));
    QVERIFY(
        text->verticalScrollBar()->isVisibleTo(text) || area->height() == 0 || area->width() == 0);
}

void TestMainWindow::fitsWhenMinimisedAndRestored()
{
    const QWidget *area = client(*window);
    window->showMinimized();
    QCoreApplication::processEvents();
    QCOMPARE(text->geometry(), QRect(QPoint(0, 0), area->size()));
    window->showMaximized();
    QTRY_VERIFY(area->width() > kClientSize.width());
    QCOMPARE(text->geometry(), QRect(QPoint(0, 0), area->size()));
    window->showNormal();
    QTRY_COMPARE(area->size(), kClientSize);
    QCOMPARE(text->geometry(), QRect(QPoint(0, 0), area->size()));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
