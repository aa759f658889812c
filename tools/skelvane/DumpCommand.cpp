// Prints the section tree of a RenderWare stream, damaged streams included.
#include "check/ProblemText.h"
#include "format/FileStream.h"
#include "tools/skelvane/DumpCommand.h"

#include "format/SectionReader.h"
#include "tools/skelvane/ExitCodes.h"
#include "tools/skelvane/InputTally.h"

namespace {

void PrintSection(FILE* out, int depth, const SectionHeader& header, uint32_t offset) {
    const char* name = SectionTypeName(header.type);
    fprintf(out, "%*s0x%08X %s  offset %u  size %u\n", depth * 2, "", header.type,
            name != nullptr ? name : "unknown", offset, header.size);
}

// Prints the sections from the current offset to the end of the innermost
// entered section, and the children of the containers among them.
void PrintChildren(SectionCursor& cursor, FILE* out) {
    const int depth = cursor.depth;
    SectionHeader header;
    while (EnterNextSection(cursor, &header)) {
        PrintSection(out, depth, header, cursor.bodyStart[depth] - kSectionHeaderSize);
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

namespace {

// The file's tree; *opened false when it cannot be opened.
int DumpFile(const char* path, bool* opened) {
    FileStream stream;
    *opened = stream.OpenForRead(path);
    if (!*opened) {
        fflush(stdout);
        fprintf(stderr, "skelvane dump: cannot open %s\n", path);
        return kExitFailure;
    }
    return DumpSectionTree(stream, stdout);
}

int RunDump(const CommandArguments& arguments) {
    bool opened = false;
    if (arguments.operands.size() == 1)
        return DumpFile(arguments.operands[0], &opened);
    InputTally tally("dump", "files", stdout);
    for (const char* path : arguments.operands) {
        tally.Begin(path);
        int status = DumpFile(path, &opened);
        tally.End(status, !opened                  ? "not opened"
                          : status == kExitSuccess ? "well-formed"
                                                   : "malformed");
    }
    return tally.Finish();
}

} // namespace

const CommandSpec kDumpCommand = {
    "dump",
    "FILE...",
    1,
    -1,
    "prints the section tree of RenderWare files",
    "Prints the section tree of each RenderWare file (.dff, .txd): section types, offsets and "
    "sizes; of a damaged file what can be read, then where and why it stops.",
    "Exit status: 0 well-formed, 1 malformed or not opened (with several files, the worst of "
    "them), 64 usage error.",
    nullptr,
    0,
    RunDump};
