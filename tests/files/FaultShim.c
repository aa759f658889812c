// Preloaded into the command, fails one chosen file system call, as a full
// disk or a failing device would. SKELVANE_FAULT="CALL:N" picks the N-th call
// of a kind: "write" (to a file, not a standard stream), "fsync", "close" (of
// a descriptor that was written to) or "rename"; "term-write:N" and
// "term-rename:N" instead send the process SIGTERM just before that call.
// Each failed or interrupted call appends a line to SKELVANE_FAULT_LOG.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static ssize_t (*realWrite)(int, const void*, size_t);
static int (*realClose)(int);
static int (*realFsync)(int);
static int (*realRename)(const char*, const char*);
static char kind[32];
static long wanted = -1;
static long counts[6];
static unsigned char written[4096];

static const char* const kKinds[6] = {"write", "fsync", "close", "rename", "term-write", "term-rename"};

__attribute__((constructor)) static void Load(void) {
    realWrite = (ssize_t(*)(int, const void*, size_t))dlsym(RTLD_NEXT, "write");
    realClose = (int (*)(int))dlsym(RTLD_NEXT, "close");
    realFsync = (int (*)(int))dlsym(RTLD_NEXT, "fsync");
    realRename = (int (*)(const char*, const char*))dlsym(RTLD_NEXT, "rename");
    const char* fault = getenv("SKELVANE_FAULT");
    if (fault != NULL && sscanf(fault, "%31[a-z-]:%ld", kind, &wanted) != 2)
        wanted = -1;
}

static void Log(const char* what) {
    const char* path = getenv("SKELVANE_FAULT_LOG");
    if (path == NULL)
        return;
    int fd = open(path, O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd >= 0) {
        realWrite(fd, what, strlen(what));
        realWrite(fd, "\n", 1);
        realClose(fd);
    }
}

// Counts a call of a kind; true when it is the one to act on.
static int Hit(int k) {
    return strcmp(kind, kKinds[k]) == 0 && ++counts[k] == wanted;
}

static int Fail(int k, int error) {
    Log(kKinds[k]);
    errno = error;
    return -1;
}

static void Interrupt(int k) {
    Log(kKinds[k]);
    kill(getpid(), SIGTERM);
}

ssize_t write(int fd, const void* buffer, size_t size) {
    if (fd > 2) {
        if (fd < (int)sizeof written)
            written[fd] = 1;
        if (Hit(0))
            return Fail(0, ENOSPC);
        if (Hit(4))
            Interrupt(4);
    }
    return realWrite(fd, buffer, size);
}

int fsync(int fd) {
    return Hit(1) ? Fail(1, EIO) : realFsync(fd);
}

int close(int fd) {
    int wasWritten = fd > 2 && fd < (int)sizeof written && written[fd];
    int result = realClose(fd);
    if (wasWritten) {
        written[fd] = 0;
        if (Hit(2))
            return Fail(2, EIO);
    }
    return result;
}

int rename(const char* from, const char* to) {
    if (Hit(3))
        return Fail(3, EIO);
    if (Hit(5))
        Interrupt(5);
    return realRename(from, to);
}
