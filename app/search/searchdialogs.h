#pragma once

#include <QString>

class QWidget;

// The modal prompt and message of the search commands, behind a seam so that
// tests can answer them.
class SearchDialogs
{
public:
    virtual ~SearchDialogs() = default;

    // The text entered, or an empty string when the prompt was cancelled.
    virtual QString prompt(
        QWidget *parent, const QString &title, const QString &label, const QString &defaultText)
        = 0;
    // An information message with a single OK button.
    virtual void information(QWidget *parent, const QString &title, const QString &text) = 0;
};
