// The narrow platform interface the plug-ins use for files, message boxes,
// trace lines, modal dialogs, modules and local memory. The Win32 build maps
// each call onto the Win32 function of the same purpose; the POSIX build uses
// POSIX I/O and hands the user-interface calls to sinks the host installs.
#pragma once

#include <stddef.h>
#include <stdint.h>

typedef struct PlatformFileImpl* PlatformFile; // null means "no file"
typedef void* PlatformModule;                  // null means "not loaded"
// A window that owns message boxes and dialogs (Win32: HWND); null for none.
typedef void* PlatformWindow;

// Message box styles and results (the Win32 values).
enum : uint32_t {
    kMessageBoxIconError = 0x10,
    kMessageBoxIconWarning = 0x30,
    kMessageBoxOk = 0x0,
};
enum : int32_t { kMessageBoxResultOk = 1 };

// Files. Offsets and sizes are 32-bit: files of 2 GiB or more are refused.
// CreateFileA(GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
// anything but a regular file (a folder, a pipe, a device) is refused.
PlatformFile PlatformOpenForRead(const char* path);
// CreateFileA(GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL).
PlatformFile PlatformCreateForWrite(const char* path);
// A new file with a unique name in the folder of target, created exclusively
// (CREATE_NEW: an existing name, a symbolic link included, is never opened).
// Its name goes to path (size bytes). Until it is deleted or has replaced
// another file, the command's interrupt handler removes it.
PlatformFile PlatformCreateTemporary(const char* target, char* path, size_t size);
// Reads up to size bytes; returns the number read (0 at the end or on error).
uint32_t PlatformRead(PlatformFile file, void* buffer, uint32_t size);
// Writes size bytes; returns false when not all could be written.
bool PlatformWrite(PlatformFile file, const void* buffer, uint32_t size);
// Moves to an absolute offset from the start of the file.
bool PlatformSeek(PlatformFile file, uint32_t offset);
// The file's size; false when it cannot be told or is 2 GiB or more.
bool PlatformFileSize(PlatformFile file, uint32_t* size);
// A read-only view of the first size bytes of a file opened for reading,
// which stays valid after the file is closed, until PlatformUnmapFile;
// null when it cannot be made (size 0 included). CreateFileMappingA(PAGE_READONLY)
// and MapViewOfFile(FILE_MAP_READ); POSIX: mmap, its pages read in at once.
// POSIX: a file shortened by another program while it is viewed ends the
// process (SIGBUS) when the lost part is read.
const void* PlatformMapFile(PlatformFile file, uint32_t size);
// UnmapViewOfFile; size as given to PlatformMapFile.
void PlatformUnmapFile(const void* view, uint32_t size);
// FlushFileBuffers: what was written reaches the disk.
bool PlatformFlushToDisk(PlatformFile file);
// CloseHandle; false when closing reported an error (data may be lost).
bool PlatformClose(PlatformFile file);
// MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH):
// puts a finished file in place of another in one step.
bool PlatformReplaceFile(const char* from, const char* to);
// DeleteFileA.
bool PlatformDeleteFile(const char* path);
// The file of a folder whose name equals name when the letter case of ASCII
// letters is ignored: its path (folder followed by the name as stored) goes to
// out. folder is empty (the current folder) or ends in a separator. Windows
// file systems ignore case already: there the file is simply looked for.
bool PlatformFindFileIgnoringCase(const char* folder, const char* name, char* out, size_t size);
// Whether anything (file, folder, link) has this name.
bool PlatformPathExists(const char* path);
// Whether path names a device or a pipe (/dev/null, NUL): such a target cannot
// be replaced by a file and is written in place instead.
bool PlatformIsDevice(const char* path);
// Where the last component of a path starts: after the last folder separator
// (Win32: "\\", "/" or a drive's ":", skipping the trail bytes of double-byte
// characters of the ANSI code page; POSIX: "/").
const char* PlatformFileNameOf(const char* path);
// IsDBCSLeadByte: whether byte starts a double-byte character of the ANSI code
// page (Shift-JIS on Japanese systems), whose second byte may be a backslash.
// POSIX: never (paths are UTF-8, whose characters hold no ASCII bytes).
bool PlatformIsDoubleByteLead(uint8_t byte);
// Room for the name of a temporary file beside target, terminator included.
size_t PlatformTemporaryPathSize(const char* target);
// Puts finished temporary files in place of their targets, all of them or
// none: when one cannot be put in place, the targets before it get their
// earlier files back (or are removed when there were none). Returns -1 when
// all are in place, otherwise the index of the one that could not be.
int PlatformCommitFiles(const char* const* temporaries, const char* const* targets, int count);
// Holds off the command's interrupt handler (Ctrl-C, termination) while a
// group of files is put in place, so that the group is replaced whole or not
// at all; releasing delivers what arrived meanwhile (Win32: the console
// handler waits until it is released).
void PlatformHoldInterrupts(bool hold);
// Deletes every temporary file that is not yet in place, for the host
// program's handler of interrupts (POSIX: async-signal-safe; Win32: from the
// console's handler thread, waiting for a group being put in place).
void PlatformRemovePendingFiles();

// Runs work(context, index) for every index from 0 to count - 1, spread over
// the calling thread and up to one helper thread per further processor, and
// returns when all are done. The work must not call the host or the user
// interface; it ends before the call does, so the host still sees one thread.
void PlatformParallelFor(int32_t count, void (*work)(void* context, int32_t index), void* context);

// MessageBoxA(owner, text, caption, style).
int32_t PlatformMessageBox(PlatformWindow owner, const char* text, const char* caption,
                           uint32_t style);
// OutputDebugStringA(text).
void PlatformDebugTrace(const char* text);

// LoadLibraryA / GetProcAddress / FreeLibrary.
PlatformModule PlatformLoadModule(const char* path);
void* PlatformFindSymbol(PlatformModule module, const char* name);
void PlatformFreeModule(PlatformModule module);

// LocalFree: releases blocks the host hands over (images).
void PlatformLocalFree(void* block);
// LocalAlloc(LMEM_FIXED): blocks that a receiver releases with PlatformLocalFree.
void* PlatformLocalAlloc(size_t size);
