#include <stdarg.h>
#include <stdio.h>

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
