#pragma once

#include <QPixmap>
#include <QWidget>

#include <array>

#include "about/imagecontrol.h"
#include "about/linkopener.h"
#include "common/links.h"

class QComboBox;
class QLabel;

// The About window: title, version and three web links over a background
// picture. It has no owner and knows nothing of the main window; the About
// command keeps the one object for the whole run and shows it again after it
// was closed.
class frmAbout : public QWidget
{
    Q_OBJECT

public:
    explicit frmAbout(LinkOpener openLink);
    ~frmAbout() override;

    // Loads the window if it is closed; otherwise brings it to the front as it is.
    void showAbout();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void centreOnScreen();

    // One handler per control and event.
    void Form_Load();
    void Form_MouseDown();
    void Form_Unload();
    void Combo1_Click();
    void imgURL_Click(int index);

    LinkOpener m_openLink;
    bool m_loaded = false;
    QPixmap m_background;

    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QComboBox *Combo1 = nullptr;
    std::array<ImageControl *, links::kLinks.size()> imgURL{};
};
