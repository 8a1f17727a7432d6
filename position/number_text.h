// Numbers in engine lines and in the editor's FEN box, read the way a decimal floating-point parse
// reads them but without its locale: Qt sets the process locale, and the texts always use a
// decimal point.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvelle {

// Reads the number at the start of `text`: blanks, an optional sign, digits with an optional
// fraction and exponent, up to the first byte that does not fit. Truncates it toward zero and
// clamps it to -2147483647..2147483647. Text without a number reads as 0.
std::int32_t TextToInt32(std::string_view text);

// As TextToInt32, clamped to -32767..32767.
std::int16_t TextToInt16(std::string_view text);

}  // namespace tarvelle
