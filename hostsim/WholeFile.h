// Whole files in and out of the simulated host, through the platform's file
// calls: only regular files are read, and a file is written to a temporary
// file that replaces the target only when complete and on the disk.
#pragma once

#include <stddef.h>

#include <string>

bool ReadWholeFile(const char* path, std::string* bytes);
bool WriteWholeFile(const char* path, const std::string& bytes);

// Writes a file whose bytes are made in pieces: fill is called once with a
// sink and hands it each piece in order (the sink returns false once a write
// failed). Goes through a temporary file as WriteWholeFile does, so a large
// text never has to be held whole.
class FileSink {
  public:
    virtual bool Put(const char* bytes, size_t size) = 0;

  protected:
    ~FileSink() = default;
};
using FileFill = bool (*)(void* context, FileSink& sink);
bool WriteFileInPieces(const char* path, FileFill fill, void* context);
