#pragma once

#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

#include "app/search/searchdialogs.h"

class QWidget;

// Stands in for the search prompt and message: answers each prompt without
// showing anything, and records every prompt and message.
class ScriptedDialogs : public SearchDialogs
{
public:
    struct Shown
    {
        QString title;
        QString text; // the prompt's label or the message
        QString defaultText; // prompts only
    };

    // The window the dialogs were made for, when a window made them; kept
    // only to be compared, so the search itself needs no widgets.
    explicit ScriptedDialogs(const void *owner = nullptr)
        : owner(owner)
    { }

    const void *owner;

    // The answer to each prompt: nextAnswer() when set, otherwise the queued
    // answers in turn and then an empty one, as a cancel gives.
    std::function<QString()> nextAnswer;
    QStringList answers;

    QList<Shown> prompts;
    QList<Shown> messages;

    QString prompt(const QString &title, const QString &label, const QString &defaultText) override
    {
        prompts.append({title, label, defaultText});
        if (nextAnswer)
            return nextAnswer();
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }

    void information(const QString &title, const QString &text) override
    {
        messages.append({title, text, {}});
    }
};

// For a window that makes its dialogs: makes scripted ones for it and leaves
// them in `made`, for the test to answer and read.
inline auto makeScriptedDialogs(ScriptedDialogs *&made)
{
    return [&made](QWidget *owner) {
        auto dialogs = std::make_unique<ScriptedDialogs>(owner);
        made = dialogs.get();
        return dialogs;
    };
}
