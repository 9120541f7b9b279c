// Older names of the writer's entry points (jet_writer.h), kept for callers
// written before Jet 3 output existed. They write the database's format.
#pragma once

#include "jetwriter/jet_writer.h"

namespace jetwriter {

inline bool BuildJet4Image(const Database& database, std::vector<uint8_t>* image,
                           WriteProblem* problem) {
    return BuildJetImage(database, image, problem);
}

inline std::string WriteJet4File(const std::string& path, const Database& database,
                                 ExistingFile existing = ExistingFile::kKeep) {
    return WriteJetFile(path, database, existing);
}

}  // namespace jetwriter
