#include "UnitLoader.h"

#include "firmware/ScrambleKey.h"

#include <algorithm>

namespace vireo
{

namespace
{

std::uint32_t bigEndian(const std::vector<std::uint8_t> &b)
{
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3];
}

bool isTextByte(std::uint8_t b)
{
    return b == '\r' || b == '\n' || (b >= 0x20 && b <= 0x7E);
}

} // namespace

std::string LoaderStep::name() const
{
    switch (kind) {
    case LoaderStepKind::Sync:
        return "SYNC";
    case LoaderStepKind::Cmd11:
        return "CMD11";
    case LoaderStepKind::Argument:
        return "ARG " + std::to_string(value);
    case LoaderStepKind::Begin:
        return "BEGIN";
    case LoaderStepKind::BlockCmd:
        return "BLKCMD";
    case LoaderStepKind::BlockNum:
        return "BLKNUM " + std::to_string(value);
    case LoaderStepKind::BlockData:
        return "BLKDATA " + std::to_string(value);
    case LoaderStepKind::End:
        return "END";
    case LoaderStepKind::Abandoned:
        return "(abandoned)";
    case LoaderStepKind::Text:
        return "(text)";
    case LoaderStepKind::Unknown:
        break;
    }
    return "(unknown)";
}

UnitLoader::UnitLoader(UnitKind kind, bool checkKindByte)
    : kind_(kind), checkKindByte_(checkKindByte), flash_(ImageSize, 0xFF)
{
}

void UnitLoader::setInstalledVersion(const std::optional<std::string> &version)
{
    std::fill(flash_.begin() + VersionOffset, flash_.begin() + VersionOffset + 6, 0xFF);
    if (version)
        std::copy_n(version->begin(), std::min<std::size_t>(6, version->size()),
                    flash_.begin() + VersionOffset);
    flash_[KindOffset] = kindByte(kind_);
}

void UnitLoader::enter()
{
    synced_ = false;
    begun_ = false;
    writing_ = false;
    expect_ = Expect::Command;
    partial_.clear();
    staged_.clear();
}

std::size_t UnitLoader::expectedLength() const
{
    switch (expect_) {
    case Expect::Argument:
    case Expect::BlockNumber:
        return 4;
    case Expect::BlockData:
        return BlockSize + 1;
    case Expect::Command:
        break;
    }
    return 1;
}

std::vector<LoaderStep> UnitLoader::feed(std::uint8_t byte, std::int64_t nowUs)
{
    std::vector<LoaderStep> steps;
    if (expect_ != Expect::Command && nowUs - lastByteUs_ > StepGapUs) {
        steps.push_back({LoaderStepKind::Abandoned, partial_, 0});
        partial_.clear();
        expect_ = Expect::Command;
    }
    lastByteUs_ = nowUs;

    if (expect_ == Expect::Command) {
        LoaderStep step{LoaderStepKind::Unknown, {byte}, 0};
        switch (byte) {
        case 0x15:
            step.kind = LoaderStepKind::Sync;
            break;
        case 0x11:
            step.kind = LoaderStepKind::Cmd11;
            break;
        case 0x16:
            step.kind = LoaderStepKind::Begin;
            break;
        case 0x12:
            step.kind = LoaderStepKind::BlockCmd;
            break;
        case 0x17:
            step.kind = LoaderStepKind::End;
            break;
        default:
            if (isTextByte(byte))
                step.kind = LoaderStepKind::Text;
            break;
        }
        steps.push_back(std::move(step));
        return steps;
    }

    partial_.push_back(byte);
    if (partial_.size() < expectedLength())
        return steps;
    LoaderStep step{LoaderStepKind::Argument, std::move(partial_), 0};
    partial_.clear();
    switch (expect_) {
    case Expect::Argument:
        step.value = bigEndian(step.bytes);
        break;
    case Expect::BlockNumber:
        step.kind = LoaderStepKind::BlockNum;
        step.value = bigEndian(step.bytes);
        break;
    case Expect::BlockData:
        step.kind = LoaderStepKind::BlockData;
        step.value = blockNumber_;
        break;
    case Expect::Command:
        break;
    }
    steps.push_back(std::move(step));
    return steps;
}

LoaderResult UnitLoader::execute(const LoaderStep &step)
{
    LoaderResult result;
    auto reply = [&result](std::uint8_t b) { result.reply.assign(1, b); };
    switch (step.kind) {
    case LoaderStepKind::Sync:
        synced_ = true;
        begun_ = false;
        expect_ = Expect::Command;
        reply(Ack);
        break;
    case LoaderStepKind::Cmd11:
        if (synced_) {
            expect_ = Expect::Argument;
            reply(Ack);
        } else {
            reply(Nak);
        }
        break;
    case LoaderStepKind::Argument:
        expect_ = Expect::Command;
        reply(Ack);
        break;
    case LoaderStepKind::Begin:
        if (synced_) {
            begun_ = true;
            writing_ = false;
            staged_.clear();
            reply(Ack);
        } else {
            reply(Nak);
        }
        break;
    case LoaderStepKind::BlockCmd:
        if (begun_) {
            expect_ = Expect::BlockNumber;
            reply(Ack);
        } else {
            reply(Nak);
        }
        break;
    case LoaderStepKind::BlockNum:
        if (step.value >= FirstBlockNumber && step.value <= LastBlockNumber) {
            blockNumber_ = step.value;
            expect_ = Expect::BlockData;
            reply(BlockNumberAck);
        } else {
            expect_ = Expect::Command;
            reply(Nak);
        }
        break;
    case LoaderStepKind::BlockData: {
        expect_ = Expect::Command;
        if (step.bytes.size() != BlockSize + 1 ||
            blockChecksum(blockNumber_, step.bytes.data()) != step.bytes[BlockSize]) {
            ++checksumErrors_;
            reply(Nak);
            break;
        }
        auto &block = staged_[blockNumber_];
        std::copy_n(step.bytes.begin(), BlockSize, block.begin());
        if (!writing_) {
            writing_ = true;
            result.startedWriting = true;
        }
        reply(Ack);
        break;
    }
    case LoaderStepKind::End:
        if (!begun_) {
            reply(Nak);
            break;
        }
        result.flashedVersion = finish();
        reply(result.flashedVersion ? Ack : Nak);
        break;
    case LoaderStepKind::Unknown:
    case LoaderStepKind::Abandoned:
    case LoaderStepKind::Text:
        break;
    }
    return result;
}

std::optional<std::string> UnitLoader::finish()
{
    // The key runs over the sent bytes in block order, exactly as the packer ran it over the
    // flagged blocks; blocks that were not sent keep what the flash held.
    std::vector<std::uint8_t> image = flash_;
    std::size_t k = 0;
    for (const auto &[number, block] : staged_) {
        const std::size_t offset = (number - FirstBlockNumber) * BlockSize;
        for (std::size_t i = 0; i < BlockSize; ++i) {
            image[offset + i] = block[i] ^ ScrambleKey[k];
            k = (k + 1) % ScrambleKey.size();
        }
    }
    if (checkKindByte_ && image[KindOffset] != kindByte(kind_))
        return std::nullopt;
    // An image without a readable version text cannot be started.
    if (!std::all_of(image.begin() + VersionOffset, image.begin() + VersionOffset + 6,
                     [](std::uint8_t b) { return b >= 0x20 && b <= 0x7E; }))
        return std::nullopt;
    flash_ = std::move(image);
    staged_.clear();
    begun_ = false;
    writing_ = false;
    return std::string(flash_.begin() + VersionOffset, flash_.begin() + VersionOffset + 6);
}

std::uint8_t UnitLoader::blockChecksum(std::uint32_t blockNumber, const std::uint8_t *data)
{
    unsigned sum = blockNumber & 0xFFu;
    for (std::size_t i = 0; i < BlockSize; ++i)
        sum += data[i];
    return static_cast<std::uint8_t>(sum & 0xFFu);
}

} // namespace vireo
