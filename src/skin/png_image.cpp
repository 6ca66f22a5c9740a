#include "skin/png_image.h"

#include <png.h>

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

Result<DecodedPicture> decodePicture(std::string_view name, PixelOrder order) {
    auto bytes = findResource(name);
    if (!bytes) return bytes.error();
    auto picture = decodePng(*bytes, order);
    if (!picture) return makeError("picture \"" + std::string(name) + "\": " + picture.error().message);
    return picture;
}

}  // namespace varnel
