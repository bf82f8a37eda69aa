// Reading an update answer that carries many distinct tags: every tag is put
// into the result's tag table, so the table's insertion and lookup cost
// decides whether a large hostile answer is read within the query's time.
#include "client/model/updates/PlenfoxUpdateSource.h"
#include "client/model/updates/TagTable.h"

#include <benchmark/benchmark.h>

using plenfox::client::model::PlenfoxUpdateSource;
using plenfox::client::model::TagTable;
using plenfox::client::model::UpdateQuery;

namespace {

QString answerWithTags(int count) {
    QString answer = QStringLiteral("<plenfox><wow><tags>");
    for (int i = 0; i < count; ++i)
        answer += QStringLiteral("<wow-t%1>%1</wow-t%1>").arg(i);
    answer += QStringLiteral("</tags></wow></plenfox>\n");
    return answer;
}

void ReadAnswerWithDistinctTags(benchmark::State& state) {
    const QString answer = answerWithTags(static_cast<int>(state.range(0)));
    const UpdateQuery query({}, {}, TagTable{});
    for (auto _ : state)
        benchmark::DoNotOptimize(PlenfoxUpdateSource::readAnswer(query, answer));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ReadAnswerWithDistinctTags)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(900000)
    ->Unit(benchmark::kMillisecond);

void InsertDistinctTags(benchmark::State& state) {
    QStringList keys;
    for (int i = 0; i < state.range(0); ++i)
        keys << QStringLiteral("wow-t%1").arg(i);
    for (auto _ : state) {
        TagTable table;
        for (const QString& key : keys)
            table.insert(key, key);
        benchmark::DoNotOptimize(table.value(keys.back()));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(InsertDistinctTags)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
