#include "files/ParameterFile.h"

#include <cerrno>
#include <fstream>
#include <random>
#include <string_view>
#include <system_error>

#if defined(_WIN32)
#include <process.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif

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
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return result;
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

bool parameterLayoutFits(const WordImage &image)
{
    if (image.count < HeaderlessLimitWords)
        return image.count >= HeaderlessLayoutWords;
    const FormatLayout layout = layoutOf(image.words[0]);
    const std::size_t loadedEnd =
        fileRecordOffset(0, layout.modeSets) + static_cast<std::size_t>(layout.commonCount);
    return loadedEnd < image.count; // the checksum is the last word
}

bool loadParameterImage(const WordImage &image, ParameterSet &work)
{
    if (!parameterLayoutFits(image) || !parameterChecksumMatches(image))
        return false;
    const auto &w = image.words;

    if (image.count < HeaderlessLimitWords) {
        for (ModeSet k = 0; k < 2; ++k)
            for (int a = 0; a < AxisCount; ++a) {
                AxisRecord &rec = work.axes[static_cast<std::size_t>(a)][static_cast<std::size_t>(k)];
                const std::size_t at = static_cast<std::size_t>(k * AxisCount + a) * HeaderlessRecordWords;
                for (std::size_t f = 0; f < HeaderlessRecordWords; ++f)
                    rec.words[f] = static_cast<std::int16_t>(w[at + f]);
                markLoaded(work.origins.axes[static_cast<std::size_t>(a)][static_cast<std::size_t>(k)],
                           Origin::File, false);
            }
        for (std::size_t f = 0; f < HeaderlessCommonCount; ++f)
            work.common.words[f] = static_cast<std::int16_t>(w[HeaderlessCommonOffset + f]);
        markLoaded(work.origins.common, Origin::File, false);
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
            work.origins.axes[static_cast<std::size_t>(a)][static_cast<std::size_t>(k)] = Origin::File;
        }
    const std::size_t commonAt = fileRecordOffset(0, layout.modeSets);
    for (std::size_t f = 0; f < static_cast<std::size_t>(layout.commonCount); ++f)
        work.common.words[f] = static_cast<std::int16_t>(w[commonAt + f]);
    if (layout.commonCount > 0)
        markLoaded(work.origins.common, Origin::File, layout.commonCount == CommonFieldCount);
    return true;
}

std::filesystem::path pathFromUtf8(const std::string &utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8FromPath(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

namespace
{

constexpr std::string_view SaveTempMark = ".vireo-save-";
constexpr std::string_view SaveTempSuffix = ".tmp";

long currentProcessId()
{
#if defined(_WIN32)
    return static_cast<long>(_getpid());
#else
    return static_cast<long>(::getpid());
#endif
}

bool allDigits(std::string_view text, std::size_t maxLength)
{
    if (text.empty() || text.size() > maxLength)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// The process id a temporary save file's name carries, or -1 when it is not one of ours.
long saveTempOwner(std::string_view name)
{
    const std::size_t mark = name.rfind(SaveTempMark);
    if (mark == std::string_view::npos || !name.ends_with(SaveTempSuffix))
        return -1;
    const std::size_t from = mark + SaveTempMark.size();
    if (from + SaveTempSuffix.size() > name.size())
        return -1;
    const std::string_view middle = name.substr(from, name.size() - SaveTempSuffix.size() - from);
    const std::size_t dash = middle.find('-');
    if (dash == std::string_view::npos || !allDigits(middle.substr(0, dash), 9) ||
        !allDigits(middle.substr(dash + 1), 9))
        return -1;
    long pid = 0;
    for (char c : middle.substr(0, dash))
        pid = pid * 10 + (c - '0');
    return pid;
}

bool processRuns(long pid)
{
    if (pid == currentProcessId())
        return true;
#if defined(_WIN32)
    // No cheap liveness test here: a name of another process counts as running, so a save
    // of a second window in progress is never removed under it.
    return true;
#else
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
#endif
}

#if !defined(_WIN32)
bool writeAllAndSync(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return ::fsync(fd) == 0;
}

// Makes the rename itself durable; a file system that cannot sync a directory is no error.
void syncDirectory(const std::filesystem::path &dir)
{
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
#endif

// Creates a fresh temporary file beside path and writes bytes into it, synced to the disk.
// The temporary path, or an empty one when nothing could be written (nothing is left then).
std::filesystem::path writeTemporary(const std::filesystem::path &path, std::span<const std::uint8_t> bytes)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    std::random_device seed;
    std::mt19937 rng(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        fs::path temp = path;
        temp += std::string(SaveTempMark) + std::to_string(currentProcessId()) + "-" +
                std::to_string(rng() % 1000000u) + std::string(SaveTempSuffix);
#if defined(_WIN32)
        if (fs::exists(temp, ec) || ec)
            continue;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return {};
        out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        const bool written = static_cast<bool>(out);
        out.close();
        if (!written || out.fail()) {
            fs::remove(temp, ec);
            return {};
        }
#else
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return {};
        const bool written = writeAllAndSync(fd, bytes);
        if (::close(fd) != 0 || !written) {
            fs::remove(temp, ec);
            return {};
        }
#endif
        if (fs::file_size(temp, ec) != bytes.size() || ec) {
            fs::remove(temp, ec);
            return {};
        }
        return temp;
    }
    return {};
}

} // namespace

int removeStaleSaveFiles(const std::filesystem::path &dir)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    int removed = 0;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const long owner = saveTempOwner(utf8FromPath(it->path().filename()));
        std::error_code ignored;
        if (owner > 0 && !processRuns(owner) && it->is_regular_file(ignored) &&
            fs::remove(it->path(), ignored))
            ++removed;
    }
    return removed;
}

bool writeFileReplacing(const std::filesystem::path &path, std::span<const std::uint8_t> bytes,
                        const std::function<void()> &beforeReplace)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (path.filename().empty() || fs::is_directory(path, ec))
        return false;
    removeStaleSaveFiles(path.parent_path());

    // Beside the target, so the rename stays on one file system.
    const fs::path temp = writeTemporary(path, bytes);
    if (temp.empty())
        return false;
    // Keep the permissions an existing file had.
    const auto old = fs::status(path, ec);
    if (!ec && fs::exists(old))
        fs::permissions(temp, old.permissions(), ec);
    if (beforeReplace)
        beforeReplace();
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
#if !defined(_WIN32)
    syncDirectory(path.parent_path());
#endif
    return true;
}

} // namespace vireo
