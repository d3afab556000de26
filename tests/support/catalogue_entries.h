#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

// The catalogue's entries as a reader of the text finds them: a name line
// "name,CODE" (the code in upper-case hexadecimal), the description below.
// For the tests and the benchmark that search the real catalogue; the
// catalogue's own test checks the layout itself, line by line.
struct CatalogueEntry
{
    QString name;
    QString code;
    qsizetype nameStart; // 0-based index of the name in the text
};

inline QList<CatalogueEntry> catalogueEntries(const QString &text)
{
    // The stray control character before one name is not part of it.
    static const QRegularExpression nameLine(
        QStringLiteral("^\\x{14}?([^,\r\n]+),([0-9A-F]{3,4})\r$"),
        QRegularExpression::MultilineOption);
    QList<CatalogueEntry> entries;
    for (auto it = nameLine.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        entries.append({m.captured(1), m.captured(2), m.capturedStart(1)});
    }
    return entries;
}
