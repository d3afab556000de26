#pragma once

#include <QString>

// The modal prompt and message of the search commands, behind a seam so that
// tests can answer them. Each is made for the window it belongs to.
class SearchDialogs
{
public:
    virtual ~SearchDialogs() = default;

    // The text entered, or an empty string when the prompt was cancelled.
    virtual QString prompt(const QString &title, const QString &label, const QString &defaultText)
        = 0;
    // An information message with a single OK button.
    virtual void information(const QString &title, const QString &text) = 0;
};
