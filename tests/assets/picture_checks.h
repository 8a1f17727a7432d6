// Small helpers shared by the picture tests.
#pragma once

#include <QImage>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tarvelle::testing {

// The whole file; empty when it cannot be read.
inline std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline int Brightness(QRgb colour) {
    return qRed(colour) + qGreen(colour) + qBlue(colour);
}

inline bool IsWhite(QRgb colour) {
    return (colour & 0xFFFFFFu) == 0xFFFFFFu;
}

}  // namespace tarvelle::testing
