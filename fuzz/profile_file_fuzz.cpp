// Profile files of both variants: the type check and load into DataBuf, then the display step that
// refreshes every page model. Byte 0 picks the mouse, the rest is the file.
#include "fuzz_window.h"
#include "profiles/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnel;
    if (size == 0) return 0;
    fuzz::FuzzWindow window(fuzz::mouseFromByte(data[0]));
    const ByteSpan file(data + 1, size - 1);
    if (loadProfileBytes(window.state.DataBuf, window.state.DeviceChip, window.state.acceptedSignatures(), file))
        window.display();
    return 0;
}
