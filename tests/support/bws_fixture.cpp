#include "tests/support/bws_fixture.h"

#include <algorithm>
#include <stdexcept>

#include "jetwriter/jet_writer.h"
#include "schema/format_catalogue.h"

namespace {

jetwriter::Column ColumnFor(const BWSbase::ColumnDesc& declared) {
    using jetwriter::ColumnType;
    switch (declared.kind) {
        case BWSbase::Integer:
            return jetwriter::MakeColumn(declared.name, declared.size == 2
                                                            ? ColumnType::kInteger
                                                            : ColumnType::kLongInteger);
        case BWSbase::Boolean:
            return jetwriter::MakeColumn(declared.name, ColumnType::kYesNo);
        case BWSbase::Text:
            if (declared.size > 255) return jetwriter::MakeColumn(declared.name, ColumnType::kMemo);
            return jetwriter::MakeTextColumn(declared.name, declared.size);
        case BWSbase::String:
            return jetwriter::MakeTextColumn(declared.name, 255);
        case BWSbase::DateTime:
            return jetwriter::MakeColumn(declared.name, ColumnType::kDateTime);
        case BWSbase::Double:
            return jetwriter::MakeColumn(declared.name, ColumnType::kDouble);
        default:
            throw std::logic_error("no Access type for column " + declared.name);
    }
}

jetwriter::Table TableFor(const BWSbase& record) {
    jetwriter::Table table;
    table.name = record.tableName.GetString();
    for (const auto& entry : record.columns) table.columns.push_back(ColumnFor(entry.second));
    return table;
}

bool SameName(const std::string& left, const std::string& right) {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) ==
                      std::toupper(static_cast<unsigned char>(b));
           });
}

}  // namespace

BwsFixture::BwsFixture(eImportType format, jetwriter::JetFormat fileFormat) {
    database.format = fileFormat;
    database.created = 46000.5;
    for (const auto& record : BuildDetectionSet(format))
        database.tables.push_back(TableFor(*record));
    database.tables.push_back(TableFor(*MakeRecord(BwsTable::Session, 'A')));
}

jetwriter::Table& BwsFixture::Table(const std::string& name) {
    for (auto& table : database.tables) {
        if (table.name == name) return table;
    }
    database.tables.push_back(jetwriter::Table{name, {}, {}, {}});
    return database.tables.back();
}

bool BwsFixture::HasTable(const std::string& name) const {
    return std::any_of(database.tables.begin(), database.tables.end(),
                       [&](const jetwriter::Table& table) { return table.name == name; });
}

void BwsFixture::DropTable(const std::string& name) {
    database.tables.erase(
        std::remove_if(database.tables.begin(), database.tables.end(),
                       [&](const jetwriter::Table& table) { return table.name == name; }),
        database.tables.end());
}

void BwsFixture::AddColumn(const std::string& table, jetwriter::Column column) {
    jetwriter::Table& target = Table(table);
    target.columns.push_back(std::move(column));
    for (auto& row : target.rows) row.emplace_back();
}

void BwsFixture::AddColumnAfterRows(const std::string& table, jetwriter::Column column) {
    jetwriter::Table& target = Table(table);
    column.added_at_row = target.rows.size();
    target.columns.push_back(std::move(column));
}

void BwsFixture::DropColumn(const std::string& table, const std::string& column) {
    jetwriter::Table& target = Table(table);
    for (size_t i = 0; i < target.columns.size(); ++i) {
        if (!SameName(target.columns[i].name, column)) continue;
        target.columns.erase(target.columns.begin() + static_cast<long>(i));
        for (auto& row : target.rows) row.erase(row.begin() + static_cast<long>(i));
        return;
    }
    throw std::logic_error("no column " + column + " in " + table);
}

void BwsFixture::Retype(const std::string& table, const std::string& column,
                        jetwriter::ColumnType type, int text_length) {
    for (auto& existing : Table(table).columns) {
        if (!SameName(existing.name, column)) continue;
        existing.type = type;
        existing.text_length = text_length;
        return;
    }
    throw std::logic_error("no column " + column + " in " + table);
}

void BwsFixture::RenameTable(const std::string& from, const std::string& to) {
    Table(from).name = to;
}

void BwsFixture::AddRow(const std::string& table,
                        const std::map<std::string, jetwriter::Value>& values) {
    jetwriter::Table& target = Table(table);
    std::vector<jetwriter::Value> row;
    size_t used = 0;
    for (const auto& column : target.columns) {
        if (!column.ExistsFor(target.rows.size())) continue;
        auto given = std::find_if(values.begin(), values.end(), [&](const auto& entry) {
            return SameName(entry.first, column.name);
        });
        if (given != values.end()) {
            row.push_back(given->second);
            ++used;
        } else if (column.type == jetwriter::ColumnType::kYesNo) {
            row.push_back(jetwriter::Value::Boolean(false));
        } else {
            row.emplace_back();
        }
    }
    if (used != values.size()) throw std::logic_error("a value names no column of " + table);
    target.rows.push_back(std::move(row));
}

std::string BwsFixture::Write(const std::string& path) const {
    return jetwriter::WriteJetFile(path, database, jetwriter::ExistingFile::kReplace);
}

void AddRound(BwsFixture& fixture, int section, int table, int round, int ns, int ew, int low,
              int high) {
    using jetwriter::Value;
    fixture.AddRow("RoundData", {{"Section", Value::Integer(section)},
                                 {"Table", Value::Integer(table)},
                                 {"Round", Value::Integer(round)},
                                 {"NSPair", Value::Integer(ns)},
                                 {"EWPair", Value::Integer(ew)},
                                 {"LowBoard", Value::Integer(low)},
                                 {"HighBoard", Value::Integer(high)}});
}

void AddSection(BwsFixture& fixture, int id, const char* letter, int tables, int scoringType) {
    using jetwriter::Value;
    fixture.AddRow("Section", {{"ID", Value::Integer(id)},
                               {"Letter", Value::Text(letter)},
                               {"Tables", Value::Integer(tables)},
                               {"ScoringType", Value::Integer(scoringType)}});
}
