#include "hostsim/TextPieces.h"

#include <string.h>

#include <atomic>

#include "hostsim/WholeFile.h"
#include "platform/Platform.h"

void TextBuffer::Add(const char* bytes, size_t size) {
    if (capacity_ - used_ < size) {
        Grow(used_ + size);
    }
    if (size > 0) {
        memcpy(text_.get() + used_, bytes, size);
        used_ += size;
    }
}

void TextBuffer::Grow(size_t least) {
    if (least <= capacity_) {
        return;
    }
    size_t capacity = capacity_ * 2 > least ? capacity_ * 2 : least;
    std::unique_ptr<char[]> larger(new char[capacity]);
    if (used_ > 0) {
        memcpy(larger.get(), text_.get(), used_);
    }
    text_ = std::move(larger);
    capacity_ = capacity;
}

TextOut::TextOut(FileSink* sink) : sink_(sink) {
    text_.Reserve(kPieceSize + TextBuffer::kLineRoom);
}

TextOut::~TextOut() = default;

void TextOut::Add(const char* bytes, size_t size) {
    if (sink_ != nullptr && size >= kPieceSize / 16) {
        // Long parts go on as they are, after what was gathered before them.
        Pass();
        ok_ = ok_ && sink_->Put(bytes, size);
        return;
    }
    text_.Add(bytes, size);
    if (sink_ != nullptr && text_.Size() >= kPieceSize) {
        Pass();
    }
}

bool TextOut::Finish() {
    if (sink_ != nullptr) {
        Pass();
    }
    return ok_;
}

void TextOut::Pass() {
    if (text_.Size() > 0) {
        ok_ = ok_ && sink_->Put(text_.Data(), text_.Size());
    }
    text_.Clear();
}

constexpr size_t kSlots = 2 * kTextWorkers;
constexpr size_t kSlotRoom = 128 * 1024;

// Chunk k is made in slot k % kSlots once chunk k - kSlots has been handed
// on; ready[slot] is then k + 1. One thread at a time (the one that set
// handing) hands on the chunks that are ready, in order.
struct ChunkSlots {
    TextBuffer slots[kSlots];
    TextOut* out = nullptr;
    size_t count = 0;
    ChunkFormat format = nullptr;
    void* context = nullptr;
    std::atomic<size_t> ready[kSlots] = {};
    std::atomic<size_t> next{0};
    std::atomic<size_t> handedOn{0};
    std::atomic<bool> handing{false};
};

namespace {

bool NextIsReady(ChunkSlots& o) {
    size_t chunk = o.handedOn.load();
    return chunk < o.count && o.ready[chunk % kSlots].load() == chunk + 1;
}

// Hands on the chunks that are ready, in order, unless another thread is
// doing so; true when this call handed on any. After letting go it looks
// again: a chunk that became ready meanwhile, whose thread found the handing
// taken, is not left behind.
bool HandOnReady(ChunkSlots& o) {
    bool any = false;
    while (NextIsReady(o)) {
        if (o.handing.exchange(true)) {
            return any;
        }
        while (NextIsReady(o)) {
            size_t chunk = o.handedOn.load();
            const TextBuffer& text = o.slots[chunk % kSlots];
            o.out->Add(text.Data(), text.Size());
            o.handedOn.store(chunk + 1);
            any = true;
        }
        o.handing.store(false);
    }
    return any;
}

void Work(void* context, int32_t worker) {
    ChunkSlots& o = *static_cast<ChunkSlots*>(context);
    for (;;) {
        size_t chunk = o.next.fetch_add(1);
        if (chunk >= o.count) {
            return;
        }
        // The slot is free once the chunk made in it before has been handed
        // on; the chunks before this one were all taken earlier, so they end.
        while (chunk >= o.handedOn.load() + kSlots) {
            if (!HandOnReady(o)) {
                PlatformYield();
            }
        }
        TextBuffer& text = o.slots[chunk % kSlots];
        // Room for a chunk of the usual size from the start: growing would
        // copy the text and touch twice the memory.
        text.Reserve(kSlotRoom);
        text.Clear();
        o.format(o.context, worker, chunk, text);
        o.ready[chunk % kSlots].store(chunk + 1);
        HandOnReady(o);
    }
}

} // namespace

void TextOut::AddChunks(size_t count, ChunkFormat format, void* context) {
    if (count == 0) {
        return;
    }
    if (slots_ == nullptr) {
        slots_.reset(new ChunkSlots);
    }
    ChunkSlots& o = *slots_;
    o.out = this;
    o.count = count;
    o.format = format;
    o.context = context;
    for (std::atomic<size_t>& ready : o.ready) {
        ready.store(0);
    }
    o.next.store(0);
    o.handedOn.store(0);
    if (count == 1) {
        Work(&o, 0);
    } else {
        PlatformParallelFor(count < kTextWorkers ? static_cast<int32_t>(count) : kTextWorkers, Work,
                            &o);
    }
    // Every chunk is made and no other thread runs: what is left goes on now.
    HandOnReady(o);
}
