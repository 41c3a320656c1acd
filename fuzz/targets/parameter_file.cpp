// Parameter files of any length and content: split into words, checksum test, loading by the
// layout the length and format word select. A file too short for its layout or failing its
// checksum changes nothing; what loads is marked as coming from a file;
// a current-layout file loads into values that write back as the very same file.
//
// Input: the file's bytes.
#include "FuzzSupport.h"
#include "files/ParameterFile.h"

#include <algorithm>

namespace
{

using namespace vireo;

ParameterSet patternedSet()
{
    ParameterSet s;
    std::int16_t v = -3000;
    for (auto &axis : s.axes)
        for (auto &rec : axis)
            for (auto &w : rec.words)
                w = v += 37;
    for (auto &w : s.common.words)
        w = v += 37;
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<WordImage> image = wordImageFromBytes(bytes);
    if (size / 2 > FileBufferWords) {
        FUZZ_CHECK(!image);
        return 0;
    }
    FUZZ_CHECK(image && image->count == size / 2);
    for (std::size_t i = image->count; i < FileBufferWords; ++i)
        FUZZ_CHECK(image->words[i] == 0);

    const ParameterSet before = patternedSet();
    ParameterSet work = before;
    const bool loaded = loadParameterImage(*image, work);
    FUZZ_CHECK(loaded == (parameterLayoutFits(*image) && parameterChecksumMatches(*image)));
    FUZZ_CHECK(!loaded || image->count >= HeaderlessLayoutWords);
    if (!loaded) {
        FUZZ_CHECK(work == before);
        return 0;
    }
    // Nothing a file carries reaches the preset blocks; the six records of mode sets 0 and 1
    // are carried by every layout.
    FUZZ_CHECK(work.z == before.z && work.g == before.g && work.j == before.j);
    const bool whole = image->count >= HeaderlessLimitWords;
    FUZZ_CHECK(work.origins.axes[0][0] == (whole ? Origin::File : Origin::Unknown));

    if (image->count == ParameterFileWords && image->words[0] == CurrentFileFormat) {
        const ParameterFileImage again = encodeParameterFile(work);
        FUZZ_CHECK(std::equal(again.begin(), again.end(), image->words.begin()));
        const std::vector<std::uint8_t> written = imageBytes(again);
        FUZZ_CHECK(std::equal(written.begin(), written.end(), bytes.begin()));
    }
    return 0;
}
