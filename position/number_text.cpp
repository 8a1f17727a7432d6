#include "position/number_text.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace tarvelle {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Takes a '+' or '-' at `at`, if there is one; true for '-'.
bool TakeSign(std::string_view text, std::size_t& at) {
    if (at >= text.size() || (text[at] != '-' && text[at] != '+')) return false;
    return text[at++] == '-';
}

std::string_view TakeDigits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return text.substr(start, at - start);
}

// The number's integer part, exactly, saturated at `limit`. Working on the digits rather than on a
// double keeps "1e400" and thirty-digit node counts from overflowing anything.
std::int64_t ReadTruncated(std::string_view text, std::int64_t limit) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    const bool negative = TakeSign(text, at);
    std::string digits(TakeDigits(text, at));
    const auto integerDigits = static_cast<std::int64_t>(digits.size());
    if (at < text.size() && text[at] == '.') digits += TakeDigits(text, ++at);
    if (digits.empty()) return 0;

    // An exponent counts only when at least one digit follows its letter and sign.
    std::int64_t exponent = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponentAt = at + 1;
        const bool negativeExponent = TakeSign(text, exponentAt);
        for (const char digit : TakeDigits(text, exponentAt))
            exponent = std::min<std::int64_t>(exponent * 10 + (digit - '0'), 1000000);
        if (negativeExponent) exponent = -exponent;
    }

    // The digits before the decimal point once the exponent has moved it, with zeros after the
    // written ones.
    const std::int64_t wholeDigits = integerDigits + exponent;
    std::int64_t magnitude = 0;
    for (std::int64_t k = 0; k < wholeDigits && magnitude < limit; ++k) {
        const auto index = static_cast<std::size_t>(k);
        if (index >= digits.size() && magnitude == 0) break;
        const char digit = index < digits.size() ? digits[index] : '0';
        magnitude = std::min(magnitude * 10 + (digit - '0'), limit);
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace

std::int32_t TextToInt32(std::string_view text) {
    return static_cast<std::int32_t>(ReadTruncated(text, 2147483647));
}

std::int16_t TextToInt16(std::string_view text) {
    return static_cast<std::int16_t>(ReadTruncated(text, 32767));
}

}  // namespace tarvelle
