// Find and Find next, timed through the main window's commands (with the
// dialogs answered by a script) and as the bare search function. Every
// needle, position and count comes from the catalogue as loaded, worked out
// with the reference search, and each command's end state is checked
// against it.
#include <QAction>
#include <QApplication>
#include <QRegularExpression>

#include <benchmark/benchmark.h>

#include "app/catalogue.h"
#include "app/form1.h"
#include "app/search/textsearch.h"
#include "app/startup.h"
#include "app/textarea.h"
#include "catalogue_entries.h"
#include "reference_search.h"
#include "scripteddialogs.h"

namespace {

// One window for the whole run, made after the application object.
struct Bench
{
    TextArea *text = nullptr;
    ScriptedDialogs *dialogs = nullptr;
    QAction *find = nullptr;
    QAction *findNext = nullptr;
    QString answer; // to every prompt
    int copies = 1;

    // Worked out from the catalogue once, before any timing.
    QString lastCode; // of the catalogue's last item
    QString farName; // the name whose first two occurrences lie farthest apart
    qsizetype farFirst = 0; // 1-based
    qsizetype farSecond = 0;
    QString comma = QStringLiteral("，");
    qsizetype commasPerCatalogue = 0; // matches of `comma`, ASCII commas included
};
Bench *bench = nullptr;

QString catalogueCopies(int copies)
{
    return catalogue::text().repeated(copies);
}

// Puts `copies` catalogues in the text area and forgets the prompts and
// messages so far, outside the timed part.
void useCatalogues(int copies)
{
    bench->dialogs->prompts.clear();
    bench->dialogs->messages.clear();
    if (bench->copies != copies) {
        bench->text->setText(catalogueCopies(copies));
        bench->copies = copies;
    }
}

qsizetype referenceCount(const QString &text, const QString &what)
{
    qsizetype n = 0;
    for (qsizetype p = reference::findText(text, what, 1); p != 0;
         p = reference::findText(text, what, p + 1))
        ++n;
    return n;
}

// The first Find of the last item's code, typed in lower case: it scans the
// catalogue up to the code's first occurrence, reported as "at".
void BM_FindCommand(benchmark::State &state)
{
    useCatalogues(1);
    bench->answer = bench->lastCode.toLower();
    const qsizetype expected = reference::findText(catalogue::text(), bench->answer, 1);
    for (auto _ : state)
        bench->find->trigger();
    state.counters["at"] = double(expected);
    state.counters["chars"] = double(catalogue::text().size());
    if (expected == 0 || bench->text->caretIndex() != expected - 1)
        state.SkipWithError("the caret is not at the match the reference finds");
}
BENCHMARK(BM_FindCommand);

// One Find next over the longest stretch between the first two occurrences
// of any item name.
void BM_FindNextCommand(benchmark::State &state)
{
    useCatalogues(1);
    bench->answer = bench->farName;
    for (auto _ : state) {
        state.PauseTiming();
        bench->find->trigger();
        state.ResumeTiming();
        bench->findNext->trigger();
    }
    state.counters["from"] = double(bench->farFirst);
    state.counters["to"] = double(bench->farSecond);
    if (bench->text->caretIndex() != bench->farSecond - 1)
        state.SkipWithError("the caret is not at the second occurrence");
}
BENCHMARK(BM_FindNextCommand);

// Every match of the full-width comma from the first Find to the completion
// message.
void BM_StepThroughCommand(benchmark::State &state)
{
    const int copies = int(state.range(0));
    useCatalogues(copies);
    bench->answer = bench->comma;
    // A one-character needle cannot match across the seam of two copies.
    const qsizetype expected = bench->commasPerCatalogue * copies;
    qint64 matches = 0;
    for (auto _ : state) {
        const qsizetype messagesBefore = bench->dialogs->messages.size();
        bench->find->trigger();
        ++matches;
        while (bench->dialogs->messages.size() == messagesBefore) {
            bench->findNext->trigger();
            ++matches;
        }
        --matches; // the last Find next found nothing
    }
    state.SetItemsProcessed(matches);
    state.counters["matches"] = double(matches) / double(state.iterations());
    state.counters["chars"] = double(bench->text->text().size());
    if (matches != expected * qint64(state.iterations()))
        state.SkipWithError("the commands stepped through another number of matches");
}
BENCHMARK(BM_StepThroughCommand)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

// The search function alone: the same walk, without the window.
void BM_StepThroughFunction(benchmark::State &state)
{
    const int copies = int(state.range(0));
    const QString text = catalogueCopies(copies);
    const QString &what = bench->comma;
    qint64 matches = 0;
    for (auto _ : state) {
        for (qsizetype p = search::findText(text, what, 1); p != 0;
             p = search::findText(text, what, p + 1))
            ++matches;
    }
    state.SetItemsProcessed(matches);
    state.SetBytesProcessed(qint64(state.iterations()) * text.size() * qint64(sizeof(QChar)));
    if (matches != bench->commasPerCatalogue * copies * qint64(state.iterations()))
        state.SkipWithError("the function found another number of matches");
}
BENCHMARK(BM_StepThroughFunction)->Arg(1)->Arg(100)->Unit(benchmark::kMicrosecond);

// The search function over the whole text, finding nothing.
void BM_FullScanFunction(benchmark::State &state)
{
    const QString text = catalogueCopies(int(state.range(0)));
    const QString what = QStringLiteral("没有这种东西");
    qsizetype found = 0;
    for (auto _ : state) {
        found = search::findText(text, what, 1);
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(qint64(state.iterations()) * text.size() * qint64(sizeof(QChar)));
    if (found != 0)
        state.SkipWithError("the needle occurs in the text");
}
BENCHMARK(BM_FullScanFunction)->Arg(1)->Arg(100)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    startup::describeApplication();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    Bench state;
    const QString &text = catalogue::text();
    const QList<CatalogueEntry> entries = catalogueEntries(text);
    for (const CatalogueEntry &e : entries) {
        state.lastCode = e.code;
        const qsizetype first = reference::findText(text, e.name, 1);
        const qsizetype second = reference::findText(text, e.name, first + 1);
        if (second != 0 && second - first > state.farSecond - state.farFirst) {
            state.farName = e.name;
            state.farFirst = first;
            state.farSecond = second;
        }
    }
    state.commasPerCatalogue = referenceCount(text, state.comma);
    if (state.lastCode.isEmpty() || state.farName.isEmpty() || state.commasPerCatalogue == 0)
        return 1;

    Form1 window(makeScriptedDialogs(state.dialogs));
    state.dialogs->nextAnswer = [] { return bench->answer; };
    state.text = window.findChild<TextArea *>(QStringLiteral("Text1"));
    state.find = window.findChild<QAction *>(QStringLiteral("mnuFind"));
    state.findNext = window.findChild<QAction *>(QStringLiteral("mnuFindNext"));
    if (!state.text || !state.find || !state.findNext)
        return 1;
    window.show();
    QCoreApplication::processEvents();
    bench = &state;

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench = nullptr;
    return 0;
}
