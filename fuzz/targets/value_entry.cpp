// Text typed or pasted into an entry field (the pirouette gain field has no typing filter at
// all), read when the field is left and checked against its limit.
//
// Input: [limit: four bytes, little-endian, signed] [fallback: two bytes] then the text.
#include "FuzzSupport.h"
#include "editing/ValueEntry.h"

#include <algorithm>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vireo;
    vireo::fuzz::FuzzInput input(data, size);
    std::uint32_t rawLimit = 0;
    for (int i = 0; i < 4; ++i)
        rawLimit |= static_cast<std::uint32_t>(input.byte()) << (8 * i);
    const auto limit = static_cast<std::int32_t>(rawLimit);
    const auto fallback = static_cast<std::int16_t>(input.byte() | (input.byte() << 8));
    const auto rest = input.rest();
    const std::string_view text(reinterpret_cast<const char *>(rest.data()), rest.size());

    const std::optional<std::int32_t> number = readEntry(text);
    if (number)
        FUZZ_CHECK(*number >= 0);

    const EntryResult result = checkEntry(text, limit, fallback);
    if (!number) {
        FUZZ_CHECK(!result.overLimit && result.value == fallback);
    } else if (result.overLimit) {
        FUZZ_CHECK(result.value == fallback);
        FUZZ_CHECK(*number > std::min<std::int32_t>(limit, std::numeric_limits<std::int16_t>::max()));
    } else {
        // Never narrowed past what the number said.
        FUZZ_CHECK(result.value == *number && *number <= limit);
    }
    // What the field shows afterwards reads back as the stored value.
    const std::string shown = entryText(result.value);
    if (result.value >= 0)
        FUZZ_CHECK(readEntry(shown) == result.value);
    FUZZ_CHECK(textAfterChange(text).size() >= 1);
    return 0;
}
