// Holds search::findText() against the plain reference in reference_search.h
// on inputs made from arbitrary bytes. Built as a libFuzzer target with
// MORVANE2_FUZZ=ON (tools/fuzz.sh); otherwise as fuzz_search_replay, which
// runs the saved corpus through the same checks in every test run.
//
// Input layout: byte 0 picks the mode in its low two bits (0: the payload is
// raw UTF-16; 1, 2: each payload byte picks a character from a small alphabet,
// so matches are common; 3: the same, with the needle copied out of the text)
// and, for a copied needle, its length in the rest. Byte 1 is the start,
// byte 2 where the needle is split off or copied from, byte 3 which units of a
// copied needle change form. The rest is the payload.

#include "app/search/textsearch.h"
#include "reference_search.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

namespace {

// Characters where folding has something to get wrong, plus a few plain ones
// so that matches are common: full-width forms and their edges, the
// ideographic space, folds that would change length (ß, ﬁ, İ), several
// letters folding to one (K, k, Kelvin sign; σ, ς, Σ; µ, μ), CR, LF and the
// catalogue's stray U+0014, and surrogate halves that pair up when adjacent,
// some of them into code points with a case fold.
constexpr char16_t kAlphabet[] = {u'a', u'A', u'b', u'B', u'e', u'E', u'5', u'9', u'+', u',', u's',
    u'S', u'k', u'K', u'i', u'I', u' ', u'~', u'\r', u'\n', 0x0014, 0x007F, 0x00B5, 0x00DF, 0x0130,
    0x0131, 0x017F, 0x03A3, 0x03BC, 0x03C2, 0x03C3, 0x13A0, 0x13F0, 0x13F8, 0x1E9E, 0x212A, 0x3000,
    0x521B, 0x836F, 0x91D1, 0xAB70, 0xFB01, 0xFF00, 0xFF01, 0xFF0B, 0xFF0C, 0xFF15, 0xFF21, 0xFF25,
    0xFF41, 0xFF45, 0xFF5E, 0xFF5F, 0xD801, 0xDC00, 0xDC28, 0xD83A, 0xDD00, 0xDD22, 0xD83D, 0xDE00};

char16_t fromAlphabet(uint8_t byte)
{
    return kAlphabet[byte % std::size(kAlphabet)];
}

// Another form of the same unit as far as the search goes, or a near miss,
// so that a copied needle still tests folding rather than plain equality.
char16_t otherForm(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return char16_t(c - 0x20);
    if (c >= u'A' && c <= u'Z')
        return char16_t(c + 0x20 + 0xFEE0); // full-width lower case
    if (c >= 0x21 && c <= 0x7E)
        return char16_t(c + 0xFEE0);
    if (c >= 0xFF01 && c <= 0xFF5E)
        return char16_t(c - 0xFEE0);
    switch (c) {
    case u' ':
        return 0x3000;
    case 0x3000:
        return u' ';
    case 0x00DF:
        return 0x1E9E;
    case 0x1E9E:
        return 0x00DF;
    case 0x03C3:
        return 0x03C2;
    case 0x03C2:
        return 0x03A3;
    case 0x03A3:
        return 0x03C3;
    case 0x0130:
        return u'i';
    case 0x13F8:
        return 0x13F0;
    case 0xAB70:
        return 0x13A0;
    }
    // Low halves: after U+D801 this swaps the case of a Deseret letter.
    if (c >= 0xDC00 && c < 0xDC28)
        return char16_t(c + 0x28);
    if (c >= 0xDC28 && c < 0xDC50)
        return char16_t(c - 0x28);
    return c;
}

qsizetype startFrom(uint8_t byte)
{
    if (byte == 0x7F)
        return std::numeric_limits<qsizetype>::max();
    if (byte == 0x80)
        return std::numeric_limits<qsizetype>::min();
    return qsizetype(int8_t(byte));
}

void printUnits(const char *name, const QString &s)
{
    std::fprintf(stderr, "%s (%lld units):", name, static_cast<long long>(s.size()));
    for (QChar c : s)
        std::fprintf(stderr, " %04X", unsigned(c.unicode()));
    std::fprintf(stderr, "\n");
}

[[noreturn]] void fail(const char *what, const QString &text, const QString &needle,
    qsizetype start, qsizetype found, qsizetype expected)
{
    std::fprintf(stderr, "fuzz_search: %s\n", what);
    printUnits("text", text);
    printUnits("what", needle);
    std::fprintf(stderr, "start %lld: findText gave %lld, the reference %lld\n",
        static_cast<long long>(start), static_cast<long long>(found),
        static_cast<long long>(expected));
    std::abort();
}

void check(const QString &text, const QString &needle, qsizetype start)
{
    const qsizetype found = search::findText(text, needle, start);
    const qsizetype expected = reference::findText(text, needle, start);
    if (found != expected)
        fail("differs from the reference", text, needle, start, found, expected);

    if (found != 0) {
        const qsizetype first = std::max<qsizetype>(start, 1);
        if (found < first || found > text.size() - needle.size() + 1)
            fail("position out of range", text, needle, start, found, expected);
        // Find next from the match itself must land on it again.
        if (search::findText(text, needle, found) != found)
            fail("not found again from its own position", text, needle, found,
                search::findText(text, needle, found), found);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4)
        return 0;
    const uint8_t mode = data[0] & 3;
    const qsizetype start = startFrom(data[1]);
    const uint8_t place = data[2];
    const uint8_t mask = data[3];
    const uint8_t *payload = data + 4;
    const size_t length = size - 4;

    QString units;
    if (mode == 0) {
        // Any UTF-16 at all, little-endian; a trailing odd byte is dropped.
        for (size_t i = 0; i + 1 < length; i += 2)
            units.append(QChar(char16_t(payload[i] | (payload[i + 1] << 8))));
    } else {
        for (size_t i = 0; i < length; ++i)
            units.append(QChar(fromAlphabet(payload[i])));
    }

    if (mode != 3) {
        const qsizetype split = place % (units.size() + 1);
        check(units.left(split), units.mid(split), start);
        return 0;
    }

    // The needle is a piece of the text, some of its units in another form.
    if (units.isEmpty())
        return 0;
    const qsizetype from = place % units.size();
    const qsizetype count = std::max<qsizetype>(1, data[0] >> 2);
    QString needle = units.mid(from, count);
    for (qsizetype k = 0; k < needle.size(); ++k) {
        if (mask & (1u << (k % 8)))
            needle[k] = QChar(otherForm(needle[k].unicode()));
    }
    check(units, needle, start);
    return 0;
}

#ifndef MORVANE2_LIBFUZZER
// The replay driver: every file named, or found in a directory named, is one
// input. Fails when it finds none, so a missing corpus cannot pass quietly.
int main(int argc, char **argv)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg(argv[i]);
        if (fs::is_directory(arg)) {
            for (const auto &entry : fs::directory_iterator(arg)) {
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            }
        } else {
            files.push_back(arg);
        }
    }
    std::sort(files.begin(), files.end());

    for (const fs::path &file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", file.string().c_str());
            return 1;
        }
        const std::vector<uint8_t> bytes(
            (std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::fprintf(stderr, "%s\n", file.filename().string().c_str());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("replayed %zu inputs\n", files.size());
    return files.empty() ? 1 : 0;
}
#endif
