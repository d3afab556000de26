#pragma once

// A slow, obvious second implementation of Find's matching rule, for the
// fuzzer and the stress test to hold search::findText() against. It shares no code with it: each
// string is first turned into a list of units with their folded value, and
// then every start position is tried in turn.

#include <QChar>
#include <QStringView>

#include <vector>

namespace reference {

struct Unit
{
    char16_t folded; // the value compared
    bool secondHalf; // the low half of a valid surrogate pair
};

// Width folding first: full-width ASCII forms and the ideographic space.
inline char32_t narrow(char32_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5E)
        return c - 0xFEE0;
    if (c == 0x3000)
        return U' ';
    return c;
}

inline std::vector<Unit> decode(QStringView s)
{
    std::vector<Unit> units;
    qsizetype i = 0;
    while (i < s.size()) {
        const char16_t c = s[i].unicode();
        const bool pair = QChar::isHighSurrogate(c) && i + 1 < s.size()
            && QChar::isLowSurrogate(s[i + 1].unicode());
        if (pair) {
            const char32_t code = QChar::surrogateToUcs4(c, s[i + 1].unicode());
            char32_t folded = QChar::toCaseFolded(code);
            // A pair that would fold to one unit stays as it was.
            if (folded <= 0xFFFF)
                folded = code;
            units.push_back({QChar::highSurrogate(folded), false});
            units.push_back({QChar::lowSurrogate(folded), true});
            i += 2;
            continue;
        }
        if (QChar::isSurrogate(c)) {
            // A lone half is only ever equal to itself.
            units.push_back({c, false});
            ++i;
            continue;
        }
        const char32_t narrowed = narrow(c);
        const char32_t folded = QChar::toCaseFolded(narrowed);
        // A unit whose folding is not a single ordinary unit is kept unfolded.
        const bool oneUnit = folded <= 0xFFFF && !QChar::isSurrogate(folded);
        units.push_back({char16_t(oneUnit ? folded : narrowed), false});
        ++i;
    }
    return units;
}

// Same contract as search::findText().
inline qsizetype findText(QStringView text, QStringView what, qsizetype start)
{
    const std::vector<Unit> t = decode(text);
    const std::vector<Unit> w = decode(what);
    const qsizetype n = qsizetype(t.size());
    const qsizetype m = qsizetype(w.size());
    if (m == 0)
        return 0;
    if (start < 1)
        start = 1;
    for (qsizetype i = 0; i + m <= n; ++i) {
        if (i + 1 < start)
            continue;
        if (t[i].secondHalf)
            continue; // would begin inside a pair
        if (i + m < n && t[i + m].secondHalf)
            continue; // would end inside a pair
        bool same = true;
        for (qsizetype k = 0; k < m; ++k) {
            if (t[i + k].folded != w[k].folded)
                same = false;
        }
        if (same)
            return i + 1;
    }
    return 0;
}

} // namespace reference
