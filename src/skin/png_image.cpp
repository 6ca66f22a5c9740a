#include "skin/png_image.h"

#include <png.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <mutex>
#include <string>

#include "common/resources.h"

namespace varnel {

namespace {

// Pictures larger than this are refused rather than allocated (the skin is 800 x 600 at most).
constexpr png_uint_32 kMaxSide = 8192;

struct PngReader {
    png_image image{};
    PngReader() { image.version = PNG_IMAGE_VERSION; }
    ~PngReader() { png_image_free(&image); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;
};

// Deflate cannot compress better than about 1032 to 1, so the compressed data (IDAT) must be at
// least the picture's raw bytes over this, or the picture cannot be complete.
constexpr std::uint64_t kMaxDeflateRatio = 1032;
constexpr std::size_t kSignatureSize = 8;
constexpr std::size_t kIhdrDepth = 24, kIhdrColourType = 25;

// Bits of one pixel as stored, by the header's bit depth and colour type.
std::uint64_t storedBitsPerPixel(ByteSpan png) {
    static constexpr std::uint8_t kChannels[] = {1, 0, 3, 1, 2, 0, 4};  // by colour type 0..6
    const std::uint8_t type = png[kIhdrColourType];
    const std::uint64_t channels = type < std::size(kChannels) ? kChannels[type] : 1;
    return channels * png[kIhdrDepth];
}

// Bytes of all IDAT chunks present in the data: a chunk counts only as far as the data holds it,
// so a declared length cannot stand in for bytes that are not there.
std::uint64_t compressedDataBytes(ByteSpan png) {
    std::uint64_t total = 0;
    for (std::uint64_t at = kSignatureSize; at + 8 <= png.size();) {
        const std::uint32_t length = readBe32(png, at);
        const auto type = png.subspan(at + 4, 4);
        if (std::equal(type.begin(), type.end(), "IDAT")) total += std::min<std::uint64_t>(length, png.size() - (at + 8));
        at += 12 + std::uint64_t{length};
    }
    return total;
}

// Checked on a header libpng has accepted (so IHDR is the first chunk).
bool dataCanFillPicture(ByteSpan png, png_uint_32 width, png_uint_32 height) {
    const std::uint64_t rawBytes = std::uint64_t{width} * height * storedBitsPerPixel(png) / 8;
    return compressedDataBytes(png) * kMaxDeflateRatio >= rawBytes;
}

Error pngError(const PngReader& r) { return makeError(std::string("not a readable PNG picture: ") + r.image.message); }

}  // namespace

std::uint32_t DecodedPicture::rgbaAt(int x, int y) const {
    const std::size_t i =
        (static_cast<std::size_t>(y) * static_cast<std::size_t>(size.width) + static_cast<std::size_t>(x)) * 4;
    const std::uint32_t a = pixels[i + 3];
    std::uint32_t r = pixels[i];
    std::uint32_t b = pixels[i + 2];
    if (order == PixelOrder::Bgra) std::swap(r, b);
    return (r << 24) | (static_cast<std::uint32_t>(pixels[i + 1]) << 16) | (b << 8) | a;
}

Result<PictureSize> pngSize(ByteSpan data) {
    PngReader r;
    if (png_image_begin_read_from_memory(&r.image, data.data(), data.size()) == 0) return pngError(r);
    return PictureSize{static_cast<int>(r.image.width), static_cast<int>(r.image.height)};
}

Result<DecodedPicture> decodePng(ByteSpan data, PixelOrder order) {
    PngReader r;
    if (png_image_begin_read_from_memory(&r.image, data.data(), data.size()) == 0) return pngError(r);
    if (r.image.width == 0 || r.image.height == 0 || r.image.width > kMaxSide || r.image.height > kMaxSide) {
        return makeError("PNG picture has an unusable size");
    }
    if (!dataCanFillPicture(data, r.image.width, r.image.height)) {
        return makeError("PNG picture holds too little data for its size");
    }
    r.image.format = order == PixelOrder::Rgba ? PNG_FORMAT_RGBA : PNG_FORMAT_BGRA;
    DecodedPicture out;
    out.size = {static_cast<int>(r.image.width), static_cast<int>(r.image.height)};
    out.order = order;
    out.pixels.resize(PNG_IMAGE_SIZE(r.image));
    if (png_image_finish_read(&r.image, nullptr, out.pixels.data(), 0, nullptr) == 0) return pngError(r);
    return out;
}

std::optional<PictureSize> embeddedPictureSize(std::string_view name) {
    static std::mutex mutex;
    static std::map<std::string, std::optional<PictureSize>, std::less<>> cache;
    const std::lock_guard lock(mutex);
    if (const auto it = cache.find(name); it != cache.end()) return it->second;
    std::optional<PictureSize> size;
    if (const auto bytes = findResource(name)) {
        if (const auto s = pngSize(*bytes)) size = *s;
    }
    cache.emplace(std::string(name), size);
    return size;
}

int pictureScaleFor(double devicePixelRatio) { return devicePixelRatio > 1.0 ? 2 : 1; }

ScaledPictureName scaledPictureName(std::string_view name, int scale) {
    if (scale == 2) {
        std::string doubled = std::string(name) + "@2x";
        if (findResource(doubled)) return {std::move(doubled), 2};
    }
    return {std::string(name), 1};
}

Result<DecodedPicture> decodePicture(std::string_view name, PixelOrder order) {
    auto bytes = findResource(name);
    if (!bytes) return bytes.error();
    auto picture = decodePng(*bytes, order);
    if (!picture) return makeError("picture \"" + std::string(name) + "\": " + picture.error().message);
    return picture;
}

}  // namespace varnel
