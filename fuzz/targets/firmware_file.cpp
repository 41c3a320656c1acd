// Firmware files: only a file of exactly the firmware size parses. Every other input is also
// laid over the end of an otherwise zero file (flags, then the last blocks of the image), so
// the fuzzer reaches the flags and the identity bytes without mutating 190 kB at a time; the
// kind check, version text and descrambling then run on that file.
//
// Input: a whole firmware file, or the tail of one.
#include "FuzzSupport.h"
#include "firmware/FirmwareFile.h"

#include <memory>

namespace
{

using namespace vireo;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    auto file = std::make_unique<FirmwareFile>();
    const bool parsed = parseFirmwareFile(data, size, *file);
    FUZZ_CHECK(parsed == (size == FirmwareFileSize));
    if (!parsed) {
        std::vector<std::uint8_t> whole(FirmwareFileSize, 0);
        const std::size_t n = std::min(size, FirmwareFileSize);
        std::copy_n(data + (size - n), n, whole.end() - static_cast<std::ptrdiff_t>(n));
        FUZZ_CHECK(parseFirmwareFile(whole.data(), whole.size(), *file));
    }
    FUZZ_CHECK(serializeFirmwareFile(*file).size() == FirmwareFileSize);

    const bool lastFlagged = file->isFlagged(LastFirmwareBlock);
    for (UnitKind kind : {UnitKind::Kind1, UnitKind::Kind2})
        if (firmwareSuitsUnit(*file, kind))
            FUZZ_CHECK(lastFlagged && *descrambledByte(*file, UnitKindByteOffset) == unitKindByte(kind));
    const std::optional<std::string> version = firmwareVersionText(*file);
    FUZZ_CHECK(version.has_value() == lastFlagged);
    FUZZ_CHECK(!version || version->size() == FirmwareVersionLength);
    FUZZ_CHECK(!descrambledByte(*file, FirmwareImageSize));
    FUZZ_CHECK(file->flaggedBlockCount() <= FirmwareBlockCount);

    // Scrambling is its own inverse, and descrambledByte agrees with descrambling the whole image.
    auto plain = std::make_unique<std::array<std::uint8_t, FirmwareImageSize>>(file->FirmwareImage);
    scrambleFlaggedBlocks(*plain, file->BlockFlags);
    for (std::size_t offset :
         {std::size_t{0}, FirmwareVersionOffset, UnitKindByteOffset, FirmwareImageSize - 1}) {
        const auto b = descrambledByte(*file, offset);
        FUZZ_CHECK(b.has_value() == file->isFlagged(offset / FirmwareBlockSize));
        FUZZ_CHECK(!b || *b == (*plain)[offset]);
    }
    scrambleFlaggedBlocks(*plain, file->BlockFlags);
    FUZZ_CHECK(*plain == file->FirmwareImage);
    return 0;
}
