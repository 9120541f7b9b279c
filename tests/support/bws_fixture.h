// BwsFixture: builds BWS files for tests. It starts from a format of the
// catalogue, with one table per table of the format laid out exactly as the
// format declares it (plus Session), lets a test add, drop or retype columns,
// drop tables and add rows by column name, and writes a real Jet 3 or Jet 4 file.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "jetwriter/database.h"
#include "schema/import_type.h"

class BwsFixture {
  public:
    // The tables of format, each with its layout's columns and no rows, in a
    // Jet 3 file (as real BWS files are) unless fileFormat says Jet 4.
    explicit BwsFixture(eImportType format,
                        jetwriter::JetFormat fileFormat = jetwriter::JetFormat::kJet3);
    // No tables at all.
    BwsFixture() = default;

    // The table of that name; a new empty table when there is none.
    jetwriter::Table& Table(const std::string& name);
    bool HasTable(const std::string& name) const;
    void DropTable(const std::string& name);

    void AddColumn(const std::string& table, jetwriter::Column column);
    // Adds a column as a file whose table grew after rows were written: the
    // rows so far are stored without it (AddColumn gives them NULL instead).
    void AddColumnAfterRows(const std::string& table, jetwriter::Column column);
    void DropColumn(const std::string& table, const std::string& column);
    // Gives the column another type (Text of length text_length for kText).
    void Retype(const std::string& table, const std::string& column, jetwriter::ColumnType type,
                int text_length = 0);
    // Renames a table, as a file that stores its names in capitals.
    void RenameTable(const std::string& from, const std::string& to);

    // Adds a row; columns not named are NULL (Yes/No columns false). Values
    // are given by column name, as numbers or texts.
    void AddRow(const std::string& table, const std::map<std::string, jetwriter::Value>& values);

    // Writes the file, replacing any earlier one. Returns "" or the writer's reason.
    std::string Write(const std::string& path) const;

    jetwriter::Database database;
};

// Adds a RoundData row: at table in round, pair ns against pair ew on boards
// low to high.
void AddRound(BwsFixture& fixture, int section, int table, int round, int ns, int ew, int low,
              int high);

// Adds a Section row with its letter, number of tables and scoring type.
void AddSection(BwsFixture& fixture, int id, const char* letter, int tables, int scoringType = 1);
