#include "files/ParameterFile.h"

#include <fstream>
#include <random>
#include <system_error>

namespace vireo
{

namespace
{

// What a layout with a format word loads after the six records of mode sets 0 and 1.
struct FormatLayout {
    std::uint16_t format;
    int modeSets;    // records loaded (and decoded): mode sets 0 .. modeSets - 1
    int commonCount; // common fields 0 .. commonCount - 1, right after the records
};

constexpr std::array<FormatLayout, 4> FormatLayouts = {{
    {3, 3, CommonFieldCount},
    {2, 2, 13},
    {1, 2, 6},
    {0xFFFF, 2, 1},
}};
constexpr FormatLayout UnknownFormat = {0, 2, 0};

constexpr FormatLayout layoutOf(std::uint16_t format)
{
    for (const auto &l : FormatLayouts)
        if (l.format == format)
            return l;
    return UnknownFormat;
}

// The headerless layout: six records of nine uncoded words (P .. CTL), then common 0..3.
constexpr std::size_t HeaderlessRecordWords = 9;
constexpr std::size_t HeaderlessCommonOffset = 54;
constexpr std::size_t HeaderlessCommonCount = 4;
constexpr std::size_t HeaderlessChecksumWord = 58;

} // namespace

std::uint16_t encodeFileField(AxisField field, std::int16_t value)
{
    const auto v = static_cast<std::uint16_t>(value);
    switch (field) {
    case AxisField::HLD:
        return static_cast<std::uint16_t>(20u - v);
    case AxisField::ACG:
        return static_cast<std::uint16_t>(256u - v);
    case AxisField::ACR:
        return static_cast<std::uint16_t>(v + 256u);
    default:
        return v;
    }
}

std::int16_t decodeFileField(AxisField field, std::uint16_t word)
{
    switch (field) {
    case AxisField::HLD:
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(20u - word));
    case AxisField::ACG:
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(256u - word));
    case AxisField::ACR:
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(word - 256u));
    default:
        return static_cast<std::int16_t>(word);
    }
}

std::uint16_t wordSum(std::span<const std::uint16_t> words)
{
    std::uint16_t sum = 0;
    for (std::uint16_t w : words)
        sum = static_cast<std::uint16_t>(sum + w);
    return sum;
}

ParameterFileImage encodeParameterFile(const ParameterSet &work)
{
    ParameterFileImage image{};
    image[0] = CurrentFileFormat;
    for (ModeSet k = 0; k < ModeSetCount; ++k)
        for (int a = 0; a < AxisCount; ++a) {
            const AxisRecord &rec = work.axes[static_cast<std::size_t>(a)][static_cast<std::size_t>(k)];
            const std::size_t at = fileRecordOffset(a, k);
            for (int f = 0; f < AxisFieldCount; ++f)
                image[at + static_cast<std::size_t>(f)] =
                    encodeFileField(static_cast<AxisField>(f), rec.words[static_cast<std::size_t>(f)]);
        }
    for (std::size_t f = 0; f < CommonFieldCount; ++f)
        image[FileCommonOffset + f] = static_cast<std::uint16_t>(work.common.words[f]);
    image[ParameterFileWords - 1] = wordSum(std::span(image).subspan(1, ParameterFileWords - 2));
    return image;
}

std::vector<std::uint8_t> imageBytes(std::span<const std::uint16_t> words)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(words.size() * 2);
    for (std::uint16_t w : words) {
        bytes.push_back(static_cast<std::uint8_t>(w & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    return bytes;
}

std::optional<WordImage> wordImageFromBytes(std::span<const std::uint8_t> bytes)
{
    const std::size_t count = bytes.size() / 2;
    if (count > FileBufferWords)
        return std::nullopt;
    WordImage image;
    image.count = count;
    for (std::size_t i = 0; i < count; ++i)
        image.words[i] = static_cast<std::uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return image;
}

WordFile readWordFile(const std::filesystem::path &path)
{
    WordFile result;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return result;
    // One word more than the buffer holds is enough to know the file is too long.
    std::array<std::uint8_t, 2 * (FileBufferWords + 1)> bytes{};
    in.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad())
        return result;
    const auto got = static_cast<std::size_t>(in.gcount());
    const auto image = wordImageFromBytes(std::span(bytes).first(got));
    if (!image) {
        result.status = FileReadStatus::TooLong;
        return result;
    }
    result.status = FileReadStatus::Ok;
    result.image = *image;
    return result;
}

bool parameterChecksumMatches(const WordImage &image)
{
    const auto words = std::span(image.words);
    if (image.count < HeaderlessLimitWords)
        return wordSum(words.first(HeaderlessChecksumWord)) == words[HeaderlessChecksumWord];
    const std::size_t last = image.count - 1;
    return wordSum(words.subspan(1, last - 1)) == words[last];
}

bool loadParameterImage(const WordImage &image, ParameterSet &work)
{
    if (!parameterChecksumMatches(image))
        return false;
    const auto &w = image.words;

    if (image.count < HeaderlessLimitWords) {
        for (ModeSet k = 0; k < 2; ++k)
            for (int a = 0; a < AxisCount; ++a) {
                AxisRecord &rec = work.axes[static_cast<std::size_t>(a)][static_cast<std::size_t>(k)];
                const std::size_t at = static_cast<std::size_t>(k * AxisCount + a) * HeaderlessRecordWords;
                for (std::size_t f = 0; f < HeaderlessRecordWords; ++f)
                    rec.words[f] = static_cast<std::int16_t>(w[at + f]);
            }
        for (std::size_t f = 0; f < HeaderlessCommonCount; ++f)
            work.common.words[f] = static_cast<std::int16_t>(w[HeaderlessCommonOffset + f]);
        return true;
    }

    const FormatLayout layout = layoutOf(w[0]);
    for (ModeSet k = 0; k < layout.modeSets; ++k)
        for (int a = 0; a < AxisCount; ++a) {
            AxisRecord &rec = work.axes[static_cast<std::size_t>(a)][static_cast<std::size_t>(k)];
            const std::size_t at = fileRecordOffset(a, k);
            for (int f = 0; f < AxisFieldCount; ++f)
                rec.words[static_cast<std::size_t>(f)] =
                    decodeFileField(static_cast<AxisField>(f), w[at + static_cast<std::size_t>(f)]);
        }
    const std::size_t commonAt = fileRecordOffset(0, layout.modeSets);
    for (std::size_t f = 0; f < static_cast<std::size_t>(layout.commonCount); ++f)
        work.common.words[f] = static_cast<std::int16_t>(w[commonAt + f]);
    return true;
}

std::filesystem::path pathFromUtf8(const std::string &utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool writeFileReplacing(const std::filesystem::path &path, std::span<const std::uint8_t> bytes)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (path.filename().empty() || fs::is_directory(path, ec))
        return false;

    // A fresh name beside the target, so the rename stays on one file system.
    std::random_device seed;
    std::mt19937 rng(seed());
    fs::path temp;
    for (int attempt = 0; attempt < 16; ++attempt) {
        fs::path candidate = path;
        candidate += ".tmp" + std::to_string(rng() % 1000000u);
        if (!fs::exists(candidate, ec) && !ec) {
            temp = candidate;
            break;
        }
    }
    if (temp.empty())
        return false;

    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temp, ec);
            return false;
        }
        out.close();
        if (out.fail()) {
            fs::remove(temp, ec);
            return false;
        }
    }
    if (fs::file_size(temp, ec) != bytes.size() || ec) {
        fs::remove(temp, ec);
        return false;
    }
    // Keep the permissions an existing file had.
    const auto old = fs::status(path, ec);
    if (!ec && fs::exists(old))
        fs::permissions(temp, old.permissions(), ec);
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    return true;
}

} // namespace vireo
