// Typed, little-endian fields inside a byte buffer.
//
// The ticket record and the media record are fixed byte layouts written by a
// driver on another platform. Fields are read and written one byte at a time
// (the compiler folds this into plain loads), so nothing here depends on the
// host's byte order, on alignment or on the layout of a C++ struct.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace ovrabjt {

// A numeric field of type T at a byte offset.
template <typename T>
struct Field {
  static_assert(std::is_integral_v<T> && sizeof(T) <= 4);
  std::size_t offset;
};

// A NUL-terminated text in a fixed array of `capacity` bytes; it holds at most
// capacity - 1 characters.
struct TextField {
  std::size_t offset;
  std::size_t capacity;
  constexpr std::size_t max_length() const { return capacity - 1; }
};

// A field of a sub-record at `base` seen from the start of the outer record.
template <typename T>
constexpr Field<T> At(std::size_t base, Field<T> f) {
  return Field<T>{base + f.offset};
}
constexpr TextField At(std::size_t base, TextField f) {
  return TextField{base + f.offset, f.capacity};
}

template <typename T>
T LoadLE(const std::uint8_t* p) {
  using U = std::make_unsigned_t<T>;
  U v = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) v = U(v | U(U(p[i]) << (8 * i)));
  return static_cast<T>(v);
}

template <typename T>
void StoreLE(std::uint8_t* p, T value) {
  using U = std::make_unsigned_t<T>;
  U v = static_cast<U>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) p[i] = std::uint8_t(v >> (8 * i));
}

// Read access to the fields of a byte range.
class ConstFieldView {
 public:
  ConstFieldView(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  template <typename T>
  T Get(Field<T> f) const {
    assert(f.offset + sizeof(T) <= size_);
    return LoadLE<T>(data_ + f.offset);
  }

  // The text up to its NUL, never past the field's array.
  std::string_view Text(TextField f) const {
    assert(f.offset + f.capacity <= size_);
    const char* s = reinterpret_cast<const char*>(data_ + f.offset);
    const void* nul = std::memchr(s, 0, f.capacity);
    return {s, nul ? std::size_t(static_cast<const char*>(nul) - s) : f.capacity};
  }

  const std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

// Read and write access to the fields of a byte range.
class FieldView : public ConstFieldView {
 public:
  FieldView(std::uint8_t* data, std::size_t size) : ConstFieldView(data, size), mut_(data) {}

  template <typename T>
  void Set(Field<T> f, std::type_identity_t<T> value) const {
    assert(f.offset + sizeof(T) <= size());
    StoreLE<T>(mut_ + f.offset, value);
  }

  // Copies the text, cut to the field's maximum length, and its NUL; the bytes
  // behind the NUL keep what they held.
  void SetText(TextField f, std::string_view text) const {
    assert(f.offset + f.capacity <= size());
    std::size_t n = text.size() < f.max_length() ? text.size() : f.max_length();
    if (n) std::memcpy(mut_ + f.offset, text.data(), n);
    mut_[f.offset + n] = 0;
  }

  std::uint8_t* data() const { return mut_; }

 private:
  std::uint8_t* mut_;
};

}  // namespace ovrabjt
