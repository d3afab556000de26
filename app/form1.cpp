#include "app/form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>

#include "about/frmabout.h"
#include "app/catalogue.h"
#include "app/search/searchdialogs.h"
#include "app/textarea.h"

namespace {

constexpr std::array<const char *, presets::kFontSizeCount> kFontSizeCaptions{"大", "中", "小"};
constexpr std::array<const char *, presets::kColorSchemeCount> kColorCaptions{
    "蓝底黄字", "白底黑字"};

QAction *namedAction(QObject *parent, const char *objectName, const char *caption)
{
    auto *action = new QAction(QString::fromUtf8(caption), parent);
    action->setObjectName(QString::fromLatin1(objectName));
    return action;
}

} // namespace

Form1::Form1(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Morvane2所有物品一览表 by Tessavar"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/morvane2.ico")));

    createControls();
    createMenus();
    m_searchDialogs = makeStandardSearchDialogs();
    setLinkOpener(nullptr);

    const QSize clientSize(presets::twipsToPixels(presets::kMainClientWidthTwips),
        presets::twipsToPixels(presets::kMainClientHeightTwips));
    resize(clientSize.width(), clientSize.height() + menuBar()->sizeHint().height());
}

Form1::~Form1() = default;

void Form1::createControls()
{
    // A bare client widget with no layout: nothing imposes a minimum size, and
    // the Resize handler alone decides where the text area goes.
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->installEventFilter(this);
    setCentralWidget(client);

    Text1 = new TextArea(client);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A reference that saves nothing should not invite edits that vanish, but
    // the caret stays visible and the keyboard moves it.
    Text1->setReadOnly(true);
    Text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text1->setText(catalogue::text());
    mnuColor_Click(0);
    Text1->setAccessibleName(QStringLiteral("物品一览表"));
    Text1->setAccessibleDescription(
        QStringLiteral("全部物品的名称、代码和说明。按 Ctrl+F 查找，按 F3 查找下一个。"));
    Text1->setFocus();
}

template<std::size_t N>
void Form1::addActionArray(QMenu *menu, const char *name,
    const std::array<const char *, N> &captions, std::array<QAction *, N> &actions,
    void (Form1::*handler)(int))
{
    // Items sharing a name form an array; each passes its index to the handler.
    for (int i = 0; i < int(N); ++i) {
        actions[i] = namedAction(menu, name, captions[i]);
        actions[i]->setData(i);
        connect(actions[i], &QAction::triggered, this, [this, handler, i] { (this->*handler)(i); });
        menu->addAction(actions[i]);
    }
}

void Form1::createMenus()
{
    mnuFont = menuBar()->addMenu(QStringLiteral("字体(&F)"));
    mnuFont->setObjectName(QStringLiteral("mnuFont"));
    addActionArray(
        mnuFont, "mnuFontSize", kFontSizeCaptions, mnuFontSize, &Form1::mnuFontSize_Click);
    b1 = mnuFont->addSeparator();
    b1->setObjectName(QStringLiteral("b1"));
    addActionArray(mnuFont, "mnuColor", kColorCaptions, mnuColor, &Form1::mnuColor_Click);

    mnuFindMain = menuBar()->addMenu(QStringLiteral("查找(&S)"));
    mnuFindMain->setObjectName(QStringLiteral("mnuFindMain"));
    // The program's own keys, the same on every desktop.
    mnuFind = namedAction(mnuFindMain, "mnuFind", "查找");
    mnuFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuFindNext = namedAction(mnuFindMain, "mnuFindNext", "查找下一个");
    mnuFindNext->setShortcut(QKeySequence(Qt::Key_F3));
    mnuFindMain->addAction(mnuFind);
    mnuFindMain->addAction(mnuFindNext);
    connect(mnuFind, &QAction::triggered, this, &Form1::mnuFind_Click);
    connect(mnuFindNext, &QAction::triggered, this, &Form1::mnuFindNext_Click);

    mnuAbout = namedAction(menuBar(), "mnuAbout", "关于");
    menuBar()->addAction(mnuAbout);
    connect(mnuAbout, &QAction::triggered, this, &Form1::mnuAbout_Click);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == client && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_Unload();
}

void Form1::Form_Resize()
{
    Text1->setGeometry(0, 0, client->width(), client->height());
}

void Form1::Form_Unload()
{
    // Closing the main window ends the program at once, whatever else is open.
    QCoreApplication::exit(0);
}

void Form1::mnuFontSize_Click(int index)
{
    QFont font = Text1->font();
    font.setPointSize(presets::fontSizePoints(index));
    Text1->setFont(font);
}

void Form1::mnuColor_Click(int index)
{
    const presets::ColorScheme scheme = presets::colorScheme(index);
    QPalette palette = Text1->palette();
    palette.setColor(QPalette::Text, QColor::fromRgb(presets::bgrToRgb(scheme.text)));
    palette.setColor(QPalette::Base, QColor::fromRgb(presets::bgrToRgb(scheme.background)));
    Text1->setPalette(palette);
}
