// File helpers offered to other programs beside the run log: an existence
// test and the trimming of a grown file to its tail.
#pragma once

// True when the path names a file that opens for reading with read and write
// sharing; a directory, a missing file or one held without sharing gives false.
bool FileExist(const char* path);

// Keeps only the last keepSize bytes of a file larger than maxSize (sizes in
// bytes; the cut may fall inside a line). Returns 1 when the file is within
// maxSize (untouched) or was cut; 0 when it cannot be opened or read, in
// which case it is left as it was, or when writing the tail failed. Only the kept tail is held in
// memory, and the file is rewritten only after the whole tail has been read. A keepSize larger than
// the file keeps the whole file.
int LimitFileSize(const char* path, unsigned maxSize, unsigned keepSize);
