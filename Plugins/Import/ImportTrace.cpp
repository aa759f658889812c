#include "Plugins/Import/ImportTrace.h"

#include <stdarg.h>
#include <stdio.h>

#include "platform/Platform.h"

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
