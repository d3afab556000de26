#pragma once

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

#include <functional>

// Answers the real search prompt and message while one is up, from a timer,
// as a player would: `onPrompt` and `onMessage` each get the dialog that is
// up and must close it. For tests that link the program's windows.
class ModalAnswerer
{
public:
    std::function<void(QInputDialog *)> onPrompt;
    std::function<void(QMessageBox *)> onMessage;

    ModalAnswerer()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *input = qobject_cast<QInputDialog *>(modal); input && onPrompt)
                onPrompt(input);
            else if (auto *box = qobject_cast<QMessageBox *>(modal); box && onMessage)
                onMessage(box);
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
};
