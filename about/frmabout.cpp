#include "about/frmabout.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "about/curfile.h"
#include "common/geometry.h"
#include "common/version.h"

namespace {

using geometry::twipsToPixels;

// Positions of the link pictures, top-left, in twips; each takes its picture's size.
constexpr std::array<QPoint, links::kLinks.size()> kPictureTwips{
    {{120, 2460}, {120, 1950}, {120, 1425}}};

QCursor handCursor()
{
    const QString path = QStringLiteral(":/about/hand.cur");
    QFile file(path);
    const QPoint hotSpot
        = file.open(QIODevice::ReadOnly) ? curHotSpot(file.readAll()).value_or(QPoint()) : QPoint();
    return QCursor(QPixmap(path), hotSpot.x(), hotSpot.y());
}

// The frame the window system puts around `window`. Before a window has been
// shown once its frame is unknown, so take that of the program's other
// windows, which the same window manager frames alike.
QMargins frameOf(const QWidget *window)
{
    if (const QWindow *own = window->windowHandle(); own && !own->frameMargins().isNull())
        return own->frameMargins();
    const QList<QWindow *> others = QGuiApplication::topLevelWindows();
    for (const QWindow *other : others) {
        if (other->isVisible() && !other->frameMargins().isNull())
            return other->frameMargins();
    }
    return {};
}

} // namespace

frmAbout::frmAbout(LinkOpener openLink)
    : QWidget(nullptr,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
    , m_openLink(std::move(openLink))
{
    setObjectName(QStringLiteral("frmAbout"));
    // Only the main window keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(twipsToPixels(6000), twipsToPixels(3000));
    setWindowIcon(QIcon(QStringLiteral(":/about/about.ico")));
    m_background.load(QStringLiteral(":/about/background.jpg"));
    createControls();
}

frmAbout::~frmAbout() = default;

void frmAbout::createControls()
{
    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->move(twipsToPixels(180), twipsToPixels(720));
    QPalette black = lblTitle->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    lblTitle->setPalette(black);
    lblTitle->setAccessibleDescription(QStringLiteral("本程序的名称"));

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->move(twipsToPixels(180), twipsToPixels(1065));
    lblVersion->setAccessibleDescription(QStringLiteral("本程序的版本号"));

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(
        twipsToPixels(2805), twipsToPixels(2610), twipsToPixels(3090), twipsToPixels(300));
    Combo1->setEditable(true);
    // The list always holds exactly the three links: typed text is never
    // added, completed or taken as a choice.
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setCompleter(nullptr);
    // QComboBox itself answers Enter in its field by matching the text to an
    // entry and choosing it; that connection of its own is cut here.
    disconnect(Combo1->lineEdit(), &QLineEdit::editingFinished, Combo1, nullptr);
    for (const links::Link &link : links::kLinks)
        Combo1->addItem(QString::fromUtf8(link.entry));
    Combo1->installEventFilter(this);
    Combo1->setAccessibleName(QStringLiteral("网站链接"));
    Combo1->setAccessibleDescription(QStringLiteral("选择一个网站，即在浏览器中打开它"));
    connect(Combo1, &QComboBox::activated, this, &frmAbout::Combo1_Click);

    const QCursor hand = handCursor();
    for (int i = 0; i < int(imgURL.size()); ++i) {
        const links::Link &link = links::kLinks[i];
        auto *picture = new ImageControl(this);
        picture->setObjectName(QStringLiteral("imgURL"));
        picture->Tag = QString::fromLatin1(link.tag);
        picture->setPixmap(QPixmap(QString::fromLatin1(link.picture)));
        picture->setGeometry(
            QRect(QPoint(twipsToPixels(kPictureTwips[i].x()), twipsToPixels(kPictureTwips[i].y())),
                picture->pixmap().size()));
        picture->setToolTip(QString::fromUtf8(link.toolTip));
        picture->setAccessibleName(QString::fromUtf8(link.siteName));
        picture->setAccessibleDescription(QStringLiteral("%1，在浏览器中打开 %2")
                                              .arg(QString::fromUtf8(link.toolTip), picture->Tag));
        picture->setCursor(hand);
        connect(picture, &ImageControl::clicked, this, [this, i] { imgURL_Click(i); });
        imgURL[i] = picture;
    }

    // Presses on the labels and the list belong to them, not to the window.
    for (QWidget *control : {static_cast<QWidget *>(lblTitle), static_cast<QWidget *>(lblVersion),
             static_cast<QWidget *>(Combo1)})
        control->setAttribute(Qt::WA_NoMousePropagation);
}

void frmAbout::showAbout()
{
    if (!m_loaded) {
        Form_Load();
        m_loaded = true;
        centreOnScreen();
        // Taken when the window is first activated.
        Combo1->setFocus();
    }
    show();
    raise();
    activateWindow();
}

void frmAbout::centreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // move() places the frame, so it is the frame that is centred.
    QRect outer(QPoint(), size().grownBy(frameOf(this)));
    outer.moveCenter(screen->availableGeometry().center());
    move(outer.topLeft());
}

void frmAbout::Form_Load()
{
    const QString title = QCoreApplication::applicationName();
    setWindowTitle(QStringLiteral("关于 ") + title);
    lblVersion->setText(QStringLiteral("版本 %1.%2.%3")
                            .arg(appinfo::kVersionMajor)
                            .arg(appinfo::kVersionMinor)
                            .arg(appinfo::kVersionPatch));
    lblTitle->setText(title);
    lblTitle->setAccessibleName(QStringLiteral("程序名称：") + title);
    lblVersion->setAccessibleName(lblVersion->text());
    lblTitle->adjustSize();
    lblVersion->adjustSize();

    // A freshly loaded window shows the welcome text with no entry chosen.
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(QStringLiteral("欢迎访问"));
}

void frmAbout::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}

void frmAbout::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    Form_MouseDown();
}

void frmAbout::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    Form_Unload();
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    // A turn of the wheel over the list would open a browser per step.
    if (watched == Combo1 && event->type() == QEvent::Wheel)
        return true;
    return QWidget::eventFilter(watched, event);
}

void frmAbout::Form_MouseDown()
{
    close();
}

void frmAbout::Form_Unload()
{
    m_loaded = false;
}

void frmAbout::Combo1_Click()
{
    const int index = Combo1->currentIndex();
    if (index < 0)
        return;
    imgURL_Click(index);
}

void frmAbout::imgURL_Click(int index)
{
    m_openLink(this, imgURL[index]->Tag);
}
