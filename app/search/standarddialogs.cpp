#include "app/search/standarddialogs.h"

#include <QApplication>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QSpacerItem>

namespace {

// Room a title bar takes besides its text: the icon, the buttons and padding.
constexpr int kTitleBarChrome = 160;

// The width at which a window shows `title` whole in its title bar, measured
// with the title bar's font as the platform names it (bold, as most window
// managers draw it).
int titleFittingWidth(const QString &title)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + kTitleBarChrome;
}

// Each call makes its dialog, parented to the window so that it is modal to
// it, and lets it go when answered: nothing is built before the first search.
class StandardSearchDialogs final : public SearchDialogs
{
public:
    QString prompt(QWidget *parent, const QString &title, const QString &label,
        const QString &defaultText) override
    {
        bool accepted = false;
        const QString text = QInputDialog::getText(
            parent, title, label, QLineEdit::Normal, defaultText, &accepted);
        return accepted ? text : QString();
    }

    void information(QWidget *parent, const QString &title, const QString &text) override
    {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
        // The message is short and the box sizes itself to it, so window
        // managers would cut the title. The box takes the width of its
        // layout, which a spacer across all columns widens.
        if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
            grid->addItem(new QSpacerItem(titleFittingWidth(title), 0, QSizePolicy::Minimum,
                              QSizePolicy::Fixed),
                grid->rowCount(), 0, 1, grid->columnCount());
        }
        box.exec();
    }
};

} // namespace

std::unique_ptr<SearchDialogs> makeStandardSearchDialogs()
{
    return std::make_unique<StandardSearchDialogs>();
}
