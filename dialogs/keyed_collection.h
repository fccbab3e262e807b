#pragma once
// A small ordered collection whose entries may carry a key. Keys compare with
// the system's text comparison (case, kana type and width ignored); items are
// numbered from 1 in the order they were added.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/runtime_error.h"
#include "ui/text.h"

template <typename T>
class KeyedCollection {
 public:
  // Adds a value at the end; a key that is already present raises error 457.
  void Add(T value, std::wstring key = L"") {
    if (!key.empty() && Find(key) != nullptr) {
      Raise(457, L"", L"This key is already associated with an element of this collection");
    }
    entries_.push_back(Entry{std::move(key), std::move(value)});
  }

  // The value held under the key, or nullptr when the key is absent.
  T* Find(std::wstring_view key) {
    if (key.empty()) return nullptr;
    for (Entry& e : entries_) {
      if (!e.key.empty() && TextEquals(e.key, key)) return &e.value;
    }
    return nullptr;
  }
  const T* Find(std::wstring_view key) const { return const_cast<KeyedCollection*>(this)->Find(key); }

  // The value at a position from 1 to Count(); any other position raises error 9.
  T& Item(int index) {
    if (index < 1 || index > Count()) Raise(kErrSubscript);
    return entries_[static_cast<size_t>(index - 1)].value;
  }

  int Count() const { return static_cast<int>(entries_.size()); }

 private:
  struct Entry {
    std::wstring key;
    T value;
  };
  std::vector<Entry> entries_;
};
