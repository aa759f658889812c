#include "tools/skelvane/Folders.h"

#include <errno.h>
#include <sys/stat.h>
#if defined(_WIN32)
#include <direct.h>
#endif

bool IsFolder(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeFolder(const char* path) {
#if defined(_WIN32)
    int status = _mkdir(path);
#else
    int status = mkdir(path, 0777);
#endif
    return status == 0 || (errno == EEXIST && IsFolder(path));
}
