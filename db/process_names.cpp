#include "db/process_names.h"

#include <utility>

namespace {
// Created in this order before main runs, destroyed in reverse at exit.
std::string bwsFileName;
std::string mutexName = "MDB";
}  // namespace

void setFileName(const char* name) { bwsFileName = name != nullptr ? name : ""; }

std::string getFileName() { return bwsFileName; }

const char* getMutexName() { return mutexName.c_str(); }

void setMutexName(std::string name) { mutexName = std::move(name); }
