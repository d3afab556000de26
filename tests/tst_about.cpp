#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QtTest>

#include "aboutwindow.h"
#include "app/form1.h"
#include "app/startup.h"
#include "common/links.h"
#include "common/version.h"
#include "toplevel.h"

namespace {

// The version label: the version CMake sets, after the word for it.
const QString kVersionText = u"版本 "_qs + QLatin1StringView(appinfo::kVersion);

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loadComposesTexts();
    void controlsInPlace();
    void pictures_data();
    void pictures();
    void entryAndPictureOpenTheSameAddress_data();
    void entryAndPictureOpenTheSameAddress();
    void arrowKeysOpenEachPassedEntry();
    void typingOpensAndAddsNothing_data();
    void typingOpensAndAddsNothing();
    void mousePresses_data();
    void mousePresses();
    void wheelOverListOpensNothing();
    void showAgainWhileOpen();
    void showAfterClose();
    void mainWindowStaysUsable();
    void closingMainWindowEndsProgram();

private:
    void showAbout();
    ImageControl *picture(int index) const;

    Form1 *main = nullptr;
    frmAbout *about = nullptr;
    QComboBox *combo = nullptr;
    QList<OpenedLink> opened;
};

void TestAbout::initTestCase()
{
    startup::describeApplication();
}

void TestAbout::init()
{
    opened.clear();
    main = new Form1(makeStandardSearchDialogs, recordLinks(opened));
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QVERIFY(!topLevel<frmAbout>()); // nothing made before it is needed
    showAbout();
    about = topLevel<frmAbout>();
    QVERIFY(about);
    combo = about->findChild<QComboBox *>(u"Combo1"_qs);
    QVERIFY(combo);
}

void TestAbout::cleanup()
{
    delete main;
    main = nullptr;
    about = nullptr;
}

void TestAbout::showAbout()
{
    main->findChild<QAction *>(u"mnuAbout"_qs)->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(topLevel<frmAbout>()));
}

ImageControl *TestAbout::picture(int index) const
{
    return linkPicture(about, index);
}

void TestAbout::loadComposesTexts()
{
    QCOMPARE(about->windowTitle(), u"关于 Morvane2物品一览表"_qs);
    const auto *title = about->findChild<QLabel *>(u"lblTitle"_qs);
    const auto *version = about->findChild<QLabel *>(u"lblVersion"_qs);
    QCOMPARE(title->text(), QCoreApplication::applicationName());
    QCOMPARE(title->text(), u"Morvane2物品一览表"_qs);
    QCOMPARE(version->text(), kVersionText);
    // Each label keeps its place and takes the size of its text.
    QCOMPARE(title->geometry(), QRect(QPoint(12, 48), title->sizeHint()));
    QCOMPARE(version->geometry(), QRect(QPoint(12, 71), version->sizeHint()));
    QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::black));
    QVERIFY(!title->autoFillBackground() && !version->autoFillBackground());
    QVERIFY(title->isVisible() && version->isVisible());
    QVERIFY(!about->windowIcon().isNull());
    QVERIFY(about->windowIcon().cacheKey() != main->windowIcon().cacheKey());
}

void TestAbout::controlsInPlace()
{
    QCOMPARE(about->size(), QSize(400, 200));
    QCOMPARE(about->minimumSize(), about->maximumSize());
    QVERIFY(!about->parentWidget());
    QVERIFY(!about->isModal());
    QCOMPARE(combo->geometry(), QRect(187, 174, 206, 20));
    QVERIFY(combo->isEditable());
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->currentText(), u"欢迎访问"_qs);
    QCOMPARE(combo->count(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(combo->itemText(i), QString::fromUtf8(links::kLinks[i].entry));
    QTRY_VERIFY(combo->hasFocus());
    // Centred on the screen as a whole, its frame included where it has one.
    QTRY_VERIFY(about->frameGeometry().size() != QSize());
    const QPoint offset
        = about->frameGeometry().center() - about->screen()->availableGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
        qPrintable(QStringLiteral("frame %1,%2 %3x%4, off by %5, %6")
                       .arg(about->frameGeometry().x())
                       .arg(about->frameGeometry().y())
                       .arg(about->frameGeometry().width())
                       .arg(about->frameGeometry().height())
                       .arg(offset.x())
                       .arg(offset.y())));
}

void TestAbout::pictures_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("author's home page, bottom") << 0 << QRect(8, 164, 88, 31) << u"访问我的主页"_qs;
    QTest::newRow("modification site, middle")
        << 1 << QRect(8, 130, 88, 31) << u"访问铁匠铺主页"_qs;
    QTest::newRow("portal, top") << 2 << QRect(8, 95, 88, 32) << u"访问云游客栈"_qs;
}

void TestAbout::pictures()
{
    QFETCH(int, index);
    QFETCH(QRect, geometry);
    QFETCH(QString, toolTip);
    const ImageControl *p = picture(index);
    QVERIFY(p);
    QCOMPARE(p->geometry(), geometry);
    QCOMPARE(p->pixmap().size(), geometry.size());
    QCOMPARE(p->frameShape(), QFrame::NoFrame);
    QCOMPARE(p->toolTip(), toolTip);
    QCOMPARE(p->Tag, linkAddress(index));
    QCOMPARE(p->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(p->cursor().hotSpot(), QPoint(5, 0));
    QCOMPARE(p->cursor().pixmap().size(), QSize(32, 32));
    QCOMPARE(p->focusPolicy(), Qt::NoFocus);
}

void TestAbout::entryAndPictureOpenTheSameAddress_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("first entry") << 0;
    QTest::newRow("second entry") << 1;
    QTest::newRow("third entry, the topmost picture") << 2;
}

void TestAbout::entryAndPictureOpenTheSameAddress()
{
    QFETCH(int, index);
    // Chosen with the mouse from the open list.
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QTRY_VERIFY(view->isVisible());
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_COMPARE(opened.size(), 1);
    QCOMPARE(opened[0].address, linkAddress(index));
    QCOMPARE(opened[0].owner, about);
    QCOMPARE(combo->currentIndex(), index);

    QTest::mouseClick(picture(index), Qt::LeftButton);
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened[1].address, linkAddress(index));
    QCOMPARE(opened[1].owner, about);
    QVERIFY(about->isVisible());
    QCOMPARE(combo->currentIndex(), index); // the list keeps its selection
}

void TestAbout::arrowKeysOpenEachPassedEntry()
{
    QWidget *field = combo->lineEdit();
    QTest::keyClick(field, Qt::Key_Down);
    QTest::keyClick(field, Qt::Key_Down);
    QTest::keyClick(field, Qt::Key_Down);
    QTest::keyClick(field, Qt::Key_Down); // already at the last entry: no change
    QTest::keyClick(field, Qt::Key_Up);
    QStringList addresses;
    for (const OpenedLink &o : std::as_const(opened))
        addresses << o.address;
    QCOMPARE(
        addresses, (QStringList{linkAddress(0), linkAddress(1), linkAddress(2), linkAddress(1)}));
    QCOMPARE(combo->currentIndex(), 1);
}

void TestAbout::typingOpensAndAddsNothing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("free text") << u"hello"_qs;
    QTest::newRow("an entry's exact text") << QString::fromUtf8(links::kLinks[1].entry);
    QTest::newRow("an address") << linkAddress(2);
}

void TestAbout::typingOpensAndAddsNothing()
{
    QFETCH(QString, typed);
    QLineEdit *field = combo->lineEdit();
    field->selectAll();
    if (std::all_of(typed.cbegin(), typed.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        QTest::keyClicks(field, typed);
    else
        typeThroughInputMethod(field, typed);
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Enter);
    combo->clearFocus(); // editing finishes when the focus leaves
    QCOMPARE(combo->count(), 3);
    QVERIFY(opened.isEmpty());
    QCOMPARE(combo->currentIndex(), -1);
    QVERIFY(about->isVisible());
}

void TestAbout::mousePresses_data()
{
    QTest::addColumn<QString>("target"); // object name, or empty for the window's own surface
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("closes");
    QTest::newRow("surface, left") << QString() << int(Qt::LeftButton) << true;
    QTest::newRow("surface, right") << QString() << int(Qt::RightButton) << true;
    QTest::newRow("surface, middle") << QString() << int(Qt::MiddleButton) << true;
    QTest::newRow("title label") << u"lblTitle"_qs << int(Qt::LeftButton) << false;
    QTest::newRow("version label, right") << u"lblVersion"_qs << int(Qt::RightButton) << false;
    QTest::newRow("list") << u"Combo1"_qs << int(Qt::RightButton) << false;
    QTest::newRow("list's text field") << u"lineEdit"_qs << int(Qt::LeftButton) << false;
    QTest::newRow("picture") << u"imgURL"_qs << int(Qt::LeftButton) << false;
    QTest::newRow("picture, right") << u"imgURL"_qs << int(Qt::RightButton) << false;
    // A press on a picture opens only if the button comes up over it too.
    QTest::newRow("picture, released outside")
        << u"imgURL:outside"_qs << int(Qt::LeftButton) << false;
}

void TestAbout::mousePresses()
{
    QFETCH(QString, target);
    QFETCH(int, button);
    QFETCH(bool, closes);
    QWidget *widget = about;
    QPoint at(300, 30); // plain background, away from every control
    QPoint releaseAt = at;
    if (target == u"lineEdit"_qs) {
        widget = combo->lineEdit();
        at = releaseAt = widget->rect().center();
    } else if (!target.isEmpty()) {
        widget = about->findChild<QWidget *>(target.section(u':', 0, 0));
        at = releaseAt = widget->rect().center();
        if (target.endsWith(u":outside"_qs))
            releaseAt = QPoint(widget->width() + 40, at.y());
    }
    QTest::mousePress(widget, Qt::MouseButton(button), {}, at);
    QTest::mouseRelease(widget, Qt::MouseButton(button), {}, releaseAt);
    QCOMPARE(!about->isVisible(), closes);
    if (target == u"imgURL"_qs && button == Qt::LeftButton)
        QCOMPARE(opened.size(), 1);
    else
        QVERIFY(opened.isEmpty());
}

void TestAbout::wheelOverListOpensNothing()
{
    // A turn of the wheel would step through the entries, one browser each.
    const QPoint at = combo->rect().center();
    for (int delta : {-120, -120, 120}) {
        QWheelEvent wheel(
            at, combo->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(combo, &wheel);
    }
    QVERIFY(opened.isEmpty());
    QCOMPARE(combo->currentIndex(), -1);
}

void TestAbout::showAgainWhileOpen()
{
    QTest::keyClick(combo->lineEdit(), Qt::Key_Down);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Down);
    main->activateWindow();
    showAbout();
    QCOMPARE(topLevel<frmAbout>(), about);
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(combo->currentText(), QString::fromUtf8(links::kLinks[1].entry));
    QTRY_COMPARE(QApplication::activeWindow(), about);
}

void TestAbout::showAfterClose()
{
    QTest::keyClick(combo->lineEdit(), Qt::Key_Down);
    about->findChild<QLabel *>(u"lblVersion"_qs)->setText(u"stale"_qs);
    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(300, 30));
    QVERIFY(!about->isVisible());
    showAbout();
    QCOMPARE(topLevel<frmAbout>(), about); // the same object, loaded afresh
    QVERIFY(about->isVisible());
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->currentText(), u"欢迎访问"_qs);
    QCOMPARE(combo->count(), 3);
    QCOMPARE(about->findChild<QLabel *>(u"lblVersion"_qs)->text(), kVersionText);
}

void TestAbout::mainWindowStaysUsable()
{
    QVERIFY(!QApplication::activeModalWidget());
    main->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), main);
    main->findChildren<QAction *>(u"mnuColor"_qs).last()->trigger();
    QVERIFY(about->isVisible());
}

void TestAbout::closingMainWindowEndsProgram()
{
    QTimer::singleShot(0, main, [this] { main->close(); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(42); });
    QVERIFY(about->isVisible());
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!about->isVisible()); // it closes with the program
    QPointer<frmAbout> watch(about);
    delete main;
    main = nullptr;
    QVERIFY(watch.isNull());
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
