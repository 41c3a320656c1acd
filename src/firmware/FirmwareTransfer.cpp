#include "firmware/FirmwareTransfer.h"

#include <algorithm>
#include <memory>
#include <numeric>

namespace vireo
{

std::uint8_t blockChecksum(std::uint32_t blockNumber, const std::uint8_t *data)
{
    const unsigned sum = std::accumulate(data, data + FirmwareBlockSize, blockNumber & 0xFFu);
    return static_cast<std::uint8_t>(sum & 0xFFu);
}

int progressPosition(std::size_t attempts, std::size_t total)
{
    if (total == 0)
        return 100;
    const double percent = static_cast<double>(attempts) / static_cast<double>(total) * 100.0;
    return percent >= 100.0 ? 100 : static_cast<int>(percent);
}

namespace
{

class LoaderSession
{
public:
    LoaderSession(SerialLink &link, const FirmwareFile &file, const TransferEvents &events)
        : link_(link), file_(file), events_(events), total_(file.flaggedBlockCount())
    {
    }

    UpdateOutcome run()
    {
        while (true) {
            if (!handshake())
                return UpdateOutcome::Failed; // no end command after a failed handshake
            const bool blocksSent = sendBlocks();
            const bool ended = step(LoaderEndCommand);
            if (!blocksSent)
                return UpdateOutcome::Failed;
            if (ended)
                return UpdateOutcome::Complete;
            // A failed end starts over with the handshake and every flagged block.
        }
    }

private:
    bool exhausted() const { return retries_ >= LoaderRetryLimit; }

    bool exchange(const std::uint8_t *bytes, std::size_t length, std::uint8_t reply, std::uint32_t timeoutMs)
    {
        if (link_.exchange(bytes, length, 1, timeoutMs) && link_.ReplyBuffer()[0] == reply)
            return true;
        ++retries_;
        return false;
    }

    bool step(const LoaderExchange &s) { return exchange(s.bytes.data(), s.length, s.reply, s.timeoutMs); }

    // Starts again from the sync at the first bad answer, until the retries run out.
    bool handshake()
    {
        while (!exhausted()) {
            if (std::all_of(LoaderHandshake.begin(), LoaderHandshake.end(),
                            [&](const LoaderExchange &s) { return step(s); }))
                return true;
        }
        return false;
    }

    // False when the retries ran out before every flagged block was acknowledged.
    bool sendBlocks()
    {
        std::uint32_t b = FirstWireBlockNumber;
        while (true) {
            if (exhausted())
                return false;
            if (events_.dispatchEvents)
                events_.dispatchEvents();
            while (b <= LastWireBlockNumber && !file_.isFlagged(b - FirstWireBlockNumber))
                ++b;
            if (b > LastWireBlockNumber)
                return true;
            ++attempts_; // a block sent again counts again
            if (events_.progress)
                events_.progress(progressPosition(attempts_, total_));
            if (sendBlock(b))
                ++b;
        }
    }

    bool sendBlock(std::uint32_t b)
    {
        if (!step(LoaderBlockCommand))
            return false;
        const std::array<std::uint8_t, 4> number = {
            static_cast<std::uint8_t>(b >> 24), static_cast<std::uint8_t>(b >> 16),
            static_cast<std::uint8_t>(b >> 8), static_cast<std::uint8_t>(b)};
        if (!exchange(number.data(), number.size(), BlockNumberReply, BlockNumberTimeoutMs))
            return false;
        std::array<std::uint8_t, FirmwareBlockSize + 1> data;
        const std::uint8_t *block =
            file_.FirmwareImage.data() + (b - FirstWireBlockNumber) * FirmwareBlockSize;
        std::copy_n(block, FirmwareBlockSize, data.begin());
        data[FirmwareBlockSize] = blockChecksum(b, block);
        return exchange(data.data(), data.size(), BlockDataReply, BlockDataTimeoutMs);
    }

    SerialLink &link_;
    const FirmwareFile &file_;
    const TransferEvents &events_;
    const std::size_t total_;
    int retries_ = 0;
    std::size_t attempts_ = 0;
};

} // namespace

UpdateOutcome transferFirmware(SerialLink &link, UnitKind kind, const FirmwareFile &file,
                               const TransferEvents &events)
{
    if (!firmwareSuitsUnit(file, kind))
        return UpdateOutcome::FileUnsuitable;

    link.exchange(StartLoaderCommand, StartLoaderReplyLength, StartLoaderTimeoutMs);
    if (link.baudRate == SerialLink::DefaultBaud && kind == UnitKind::Kind1) {
        link.closePort();
        link.baudRate = LoaderBaudKind1;
        link.openPort();
    }
    return LoaderSession(link, file, events).run();
}

UpdateOutcome transferFirmware(SerialLink &link, UnitKind kind, const std::string &fileName,
                               const TransferEvents &events)
{
    auto file = std::make_unique<FirmwareFile>(); // too large for a small stack
    if (!readFirmwareFile(fileName, *file))
        return UpdateOutcome::FileUnsuitable;
    return transferFirmware(link, kind, *file, events);
}

UpdateMessage updateMessage(UpdateOutcome outcome)
{
    switch (outcome) {
    case UpdateOutcome::FileUnsuitable:
        return {MsgIcon::Error, "UPDFileErrorMessage"};
    case UpdateOutcome::Complete:
        return {MsgIcon::Information, "UPDCompMessage"};
    case UpdateOutcome::Failed:
        break;
    }
    return {MsgIcon::Error, "UPDFailMessage"};
}

} // namespace vireo
