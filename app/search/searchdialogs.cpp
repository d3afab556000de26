#include "app/search/searchdialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace {

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
        QMessageBox::information(parent, title, text, QMessageBox::Ok);
    }
};

} // namespace

std::unique_ptr<SearchDialogs> makeStandardSearchDialogs()
{
    return std::make_unique<StandardSearchDialogs>();
}
