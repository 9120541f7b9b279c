// How long jetwriter takes to write a large table: 100,000 rows of a
// 23-column table shaped like a BWS ReceivedData table, built in memory,
// written to a file, and parsed from its text description first.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "jetwriter/calendar.h"
#include "jetwriter/description_parser.h"
#include "jetwriter/jet4_writer.h"

namespace {

using jetwriter::ColumnType;
using jetwriter::MakeColumn;
using jetwriter::MakeTextColumn;
using jetwriter::Value;

constexpr int kRows = 100000;

jetwriter::Database ReceivedData() {
    jetwriter::Table table;
    table.name = "ReceivedData";
    table.columns = {
        MakeColumn("ID", ColumnType::kLongInteger),
        MakeColumn("Section", ColumnType::kInteger),
        MakeColumn("Table", ColumnType::kInteger),
        MakeColumn("Round", ColumnType::kInteger),
        MakeColumn("Board", ColumnType::kInteger),
        MakeColumn("PairNS", ColumnType::kInteger),
        MakeColumn("PairEW", ColumnType::kInteger),
        MakeColumn("Declarer", ColumnType::kInteger),
        MakeTextColumn("NS/EW", 2),
        MakeTextColumn("Contract", 10),
        MakeTextColumn("Result", 10),
        MakeTextColumn("LeadCard", 10),
        MakeTextColumn("Remarks", 255),
        MakeColumn("DateLog", ColumnType::kDateTime),
        MakeColumn("TimeLog", ColumnType::kDateTime),
        MakeColumn("Processed", ColumnType::kYesNo),
        MakeColumn("Processed1", ColumnType::kYesNo),
        MakeColumn("Processed2", ColumnType::kYesNo),
        MakeColumn("Processed3", ColumnType::kYesNo),
        MakeColumn("Processed4", ColumnType::kYesNo),
        MakeColumn("Erased", ColumnType::kYesNo),
        MakeColumn("Score", ColumnType::kDouble),
        MakeColumn("Fee", ColumnType::kCurrency),
    };
    const double day = jetwriter::DayNumber(jetwriter::DaysSinceEpoch(2026, 1, 15), 0);
    table.rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        table.rows.push_back({
            Value::Integer(i + 1),
            Value::Integer(1 + i % 4),
            Value::Integer(1 + i % 15),
            Value::Integer(1 + i % 9),
            Value::Integer(1 + i % 27),
            Value::Integer(1 + i % 15),
            Value::Integer(16 + i % 15),
            Value::Integer(i % 4),
            Value::Text(i % 2 ? "NS" : "EW"),
            Value::Text("4H"),
            Value::Text(i % 3 ? "=" : "-1"),
            Value::Text("S\u00e9"),
            i % 10 ? Value::Null() : Value::Text("Director called at table " + std::to_string(i)),
            Value::DateTime(day),
            Value::DateTime((i % 86400) / 86400.0),
            Value::Boolean(true),
            Value::Boolean(false),
            Value::Boolean(false),
            Value::Boolean(i % 2),
            Value::Boolean(false),
            Value::Boolean(false),
            Value::Real(i * 0.5),
            Value::Currency(i * 100),
        });
    }
    jetwriter::Database database;
    database.created = day;
    database.tables.push_back(std::move(table));
    return database;
}

// The same table as a description.
std::string ReceivedDataDescription() {
    std::string text = "database created=2026-01-15\ntable ReceivedData\n";
    const char* const columns[] = {
        "ID Long",           "Section Integer",   "Table Integer",     "Round Integer",
        "Board Integer",     "PairNS Integer",    "PairEW Integer",    "Declarer Integer",
        "\"NS/EW\" Text(2)", "Contract Text(10)", "Result Text(10)",   "LeadCard Text(10)",
        "Remarks Text(255)", "DateLog Date/Time", "TimeLog Date/Time", "Processed Yes/No",
        "Processed1 Yes/No", "Processed2 Yes/No", "Processed3 Yes/No", "Processed4 Yes/No",
        "Erased Yes/No",     "Score Double",      "Fee Currency"};
    for (const char* column : columns) text += std::string("column ") + column + "\n";
    char row[256];
    for (int i = 0; i < kRows; ++i) {
        std::snprintf(row, sizeof row,
                      "row %d, %d, %d, %d, %d, %d, %d, %d, \"%s\", \"4H\", \"%s\", \"S\u00e9\", "
                      "NULL, 2026-01-15, %02d:%02d:%02d, true, false, false, %s, false, false, "
                      "%d.5, %d.00\n",
                      i + 1, 1 + i % 4, 1 + i % 15, 1 + i % 9, 1 + i % 27, 1 + i % 15, 16 + i % 15,
                      i % 4, i % 2 ? "NS" : "EW", i % 3 ? "=" : "-1", (i / 3600) % 24,
                      (i / 60) % 60, i % 60, i % 2 ? "true" : "false", i / 2, i);
        text += row;
    }
    return text;
}

void SetFigures(benchmark::State& state, size_t bytes) {
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(kRows),
                                                  benchmark::Counter::kIsIterationInvariantRate);
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}

// state.range(0): 3 for a Jet 3 file, 4 for Jet 4.
void BM_BuildImage_100kRows23Columns(benchmark::State& state) {
    jetwriter::Database database = ReceivedData();
    database.format =
        state.range(0) == 3 ? jetwriter::JetFormat::kJet3 : jetwriter::JetFormat::kJet4;
    std::vector<uint8_t> image;
    jetwriter::WriteProblem problem;
    for (auto _ : state) {
        if (!jetwriter::BuildJet4Image(database, &image, &problem)) {
            state.SkipWithError(problem.message.c_str());
            break;
        }
        benchmark::DoNotOptimize(image.data());
    }
    SetFigures(state, image.size());
}
BENCHMARK(BM_BuildImage_100kRows23Columns)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_WriteFile_100kRows23Columns(benchmark::State& state) {
    const jetwriter::Database database = ReceivedData();
    char path[] = "/tmp/jetwriter-bench-XXXXXX";
    const int descriptor = mkstemp(path);
    if (descriptor < 0) {
        state.SkipWithError("cannot make a temporary file");
        return;
    }
    for (auto _ : state) {
        const std::string failure =
            jetwriter::WriteJet4File(path, database, jetwriter::ExistingFile::kReplace);
        if (!failure.empty()) {
            state.SkipWithError(failure.c_str());
            break;
        }
    }
    std::FILE* file = std::fopen(path, "rb");
    std::fseek(file, 0, SEEK_END);
    SetFigures(state, static_cast<size_t>(std::ftell(file)));
    std::fclose(file);
    std::remove(path);
}
BENCHMARK(BM_WriteFile_100kRows23Columns)->Unit(benchmark::kMillisecond);

// What bwsmake does for such a description, less reading and writing files.
void BM_ParseAndBuild_100kRows23Columns(benchmark::State& state) {
    const std::string text = ReceivedDataDescription();
    std::vector<uint8_t> image;
    for (auto _ : state) {
        jetwriter::Description description;
        jetwriter::DescriptionError error;
        jetwriter::WriteProblem problem;
        if (!jetwriter::ParseDescription(text, &description, &error)) {
            state.SkipWithError(error.message.c_str());
            break;
        }
        if (!jetwriter::BuildJet4Image(description.database, &image, &problem)) {
            state.SkipWithError(problem.message.c_str());
            break;
        }
    }
    SetFigures(state, image.size());
    state.counters["description_MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_ParseAndBuild_100kRows23Columns)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
