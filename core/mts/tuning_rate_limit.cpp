#include "core/mts/tuning_rate_limit.h"

#include <algorithm>

namespace klangora::mts {

void TuningRateLimit::offer(std::size_t byteCount) {
    m_waitingBytes = byteCount;
}

std::optional<TuningRateLimit::Clock::time_point> TuningRateLimit::dueAt() const {
    if (!m_waitingBytes) {
        return std::nullopt;
    }
    return m_nextAllowed.value_or(Clock::time_point::min());
}

bool TuningRateLimit::takeDue(Clock::time_point now) {
    if (!m_waitingBytes || (m_nextAllowed && now < *m_nextAllowed)) {
        return false;
    }
    // The cable is busy for as long as the bytes take on it.
    const auto onCable = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(static_cast<double>(*m_waitingBytes) / kCableBytesPerSecond));
    m_nextAllowed =
        now + std::max(std::chrono::duration_cast<Clock::duration>(kShortestInterval), onCable);
    m_waitingBytes.reset();
    return true;
}

} // namespace klangora::mts
