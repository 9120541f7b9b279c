// Process-wide names shared by the run and the database layer: the path of
// the BWS file the run works on, and a mutex name kept for callers of the
// exported utilities (nothing is ever created under it). Both live for the
// whole process and are not guarded: they are set and read from one thread.
#pragma once

#include <string>

// Stores the characters up to the terminating zero as the BWS file name.
void setFileName(const char* name);

// A copy of the BWS file name; empty until setFileName is called.
std::string getFileName();

// The zero-terminated mutex name, "MDB" until replaced. The pointer stays
// valid until the next setMutexName.
const char* getMutexName();

// Replaces the mutex name with a copy of the given text.
void setMutexName(std::string name);
