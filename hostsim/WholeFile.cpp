#include "hostsim/WholeFile.h"

#include "platform/Platform.h"

bool ReadWholeFile(const char* path, std::string* bytes) {
    PlatformFile file = PlatformOpenForRead(path);
    uint32_t size = 0;
    bool read = file != nullptr && PlatformFileSize(file, &size);
    if (read) {
        bytes->resize(size);
        read = PlatformRead(file, &(*bytes)[0], size) == size;
    }
    PlatformClose(file);
    return read;
}

WholeFileView::~WholeFileView() {
    PlatformUnmapFile(mapped_, mappedSize_);
}

bool WholeFileView::Open(const char* path) {
    PlatformFile file = PlatformOpenForRead(path);
    uint32_t size = 0;
    bool read = file != nullptr && PlatformFileSize(file, &size);
    if (read) {
        mapped_ = PlatformMapFile(file, size);
        mappedSize_ = mapped_ != nullptr ? size : 0;
        if (mapped_ == nullptr) {
            read_.resize(size);
            read = PlatformRead(file, &read_[0], size) == size;
        }
    }
    PlatformClose(file);
    return read;
}

std::string_view WholeFileView::Bytes() const {
    if (mapped_ != nullptr) {
        return std::string_view(static_cast<const char*>(mapped_), mappedSize_);
    }
    return read_;
}

namespace {

// Hands each piece straight to the open file; refuses a file of 2 GiB or more.
class PlatformFileSink final : public FileSink {
  public:
    explicit PlatformFileSink(PlatformFile file) : file_(file) {}
    bool Put(const char* bytes, size_t size) override {
        if (!ok_ || size > 0x7FFFFFFFu - written_) {
            ok_ = false;
            return false;
        }
        written_ += size;
        ok_ = size == 0 || PlatformWrite(file_, bytes, static_cast<uint32_t>(size));
        return ok_;
    }
    bool Ok() const { return ok_; }

  private:
    PlatformFile file_;
    size_t written_ = 0;
    bool ok_ = true;
};

bool FillFile(PlatformFile file, FileFill fill, void* context) {
    PlatformFileSink sink(file);
    return fill(context, sink) && sink.Ok();
}

} // namespace

bool WriteFileInPieces(const char* path, FileFill fill, void* context) {
    if (path == nullptr) {
        return false;
    }
    // A device (/dev/null) cannot be replaced: it is written in place.
    if (PlatformIsDevice(path)) {
        PlatformFile device = PlatformCreateForWrite(path);
        bool written = device != nullptr && FillFile(device, fill, context);
        return PlatformClose(device) && written;
    }
    std::string temporary(PlatformTemporaryPathSize(path), '\0');
    PlatformFile file = PlatformCreateTemporary(path, &temporary[0], temporary.size());
    if (file == nullptr) {
        return false;
    }
    bool written = FillFile(file, fill, context);
    written = PlatformFlushToDisk(file) && written;
    written = PlatformClose(file) && written;
    const char* from = temporary.c_str();
    if (!written || PlatformCommitFiles(&from, &path, 1) >= 0) {
        PlatformDeleteFile(from);
        return false;
    }
    return true;
}

bool WriteWholeFile(const char* path, const std::string& bytes) {
    struct Whole {
        static bool Fill(void* context, FileSink& sink) {
            const std::string& text = *static_cast<const std::string*>(context);
            return sink.Put(text.data(), text.size());
        }
    };
    return WriteFileInPieces(path, &Whole::Fill, const_cast<std::string*>(&bytes));
}
