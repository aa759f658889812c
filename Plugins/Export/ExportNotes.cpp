#include "Plugins/Export/ExportNotes.h"

#include "frame/TextCut.h"

Finding& AddMendedName(ExportNotes& notes, Rule rule, const char* name, size_t length,
                       size_t limit) {
    Finding& f = notes.mended.Add(rule);
    CopyCutText(name, sizeof f.name - 1, f.name, sizeof f.name);
    f.value = static_cast<int64_t>(length);
    f.limit = static_cast<int64_t>(limit);
    return f;
}
