#include "app/standarddialogs.h"

#include <QApplication>
#include <QBoxLayout>
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

// The prompt and the message are short and size themselves to their
// contents, so window managers would cut the title they carry. Both fix
// their size from their own layout (a minimum width set from outside is
// overruled), so the room goes into the layout: an empty item as wide as the
// title needs, which adds no height and no spacing.
void widenToFitTitle(QDialog &dialog)
{
    // QInputDialog makes its layout only when first asked for its size.
    static_cast<void>(dialog.minimumSizeHint());
    auto *room = new QSpacerItem(
        titleFittingWidth(dialog.windowTitle()), 0, QSizePolicy::Minimum, QSizePolicy::Fixed);
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addItem(room, grid->rowCount(), 0, 1, grid->columnCount());
    else if (auto *box = qobject_cast<QBoxLayout *>(dialog.layout()))
        box->addItem(room);
    else
        delete room;
}

// Each call makes its dialog, parented to the window so that it is modal to
// it, and lets it go when answered: nothing is built before the first search.
class StandardSearchDialogs final : public SearchDialogs
{
public:
    explicit StandardSearchDialogs(QWidget *owner)
        : m_owner(owner)
    { }

    QString prompt(const QString &title, const QString &label, const QString &defaultText) override
    {
        QInputDialog dialog(m_owner);
        dialog.setWindowTitle(title);
        dialog.setLabelText(label);
        dialog.setTextValue(defaultText);
        widenToFitTitle(dialog);
        return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
    }

    void information(const QString &title, const QString &text) override
    {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, m_owner);
        widenToFitTitle(box);
        box.exec();
    }

private:
    QWidget *m_owner;
};

} // namespace

std::unique_ptr<SearchDialogs> makeStandardSearchDialogs(QWidget *owner)
{
    return std::make_unique<StandardSearchDialogs>(owner);
}
