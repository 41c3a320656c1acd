// The state file kalm07-sim keeps between runs. A text that parses formats back to a text
// that parses to the same memory, and formatting that again changes nothing.
//
// Input: the file's text.
#include "FuzzSupport.h"
#include "UnitStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vireo;
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    std::string error;
    const std::optional<UnitMemory> memory = parseMemory(text, &error);
    if (!memory) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(!memory->firmware || memory->firmware->size() == 6);
    const std::string formatted = formatMemory(*memory);
    const std::optional<UnitMemory> again = parseMemory(formatted);
    FUZZ_CHECK(again);
    FUZZ_CHECK(again->kind == memory->kind && again->firmware == memory->firmware &&
               again->store == memory->store);
    FUZZ_CHECK(formatMemory(*again) == formatted);
    return 0;
}
