#pragma once

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

#include "app/presets.h"

class QAction;
class QMenu;
class SearchDialogs;
class TextArea;
class frmAbout;

// The viewer's main window: the catalogue in one text area under the menu bar.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    TextArea *textArea() const { return Text1; }

    // The search state, read-only from outside.
    const QString &findText() const { return strFindText; }
    qint32 findPos() const { return lngFindPos; }

    // Seams: the search prompt and message, and the hand-off of a web address
    // to the browser. The real ones are in place unless a test swaps them.
    void setSearchDialogs(std::unique_ptr<SearchDialogs> dialogs);
    using LinkOpener = std::function<void(QWidget *owner, const QString &address)>;
    void setLinkOpener(LinkOpener opener);

    // The About window, once the About command has made it.
    frmAbout *aboutWindow() const { return m_about.get(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    template<std::size_t N>
    void addActionArray(QMenu *menu, const char *name, const std::array<const char *, N> &captions,
        std::array<QAction *, N> &actions, void (Form1::*handler)(int));

    // One handler per control and event.
    void Form_Resize();
    void Form_Unload();
    void mnuFontSize_Click(int index);
    void mnuColor_Click(int index);
    void mnuFind_Click();
    void mnuFindNext_Click();
    void mnuAbout_Click();

    QWidget *client = nullptr; // the client area below the menu bar
    TextArea *Text1 = nullptr;

    QMenu *mnuFont = nullptr;
    std::array<QAction *, presets::kFontSizeCount> mnuFontSize{};
    QAction *b1 = nullptr;
    std::array<QAction *, presets::kColorSchemeCount> mnuColor{};
    QMenu *mnuFindMain = nullptr;
    QAction *mnuFind = nullptr;
    QAction *mnuFindNext = nullptr;
    QAction *mnuAbout = nullptr;

    // Search state: the text of the last Find that found something, and the
    // 1-based position of the last match (0 before any).
    QString strFindText;
    qint32 lngFindPos = 0;
    std::unique_ptr<SearchDialogs> m_searchDialogs;

    LinkOpener m_openLink;
    std::unique_ptr<frmAbout> m_about;
};
