// Block lists as the firmware packer takes them ("all", "none", "0-99,1503"): flags come out
// 0 or 1, and anything else is refused with std::invalid_argument.
//
// Input: the list text.
#include "FuzzSupport.h"
#include "firmware/FirmwarePacker.h"

#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vireo;
    const std::string text(reinterpret_cast<const char *>(data), size);
    try {
        const auto flags = parseBlockList(text);
        for (std::uint8_t f : flags)
            FUZZ_CHECK(f == 0 || f == BlockSent);
    } catch (const std::invalid_argument &) {
    }
    return 0;
}
