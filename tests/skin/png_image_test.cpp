#include "skin/png_image.h"

#include <png.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace varnel {
namespace {

// A 3 x 2 RGBA picture encoded with libpng's writer.
Bytes encodeRgba(int width, int height, const std::vector<std::uint8_t>& rgba) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    EXPECT_NE(png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr), 0);
    Bytes out(size);
    EXPECT_NE(png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr), 0);
    out.resize(size);
    return out;
}

const std::vector<std::uint8_t> kPixels{
    128, 0, 0, 255, 10, 20, 30, 255, 0, 0, 0, 0, 255, 255, 255, 255, 1, 2, 3, 128, 128, 0, 0, 255,
};

TEST(PngImage, DecodesInBothPixelOrders) {
    const Bytes png = encodeRgba(3, 2, kPixels);
    ASSERT_EQ(pngSize(png).value(), (PictureSize{3, 2}));
    for (const PixelOrder order : {PixelOrder::Rgba, PixelOrder::Bgra}) {
        const auto pic = decodePng(png, order);
        ASSERT_TRUE(pic.ok()) << pic.error().message;
        EXPECT_EQ(pic->size, (PictureSize{3, 2}));
        ASSERT_EQ(pic->pixels.size(), 3u * 2u * 4u);
        EXPECT_EQ(pic->rgbaAt(0, 0), 0x800000FFu);
        EXPECT_EQ(pic->rgbaAt(1, 0), 0x0A141EFFu);
        EXPECT_EQ(pic->rgbaAt(1, 1), 0x01020380u);
        EXPECT_EQ(pic->rgbaAt(2, 1), 0x800000FFu);
    }
    const auto bgra = decodePng(png, PixelOrder::Bgra);
    EXPECT_EQ(bgra->pixels[4], 30);  // blue first: what a 32-bit ARGB word holds on little-endian
    EXPECT_EQ(bgra->pixels[6], 10);
}

TEST(PngImage, RefusesDataThatIsNotAPicture) {
    const Bytes png = encodeRgba(3, 2, kPixels);
    const Bytes truncated(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2));
    Bytes badSignature = png;
    badSignature[1] = 'X';
    const Bytes cases[] = {{}, Bytes{1, 2, 3}, badSignature, truncated};
    for (const auto& c : cases) EXPECT_FALSE(decodePng(c).ok()) << c.size();
    EXPECT_FALSE(pngSize(Bytes{}).ok());
}

// A header promising 8192 x 8192 pixels over a few bytes of data is refused before the picture's
// 256 MB are allocated; libpng alone would notice only after.
TEST(PngImage, RefusesAHeaderLargerThanItsData) {
    // The data as it is, and with the first IDAT declaring far more bytes than the file holds.
    for (const bool longIdat : {false, true}) {
        Bytes png = encodeRgba(3, 2, kPixels);
        constexpr std::size_t kIhdrData = 16, kIhdrCrc = 29;
        writeBe32(png, kIhdrData, 8192);
        writeBe32(png, kIhdrData + 4, 8192);
        writeBe32(png, kIhdrCrc, static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17)));
        const std::string idat = "IDAT";
        const auto type = std::search(png.begin(), png.end(), idat.begin(), idat.end());
        ASSERT_NE(type, png.end());
        if (longIdat) writeBe32(png, static_cast<std::size_t>(type - png.begin()) - 4, 0x7FFFFFFF);
        ASSERT_EQ(pngSize(png).value(), (PictureSize{8192, 8192}));
        const auto pic = decodePng(png);
        ASSERT_FALSE(pic.ok()) << longIdat;
        EXPECT_NE(pic.error().message.find("too little data"), std::string::npos) << pic.error().message;
    }
}

TEST(PngImage, UnknownResourceIsAnError) {
    EXPECT_FALSE(decodePicture("NoSuchPicture").ok());
    EXPECT_FALSE(embeddedPictureSize("NoSuchPicture").has_value());
}

}  // namespace
}  // namespace varnel
