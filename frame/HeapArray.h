// A fixed-size heap array that reports allocation failure instead of throwing.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <new>
#include <type_traits>

template <typename T> class HeapArray {
  public:
    HeapArray() = default;
    ~HeapArray() { Release(); }
    HeapArray(const HeapArray&) = delete;
    HeapArray& operator=(const HeapArray&) = delete;

    // Allocates count zeroed (or default-constructed) elements (any previous content is released);
    // false when the memory cannot be had.
    bool Allocate(size_t count) {
        Release();
        if (count == 0)
            return true;
        if (count > PTRDIFF_MAX / sizeof(T))
            return false;
        data_ = static_cast<T*>(calloc(count, sizeof(T)));
        if (data_ == nullptr)
            return false;
        count_ = count;
        if constexpr (!std::is_trivially_default_constructible<T>::value)
            for (size_t i = 0; i < count; ++i)
                new (&data_[i]) T();
        return true;
    }
    void Release() {
        if constexpr (!std::is_trivially_destructible<T>::value)
            for (size_t i = 0; i < count_; ++i)
                data_[i].~T();
        free(data_);
        data_ = nullptr;
        count_ = 0;
    }
    // Exchanges the contents of two arrays, so that an array can be handed
    // on without copying.
    void Swap(HeapArray& other) {
        T* data = data_;
        size_t count = count_;
        data_ = other.data_;
        count_ = other.count_;
        other.data_ = data;
        other.count_ = count;
    }
    T* Data() { return data_; }
    const T* Data() const { return data_; }
    size_t Count() const { return count_; }
    T& operator[](size_t i) { return data_[i]; }
    const T& operator[](size_t i) const { return data_[i]; }

  private:
    T* data_ = nullptr;
    size_t count_ = 0;
};
