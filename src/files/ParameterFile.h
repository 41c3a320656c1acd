#pragma once
// Parameter files (".gdt"): 16-bit little-endian words. The program writes the current layout
// (format 3, 116 words) and reads every older layout, including the headerless one of fewer
// than 72 words. Reading never trusts the file: at most 256 words, explicit lengths.
#include "params/ParameterSet.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vireo
{

inline constexpr std::size_t ParameterFileWords = 116;
inline constexpr std::size_t ParameterFileBytes = 2 * ParameterFileWords;
inline constexpr std::uint16_t CurrentFileFormat = 3;
// Largest file the readers accept, in whole words; anything longer is refused as a bad file.
inline constexpr std::size_t FileBufferWords = 256;
// Files with fewer whole words than this have no format word.
inline constexpr std::size_t HeaderlessLimitWords = 72;
// The headerless layout's 58 data words and its checksum: anything shorter holds no parameters.
inline constexpr std::size_t HeaderlessLayoutWords = 59;

using ParameterFileImage = std::array<std::uint16_t, ParameterFileWords>;

// A file read as whole words into a zeroed buffer of 256; a trailing odd byte is dropped.
struct WordImage {
    std::array<std::uint16_t, FileBufferWords> words{};
    std::size_t count = 0; // whole words in the file
};

// Field coding inside parameter files (16-bit wrap-around, so out-of-range values survive).
std::uint16_t encodeFileField(AxisField field, std::int16_t value);
std::int16_t decodeFileField(AxisField field, std::uint16_t word);

// Word offset of a record in the format-word layouts: mode set by mode set, A, E, R within.
constexpr std::size_t fileRecordOffset(int axis, ModeSet k)
{
    return 1 + static_cast<std::size_t>(k * AxisCount + axis) * AxisFieldCount;
}
inline constexpr std::size_t FileCommonOffset = 100;

// The 116 words of the current layout for these working values, checksum included.
ParameterFileImage encodeParameterFile(const ParameterSet &work);
std::vector<std::uint8_t> imageBytes(std::span<const std::uint16_t> words);

// Sum modulo 65536 of the given words.
std::uint16_t wordSum(std::span<const std::uint16_t> words);

// Splits file bytes into words; nothing when the file holds more than 256 whole words.
std::optional<WordImage> wordImageFromBytes(std::span<const std::uint8_t> bytes);

enum class FileReadStatus { Ok, CannotOpen, TooLong };
struct WordFile {
    FileReadStatus status = FileReadStatus::CannotOpen;
    WordImage image;
};
// Reads a whole file as words. Only regular files are opened (a named pipe or a device would
// block the window); anything else is CannotOpen. Reading at most 257 words tells a too-long
// file apart without reading all of it.
WordFile readWordFile(const std::filesystem::path &path);

// The checksum test of the layout the word count selects (headerless or with format word).
bool parameterChecksumMatches(const WordImage &image);
// True when the file is long enough for what its layout loads: the 59 words of the headerless
// layout, or every loaded word of a format-word layout before its checksum word. A shorter
// file would load the zeros the reading buffer is padded with as gains.
bool parameterLayoutFits(const WordImage &image);

// Loads the image into work as its layout says, leaving everything the layout does not carry
// as it was, and marks the records it loaded as coming from a file (a record the layout
// carries only in part stays Unknown when it was Unknown). False (and work untouched) when
// the layout does not fit or the checksum does not match.
bool loadParameterImage(const WordImage &image, ParameterSet &work);

// A record was loaded from a file or preset: whole, or in part over known values.
inline void markLoaded(Origin &origin, Origin by, bool whole)
{
    if (whole || origin != Origin::Unknown)
        origin = by;
}

// Writes bytes to path through a temporary file beside it that is flushed to the disk and
// then renamed into place (the directory is flushed too), so an existing file is either
// replaced whole or left as it was, even when the program or the machine stops half-way.
// Temporary files are named "<name>.vireo-save-<process id>-<n>.tmp"; those of saves whose
// process no longer runs are removed from the directory first. beforeReplace runs after the
// temporary file is complete, just before the rename (tests stop the process there).
// False when anything failed.
bool writeFileReplacing(const std::filesystem::path &path, std::span<const std::uint8_t> bytes,
                        const std::function<void()> &beforeReplace = {});

// Removes the temporary files that killed saves left in dir; the number removed.
int removeStaleSaveFiles(const std::filesystem::path &dir);

// A UTF-8 path text (as the dialogs give it) as a path of this platform, and back.
std::filesystem::path pathFromUtf8(const std::string &utf8);
std::string utf8FromPath(const std::filesystem::path &path);

} // namespace vireo
