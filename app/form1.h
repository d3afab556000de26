#pragma once

#include <QMainWindow>

#include <array>

#include "app/presets.h"

class QAction;
class QMenu;
class TextArea;

// The viewer's main window: the catalogue in one text area under the menu bar.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    TextArea *textArea() const { return Text1; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();

    // One handler per control and event.
    void Form_Resize();
    void Form_Unload();
    void mnuFontSize_Click(int index);
    void mnuColor_Click(int index);

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
};
