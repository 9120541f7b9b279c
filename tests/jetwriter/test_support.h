// What jetwriter's tests share: a scratch directory that cleans up after
// itself, running a command with its output captured, and reading a table
// back through the MDB Tools commands.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace jetwriter_test {

// A fresh directory under /tmp, removed with everything in it on destruction.
class ScratchDirectory {
  public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name.
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

struct CommandResult {
    int status = -1;  // exit status, or -1 when the command did not exit normally
    std::string output;
    std::string errors;
};

// Runs arguments[0] (found on PATH) with the given arguments and standard
// input, capturing standard output and standard error.
CommandResult RunCommand(const std::vector<std::string>& arguments, const std::string& input = "");

// A field read back: nullopt for NULL.
using Field = std::optional<std::string>;
using Rows = std::vector<std::vector<Field>>;

// The rows of table (header line left out) as mdb-export gives them, with
// NULL told apart from text, Yes/No as 1/0 and Date/Time as
// "YYYY-MM-DD hh:mm:ss". Fails the current test when mdb-export fails.
Rows ExportTable(const std::string& file, const std::string& table);

// The column lines of the CREATE TABLE statement mdb-schema gives for table,
// as (name, type) pairs in order; type as mdb-schema writes it ("Text (50)").
std::vector<std::pair<std::string, std::string>> SchemaColumns(const std::string& file,
                                                               const std::string& table);

// SELECT count(*) through mdb-sql, or -1 when it gives no number.
long CountRows(const std::string& file, const std::string& table);

// The contents of a file ("" when it cannot be read).
std::string ReadFile(const std::string& path);

}  // namespace jetwriter_test
