#pragma once

// A fixed-size single-producer single-consumer queue without locks: the GUI thread pushes, the
// audio thread pops, and neither ever waits for the other or allocates.
#include <array>
#include <atomic>
#include <cstddef>
#include <optional>

namespace klangora {

template <typename T, std::size_t Capacity> class EventQueue {
    static_assert((Capacity & (Capacity - 1)) == 0, "the capacity is a power of two");

public:
    // False when the queue is full; the event is then not queued.
    bool push(const T& item) {
        const std::size_t tail = m_tail.load(std::memory_order_relaxed);
        if (tail - m_head.load(std::memory_order_acquire) == Capacity) {
            return false;
        }
        m_items[tail & (Capacity - 1)] = item;
        m_tail.store(tail + 1, std::memory_order_release);
        return true;
    }

    // Producer's side: whether push() would succeed. The consumer only ever makes more room, so
    // the answer holds until the producer's next push.
    bool hasRoom() const {
        return m_tail.load(std::memory_order_relaxed) - m_head.load(std::memory_order_acquire) <
               Capacity;
    }

    // Producer's side: how many pushes would succeed now, at least.
    std::size_t room() const {
        return Capacity -
               (m_tail.load(std::memory_order_relaxed) - m_head.load(std::memory_order_acquire));
    }

    std::optional<T> pop() {
        const std::size_t head = m_head.load(std::memory_order_relaxed);
        if (head == m_tail.load(std::memory_order_acquire)) {
            return std::nullopt;
        }
        T item = m_items[head & (Capacity - 1)];
        m_head.store(head + 1, std::memory_order_release);
        return item;
    }

private:
    std::array<T, Capacity> m_items{};
    alignas(64) std::atomic<std::size_t> m_head{0};
    alignas(64) std::atomic<std::size_t> m_tail{0};
};

} // namespace klangora
