// A bounded queue of many producers and one consumer, after the classic
// per-cell sequence design: a producer claims a cell by advancing the
// enqueue position and publishes it by bumping the cell's sequence; the
// consumer takes cells in order. Posting never allocates, locks or waits:
// it fails when the queue is full.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace plugin {

template <typename T, size_t Capacity>
class ChangeQueue {
  static_assert((Capacity & (Capacity - 1)) == 0, "capacity must be a power of two");

 public:
  ChangeQueue() {
    for (size_t i = 0; i < Capacity; ++i) cells_[i].sequence.store(i, std::memory_order_relaxed);
  }

  // Any thread. False when full.
  bool push(const T& value) {
    size_t position = enqueue_.load(std::memory_order_relaxed);
    Cell* cell;
    for (;;) {
      cell = &cells_[position & (Capacity - 1)];
      const size_t sequence = cell->sequence.load(std::memory_order_acquire);
      const intptr_t lag = static_cast<intptr_t>(sequence) - static_cast<intptr_t>(position);
      if (lag == 0) {
        if (enqueue_.compare_exchange_weak(position, position + 1, std::memory_order_relaxed))
          break;
      } else if (lag < 0) {
        return false;  // the consumer has not freed this cell yet
      } else {
        position = enqueue_.load(std::memory_order_relaxed);
      }
    }
    cell->value = value;
    cell->sequence.store(position + 1, std::memory_order_release);
    return true;
  }

  // The one consumer at a time. False when nothing is published.
  bool pop(T& value) {
    const size_t position = dequeue_.load(std::memory_order_relaxed);
    Cell& cell = cells_[position & (Capacity - 1)];
    if (cell.sequence.load(std::memory_order_acquire) != position + 1) return false;
    value = cell.value;
    cell.sequence.store(position + Capacity, std::memory_order_release);
    dequeue_.store(position + 1, std::memory_order_relaxed);
    return true;
  }

 private:
  struct Cell {
    std::atomic<size_t> sequence;
    T value;
  };
  Cell cells_[Capacity];
  std::atomic<size_t> enqueue_{0};
  std::atomic<size_t> dequeue_{0};
};

}  // namespace plugin
