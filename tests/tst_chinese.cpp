#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTextLayout>
#include <QtTest>

#include "about/frmabout.h"
#include "aboutwindow.h"
#include "app/form1.h"
#include "app/standarddialogs.h"
#include "app/startup.h"
#include "app/textarea.h"
#include "common/links.h"
#include "common/version.h"
#include "modaldialogs.h"
#include "toplevel.h"

// Run under LANG=C: whatever the system's language, the program speaks Chinese.
namespace {

// The version label: the version CMake sets, after the word for it.
const QString kVersionText = u"版本 "_qs + QLatin1StringView(appinfo::kVersion);

constexpr int kMenuPoints = 13;

bool hasHan(const QString &text)
{
    return std::any_of(
        text.cbegin(), text.cend(), [](QChar c) { return c.script() == QChar::Script_Han; });
}

QStringList entries(QMenu *menu)
{
    QStringList texts;
    const QList<QAction *> actions = menu->actions();
    for (const QAction *a : actions) {
        if (!a->isSeparator())
            texts << a->text().section(u'\t', 0, 0); // without the shortcut
    }
    return texts;
}

QString accessibleText(QWidget *widget, QAccessible::Text which)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(which) : QString();
}

// The face each character of `text` is drawn with in `font`, as laid out.
QStringList facesOf(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList faces;
    for (int i = 0; i < text.size(); ++i) {
        const QList<QGlyphRun> runs = layout.glyphRuns(i, 1);
        faces << (runs.isEmpty() ? QString() : runs.first().rawFont().familyName());
    }
    return faces;
}

// The face that draws the Latin letters of `text`, and whether every Han
// character is drawn with a Simplified Chinese face. The machines the suite
// runs on carry the Noto CJK collection, whose SC member is that face; its
// JP, KR, TC and HK members draw the same code points in other forms.
QString latinFace(const QString &text, const QFont &font)
{
    const QStringList faces = facesOf(text, font);
    for (int i = 0; i < text.size(); ++i) {
        if (text[i].script() == QChar::Script_Latin)
            return faces[i];
    }
    return {};
}

QStringList hanFacesNotSimplified(const QString &text, const QFont &font)
{
    const QStringList faces = facesOf(text, font);
    QStringList wrong;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i].script() == QChar::Script_Han && !faces[i].endsWith(u" SC"_qs))
            wrong << text[i] + u' ' + faces[i];
    }
    return wrong;
}

} // namespace

class TestChinese : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void contextMenus_data();
    void contextMenus();
    void accessibleNames_data();
    void accessibleNames();
    void searchDialogButtons();
    void hanInSimplifiedForms_data();
    void hanInSimplifiedForms();

private:
    QWidget *control(const QString &which) const;

    Form1 *main = nullptr;
    QString platformLatinFace;
};

void TestChinese::initTestCase()
{
    QCOMPARE(qgetenv("LANG"), QByteArray("C"));
    platformLatinFace = latinFace(u"Morvane2"_qs, QApplication::font());
    QVERIFY(!platformLatinFace.isEmpty());
    // As Windows does: menus get a font of their own from the platform,
    // which they keep.
    QFont menuFont = QApplication::font();
    menuFont.setPointSize(kMenuPoints);
    QApplication::setFont(menuFont, "QMenu");
    startup::describeApplication();
}

void TestChinese::init()
{
    main = new Form1(makeStandardSearchDialogs, [](QWidget *, const QString &) {});
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    main->findChild<QAction *>(u"mnuAbout"_qs)->trigger();
    QVERIFY(topLevel<frmAbout>());
}

void TestChinese::cleanup()
{
    delete main;
    main = nullptr;
}

QWidget *TestChinese::control(const QString &which) const
{
    if (which == u"Text1"_qs)
        return main->findChild<TextArea *>(u"Text1"_qs);
    frmAbout *about = topLevel<frmAbout>();
    if (which.startsWith(u"imgURL"_qs))
        return linkPicture(about, which.back().digitValue());
    if (which == u"Combo1.lineEdit"_qs)
        return about->findChild<QComboBox *>(u"Combo1"_qs)->lineEdit();
    return about->findChild<QWidget *>(which);
}

void TestChinese::contextMenus_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("expected"); // among the entries
    QTest::newRow("text area") << u"Text1"_qs << QStringList{u"复制(&C)"_qs, u"全选"_qs};
    QTest::newRow("list's text field")
        << u"Combo1.lineEdit"_qs
        << QStringList{u"剪切(&T)"_qs, u"复制(&C)"_qs, u"粘贴(&P)"_qs, u"删除"_qs, u"全选"_qs};
}

void TestChinese::contextMenus()
{
    QFETCH(QString, which);
    QFETCH(QStringList, expected);
    QWidget *widget = control(which);
    QVERIFY(widget);
    std::unique_ptr<QMenu> menu;
    if (auto *text = qobject_cast<QPlainTextEdit *>(widget))
        menu.reset(text->createStandardContextMenu());
    else
        menu.reset(qobject_cast<QLineEdit *>(widget)->createStandardContextMenu());
    const QStringList texts = entries(menu.get());
    for (const QString &e : expected)
        QVERIFY2(texts.contains(e), qPrintable(texts.join(u" | "_qs)));
    for (const QString &t : texts)
        QVERIFY2(hasHan(t), qPrintable(t));
}

void TestChinese::accessibleNames_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("name");
    QTest::newRow("text area") << u"Text1"_qs << u"物品一览表"_qs;
    QTest::newRow("list") << u"Combo1"_qs << u"网站链接"_qs;
    QTest::newRow("author's picture") << u"imgURL0"_qs << u"风铃小筑"_qs;
    QTest::newRow("modification site's picture") << u"imgURL1"_qs << u"铁匠铺"_qs;
    QTest::newRow("portal's picture") << u"imgURL2"_qs << u"云游客栈"_qs;
    QTest::newRow("title label") << u"lblTitle"_qs << u"程序名称：Morvane2物品一览表"_qs;
    QTest::newRow("version label") << u"lblVersion"_qs << kVersionText;
}

void TestChinese::accessibleNames()
{
    QFETCH(QString, which);
    QFETCH(QString, name);
    QWidget *widget = control(which);
    QVERIFY(widget);
    QCOMPARE(widget->accessibleName(), name);
    // On Unix an editable list reports its text as its name; the rest say theirs.
    if (!qobject_cast<QComboBox *>(widget))
        QCOMPARE(accessibleText(widget, QAccessible::Name), name);
    const QString description = accessibleText(widget, QAccessible::Description);
    QVERIFY2(hasHan(description), qPrintable(description));
}

void TestChinese::searchDialogButtons()
{
    // The real prompt and message of Find, answered from a timer.
    QStringList promptButtons;
    QStringList messageButtons;
    ModalAnswerer answerer;
    answerer.onPrompt = [&](QInputDialog *input) {
        const QList<QAbstractButton *> buttons = input->findChild<QDialogButtonBox *>()->buttons();
        for (const QAbstractButton *b : buttons)
            promptButtons << b->text();
        input->setTextValue(u"不在目录里的字"_qs);
        input->accept();
    };
    answerer.onMessage = [&](QMessageBox *box) {
        const QList<QAbstractButton *> buttons = box->buttons();
        for (const QAbstractButton *b : buttons)
            messageButtons << b->text();
        box->button(QMessageBox::Ok)->click();
    };
    main->findChild<QAction *>(u"mnuFind"_qs)->trigger();

    const auto plain = [](QStringList texts) {
        for (QString &t : texts)
            t.remove(u'&');
        std::sort(texts.begin(), texts.end());
        return texts;
    };
    QCOMPARE(plain(promptButtons).size(), 2);
    QVERIFY2(plain(promptButtons)[0].startsWith(u"取消"_qs), qPrintable(promptButtons.join(u' ')));
    QVERIFY2(plain(promptButtons)[1].startsWith(u"确定"_qs), qPrintable(promptButtons.join(u' ')));
    QCOMPARE(messageButtons.size(), 1);
    QVERIFY2(
        plain(messageButtons)[0].startsWith(u"确定"_qs), qPrintable(messageButtons.join(u' ')));
}

void TestChinese::hanInSimplifiedForms_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("text");
    // 令, 骨 and 海 are among the characters whose forms differ most.
    QTest::newRow("catalogue line") << u"Text1"_qs << u"青霄令，龙脊骨，东溟海 Lv2"_qs;
    QTest::newRow("menu caption") << u"mnuFont"_qs << u"字体(&F) 查找下一个 F3"_qs;
    QTest::newRow("About label") << u"lblTitle"_qs << u"Morvane2物品一览表"_qs;
}

void TestChinese::hanInSimplifiedForms()
{
    QFETCH(QString, which);
    QFETCH(QString, text);
    QWidget *widget = which == u"mnuFont"_qs ? main->findChild<QMenu *>(which) : control(which);
    QVERIFY(widget);
    const QStringList wrong = hanFacesNotSimplified(text, widget->font());
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u", "_qs)));
    QCOMPARE(latinFace(text, widget->font()), platformLatinFace);
    if (qobject_cast<QMenu *>(widget))
        QCOMPARE(widget->font().pointSize(), kMenuPoints);
}

QTEST_MAIN(TestChinese)
#include "tst_chinese.moc"
