#include "core/decimal_cents.h"

#include "core/rounding.h"

namespace klangora {

namespace {

constexpr std::int64_t kLargestIntegerPart = 2'147'483'647;
constexpr int kExactDecimals = 8;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Digits {
    std::int64_t integerPart = 0;
    std::int64_t fraction = 0; // the first eight decimals, as an integer count of 1e-8
    bool moreNonZero = false;  // a non-zero digit after the eighth decimal
    int digitCount = 0;
    bool tooLarge = false;
};

void readIntegerDigits(std::string_view& text, Digits& digits) {
    while (!text.empty() && isDigit(text.front())) {
        digits.integerPart = digits.integerPart * 10 + (text.front() - '0');
        digits.tooLarge = digits.tooLarge || digits.integerPart > kLargestIntegerPart;
        if (digits.tooLarge) {
            digits.integerPart = 0; // keeps the sum from overflowing while the rest is checked
        }
        ++digits.digitCount;
        text.remove_prefix(1);
    }
}

void readFractionDigits(std::string_view& text, Digits& digits) {
    int decimals = 0;
    while (!text.empty() && isDigit(text.front())) {
        const int digit = text.front() - '0';
        if (decimals < kExactDecimals) {
            digits.fraction = digits.fraction * 10 + digit;
            ++decimals;
        } else if (digit != 0) {
            digits.moreNonZero = true;
        }
        ++digits.digitCount;
        text.remove_prefix(1);
    }
    for (; decimals < kExactDecimals; ++decimals) {
        digits.fraction *= 10;
    }
}

} // namespace

DecimalCentsText parseDecimalCents(std::string_view word) {
    const bool negative = !word.empty() && word.front() == '-';
    if (!word.empty() && (word.front() == '-' || word.front() == '+')) {
        word.remove_prefix(1);
    }
    Digits digits;
    readIntegerDigits(word, digits);
    if (word.empty() || word.front() != '.') {
        return {};
    }
    word.remove_prefix(1);
    readFractionDigits(word, digits);
    if (!word.empty() || digits.digitCount == 0) {
        return {};
    }
    if (digits.tooLarge) {
        return {NumberText::tooLarge, {}};
    }
    const std::int64_t magnitude = digits.integerPart * kNanoCentsPerCent + digits.fraction * 10 +
                                   (digits.moreNonZero ? 1 : 0);
    return {NumberText::ok, {negative ? -magnitude : magnitude}};
}

std::int64_t nanoCentsFromEqual(int toneIndex, DecimalCents cents) {
    return cents.nanoCents - std::int64_t{100} * toneIndex * kNanoCentsPerCent;
}

int sliderPositionFromCents(int toneIndex, DecimalCents cents) {
    // Within 30 cent the count of 1/20 cent times 1e9 stays below 2^40, exact in a long double,
    // and dividing by 1e9 lands exactly on a half wherever the digits do.
    const std::int64_t twentiethsTimes1e9 = -nanoCentsFromEqual(toneIndex, cents) * 20;
    return static_cast<int>(roundHalfEven(static_cast<long double>(twentiethsTimes1e9) /
                                          static_cast<long double>(kNanoCentsPerCent)));
}

} // namespace klangora
