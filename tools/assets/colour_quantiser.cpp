#include "tools/assets/colour_quantiser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <unordered_map>
#include <vector>

namespace tarvelle::assets {
namespace {

constexpr int kMaxColours = 256;
constexpr std::uint32_t kWhite = 0xFFFFFF;
// What a cluster whose average rounds to white becomes instead.
constexpr std::uint32_t kNearWhite = 0xFEFEFE;

int Channel(std::uint32_t rgb, int channel) {
    return static_cast<int>((rgb >> (16 - 8 * channel)) & 0xFF);
}

struct ColourCount {
    std::uint32_t rgb;
    std::int64_t count;
};

// A run of the colour list that median cut treats as one cluster.
struct Box {
    std::size_t begin;
    std::size_t end;
    double spread;  // summed squared distance of its pixels from their mean

    bool Splittable() const { return end - begin > 1; }
};

std::array<double, 3> Mean(const std::vector<ColourCount>& colours, std::size_t begin,
                           std::size_t end) {
    std::array<double, 3> sum{};
    double total = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const auto weight = static_cast<double>(colours[i].count);
        for (int c = 0; c < 3; ++c)
            sum[c] += weight * Channel(colours[i].rgb, c);
        total += weight;
    }
    for (double& value : sum)
        value /= total;
    return sum;
}

Box MakeBox(const std::vector<ColourCount>& colours, std::size_t begin, std::size_t end) {
    const std::array<double, 3> mean = Mean(colours, begin, end);
    double spread = 0;
    for (std::size_t i = begin; i < end; ++i) {
        for (int c = 0; c < 3; ++c) {
            const double d = Channel(colours[i].rgb, c) - mean[c];
            spread += static_cast<double>(colours[i].count) * d * d;
        }
    }
    return {begin, end, spread};
}

// Sorts the box along its widest channel and cuts it where half its pixels lie on either side.
std::pair<Box, Box> Split(std::vector<ColourCount>& colours, const Box& box) {
    std::array<int, 3> low{255, 255, 255};
    std::array<int, 3> high{0, 0, 0};
    std::int64_t total = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        for (int c = 0; c < 3; ++c) {
            low[c] = std::min(low[c], Channel(colours[i].rgb, c));
            high[c] = std::max(high[c], Channel(colours[i].rgb, c));
        }
        total += colours[i].count;
    }
    int axis = 0;
    for (int c = 1; c < 3; ++c) {
        if (high[c] - low[c] > high[axis] - low[axis]) axis = c;
    }
    const auto first = colours.begin() + static_cast<std::ptrdiff_t>(box.begin);
    const auto last = colours.begin() + static_cast<std::ptrdiff_t>(box.end);
    std::sort(first, last, [axis](const ColourCount& a, const ColourCount& b) {
        const int ka = Channel(a.rgb, axis);
        const int kb = Channel(b.rgb, axis);
        return ka != kb ? ka < kb : a.rgb < b.rgb;
    });
    std::size_t cut = box.begin + 1;
    std::int64_t below = colours[box.begin].count;
    while (cut < box.end - 1 && 2 * below < total)
        below += colours[cut++].count;
    return {MakeBox(colours, box.begin, cut), MakeBox(colours, cut, box.end)};
}

std::vector<std::uint32_t> MedianCut(std::vector<ColourCount> colours, int budget) {
    std::vector<Box> boxes{MakeBox(colours, 0, colours.size())};
    while (static_cast<int>(boxes.size()) < budget) {
        auto widest = boxes.end();
        for (auto it = boxes.begin(); it != boxes.end(); ++it) {
            if (it->Splittable() && (widest == boxes.end() || it->spread > widest->spread)) {
                widest = it;
            }
        }
        if (widest == boxes.end()) break;
        const auto [left, right] = Split(colours, *widest);
        *widest = left;
        boxes.push_back(right);
    }
    std::vector<std::uint32_t> palette;
    for (const Box& box : boxes) {
        const std::array<double, 3> mean = Mean(colours, box.begin, box.end);
        std::uint32_t rgb = 0;
        for (int c = 0; c < 3; ++c) {
            rgb = (rgb << 8) | static_cast<std::uint32_t>(mean[c] + 0.5);
        }
        palette.push_back(rgb == kWhite ? kNearWhite : rgb);
    }
    return palette;
}

std::uint8_t Nearest(const std::vector<std::uint32_t>& palette, std::size_t first,
                     std::uint32_t rgb) {
    std::size_t best = first;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = first; i < palette.size(); ++i) {
        int distance = 0;
        for (int c = 0; c < 3; ++c) {
            const int d = Channel(palette[i], c) - Channel(rgb, c);
            distance += d * d;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

}  // namespace

IndexedImage Quantise(const QImage& picture) {
    const QImage rgbPicture = picture.convertToFormat(QImage::Format_RGB32);
    IndexedImage result{rgbPicture.width(), rgbPicture.height(), {}, {}};

    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(result.width) *
                   static_cast<std::size_t>(result.height));
    for (int y = 0; y < rgbPicture.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgbPicture.constScanLine(y));
        for (int x = 0; x < rgbPicture.width(); ++x)
            pixels.push_back(line[x] & kWhite);
    }

    std::map<std::uint32_t, std::int64_t> histogram;
    for (const std::uint32_t rgb : pixels)
        ++histogram[rgb];
    const bool hasWhite = histogram.erase(kWhite) > 0;
    if (hasWhite) result.palette.push_back(kWhite);
    const std::size_t firstOther = result.palette.size();

    const int budget = kMaxColours - static_cast<int>(firstOther);
    std::vector<ColourCount> colours;
    for (const auto& [rgb, count] : histogram)
        colours.push_back({rgb, count});
    if (static_cast<int>(colours.size()) <= budget) {
        for (const ColourCount& colour : colours)
            result.palette.push_back(colour.rgb);
    } else {
        const std::vector<std::uint32_t> reduced = MedianCut(std::move(colours), budget);
        result.palette.insert(result.palette.end(), reduced.begin(), reduced.end());
    }

    std::unordered_map<std::uint32_t, std::uint8_t> indexOf;
    if (hasWhite) indexOf[kWhite] = 0;
    for (const auto& [rgb, count] : histogram) {
        indexOf[rgb] = Nearest(result.palette, firstOther, rgb);
    }
    result.pixels.reserve(pixels.size());
    for (const std::uint32_t rgb : pixels)
        result.pixels.push_back(indexOf.at(rgb));
    return result;
}

}  // namespace tarvelle::assets
