// Per-corner values of one face: the first four held inline (triangles and
// quads, nearly every face), more on the heap, so a face can have any number
// of points as the modeller's faces do.
#pragma once

#include <stdint.h>

#include <algorithm>
#include <memory>

template <typename T> class CornerArray {
  public:
    static constexpr int32_t kInline = 4;

    CornerArray() = default;
    explicit CornerArray(T fill) { std::fill(inline_, inline_ + kInline, fill); }
    CornerArray(const CornerArray& other) { *this = other; }
    CornerArray& operator=(const CornerArray& other) {
        if (this != &other) {
            std::copy(other.inline_, other.inline_ + kInline, inline_);
            heapSize_ = other.heapSize_;
            heap_.reset(heapSize_ > 0 ? new T[heapSize_] : nullptr);
            std::copy(other.heap_.get(), other.heap_.get() + heapSize_, heap_.get());
        }
        return *this;
    }
    CornerArray(CornerArray&&) = default;
    CornerArray& operator=(CornerArray&&) = default;

    // Room for count corners; corners beyond the first four are moved to the
    // heap with the new ones set to fill.
    void Reserve(int32_t count, T fill) {
        if (count <= kInline || count <= heapSize_) {
            return;
        }
        std::unique_ptr<T[]> grown(new T[count]);
        std::fill(grown.get(), grown.get() + count, fill);
        if (heapSize_ > 0) {
            std::copy(heap_.get(), heap_.get() + heapSize_, grown.get());
        } else {
            std::copy(inline_, inline_ + kInline, grown.get());
        }
        heap_ = std::move(grown);
        heapSize_ = count;
    }

    T* Data() { return heapSize_ > 0 ? heap_.get() : inline_; }
    const T* Data() const { return heapSize_ > 0 ? heap_.get() : inline_; }
    T& operator[](int32_t i) { return Data()[i]; }
    const T& operator[](int32_t i) const { return Data()[i]; }

  private:
    T inline_[kInline] = {};
    std::unique_ptr<T[]> heap_;
    int32_t heapSize_ = 0;
};
