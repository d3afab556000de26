// Find and Find next, timed through the main window's commands (with the
// dialogs answered by a script) and as the bare search function.
#include <QAction>
#include <QApplication>

#include <benchmark/benchmark.h>

#include "app/catalogue.h"
#include "app/form1.h"
#include "app/search/searchdialogs.h"
#include "app/search/textsearch.h"
#include "app/startup.h"
#include "app/textarea.h"

namespace {

class ScriptedDialogs : public SearchDialogs
{
public:
    QString answer;
    qint64 messages = 0;

    QString prompt(QWidget *, const QString &, const QString &, const QString &) override
    {
        return answer;
    }
    void information(QWidget *, const QString &, const QString &) override { ++messages; }
};

// One window for the whole run, made after the application object.
struct Bench
{
    Form1 window;
    ScriptedDialogs *dialogs = nullptr;
    QAction *find = nullptr;
    QAction *findNext = nullptr;
    int copies = 1;
};
Bench *bench = nullptr;

QString catalogueCopies(int copies)
{
    return catalogue::text().repeated(copies);
}

// Puts `copies` catalogues in the text area, outside the timed part.
void useCatalogues(int copies)
{
    if (bench->copies != copies) {
        bench->window.textArea()->setText(catalogueCopies(copies));
        bench->copies = copies;
    }
}

// The first Find of a text near the end of the catalogue.
void BM_FindCommand(benchmark::State &state)
{
    useCatalogues(1);
    bench->dialogs->answer = QStringLiteral("d64");
    for (auto _ : state)
        bench->find->trigger();
    if (bench->window.findPos() != 12350)
        state.SkipWithError("D64 not found where expected");
}
BENCHMARK(BM_FindCommand);

// One Find next, from the first of the two occurrences of a name to the
// second (some 3,700 characters on).
void BM_FindNextCommand(benchmark::State &state)
{
    useCatalogues(1);
    bench->dialogs->answer = QStringLiteral("金创药");
    for (auto _ : state) {
        state.PauseTiming();
        bench->find->trigger();
        state.ResumeTiming();
        bench->findNext->trigger();
    }
    if (bench->window.findPos() != 8828)
        state.SkipWithError("second occurrence not found");
}
BENCHMARK(BM_FindNextCommand);

// Every full-width comma from the first Find to the completion message.
void BM_StepThroughCommand(benchmark::State &state)
{
    useCatalogues(int(state.range(0)));
    bench->dialogs->answer = QStringLiteral("，");
    qint64 matches = 0;
    for (auto _ : state) {
        const qint64 messagesBefore = bench->dialogs->messages;
        bench->find->trigger();
        ++matches;
        while (bench->dialogs->messages == messagesBefore) {
            bench->findNext->trigger();
            ++matches;
        }
        --matches; // the last Find next found nothing
    }
    state.SetItemsProcessed(matches);
    state.counters["matches"] = double(matches) / double(state.iterations());
    state.counters["chars"] = double(bench->window.textArea()->text().size());
}
BENCHMARK(BM_StepThroughCommand)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

// The search function alone: the same walk, without the window.
void BM_StepThroughFunction(benchmark::State &state)
{
    const QString text = catalogueCopies(int(state.range(0)));
    const QString what = QStringLiteral("，");
    qint64 matches = 0;
    for (auto _ : state) {
        for (qsizetype p = search::findText(text, what, 1); p != 0;
             p = search::findText(text, what, p + 1))
            ++matches;
    }
    state.SetItemsProcessed(matches);
    state.SetBytesProcessed(qint64(state.iterations()) * text.size() * qint64(sizeof(QChar)));
}
BENCHMARK(BM_StepThroughFunction)->Arg(1)->Arg(100)->Unit(benchmark::kMicrosecond);

// The search function over the whole text, finding nothing.
void BM_FullScanFunction(benchmark::State &state)
{
    const QString text = catalogueCopies(int(state.range(0)));
    const QString what = QStringLiteral("没有这种东西");
    for (auto _ : state)
        benchmark::DoNotOptimize(search::findText(text, what, 1));
    state.SetBytesProcessed(qint64(state.iterations()) * text.size() * qint64(sizeof(QChar)));
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
    auto dialogs = std::make_unique<ScriptedDialogs>();
    state.dialogs = dialogs.get();
    state.window.setSearchDialogs(std::move(dialogs));
    state.find = state.window.findChild<QAction *>(QStringLiteral("mnuFind"));
    state.findNext = state.window.findChild<QAction *>(QStringLiteral("mnuFindNext"));
    if (!state.find || !state.findNext)
        return 1;
    state.window.show();
    QCoreApplication::processEvents();
    bench = &state;

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench = nullptr;
    return 0;
}
