// Files through POSIX I/O, with the same 32-bit limits as the Win32 build.
#include <dirent.h>
#include <errno.h>
#include <stdio.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Platform.h"
#include "platform/posix/PendingFiles.h"

struct PlatformFileImpl {
    int fd;
};

namespace {

// Largest size and offset a 32-bit signed file pointer can reach.
const uint32_t kMaxFileOffset = 0x7FFFFFFFu;

PlatformFile WrapDescriptor(int fd) {
    if (fd < 0) {
        return nullptr;
    }
    PlatformFile file = static_cast<PlatformFile>(malloc(sizeof(PlatformFileImpl)));
    if (!file) {
        close(fd);
        return nullptr;
    }
    file->fd = fd;
    return file;
}

} // namespace

PlatformFile PlatformOpenForRead(const char* path) {
    if (!path) {
        return nullptr;
    }
    // Without O_NONBLOCK, opening a FIFO waits for a writer forever.
    int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info;
    int flags = fcntl(fd, F_GETFL);
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close(fd);
        return nullptr;
    }
    return WrapDescriptor(fd);
}

PlatformFile PlatformCreateForWrite(const char* path) {
    if (!path) {
        return nullptr;
    }
    return WrapDescriptor(open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
}

PlatformFile PlatformCreateTemporary(const char* target, char* path, size_t size) {
    if (!target || !path || size == 0) {
        return nullptr;
    }
    static unsigned counter = 0;
    const size_t folder = static_cast<size_t>(PlatformFileNameOf(target) - target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        int n = snprintf(path, size, "%.*s.skelvane-%ld-%u.tmp", static_cast<int>(folder), target,
                         static_cast<long>(getpid()), counter++);
        if (n < 0 || static_cast<size_t>(n) >= size) {
            return nullptr;
        }
        // O_EXCL never follows a symbolic link, not even a dangling one.
        int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0) {
            AddPendingFile(path);
            return WrapDescriptor(fd);
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

uint32_t PlatformRead(PlatformFile file, void* buffer, uint32_t size) {
    if (!file || !buffer) {
        return 0;
    }
    // Like ReadFile on a regular file: fill the buffer unless the end comes first.
    uint8_t* out = static_cast<uint8_t*>(buffer);
    uint32_t done = 0;
    while (done < size) {
        ssize_t n = read(file->fd, out + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<uint32_t>(n);
    }
    return done;
}

bool PlatformWrite(PlatformFile file, const void* buffer, uint32_t size) {
    if (!file || (!buffer && size != 0)) {
        return false;
    }
    const uint8_t* in = static_cast<const uint8_t*>(buffer);
    uint32_t done = 0;
    while (done < size) {
        ssize_t n = write(file->fd, in + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<uint32_t>(n);
    }
    return true;
}

bool PlatformSeek(PlatformFile file, uint32_t offset) {
    if (!file || offset > kMaxFileOffset) {
        return false;
    }
    return lseek(file->fd, static_cast<off_t>(offset), SEEK_SET) == static_cast<off_t>(offset);
}

bool PlatformFileSize(PlatformFile file, uint32_t* size) {
    if (!file || !size) {
        return false;
    }
    struct stat info;
    if (fstat(file->fd, &info) != 0 || info.st_size < 0 ||
        static_cast<uint64_t>(info.st_size) > kMaxFileOffset) {
        return false;
    }
    *size = static_cast<uint32_t>(info.st_size);
    return true;
}

bool PlatformFlushToDisk(PlatformFile file) {
    return file && fsync(file->fd) == 0;
}

bool PlatformClose(PlatformFile file) {
    if (!file) {
        return false;
    }
    // The descriptor is released even when close reports an error (EINTR included).
    bool closed = close(file->fd) == 0;
    free(file);
    return closed;
}

bool PlatformReplaceFile(const char* from, const char* to) {
    if (!from || !to || rename(from, to) != 0) {
        return false;
    }
    DropPendingFile(from);
    return true;
}

bool PlatformDeleteFile(const char* path) {
    if (!path || unlink(path) != 0) {
        return false;
    }
    DropPendingFile(path);
    return true;
}

bool PlatformIsDevice(const char* path) {
    struct stat info;
    return path && stat(path, &info) == 0 &&
           (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode) || S_ISFIFO(info.st_mode) ||
            S_ISSOCK(info.st_mode));
}

bool PlatformPathExists(const char* path) {
    struct stat info;
    return path && lstat(path, &info) == 0;
}

const char* PlatformFileNameOf(const char* path) {
    const char* slash = strrchr(path, '/');
    return slash ? slash + 1 : path;
}

bool PlatformIsDoubleByteLead(uint8_t) {
    return false;
}

bool PlatformFindFileIgnoringCase(const char* folder, const char* name, char* out, size_t size) {
    DIR* dir = opendir(folder[0] != '\0' ? folder : ".");
    if (dir == nullptr) {
        return false;
    }
    bool found = false;
    while (const dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name) != 0) {
            continue;
        }
        int length = snprintf(out, size, "%s%s", folder, entry->d_name);
        struct stat info;
        if (length >= 0 && static_cast<size_t>(length) < size && stat(out, &info) == 0 &&
            S_ISREG(info.st_mode)) {
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

const void* PlatformMapFile(PlatformFile file, uint32_t size) {
    if (!file || size == 0) {
        return nullptr;
    }
    int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
    // The pages come in one call instead of a fault each.
    flags |= MAP_POPULATE;
#endif
    void* view = mmap(nullptr, size, PROT_READ, flags, file->fd, 0);
    return view == MAP_FAILED ? nullptr : view;
}

void PlatformUnmapFile(const void* view, uint32_t size) {
    if (view) {
        munmap(const_cast<void*>(view), size);
    }
}
