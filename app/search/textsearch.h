#pragma once

#include <QStringView>

// The search behind Find and Find next: a plain substring match that ignores
// case and the difference between full-width and ASCII forms. Every folding
// maps one UTF-16 unit to one, so a position in the folded text is the same
// position in the text itself.
namespace search {

// The 1-based position of the first match of `what` that starts at or after
// the 1-based position `start`, or 0 when there is none. A start below 1
// counts as 1; an empty `what` or a start past the end finds nothing. A match
// never splits a surrogate pair, so a lone surrogate only matches a lone one.
// The result is always 0 or a position inside `text`.
qsizetype findText(QStringView text, QStringView what, qsizetype start);

} // namespace search
