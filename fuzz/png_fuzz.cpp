// The PNG wrapper: header and full decode in both pixel orders.
#include "skin/png_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnel;
    const ByteSpan png(data, size);
    (void)pngSize(png);
    for (const PixelOrder order : {PixelOrder::Rgba, PixelOrder::Bgra}) {
        const auto picture = decodePng(png, order);
        if (!picture) continue;
        const auto& s = picture->size;
        if (picture->pixels.size() != static_cast<std::size_t>(s.width) * static_cast<std::size_t>(s.height) * 4)
            __builtin_trap();
        (void)picture->rgbaAt(s.width - 1, s.height - 1);
    }
    return 0;
}
