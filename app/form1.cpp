#include "app/form1.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <array>

#include "app/catalogue.h"
#include "app/textarea.h"
#include "common/geometry.h"

namespace {

// The 字体 menu's presets, in menu order; each item's index picks its row.
struct FontSizePreset
{
    const char *caption;
    int points;
};
constexpr std::array kFontSizes{
    FontSizePreset{"大", 15}, FontSizePreset{"中", 12}, FontSizePreset{"小", 9}};

// Colours are written 0x00BBGGRR: red in the low byte, blue in the high one.
struct ColorPreset
{
    const char *caption;
    quint32 text;
    quint32 background;
    // How a found match stands out, readable on either background.
    quint32 matchText;
    quint32 matchBackground;
};
constexpr std::array kColorSchemes{
    ColorPreset{"蓝底黄字", 0x0000FFFF, 0x00FF0000, 0x00FF0000, 0x0000FFFF},
    ColorPreset{"白底黑字", 0x00000000, 0x00FFFFFF, 0x00000000, 0x0000FFFF},
};

QColor fromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

template<typename Presets> QList<const char *> captionsOf(const Presets &presets)
{
    QList<const char *> captions;
    for (const auto &p : presets)
        captions.append(p.caption);
    return captions;
}

// The main window's client area is designed at 10080 x 5820 twips.
constexpr QSize kClientSize(geometry::twipsToPixels(10080), geometry::twipsToPixels(5820));

QAction *namedAction(QObject *parent, const char *objectName, const char *caption)
{
    auto *action = new QAction(QString::fromUtf8(caption), parent);
    action->setObjectName(QString::fromLatin1(objectName));
    return action;
}

} // namespace

Form1::Form1(SearchDialogsMaker makeDialogs, LinkOpener openLink)
    : m_about(std::move(openLink))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Morvane2所有物品一览表 by Tessavar"));

    createControls();
    createMenus();
    m_find = std::make_unique<FindCommands>(*Text1, makeDialogs(this));

    resize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
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

QList<QAction *> Form1::addActionArray(
    QMenu *menu, const char *name, const QList<const char *> &captions, void (Form1::*handler)(int))
{
    // Items sharing a name form an array; each passes its index to the handler.
    QList<QAction *> actions;
    for (int i = 0; i < int(captions.size()); ++i) {
        QAction *action = namedAction(menu, name, captions[i]);
        action->setData(i);
        connect(action, &QAction::triggered, this, [this, handler, i] { (this->*handler)(i); });
        menu->addAction(action);
        actions.append(action);
    }
    return actions;
}

void Form1::createMenus()
{
    mnuFont = menuBar()->addMenu(QStringLiteral("字体(&F)"));
    mnuFont->setObjectName(QStringLiteral("mnuFont"));
    mnuFontSize
        = addActionArray(mnuFont, "mnuFontSize", captionsOf(kFontSizes), &Form1::mnuFontSize_Click);
    b1 = mnuFont->addSeparator();
    b1->setObjectName(QStringLiteral("b1"));
    mnuColor
        = addActionArray(mnuFont, "mnuColor", captionsOf(kColorSchemes), &Form1::mnuColor_Click);

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

void Form1::Form_Resize()
{
    Text1->setGeometry(0, 0, client->width(), client->height());
}

void Form1::mnuFontSize_Click(int index)
{
    QFont font = Text1->font();
    font.setPointSize(kFontSizes[index].points);
    Text1->setFont(font);
}

void Form1::mnuColor_Click(int index)
{
    const ColorPreset &scheme = kColorSchemes[index];
    QPalette palette = Text1->palette();
    palette.setColor(QPalette::Text, fromBgr(scheme.text));
    palette.setColor(QPalette::Base, fromBgr(scheme.background));
    Text1->setPalette(palette);
    Text1->setMatchColors(fromBgr(scheme.matchText), fromBgr(scheme.matchBackground));
}

void Form1::mnuFind_Click()
{
    m_find->find();
}

void Form1::mnuFindNext_Click()
{
    m_find->findNext();
}

void Form1::mnuAbout_Click()
{
    m_about.run();
}
