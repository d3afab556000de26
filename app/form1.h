#pragma once

#include <QList>
#include <QMainWindow>

#include <memory>

#include "about/aboutcommand.h"
#include "app/search/findcommands.h"
#include "app/standarddialogs.h"

class QAction;
class QMenu;
class TextArea;

// The viewer's main window: the catalogue in one text area under the menu bar.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    // The search prompt and message, and the hand-off of a web address to
    // the browser, are the real ones unless a test hands in its own.
    explicit Form1(SearchDialogsMaker makeDialogs = makeStandardSearchDialogs,
        LinkOpener openLink = openInDefaultBrowser);
    ~Form1() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenus();
    QList<QAction *> addActionArray(QMenu *menu, const char *name,
        const QList<const char *> &captions, void (Form1::*handler)(int));

    // One handler per control and event.
    void Form_Resize();
    void mnuFontSize_Click(int index);
    void mnuColor_Click(int index);
    void mnuFind_Click();
    void mnuFindNext_Click();
    void mnuAbout_Click();

    QWidget *client = nullptr; // the client area below the menu bar
    TextArea *Text1 = nullptr;

    QMenu *mnuFont = nullptr;
    QList<QAction *> mnuFontSize;
    QAction *b1 = nullptr;
    QList<QAction *> mnuColor;
    QMenu *mnuFindMain = nullptr;
    QAction *mnuFind = nullptr;
    QAction *mnuFindNext = nullptr;
    QAction *mnuAbout = nullptr;

    // The search state (strFindText, lngFindPos) lives in the commands.
    std::unique_ptr<FindCommands> m_find;
    AboutCommand m_about;
};
