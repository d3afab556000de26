#pragma once

#include <QStringView>

// The search behind Find and Find next: a plain substring match that ignores
// case and the difference between full-width and ASCII forms. Every folding
// maps one UTF-16 unit to one, so a position in the folded text is the same
// position in the text itself.
namespace search {

// The character as the search compares it: full-width ASCII forms and the
// ideographic space become ASCII, then simple (one-for-one) case folding.
// A surrogate, paired or not, comes back unchanged; see foldPair().
char16_t foldUnit(char16_t c);

// Simple case folding of the code point of a surrogate pair, as a pair again.
// A pair whose folding would leave the supplementary planes is kept as it is.
char32_t foldPair(char16_t high, char16_t low);

// The 1-based position of the first match of `what` that starts at or after
// the 1-based position `start`, or 0 when there is none. A start below 1
// counts as 1; an empty `what` or a start past the end finds nothing. A match
// never splits a surrogate pair, so a lone surrogate only matches a lone one.
// The result is always 0 or a position inside `text`.
qsizetype findText(QStringView text, QStringView what, qsizetype start);

} // namespace search
