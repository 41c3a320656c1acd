// The file-reading paths as the program takes them, through real files: a parameter file
// opened with File > Open (dialogs answered by the target, the save question declined),
// a preset pair read from the program directory, and a firmware file. Whatever a file holds,
// reading it from disk agrees with the parsers that work on bytes, and a file that is not
// taken leaves the working values exactly as they were.
//
// Input: [what] then the content.
//   what % 3 == 0: a parameter file, the rest of the input.
//   what % 3 == 1: a preset pair: [choice] [tpd length] [tpd bytes] [gdt bytes to the end];
//                  choice % 3 is the preset, choice / 3 the firmware version (FuzzVersions).
//   what % 3 == 2: a firmware file: the rest as is, and laid over the end of an otherwise
//                  zero file of the firmware size (flags, then the last blocks of the image).
#include "FuzzSupport.h"
#include "files/ParameterFile.h"
#include "files/ParameterFileFlows.h"
#include "files/Preset.h"
#include "firmware/FirmwareFile.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace
{

using namespace vireo;
using vireo::fuzz::FuzzInput;
namespace fs = std::filesystem;

// One directory per process, emptied on every input.
const fs::path &scratch()
{
    static const fs::path dir = [] {
        std::string pattern = (fs::temp_directory_path() / "vireo_fuzz_files_XXXXXX").string();
        FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
        return fs::path(pattern);
    }();
    return dir;
}

void writeFile(const fs::path &path, std::span<const std::uint8_t> bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(out.good());
}

// Answers the open dialog with one path, declines the save question, records the boxes.
class FileDialogs : public Dialogs
{
public:
    explicit FileDialogs(std::string path) : path_(std::move(path)) {}
    MsgButton message(const MessageRequest &request) override
    {
        ++boxes;
        return request.buttons & No ? No : Ok;
    }
    std::optional<std::string> openFileName(const FileRequest &) override { return path_; }
    std::optional<std::string> saveFileName(const FileRequest &) override
    {
        FUZZ_CHECK(!"the save question was declined");
        return std::nullopt;
    }
    int boxes = 0;

private:
    std::string path_;
};

void parameterFile(std::span<const std::uint8_t> bytes)
{
    const fs::path path = scratch() / "chosen.gdt";
    writeFile(path, bytes);

    const WordFile file = readWordFile(path);
    const std::optional<WordImage> image = wordImageFromBytes(bytes);
    FUZZ_CHECK(file.status != FileReadStatus::CannotOpen);
    FUZZ_CHECK((file.status == FileReadStatus::Ok) == image.has_value());
    if (image) {
        FUZZ_CHECK(file.image.count == image->count);
        FUZZ_CHECK(file.image.words == image->words);
    }

    const ParameterSet before = vireo::fuzz::patternedSet(911, 29);
    ParameterSet work = before;
    FileDialogs dialogs(path.string());
    FileFlowContext ctx{dialogs, [](std::string_view) { return std::string("text"); }, work, nullptr};
    const bool opened = openParameterFile(ctx);
    if (!opened) {
        FUZZ_CHECK(work == before);
        return;
    }
    // What the flow took is what the loader makes of the same bytes.
    FUZZ_CHECK(image.has_value());
    ParameterSet expected = before;
    FUZZ_CHECK(loadParameterImage(*image, expected));
    FUZZ_CHECK(work == expected);
}

void presetPair(FuzzInput &in)
{
    const std::uint8_t choice = in.byte();
    const int preset = choice % PresetCount;
    const std::string_view firmware =
        vireo::fuzz::fuzzVersion(static_cast<std::uint8_t>(choice / PresetCount));
    const auto tpd = in.bytes(in.byte());
    const auto gdt = in.rest();

    for (const PresetFileNames &names : PresetFiles) {
        fs::remove(scratch() / names.tpd);
        fs::remove(scratch() / names.gdt);
    }
    const PresetFileNames &names = PresetFiles[static_cast<std::size_t>(preset)];
    writeFile(scratch() / names.tpd, tpd);
    writeFile(scratch() / names.gdt, gdt);

    const ParameterSet before = vireo::fuzz::patternedSet(911, 29);
    ParameterSet work = before;
    const PresetStatus status = loadPreset(preset, scratch(), firmware, work);

    ParameterSet expected = before;
    const auto blocks = presetBlockImageFromBytes(tpd);
    const auto image = wordImageFromBytes(gdt);
    const bool applies = blocks && image && applyPreset(preset, *blocks, *image, firmware, expected);
    FUZZ_CHECK((status == PresetStatus::Loaded) == applies);
    FUZZ_CHECK(work == (applies ? expected : before));

    // A preset whose files are not both there loads nothing.
    fs::remove(scratch() / names.gdt);
    ParameterSet untouched = before;
    FUZZ_CHECK(loadPreset(preset, scratch(), firmware, untouched) == PresetStatus::Unavailable);
    FUZZ_CHECK(untouched == before);
}

void firmwareFile(std::span<const std::uint8_t> bytes)
{
    const fs::path path = scratch() / "update.dat";
    auto fromDisk = std::make_unique<FirmwareFile>();
    auto fromBytes = std::make_unique<FirmwareFile>();

    writeFile(path, bytes);
    const bool read = readFirmwareFile(path.string(), *fromDisk);
    FUZZ_CHECK(read == (bytes.size() == FirmwareFileSize));
    FUZZ_CHECK(read == parseFirmwareFile(bytes.data(), bytes.size(), *fromBytes));

    std::vector<std::uint8_t> whole(FirmwareFileSize, 0);
    const std::size_t n = std::min(bytes.size(), FirmwareFileSize);
    std::copy_n(bytes.end() - static_cast<std::ptrdiff_t>(n), n,
                whole.end() - static_cast<std::ptrdiff_t>(n));
    writeFile(path, whole);
    FUZZ_CHECK(readFirmwareFile(path.string(), *fromDisk));
    FUZZ_CHECK(parseFirmwareFile(whole.data(), whole.size(), *fromBytes));
    FUZZ_CHECK(fromDisk->FirmwareImage == fromBytes->FirmwareImage);
    FUZZ_CHECK(fromDisk->BlockFlags == fromBytes->BlockFlags);
    FUZZ_CHECK(firmwareSuitsUnit(*fromDisk, UnitKind::Kind1) ==
               firmwareSuitsUnit(*fromBytes, UnitKind::Kind1));
    FUZZ_CHECK(firmwareSuitsUnit(*fromDisk, UnitKind::Kind2) ==
               firmwareSuitsUnit(*fromBytes, UnitKind::Kind2));

    // A file that is gone is refused, not read as empty.
    fs::remove(path);
    FUZZ_CHECK(!readFirmwareFile(path.string(), *fromDisk));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    switch (in.byte() % 3) {
    case 0:
        parameterFile(in.rest());
        break;
    case 1:
        presetPair(in);
        break;
    default:
        firmwareFile(in.rest());
        break;
    }
    return 0;
}
