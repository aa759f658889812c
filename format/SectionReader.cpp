// Reading nested sections: a forward scan among the siblings of the innermost
// entered section, with every header checked against the bytes that hold it.
#include "format/SectionReader.h"

#include <string.h>

namespace {

// Keeps the first malformation; kTooDeep only fills an empty slot.
void Record(SectionCursor& cursor, StreamProblem problem, uint32_t offset, uint32_t type,
            uint32_t size) {
    if (IsMalformed(cursor)) {
        return;
    }
    if (problem == StreamProblem::kTooDeep && cursor.problem != StreamProblem::kNone) {
        return;
    }
    cursor.problem = problem;
    cursor.problemOffset = offset;
    cursor.problemType = type;
    cursor.problemSize = size;
}

uint32_t ScanLimit(const SectionCursor& cursor) {
    return cursor.depth > 0 ? cursor.bodyEnd[cursor.depth - 1] : cursor.stream->Size();
}

// Scans for the first sibling of the wanted type (any type when wanted is null)
// and enters it.
bool Scan(SectionCursor& cursor, const uint32_t* wanted, SectionHeader* found) {
    if (cursor.stream == nullptr || IsMalformed(cursor)) {
        return false;
    }
    ByteStream& stream = *cursor.stream;
    const int depth = cursor.depth;
    if (depth < 0 || depth >= kMaxSectionDepth) {
        Record(cursor, StreamProblem::kTooDeep, stream.Tell(), wanted ? *wanted : 0, 0);
        return false;
    }
    const uint32_t limit = ScanLimit(cursor);
    uint32_t pos = stream.Tell();
    while (pos < limit) {
        if (limit - pos < kSectionHeaderSize) {
            Record(cursor, StreamProblem::kTruncatedHeader, pos, 0, 0);
            return false;
        }
        uint8_t bytes[kSectionHeaderSize];
        if (stream.Read(bytes, sizeof bytes) != sizeof bytes) {
            Record(cursor, StreamProblem::kShortRead, pos, 0, 0);
            return false;
        }
        const SectionHeader header = {LoadU32(bytes), LoadU32(bytes + 4), LoadU32(bytes + 8)};
        const uint32_t bodyStart = pos + kSectionHeaderSize;
        if (header.size > limit - bodyStart) {
            const StreamProblem problem =
                depth > 0 ? StreamProblem::kSizePastParent : StreamProblem::kSizePastFile;
            Record(cursor, problem, pos, header.type, header.size);
            return false;
        }
        if (wanted == nullptr || header.type == *wanted) {
            cursor.bodyStart[depth] = bodyStart;
            cursor.bodyEnd[depth] = bodyStart + header.size;
            cursor.depth++;
            if (found != nullptr) {
                *found = header;
            }
            return true;
        }
        pos = bodyStart + header.size;
        if (!stream.Seek(pos)) {
            Record(cursor, StreamProblem::kShortRead, pos, 0, 0);
            return false;
        }
    }
    return false;
}

} // namespace

bool IsMalformed(const SectionCursor& cursor) {
    return cursor.problem != StreamProblem::kNone && cursor.problem != StreamProblem::kTooDeep;
}

bool OpenSectionCursor(SectionCursor& cursor, ByteStream& stream) {
    cursor.stream = &stream;
    cursor.depth = 0;
    cursor.problem = StreamProblem::kNone;
    cursor.problemOffset = 0;
    cursor.problemType = 0;
    cursor.problemSize = 0;
    stream.Seek(0);
    if (stream.Size() > kMaxStreamSize) {
        Record(cursor, StreamProblem::kFileTooLarge, 0, 0, 0);
        return false;
    }
    return true;
}

bool FindChildSection(SectionCursor& cursor, uint32_t type) {
    return Scan(cursor, &type, nullptr);
}

bool EnterNextSection(SectionCursor& cursor, SectionHeader* header) {
    return Scan(cursor, nullptr, header);
}

void LeaveSection(SectionCursor& cursor) {
    if (cursor.stream == nullptr || cursor.depth <= 0) {
        return;
    }
    cursor.depth--;
    cursor.stream->Seek(cursor.bodyEnd[cursor.depth]);
}

void RewindSection(SectionCursor& cursor) {
    if (cursor.stream == nullptr) {
        return;
    }
    cursor.stream->Seek(cursor.depth > 0 ? cursor.bodyStart[cursor.depth - 1] : 0);
}

uint32_t SectionBodyLength(const SectionCursor& cursor) {
    if (cursor.stream == nullptr) {
        return 0;
    }
    if (cursor.depth <= 0) {
        return cursor.stream->Size();
    }
    return cursor.bodyEnd[cursor.depth - 1] - cursor.bodyStart[cursor.depth - 1];
}

uint32_t SectionBytesLeft(const SectionCursor& cursor) {
    if (cursor.stream == nullptr) {
        return 0;
    }
    const uint32_t limit = ScanLimit(cursor);
    const uint32_t pos = cursor.stream->Tell();
    return pos < limit ? limit - pos : 0;
}

void SeekTopLevel(SectionCursor& cursor, uint32_t offset) {
    if (cursor.stream == nullptr) {
        return;
    }
    cursor.depth = 0;
    cursor.stream->Seek(offset);
}

bool ReadBytes(SectionCursor& cursor, void* buffer, uint32_t size) {
    if (size == 0) {
        return true;
    }
    const uint32_t offset = cursor.stream != nullptr ? cursor.stream->Tell() : 0;
    if (cursor.stream == nullptr || size > SectionBytesLeft(cursor) ||
        cursor.stream->Read(buffer, size) != size) {
        memset(buffer, 0, size);
        Record(cursor, StreamProblem::kShortRead, offset, 0, size);
        return false;
    }
    return true;
}

bool SkipBytes(SectionCursor& cursor, uint32_t size) {
    if (cursor.stream == nullptr || size > SectionBytesLeft(cursor)) {
        const uint32_t offset = cursor.stream != nullptr ? cursor.stream->Tell() : 0;
        Record(cursor, StreamProblem::kShortRead, offset, 0, size);
        return false;
    }
    return cursor.stream->Seek(cursor.stream->Tell() + size);
}

bool ReadU8(SectionCursor& cursor, uint8_t* v) {
    return ReadBytes(cursor, v, 1);
}

bool ReadU16(SectionCursor& cursor, uint16_t* v) {
    uint8_t b[2];
    const bool ok = ReadBytes(cursor, b, sizeof b);
    *v = LoadU16(b);
    return ok;
}

bool ReadU32(SectionCursor& cursor, uint32_t* v) {
    uint8_t b[4];
    const bool ok = ReadBytes(cursor, b, sizeof b);
    *v = LoadU32(b);
    return ok;
}

bool ReadI32(SectionCursor& cursor, int32_t* v) {
    uint32_t u;
    const bool ok = ReadU32(cursor, &u);
    *v = static_cast<int32_t>(u);
    return ok;
}

bool ReadF32(SectionCursor& cursor, float* v) {
    uint8_t b[4];
    const bool ok = ReadBytes(cursor, b, sizeof b);
    *v = LoadF32(b);
    return ok;
}

bool ReadSectionText(SectionCursor& cursor, char* buffer, uint32_t size) {
    uint32_t length = SectionBytesLeft(cursor);
    uint32_t keep = length < size - 1 ? length : size - 1;
    buffer[0] = '\0';
    if (!ReadBytes(cursor, buffer, keep))
        return false;
    buffer[keep] = '\0';
    return true;
}
