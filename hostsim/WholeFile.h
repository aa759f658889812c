// Whole files in and out of the simulated host, through the platform's file
// calls: only regular files are read, and a file is written to a temporary
// file that replaces the target only when complete and on the disk.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <string_view>

bool ReadWholeFile(const char* path, std::string* bytes);

// The bytes of a whole regular file, viewed where the platform can map it
// (no copy: a large scene's text costs no fresh memory), read otherwise.
class WholeFileView {
  public:
    WholeFileView() = default;
    WholeFileView(const WholeFileView&) = delete;
    WholeFileView& operator=(const WholeFileView&) = delete;
    ~WholeFileView();
    bool Open(const char* path);
    std::string_view Bytes() const;

  private:
    const void* mapped_ = nullptr;
    uint32_t mappedSize_ = 0;
    std::string read_;
};
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
