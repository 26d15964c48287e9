// What other threads hand to the editor's thread. Hosts change parameters
// from their automation or audio threads and report MIDI from the audio
// thread; the views may only be touched on the editor's thread. Posting
// writes a few lock-free atomics (no allocation, no lock, no system call);
// the editor's thread takes the posts at its next idle.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>

namespace editor {

// The latest value of each parameter posted since the last drain. A value
// posted twice before a drain is taken once, the newer one.
template <int Count>
class ParameterMailbox {
 public:
  ParameterMailbox() { clear(); }

  // Any thread. Indices outside 0 to Count - 1 are ignored.
  void post(int index, float value) {
    if (index < 0 || index >= Count) return;
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    values_[index].store(bits, std::memory_order_relaxed);
    flags_[index / 32].fetch_or(1u << (index % 32), std::memory_order_release);
  }

  bool empty() const {
    for (const auto& word : flags_)
      if (word.load(std::memory_order_relaxed)) return false;
    return true;
  }

  // Editor's thread: calls take(index, value) for every posted index in
  // increasing order and forgets the posts.
  template <typename Take>
  void drain(Take&& take) {
    for (int word = 0; word < kWords; ++word) {
      uint32_t posted = flags_[word].exchange(0, std::memory_order_acquire);
      while (posted) {
        const int bit = __builtin_ctz(posted);
        posted &= posted - 1;
        const int index = word * 32 + bit;
        const uint32_t bits = values_[index].load(std::memory_order_relaxed);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        take(index, value);
      }
    }
  }

  void clear() {
    for (auto& word : flags_) word.store(0, std::memory_order_relaxed);
    for (auto& value : values_) value.store(0, std::memory_order_relaxed);
  }

 private:
  static constexpr int kWords = (Count + 31) / 32;
  std::atomic<uint32_t> values_[Count];
  std::atomic<uint32_t> flags_[kWords];
};

// A short text handed over whole: the reader gets the last text written,
// cut to Size - 1 bytes and always terminated. Two writers racing may mix
// their bytes, never anything else.
template <int Size>
class TextMailbox {
 public:
  TextMailbox() {
    for (auto& word : words_) word.store(0, std::memory_order_relaxed);
  }

  void post(const char* text) {
    char buffer[kWords * 4] = {};
    if (text) {
      size_t n = 0;
      while (n < Size - 1 && text[n]) ++n;
      std::memcpy(buffer, text, n);
    }
    for (int i = 0; i < kWords; ++i) {
      uint32_t word;
      std::memcpy(&word, buffer + 4 * i, 4);
      words_[i].store(word, std::memory_order_relaxed);
    }
    posted_.store(true, std::memory_order_release);
  }

  // Copies the posted text into out (Size bytes) and forgets it; false when
  // nothing was posted.
  bool take(char (&out)[Size]) {
    if (!posted_.exchange(false, std::memory_order_acquire)) return false;
    char buffer[kWords * 4];
    for (int i = 0; i < kWords; ++i) {
      const uint32_t word = words_[i].load(std::memory_order_relaxed);
      std::memcpy(buffer + 4 * i, &word, 4);
    }
    std::memcpy(out, buffer, Size - 1);
    out[Size - 1] = 0;
    return true;
  }

  void clear() { posted_.store(false, std::memory_order_relaxed); }

 private:
  static constexpr int kWords = (Size + 3) / 4;
  std::atomic<uint32_t> words_[kWords];
  std::atomic<bool> posted_{false};
};

}  // namespace editor
