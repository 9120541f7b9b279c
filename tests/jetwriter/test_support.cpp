#include "test_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace jetwriter_test {

ScratchDirectory::ScratchDirectory() {
    char pattern[] = "/tmp/jetwriter-test-XXXXXX";
    if (mkdtemp(pattern) == nullptr) ADD_FAILURE() << "cannot make a scratch directory";
    path_ = pattern;
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

CommandResult RunCommand(const std::vector<std::string>& arguments, const std::string& input) {
    // Output goes through files, so that neither stream can fill a pipe and
    // stall the command.
    ScratchDirectory scratch;
    const std::string inputPath = scratch.File("in");
    const std::string outputPath = scratch.File("out");
    const std::string errorsPath = scratch.File("err");
    std::ofstream(inputPath, std::ios::binary) << input;

    CommandResult result;
    const pid_t child = fork();
    if (child == 0) {
        const int in = open(inputPath.c_str(), O_RDONLY);
        const int out = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errorsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0) _exit(127);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    }
    result.output = ReadFile(outputPath);
    result.errors = ReadFile(errorsPath);
    return result;
}

namespace {

// Splits mdb-export's CSV: fields separated by commas, rows by newlines;
// quoted fields may hold both and double their quotes. An unquoted NULL is
// the NULL marker asked for; everything quoted is text.
Rows ParseCsv(const std::string& text) {
    Rows rows;
    std::vector<Field> row;
    std::string field;
    bool quoted = false;
    bool inQuotes = false;
    auto endField = [&] {
        if (!quoted && field == "NULL") {
            row.push_back(std::nullopt);
        } else {
            row.push_back(field);
        }
        field.clear();
        quoted = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inQuotes) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field.push_back('"');
                ++i;
            } else if (c == '"') {
                inQuotes = false;
            } else {
                field.push_back(c);
            }
        } else if (c == '"') {
            inQuotes = true;
            quoted = true;
        } else if (c == ',') {
            endField();
        } else if (c == '\n') {
            endField();
            rows.push_back(std::move(row));
            row.clear();
        } else {
            field.push_back(c);
        }
    }
    if (!field.empty() || !row.empty()) {
        endField();
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace

Rows ExportTable(const std::string& file, const std::string& table) {
    const CommandResult result =
        RunCommand({"mdb-export", "-0", "NULL", "-T", "%Y-%m-%d %H:%M:%S", file, table});
    EXPECT_EQ(result.status, 0) << result.errors;
    Rows rows = ParseCsv(result.output);
    if (!rows.empty()) rows.erase(rows.begin());  // the header
    return rows;
}

std::vector<std::pair<std::string, std::string>> SchemaColumns(const std::string& file,
                                                               const std::string& table) {
    const CommandResult result = RunCommand({"mdb-schema", "-T", table, file});
    EXPECT_EQ(result.status, 0) << result.errors;
    // Column lines read: TAB [name] TABS type [,]
    std::vector<std::pair<std::string, std::string>> columns;
    std::istringstream lines(result.output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.size() < 2 || line[0] != '\t' || line[1] != '[') continue;
        const size_t close = line.find("]\t");
        if (close == std::string::npos) continue;
        std::string type = line.substr(line.find_first_not_of('\t', close + 1));
        while (!type.empty() && (type.back() == ',' || type.back() == ' ')) type.pop_back();
        columns.emplace_back(line.substr(2, close - 2), type);
    }
    return columns;
}

long CountRows(const std::string& file, const std::string& table) {
    const CommandResult result =
        RunCommand({"mdb-sql", "-P", "-H", "-F", file}, "select count(*) from " + table + "\n");
    char* end = nullptr;
    const long count = std::strtol(result.output.c_str(), &end, 10);
    return end == result.output.c_str() ? -1 : count;
}

}  // namespace jetwriter_test
