// Builds a firmware file for the unit's loader from a unit kind, the version text the unit
// reports once it runs the image, and an optional payload, with any set of blocks flagged.
//
//   pack_firmware --kind 1|2 --version " 0.5.0" [--payload FILE] [--blocks LIST] OUTPUT.dat
//
// LIST is "all" (the default), "none", or block numbers and ranges such as "0,1503" or
// "0-99,1503". Blocks not in the list are stored unscrambled and flagged as skipped.
#include "firmware/FirmwarePacker.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace
{

int usage()
{
    std::fputs("usage: pack_firmware --kind 1|2 --version \" 0.5.0\" [--payload FILE] [--blocks LIST] "
               "OUTPUT.dat\n"
               "  LIST: all (default), none, or block numbers and ranges 0-1503, e.g. 0,1503 or 0-99,1503\n",
               stderr);
    return 2;
}

std::vector<std::uint8_t> readPayload(const std::string &name)
{
    std::ifstream in(name, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open payload " + name);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char **argv)
{
    vireo::FirmwarePackage package;
    std::string output;
    bool kindGiven = false;
    bool versionGiven = false;
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string_view arg = argv[i];
            const bool hasValue = i + 1 < argc;
            if (arg == "--kind" && hasValue) {
                const std::string_view kind = argv[++i];
                if (kind != "1" && kind != "2")
                    return usage();
                package.kind = kind == "1" ? vireo::UnitKind::Kind1 : vireo::UnitKind::Kind2;
                kindGiven = true;
            } else if (arg == "--version" && hasValue) {
                package.version = argv[++i];
                versionGiven = true;
            } else if (arg == "--payload" && hasValue) {
                package.payload = readPayload(argv[++i]);
            } else if (arg == "--blocks" && hasValue) {
                package.flags = vireo::parseBlockList(argv[++i]);
            } else if (!arg.starts_with("--") && output.empty()) {
                output = arg;
            } else {
                return usage();
            }
        }
        if (!kindGiven || !versionGiven || output.empty())
            return usage();
        const auto file = vireo::packFirmware(package);
        if (!vireo::writeFirmwareFile(output, *file)) {
            std::fprintf(stderr, "pack_firmware: cannot write %s\n", output.c_str());
            return 1;
        }
        if (!file->isFlagged(vireo::LastFirmwareBlock))
            std::fputs("pack_firmware: note: the last block is not flagged, so the program refuses this "
                       "file\n",
                       stderr);
        std::printf("%s: %zu of %zu blocks flagged\n", output.c_str(), file->flaggedBlockCount(),
                    vireo::FirmwareBlockCount);
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "pack_firmware: %s\n", e.what());
        return 1;
    }
}
