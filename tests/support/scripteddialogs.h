#pragma once

#include <QList>
#include <QStringList>

#include <functional>

#include "app/search/searchdialogs.h"

// Stands in for the search prompt and message: answers each prompt without
// showing anything, and records every prompt and message.
class ScriptedDialogs : public SearchDialogs
{
public:
    struct Shown
    {
        QWidget *parent;
        QString title;
        QString text; // the prompt's label or the message
        QString defaultText; // prompts only
    };

    // The answer to each prompt: nextAnswer() when set, otherwise the queued
    // answers in turn and then an empty one, as a cancel gives.
    std::function<QString()> nextAnswer;
    QStringList answers;

    QList<Shown> prompts;
    QList<Shown> messages;

    QString prompt(QWidget *parent, const QString &title, const QString &label,
        const QString &defaultText) override
    {
        prompts.append({parent, title, label, defaultText});
        if (nextAnswer)
            return nextAnswer();
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }

    void information(QWidget *parent, const QString &title, const QString &text) override
    {
        messages.append({parent, title, text, {}});
    }
};
