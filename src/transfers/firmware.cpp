#include "transfers/firmware.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "config/variant.h"
#include "device/commands.h"
#include "macros/macro_file.h"

namespace varnel {

namespace {

constexpr std::size_t kPieceSize = 0x400;  // regions are read as eight 1 KiB pieces
constexpr std::size_t kPieceCount = kFirmwareSize / kPieceSize;
constexpr std::size_t kWriteSize = 0x100;  // and written in 256-byte writes, four per piece
constexpr std::size_t kWritesPerPiece = kPieceSize / kWriteSize;
constexpr std::size_t kPieceWriteCost = kWritesPerPiece * transferCost(kWriteSize);
constexpr std::size_t kRegionReadCost = kPieceCount * transferCost(kPieceSize);
constexpr std::size_t kRegionRewriteCost = 2 + kPieceCount * kPieceWriteCost;  // two erases, the writes
constexpr std::size_t kPiecesPerSector = kFlashSectorSize / kPieceSize;
static_assert(kPieceCount == 8 && kPiecesPerSector == 4);
constexpr std::uint16_t kFlashFirmware = kWrenVariant.flash->firmware;
constexpr std::uint16_t kFlashDefaultFirmware = kWrenVariant.flash->defaultFirmware;

std::uint16_t pieceAddress(std::uint16_t region, std::size_t i) {
    return static_cast<std::uint16_t>(region + i * kPieceSize);
}

ByteSpan piece(ByteSpan image, std::size_t i) { return image.subspan(i * kPieceSize, kPieceSize); }

// Reads the region piece by piece; a piece whose read was not clean counts as differing.
std::vector<std::size_t> differingPieces(TransferSession& session, std::uint16_t region, ByteSpan expected,
                                         const std::vector<std::size_t>& pieces) {
    std::vector<std::size_t> differ;
    std::array<std::uint8_t, kPieceSize> readBack;
    for (std::size_t i : pieces) {
        TransferResult r = session.readFlash(pieceAddress(region, i), readBack);
        ByteSpan want = piece(expected, i);
        if (!r.clean() || !std::equal(readBack.begin(), readBack.end(), want.begin())) differ.push_back(i);
    }
    return differ;
}

// Write w (0..31) of a region: image bytes 256 w .. 256 w + 255 at region + 0x100 w, so that
// piece i is writes 4 i .. 4 i + 3.
void writeOne(TransferSession& session, std::uint16_t region, ByteSpan image, std::size_t w) {
    session.writeFlash(static_cast<std::uint16_t>(region + w * kWriteSize), image.subspan(w * kWriteSize, kWriteSize));
}

void writePiece(TransferSession& session, std::uint16_t region, ByteSpan image, std::size_t i) {
    for (std::size_t k = 0; k < kWritesPerPiece; ++k) writeOne(session, region, image, i * kWritesPerPiece + k);
}

// Both sectors of the main region erased, then all eight pieces written, whatever was refused on
// the way: the read-back that follows finds and mends what did not arrive.
void rewriteMainRegion(TransferSession& session, ByteSpan image) {
    session.erase(sectorOf(kFlashFirmware));
    session.erase(sectorOf(static_cast<std::uint16_t>(kFlashFirmware + kFlashSectorSize)));
    for (std::size_t i = 0; i < kPieceCount; ++i) writePiece(session, kFlashFirmware, image, i);
}

std::vector<std::size_t> allPieces() {
    std::vector<std::size_t> v(kPieceCount);
    for (std::size_t i = 0; i < kPieceCount; ++i) v[i] = i;
    return v;
}

// A stop before the first erase of the main region: the mouse still runs its old firmware.
TransferStatus stoppedBeforeMain(const TransferSession& session, const std::string& why) {
    return TransferStatus::fail(session.gone() ? TransferCode::DeviceGone : TransferCode::DeviceFailed,
                                "Programming stopped: " + why + "; the main firmware was not touched");
}

// Rewrites the recovery copy (the default firmware region) and reads it back. The main region may
// be erased only over a recovery copy known to be good, so the first refused or lost report ends
// the restore, and so does a read-back that is not clean or differs.
TransferStatus restoreRecoveryCopy(TransferSession& session, ByteSpan defaultFirmware) {
    const std::size_t refusedBefore = session.refused();
    auto clean = [&] { return session.refused() == refusedBefore && !session.gone(); };
    for (std::size_t sector = 0; sector < 2 && clean(); ++sector)
        session.erase(sectorOf(static_cast<std::uint16_t>(kFlashDefaultFirmware + sector * kFlashSectorSize)));
    for (std::size_t w = 0; w < kPieceCount * kWritesPerPiece && clean(); ++w)
        writeOne(session, kFlashDefaultFirmware, defaultFirmware, w);
    if (clean() && differingPieces(session, kFlashDefaultFirmware, defaultFirmware, allPieces()).empty())
        return TransferStatus::done();
    const std::string why = session.gone() ? goneReason(session.link())
                            : session.refused() > refusedBefore
                                ? "the mouse refused " + reportCountText(session.refused() - refusedBefore)
                                : "it did not read back as written";
    return stoppedBeforeMain(session,
                             "the default firmware copy the mouse recovers from could not be restored (" + why + ")");
}

// The files that share the ".bin" filter with firmware, by their fixed sizes.
struct OtherFile {
    std::uintmax_t size;
    const char* what;
};
constexpr std::array<OtherFile, 4> kOtherFiles{{
    {storedImageSize(ChipModel::Lark), "a Lark profile"},
    {storedImageSize(ChipModel::Wren), "a Wren profile"},
    {kMacroFileSize, "a macro file"},
    {kMacroSetFileSize, "a file of all macros"},
}};

// The reason alone: the window leads it with its own "cannot be used as firmware", and the
// command line names the file it was given.
Error notFirmware(const std::string& why) { return makeError(why); }

}  // namespace

Result<Bytes> loadFirmwareFile(const std::filesystem::path& path) {
    auto head = readFileAtMost(path, kFirmwareSize);
    if (!head) return head.error();
    for (const OtherFile& other : kOtherFiles)
        if (head->size == other.size)
            return notFirmware("the file has the size of " + std::string(other.what) + " (" +
                               std::to_string(other.size) + " bytes), not of a firmware image");
    const Bytes& bytes = head->bytes;
    if (bytes.size() < kFirmwareSize)
        return notFirmware("a firmware image holds " + std::to_string(kFirmwareSize) + " bytes, the file has " +
                           std::to_string(bytes.size()));
    if (std::all_of(bytes.begin(), bytes.end(), [&](std::uint8_t b) { return b == bytes.front(); }))
        return notFirmware("the file's first " + std::to_string(kFirmwareSize) + " bytes all hold the value " +
                           std::to_string(bytes.front()));
    return bytes;
}

FirmwareOutcome programFirmware(AppState& state, DeviceLink& link, ByteSpan defaultFirmware, ByteSpan loadedFirmware,
                                const ProgressSink& progress) {
    if (!link.hasBothChannels() || !state.DeviceChip) return {noDeviceStatus()};
    if (const Variant& v = variantOf(*state.DeviceChip); !v.hasFirmwareUpdate)
        return {TransferStatus::fail(TransferCode::NoDevice,
                                     "a " + std::string(chipName(v.chip)) + " mouse takes no firmware updates")};
    if (!state.FirmwareLoaded) return {TransferStatus::fail(TransferCode::BadFile, "no firmware file is loaded")};
    if (defaultFirmware.size() != kFirmwareSize || loadedFirmware.size() != kFirmwareSize)
        return {TransferStatus::fail(TransferCode::BadFile, "firmware images must be 8192 bytes")};

    // The recovery copy's check, the new image, its read-back, command 18; a restore of the
    // recovery copy adds its rewrite and read-back.
    TransferSession session(link, kRegionReadCost + kRegionRewriteCost + kRegionReadCost + 1, progress);
    const bool defaultDiffers = !differingPieces(session, kFlashDefaultFirmware, defaultFirmware, allPieces()).empty();
    const std::size_t refusedInCheck = session.refused();
    if (defaultDiffers) {
        session.addToTotal(kRegionRewriteCost + kRegionReadCost);
        if (auto s = restoreRecoveryCopy(session, defaultFirmware); !s) return {s};
    }
    const std::size_t refusedBeforeFirmware = session.refused();
    rewriteMainRegion(session, loadedFirmware);

    // Read back and mend once. Flash takes a write only after an erase, so a differing piece is
    // mended by erasing its 4 KiB sector and writing the sector's four pieces again.
    auto differ = differingPieces(session, kFlashFirmware, loadedFirmware, allPieces());
    if (!differ.empty()) {
        std::vector<std::size_t> rewritten;
        for (std::size_t i : differ) {
            const std::size_t first = i - i % kPiecesPerSector;
            if (!rewritten.empty() && rewritten.back() >= first) continue;
            session.addToTotal(1 + kPiecesPerSector * (kPieceWriteCost + transferCost(kPieceSize)));
            session.erase(sectorOf(pieceAddress(kFlashFirmware, first)));
            for (std::size_t p = first; p < first + kPiecesPerSector; ++p) {
                writePiece(session, kFlashFirmware, loadedFirmware, p);
                rewritten.push_back(p);
            }
        }
        differ = differingPieces(session, kFlashFirmware, loadedFirmware, rewritten);
    }
    if (session.gone()) return {session.outcome("Programming")};
    if (!differ.empty())
        return {TransferStatus::fail(TransferCode::DeviceFailed,
                                     "Programming failed: " + std::to_string(differ.size()) +
                                         " KiB of the firmware region did not read back as written; the update was "
                                         "not finished")};
    if (session.command(kCmdFinishFirmware) != LinkStatus::Ok) return {session.outcome("Programming")};
    if (session.refused() == 0) return {TransferStatus::done(), true};
    // Both images read back correctly and the update is finished, yet reports were refused: say
    // so, and where (a refusal in the restore would have stopped it).
    std::vector<std::string> where;
    if (refusedInCheck > 0)
        where.push_back(reportCountText(refusedInCheck) + " in the check of its default firmware copy");
    if (session.refused() > refusedBeforeFirmware)
        where.push_back(reportCountText(session.refused() - refusedBeforeFirmware) +
                        " while writing the new firmware and reading it back");
    std::string message = "Programming finished and the new firmware read back correctly, but the mouse refused ";
    for (std::size_t i = 0; i < where.size(); ++i) message += (i == 0 ? "" : ", ") + where[i];
    return {TransferStatus::fail(TransferCode::DeviceFailed, message), true};
}

}  // namespace varnel
