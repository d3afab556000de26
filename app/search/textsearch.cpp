#include "app/search/textsearch.h"

#include <QChar>
#include <QVarLengthArray>

namespace search {

namespace {

constexpr char16_t kFullWidthFirst = 0xFF01; // FULLWIDTH EXCLAMATION MARK
constexpr char16_t kFullWidthLast = 0xFF5E; // FULLWIDTH TILDE
constexpr char16_t kFullWidthOffset = 0xFEE0;
constexpr char16_t kIdeographicSpace = 0x3000;

// The character as the search compares it: full-width ASCII forms and the
// ideographic space become ASCII, then simple (one-for-one) case folding.
// A surrogate, paired or not, comes back unchanged; see foldPair().
char16_t foldUnit(char16_t c)
{
    if (c >= kFullWidthFirst && c <= kFullWidthLast)
        c = char16_t(c - kFullWidthOffset);
    else if (c == kIdeographicSpace)
        c = u' ';
    if (QChar::isSurrogate(c))
        return c;
    const char32_t folded = QChar::toCaseFolded(char32_t(c));
    // Positions stay exact only if one unit stays one unit.
    return QChar::requiresSurrogates(folded) || QChar::isSurrogate(folded) ? c : char16_t(folded);
}

// Simple case folding of the code point of a surrogate pair, as a pair again.
// A pair whose folding would leave the supplementary planes is kept as it is.
char32_t foldPair(char16_t high, char16_t low)
{
    const char32_t code = QChar::surrogateToUcs4(high, low);
    const char32_t folded = QChar::toCaseFolded(code);
    return QChar::requiresSurrogates(folded) ? folded : code;
}

bool isPairAt(QStringView s, qsizetype high)
{
    return high >= 0 && high + 1 < s.size() && s[high].isHighSurrogate()
        && s[high + 1].isLowSurrogate();
}

// A match may not begin or end between the two halves of a pair.
bool splitsPair(QStringView s, qsizetype boundary)
{
    return isPairAt(s, boundary - 1);
}

// The folded unit at index k, read in its context: each half of a pair is
// folded as part of its code point.
char16_t foldedAt(QStringView s, qsizetype k)
{
    const char16_t c = s[k].unicode();
    if (QChar::isHighSurrogate(c))
        return isPairAt(s, k) ? QChar::highSurrogate(foldPair(c, s[k + 1].unicode())) : c;
    if (QChar::isLowSurrogate(c))
        return isPairAt(s, k - 1) ? QChar::lowSurrogate(foldPair(s[k - 1].unicode(), c)) : c;
    return foldUnit(c);
}

} // namespace

qsizetype findText(QStringView text, QStringView what, qsizetype start)
{
    const qsizetype length = what.size();
    if (length == 0 || length > text.size())
        return 0;
    if (start < 1)
        start = 1;
    // Checked before any arithmetic on start, which may be anything.
    if (start > text.size() - length + 1)
        return 0;

    // The needle is folded once; the text is folded as it is read, so a call
    // costs only the characters it passes over.
    QVarLengthArray<char16_t, 64> needle(length);
    for (qsizetype j = 0; j < length; ++j)
        needle[j] = foldedAt(what, j);

    const char16_t first = needle[0];
    const qsizetype lastStart = text.size() - length;
    for (qsizetype i = start - 1; i <= lastStart; ++i) {
        if (foldedAt(text, i) != first)
            continue;
        qsizetype j = 1;
        while (j < length && foldedAt(text, i + j) == needle[j])
            ++j;
        if (j == length && !splitsPair(text, i) && !splitsPair(text, i + length))
            return i + 1;
    }
    return 0;
}

} // namespace search
