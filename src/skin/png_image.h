#pragma once
// PNG pictures decoded with libpng into 8-bit, 4-channel pixel buffers.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "common/result.h"

namespace varnel {

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

// Byte order of one pixel. Bgra matches a 32-bit ARGB word on little-endian machines, which is
// what the window's image type uses.
enum class PixelOrder { Rgba, Bgra };

struct DecodedPicture {
    PictureSize size;
    PixelOrder order = PixelOrder::Rgba;
    std::vector<std::uint8_t> pixels;  // width * height * 4 bytes, rows top to bottom, no padding

    // Red, green, blue, alpha of pixel (x, y), whatever the stored order.
    std::uint32_t rgbaAt(int x, int y) const;
};

// Decodes a PNG held in memory. Anything that is not a readable PNG is an error.
Result<DecodedPicture> decodePng(ByteSpan data, PixelOrder order = PixelOrder::Rgba);

// Reads only the header: the picture's size.
Result<PictureSize> pngSize(ByteSpan data);

// Size of the embedded picture resource `name`; nullopt when there is none or it is unreadable.
// Sizes are read once per name and remembered.
std::optional<PictureSize> embeddedPictureSize(std::string_view name);

// Every picture is embedded twice: as drawn (scale 1) and at twice the resolution, named
// "NAME@2x", for screens of a device pixel ratio above 1 (at 150 % the double set scaled down
// looks better than the single set scaled up).
int pictureScaleFor(double devicePixelRatio);
// The resource that holds picture `name` at `scale`, and the scale it has: the picture itself
// when there is no such set or no such resource.
struct ScaledPictureName {
    std::string resource;
    int scale = 1;
};
ScaledPictureName scaledPictureName(std::string_view name, int scale);

// Decodes the embedded picture resource `name`.
Result<DecodedPicture> decodePicture(std::string_view name, PixelOrder order = PixelOrder::Rgba);

}  // namespace varnel
