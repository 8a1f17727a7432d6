#include "tools/assets/gif_encoder.h"

#include <stdexcept>
#include <unordered_map>

namespace tarvelle::assets {
namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kCodeLimit = 1 << kMaxCodeBits;

void AppendWord(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Validate(const IndexedImage& image) {
    if (image.width < 1 || image.height < 1 || image.width > 0xFFFF || image.height > 0xFFFF) {
        throw std::invalid_argument("GIF image size out of range");
    }
    if (image.palette.empty() || image.palette.size() > 256) {
        throw std::invalid_argument("GIF palette must hold 1..256 colours");
    }
    if (image.pixels.size() !=
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        throw std::invalid_argument("GIF pixel count does not match the image size");
    }
    for (const std::uint8_t index : image.pixels) {
        if (index >= image.palette.size()) {
            throw std::invalid_argument("GIF pixel indexes past the palette");
        }
    }
}

// Bits per colour-table index: the table holds 2^bits entries, 2..256.
int ColourTableBits(std::size_t paletteSize) {
    int bits = 1;
    while ((std::size_t{1} << bits) < paletteSize)
        ++bits;
    return bits;
}

// Packs variable-width codes least significant bit first into 255-byte data sub-blocks.
class CodeWriter {
public:
    explicit CodeWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void Write(int code, int width) {
        bits_ |= static_cast<std::uint32_t>(code) << bitCount_;
        bitCount_ += width;
        while (bitCount_ >= 8) {
            PutByte(static_cast<std::uint8_t>(bits_ & 0xFF));
            bits_ >>= 8;
            bitCount_ -= 8;
        }
    }

    // Flushes the last partial byte and block and writes the block terminator.
    void Finish() {
        if (bitCount_ > 0) PutByte(static_cast<std::uint8_t>(bits_ & 0xFF));
        FlushBlock();
        out_.push_back(0);
    }

private:
    void PutByte(std::uint8_t byte) {
        block_.push_back(byte);
        if (block_.size() == 255) FlushBlock();
    }
    void FlushBlock() {
        if (block_.empty()) return;
        out_.push_back(static_cast<std::uint8_t>(block_.size()));
        out_.insert(out_.end(), block_.begin(), block_.end());
        block_.clear();
    }

    std::vector<std::uint8_t>& out_;
    std::vector<std::uint8_t> block_;
    std::uint32_t bits_ = 0;
    int bitCount_ = 0;
};

// The code width grows as soon as the newest table entry no longer fits, one code ahead of the
// decoder, which adds each entry one code later; the two agree on every width. A full table is
// cleared and rebuilt.
void CompressPixels(const std::vector<std::uint8_t>& pixels, int minCodeBits, CodeWriter& writer) {
    const int clearCode = 1 << minCodeBits;
    const int endCode = clearCode + 1;
    std::unordered_map<std::uint32_t, int> table;
    int codeBits = minCodeBits + 1;
    int lastCode = endCode;

    writer.Write(clearCode, codeBits);
    int prefix = pixels.front();
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint8_t pixel = pixels[i];
        const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8) | pixel;
        if (const auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        writer.Write(prefix, codeBits);
        table.emplace(key, ++lastCode);
        if (lastCode >= (1 << codeBits) && codeBits < kMaxCodeBits) ++codeBits;
        if (lastCode == kCodeLimit - 1) {
            writer.Write(clearCode, codeBits);
            table.clear();
            codeBits = minCodeBits + 1;
            lastCode = endCode;
        }
        prefix = pixel;
    }
    writer.Write(prefix, codeBits);
    writer.Write(endCode, codeBits);
    writer.Finish();
}

}  // namespace

std::vector<std::uint8_t> EncodeGif(const IndexedImage& image) {
    Validate(image);
    const int tableBits = ColourTableBits(image.palette.size());
    std::vector<std::uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};

    // Logical screen: global table present, 8 bits per primary, table of 2^tableBits entries.
    AppendWord(out, image.width);
    AppendWord(out, image.height);
    out.push_back(static_cast<std::uint8_t>(0x80 | 0x70 | (tableBits - 1)));
    out.push_back(0);  // background colour index
    out.push_back(0);  // square pixels
    for (std::size_t i = 0; i < (std::size_t{1} << tableBits); ++i) {
        const std::uint32_t rgb = i < image.palette.size() ? image.palette[i] : 0;
        out.push_back(static_cast<std::uint8_t>((rgb >> 16) & 0xFF));
        out.push_back(static_cast<std::uint8_t>((rgb >> 8) & 0xFF));
        out.push_back(static_cast<std::uint8_t>(rgb & 0xFF));
    }

    // One image covering the screen, no local table, not interlaced.
    out.push_back(0x2C);
    AppendWord(out, 0);
    AppendWord(out, 0);
    AppendWord(out, image.width);
    AppendWord(out, image.height);
    out.push_back(0);

    // LZW needs at least two bits per literal.
    const int minCodeBits = tableBits < 2 ? 2 : tableBits;
    out.push_back(static_cast<std::uint8_t>(minCodeBits));
    CodeWriter writer(out);
    CompressPixels(image.pixels, minCodeBits, writer);

    out.push_back(0x3B);
    return out;
}

}  // namespace tarvelle::assets
