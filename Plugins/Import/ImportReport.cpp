#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "Plugins/Import/ImportMessages.h"
#include "Plugins/Import/ImportRun.h"
#include "platform/Platform.h"

void ReportImportError(ImportRun& run, const char* message) {
    PlatformMessageBox(g_host.MQ_GetWindowHandle(), message, IMPORT_CAPTION,
                       kMessageBoxIconError | kMessageBoxOk);
    run.failed = true;
}

void ReportCorrupt(ImportRun& run, const char* reason) {
    char message[160];
    snprintf(message, sizeof message, "%s%s", MSG_CORRUPT, reason);
    ReportImportError(run, message);
}

void ReportSectionError(ImportRun& run, const char* missingMessage) {
    const SectionCursor& c = run.cursor;
    if (!IsMalformed(c)) {
        ReportImportError(run, missingMessage);
        return;
    }
    char reason[128];
    const char* name = SectionTypeName(c.problemType);
    if (c.problemType != 0 || name != nullptr)
        snprintf(reason, sizeof reason, "%s at 0x%08X (0x%08X %s)", StreamProblemText(c.problem),
                 static_cast<unsigned>(c.problemOffset), static_cast<unsigned>(c.problemType),
                 name != nullptr ? name : "unknown");
    else
        snprintf(reason, sizeof reason, "%s at 0x%08X", StreamProblemText(c.problem),
                 static_cast<unsigned>(c.problemOffset));
    ReportCorrupt(run, reason);
}

void FormatCut(char* buffer, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, size, format, args);
    va_end(args);
}

void ImportTrace(ImportRun& run, const char* format, ...) {
    va_list args;
    va_start(args, format);
    vsnprintf(run.nameBuffer, sizeof run.nameBuffer, format, args);
    va_end(args);
    PlatformDebugTrace(run.nameBuffer);
}

// On Windows paths come in the system code page, Shift-JIS on the systems this
// tool is made for: a double-byte character's second byte may be a backslash.
// Native paths are UTF-8, whose multi-byte characters never hold one.
static bool IsDoubleByteLead(unsigned char c) {
#if defined(_WIN32)
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
#else
    (void)c;
    return false;
#endif
}

size_t FolderLengthOf(const char* path) {
    size_t length = 0;
    for (const char* p = path; *p != '\0'; ++p) {
        if (IsDoubleByteLead(static_cast<unsigned char>(*p)) && p[1] != '\0')
            ++p;
        else if (*p == '\\' || *p == '/')
            length = static_cast<size_t>(p - path) + 1;
    }
    return length;
}

void FileStemOf(const char* path, char* stem, int size) {
    const char* base = path;
    const char* dot = nullptr;
    for (const char* p = path; *p != '\0'; ++p) {
        if (IsDoubleByteLead(static_cast<unsigned char>(*p)) && p[1] != '\0') {
            ++p;
        } else if (*p == '\\' || *p == '/') {
            base = p + 1;
            dot = nullptr;
        } else if (*p == '.') {
            dot = p;
        }
    }
    size_t length = dot != nullptr ? static_cast<size_t>(dot - base) : strlen(base);
    if (length > static_cast<size_t>(size - 1))
        length = static_cast<size_t>(size - 1);
    memcpy(stem, base, length);
    stem[length] = '\0';
}
