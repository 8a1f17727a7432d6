// Calls every function of the library on a record made of raw input bytes. Such a record means
// nothing, so only the promises that hold for any bytes are checked; the sanitizers watch the rest.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvelle::fuzz {

void FuzzRawRecord(const std::uint8_t* data, std::size_t size);

}  // namespace tarvelle::fuzz
