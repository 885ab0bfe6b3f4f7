#include "core/exercises/staircase.h"

#include <algorithm>
#include <numeric>

namespace klangora {

void TemperingStaircase::answer(bool right) {
    if (finished()) {
        return;
    }
    ++m_answers;
    if (!right) {
        m_rightInARow = 0;
        step(Direction::up, kAfterWrong);
        return;
    }
    if (++m_rightInARow == 2) {
        m_rightInARow = 0;
        step(Direction::down, kAfterTwoRight);
    }
}

void TemperingStaircase::step(Direction direction, double factor) {
    if (m_lastDirection != Direction::none && direction != m_lastDirection) {
        m_reversals.push_back(m_cents);
    }
    m_lastDirection = direction;
    m_cents = std::clamp(m_cents * factor, kMinCents, kMaxCents);
}

std::optional<double> TemperingStaircase::thresholdCents() const {
    if (m_reversals.empty()) {
        return std::nullopt;
    }
    const auto count = std::min<std::size_t>(m_reversals.size(), kReversalsAveraged);
    const auto first = m_reversals.end() - static_cast<std::ptrdiff_t>(count);
    return std::accumulate(first, m_reversals.end(), 0.0) / static_cast<double>(count);
}

} // namespace klangora
