// Prints the section tree of a RenderWare stream, damaged streams included.
#include "format/FileStream.h"
#include "tools/skelvane/DumpCommand.h"

#include "format/Sections.h"
#include "tools/skelvane/ExitCodes.h"

namespace {

void PrintSection(FILE* out, int depth, const ChunkHeader& header, uint32_t offset) {
    const char* name = SectionTypeName(header.type);
    fprintf(out, "%*s0x%08X %s  offset %u  size %u\n", depth * 2, "", header.type,
            name != nullptr ? name : "unknown", offset, header.size);
}

// Prints the sections from the current offset to the end of the innermost
// entered section, and the children of the containers among them.
void PrintChildren(SectionCursor& cursor, FILE* out) {
    const int depth = cursor.depth;
    ChunkHeader header;
    while (EnterNextSection(cursor, &header)) {
        PrintSection(out, depth, header, cursor.bodyStart[depth] - kChunkHeaderSize);
        if (IsContainerSection(header.type)) {
            if (cursor.depth < kMaxSectionDepth) {
                PrintChildren(cursor, out);
            } else if (header.size > 0) {
                fprintf(out, "%*s(children not shown: nested too deep)\n", (depth + 1) * 2, "");
            }
        }
        LeaveSection(cursor);
    }
}

void PrintProblem(const SectionCursor& cursor, FILE* out) {
    fprintf(out, "malformed at offset %u: %s", cursor.problemOffset,
            StreamProblemText(cursor.problem));
    if (cursor.problem == StreamProblem::kSizePastParent ||
        cursor.problem == StreamProblem::kSizePastFile) {
        fprintf(out, " (type 0x%08X, size %u)", cursor.problemType, cursor.problemSize);
    }
    fputc('\n', out);
}

} // namespace

int DumpSectionTree(ByteStream& stream, FILE* out) {
    SectionCursor cursor;
    if (OpenSectionCursor(cursor, stream)) {
        PrintChildren(cursor, out);
    }
    if (IsMalformed(cursor)) {
        PrintProblem(cursor, out);
        return kExitFailure;
    }
    return kExitSuccess;
}

int RunDumpCommand(int argc, char** argv) {
    if (argc != 1) {
        fprintf(stderr, "usage: skelvane dump FILE\n");
        return kExitUsage;
    }
    FileStream stream;
    if (!stream.OpenForRead(argv[0])) {
        fprintf(stderr, "skelvane: cannot open %s\n", argv[0]);
        return kExitFailure;
    }
    return DumpSectionTree(stream, stdout);
}
