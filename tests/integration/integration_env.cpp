#include "tests/integration/integration_env.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/wait.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "db/connection.h"
#include "db/process_names.h"

TemporaryFolder::TemporaryFolder() {
    char pattern[] = "/tmp/vellamo-db-XXXXXX";
    if (mkdtemp(pattern) != nullptr) path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    if (!path_.empty()) std::system(("rm -rf '" + path_ + "'").c_str());
}

void UseDatabase(const std::string& path) {
    CloseAllConnections();
    setFileName(path.c_str());
}

void WriteAndUse(const BwsFixture& fixture, const std::string& path) {
    const std::string problem = fixture.Write(path);
    ASSERT_EQ(problem, "") << path;
    UseDatabase(path);
}

std::string RunCommand(const std::string& command, int* status) {
    std::string output;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    int result = pclose(pipe);
    if (status != nullptr) *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    return output;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string kWorkingLine =
    "Controller working. Please ignore if ACBLscore reports, that the remote server could not "
    "be loaded.\n";
