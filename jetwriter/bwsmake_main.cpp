// bwsmake: writes the Jet 3 or Jet 4 (Access) database a text description
// describes.
//
//   bwsmake [--force] DESCRIPTION OUTPUT
//
// DESCRIPTION is a description file (README.md in this folder), or - for
// standard input. Exit status 0: written; 1: a faulty description or a file
// that cannot be read or written (nothing is written); 2: a bad command line.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "jetwriter/description_parser.h"
#include "jetwriter/image_file.h"
#include "jetwriter/jet_writer.h"

namespace {

constexpr int kWritten = 0;
constexpr int kFailed = 1;
constexpr int kBadCommandLine = 2;

const char kUsage[] =
    "usage: bwsmake [--force] DESCRIPTION OUTPUT\n"
    "Writes the Jet 3 or Jet 4 (Access) database described in DESCRIPTION (a text file,\n"
    "or - for standard input) to OUTPUT.\n"
    "  --force  replace OUTPUT if it exists (otherwise an existing OUTPUT is an error)\n";

bool ReadAll(const std::string& path, std::string* text) {
    if (path == "-") {
        text->assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return !std::cin.bad();
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    text->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

}  // namespace

int main(int argc, char** argv) {
    bool force = false;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--force") {
            force = true;
        } else if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return kWritten;
        } else if (argument.size() > 1 && argument[0] == '-') {
            std::cerr << "bwsmake: unknown option " << argument << "\n" << kUsage;
            return kBadCommandLine;
        } else {
            paths.push_back(argument);
        }
    }
    if (paths.size() != 2) {
        std::cerr << kUsage;
        return kBadCommandLine;
    }
    const std::string& descriptionPath = paths[0];
    const std::string& outputPath = paths[1];
    const std::string shownName = descriptionPath == "-" ? "<stdin>" : descriptionPath;

    std::error_code error;
    if (!force && std::filesystem::exists(outputPath, error)) {
        std::cerr << "bwsmake: " << outputPath << " exists; use --force to replace it\n";
        return kFailed;
    }
    std::string text;
    if (!ReadAll(descriptionPath, &text)) {
        std::cerr << "bwsmake: cannot read " << shownName << ": " << std::strerror(errno) << "\n";
        return kFailed;
    }

    jetwriter::Description description;
    jetwriter::DescriptionError descriptionError;
    if (!jetwriter::ParseDescription(text, &description, &descriptionError)) {
        std::cerr << shownName << ":" << descriptionError.line << ": " << descriptionError.message
                  << "\n";
        return kFailed;
    }
    std::vector<uint8_t> image;
    jetwriter::WriteProblem problem;
    if (!jetwriter::BuildJetImage(description.database, &image, &problem)) {
        std::cerr << shownName << ":" << jetwriter::LineOfProblem(description, problem) << ": "
                  << jetwriter::DescribeProblem(description.database, problem) << "\n";
        return kFailed;
    }
    const std::string failure = jetwriter::WriteImageFile(
        outputPath, image,
        force ? jetwriter::ExistingFile::kReplace : jetwriter::ExistingFile::kKeep);
    if (!failure.empty()) {
        std::cerr << "bwsmake: " << failure << "\n";
        return kFailed;
    }
    return kWritten;
}
