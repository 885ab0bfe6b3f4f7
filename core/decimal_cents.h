#pragma once

#include <cstdint>
#include <string_view>

namespace klangora {

// A cent value written as a decimal ("390.225", "-5.0", "408."), held as an integer count of
// 1e-9 cent. Every decision the program takes about cents (the rounding to 1/20 cent, whose
// ties lie on multiples of 0.025; the 30-cent limit; the octave's 0.0005 tolerance) falls on a
// multiple of 1e-8 cent, so eight decimals are kept exactly and the ninth only records whether
// any non-zero digit followed: that puts the value strictly between the same two multiples of
// 1e-8 as the text, and every decision comes out as the digits themselves would give it.
struct DecimalCents {
    std::int64_t nanoCents = 0;
};

inline constexpr std::int64_t kNanoCentsPerCent = 1'000'000'000;

enum class NumberText { ok, malformed, tooLarge };

struct DecimalCentsText {
    NumberText status = NumberText::malformed;
    DecimalCents value;
};

// An optional sign, digits, a point, digits, with at least one digit; an integer part above
// 2^31 - 1 is too large.
DecimalCentsText parseDecimalCents(std::string_view word);

// The value minus the equal-tempered 100 * toneIndex cent.
std::int64_t nanoCentsFromEqual(int toneIndex, DecimalCents cents);

// round((100 * toneIndex - cents) * 20), ties to even, for a value within 30 cent of equal
// temperament.
int sliderPositionFromCents(int toneIndex, DecimalCents cents);

} // namespace klangora
