// Writes the seed corpus of every fuzz target from the project's own writers and the
// simulated unit: parameter files from the file writer, firmware images from the packer,
// unit answers from the simulator, recorded while the real link code runs against it.
//
// Usage: fuzz_make_seeds <corpus directory> <assets directory>
// Each target's seeds go to <corpus directory>/<target>/; existing files of the same name are
// replaced, others are left alone (regression inputs live beside the seeds).
#include "FuzzFirmware.h"
#include "FuzzSupport.h"
#include "SimulatedPort.h"
#include "UnitSimulator.h"
#include "editing/ValueEntry.h"
#include "files/ParameterFile.h"
#include "files/Preset.h"
#include "firmware/FirmwarePacker.h"
#include "firmware/FirmwareTransfer.h"
#include "link/Discovery.h"
#include "link/Identification.h"
#include "link/LiveStatus.h"
#include "params/BlockTransfer.h"
#include "seams/ConversionError.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

using namespace vireo;
using vireo::fuzz::appendPiece;
namespace fs = std::filesystem;

namespace
{

using Bytes = std::vector<std::uint8_t>;

fs::path corpusRoot;
fs::path assetsDir;

void writeSeed(const std::string &target, const std::string &name, const Bytes &bytes)
{
    const fs::path dir = corpusRoot / target;
    fs::create_directories(dir);
    std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + (dir / name).string());
}

Bytes readAsset(const std::string &name)
{
    std::ifstream in(assetsDir / name, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + (assetsDir / name).string());
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes bytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

std::uint8_t versionIndex(std::string_view version)
{
    for (std::size_t i = 0; i < vireo::fuzz::FuzzVersions.size(); ++i)
        if (vireo::fuzz::FuzzVersions[i] == version)
            return static_cast<std::uint8_t>(i);
    throw std::invalid_argument("no fuzz version " + std::string(version));
}

// A port whose far end is a simulated unit; every answer is also appended to a script as
// the piece the fuzz port will hand out for that write.
class RecordingPort : public SerialPort
{
public:
    RecordingPort(UnitSimulator &unit, Bytes &script) : unit_(unit), script_(script) {}

    bool open(const std::string &, std::uint32_t baud) override
    {
        open_ = true;
        baud_ = baud;
        return true;
    }
    void close() override
    {
        open_ = false;
        pending_.clear();
    }
    bool isOpen() const override { return open_; }
    bool write(const std::uint8_t *data, std::size_t size) override
    {
        const std::string written(reinterpret_cast<const char *>(data), size);
        if (onWrite)
            onWrite(written, baud_);
        const std::string reply = unit_.answer(written);
        appendPiece(script_, reply);
        pending_ += reply;
        return true;
    }
    std::size_t readSome(std::uint8_t *dst, std::size_t max, std::uint32_t) override
    {
        const std::size_t n = std::min(max, pending_.size());
        std::copy_n(pending_.begin(), n, dst);
        pending_.erase(0, n);
        return n;
    }
    void discardInput() override { pending_.clear(); }

    std::function<void(const std::string &, std::uint32_t)> onWrite;

private:
    UnitSimulator &unit_;
    Bytes &script_;
    bool open_ = false;
    std::uint32_t baud_ = 0;
    std::string pending_;
};

UnitConfig unitConfig(UnitKind kind, std::optional<std::string> firmware)
{
    UnitConfig c;
    c.kind = kind;
    c.firmware = std::move(firmware);
    return c;
}

ParameterSet sampleSet()
{
    ParameterSet s;
    std::int16_t v = 3;
    for (auto &axis : s.axes)
        for (auto &rec : axis) {
            rec.P() = 100 + v;
            rec.I() = 80;
            rec.D() = 20;
            rec.FF() = 10;
            rec.HLD() = 5;
            rec.W5() = v;
            rec.CTL() = 500;
            rec.ACG() = 160;
            rec.ACR() = 60;
            ++v;
        }
    for (std::size_t f = 0; f < CommonFieldCount; ++f)
        s.common.words[f] = static_cast<std::int16_t>(f % 3);
    s.common.RudNeutral() = 760;
    return s;
}

// --- Language lines -------------------------------------------------------------------------

Bytes utf16le(std::u16string_view text)
{
    Bytes out;
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return out;
}

std::u16string widen(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

void languageSeeds()
{
    const Bytes file = readAsset("lang/en/language.dat");
    const std::string text(file.begin(), file.end());
    // A few small pieces of the shipped English table, each a run of whole lines.
    std::vector<std::string> lines;
    for (std::size_t p = 0; p < text.size();) {
        const std::size_t end = text.find("\r\n", p);
        lines.push_back(text.substr(p, end == std::string::npos ? std::string::npos : end - p + 2));
        p = end == std::string::npos ? text.size() : end + 2;
    }
    auto pick = [&](const std::string &name, auto wanted) {
        std::string chunk;
        for (const auto &line : lines)
            if (wanted(line) && chunk.size() < 600)
                chunk += line;
        writeSeed("language_fields", name, utf16le(widen(chunk)));
    };
    std::size_t n = 0;
    pick("en_head", [&](const std::string &) { return n++ < 12; });
    pick("en_quoted", [](const std::string &l) { return l.find('"') != std::string::npos; });
    pick("en_multiline", [](const std::string &l) { return l.find('#') != std::string::npos; });
    pick("en_fonts", [](const std::string &l) { return std::count(l.begin(), l.end(), ',') >= 4; });
    // A Japanese record as it stands after decoding, a record with tabs and blanks, and one
    // whose font size is no number.
    writeSeed("language_fields", "ja_font",
              utf16le(u"ConnectButton,\u63a5\u7d9a,\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af,9,128\r\n"));
    writeSeed("language_fields", "blanks_tabs",
              utf16le(u"Key1\t, a b ,\"q\"\"uote\",,\r\n\r\nKey2,x#y#,Arial,+9 ,0"));
    writeSeed("language_fields", "bad_size", utf16le(u"Key3,text,Arial,nine,0\rKey4,\"open"));
}

// --- Link targets ---------------------------------------------------------------------------

void serialLinkSeeds()
{
    UnitSimulator unit(unitConfig(UnitKind::Kind2, " 0.5.0"));
    Bytes s;
    auto answer = [&](std::string_view line) { appendPiece(s, unit.answer(line)); };
    s.insert(s.end(), {0, 80, 0}); // exchange, 80 bytes: an axis record and "OK"
    answer("RROM A 0\r\n");
    s.insert(s.end(), {2, 11});
    s.push_back(1);
    answer("PING\r\n");
    s.push_back(3);
    answer("RESET\r\n");
    s.push_back(4);
    answer("PIROU\r\n");
    s.push_back(5);
    appendPiece(s, std::string_view("00FF\r"));
    s.push_back(6);
    s.push_back(7);
    writeSeed("serial_link", "commands", s);

    // A reply longer than the reply buffer, read field by field past its end.
    Bytes l = {0, 0xB8, 0x0B}; // 3000 bytes asked
    std::string longReply;
    while (longReply.size() < 2400)
        longReply += "7FFF ";
    appendPiece(l, longReply);
    l.insert(l.end(), {0x82, 0xD0}); // 200 + 208 fields
    writeSeed("serial_link", "long_reply", l);
}

void identificationSeeds()
{
    struct Case {
        const char *name;
        UnitKind kind;
        std::optional<std::string> firmware;
        std::uint8_t baudBit; // 0: 250000, 1: 230400
    };
    const Case cases[] = {
        {"kind2_050", UnitKind::Kind2, " 0.5.0", 0},
        {"kind2_loader", UnitKind::Kind2, std::nullopt, 0},
        {"kind1_205", UnitKind::Kind1, " 2.0.5", 1},
        {"kind1_loader", UnitKind::Kind1, std::nullopt, 0},
    };
    for (const Case &c : cases) {
        for (std::uint8_t mode = 0; mode < 3; ++mode) {
            UnitSimulator unit(unitConfig(c.kind, c.firmware));
            Bytes s = {static_cast<std::uint8_t>(c.baudBit | (mode << 1))};
            if (mode == 0) {
                appendPiece(s, unit.answer("UPVER\r\n"));
                appendPiece(s, unit.answer("VER\r\n"));
            } else {
                RecordingPort port(unit, s);
                SerialLink link(port);
                link.baudRate = c.baudBit ? 230400 : 250000;
                if (mode == 1) {
                    link.openPort();
                    identifyUnit(link);
                } else {
                    struct Listed : PortLister {
                        std::vector<PortInfo> presentPorts() override
                        {
                            return {{"/dev/ttyS0", "ACPI\\PNP0501\\0"},
                                    {"/dev/ttyUSB0", "FTDIBUS\\VID_0403+PID_6001+A1\\0000"}};
                        }
                    } ports;
                    findUnitPort(link, ports, [&] { return identifyUnit(link).has_value(); });
                }
            }
            writeSeed("identification", std::string(c.name) + "_mode" + std::to_string(mode), s);
        }
    }
}

void liveStatusSeeds()
{
    struct Case {
        const char *name;
        UnitKind kind;
        const char *firmware;
        int axisMode;
    };
    const Case cases[] = {
        {"kind2_050", UnitKind::Kind2, " 0.5.0", 1},
        {"kind2_025", UnitKind::Kind2, " 0.2.5", 0},
        {"kind1_105", UnitKind::Kind1, " 1.0.5", 0},
    };
    for (const Case &c : cases) {
        UnitConfig cfg = unitConfig(c.kind, c.firmware);
        cfg.animate = true;
        UnitSimulator unit(cfg);
        const auto kindBit = static_cast<std::uint8_t>(c.kind == UnitKind::Kind2 ? 1 : 0);
        Bytes s = {static_cast<std::uint8_t>(kindBit | (c.axisMode << 1) | (versionIndex(c.firmware) << 3)),
                   1}; // two ticks
        RecordingPort port(unit, s);
        SerialLink link(port);
        link.openPort();
        LiveStatus status;
        pollLiveStatus(link, status, c.kind, c.firmware);
        pollLiveStatus(link, status, c.kind, c.firmware);
        writeSeed("live_status", c.name, s);
    }
}

void blockTransferSeeds()
{
    struct Case {
        const char *name;
        UnitKind kind;
        const char *firmware;
    };
    const Case cases[] = {
        {"kind2_050", UnitKind::Kind2, " 0.5.0"},
        {"kind2_039", UnitKind::Kind2, " 0.3.9"},
        {"kind1_200", UnitKind::Kind1, " 2.0.0"},
    };
    constexpr std::array<Selector, 7> selectors = {Selector::A, Selector::E, Selector::R, Selector::C,
                                                   Selector::Z, Selector::G, Selector::J};
    for (const Case &c : cases) {
        UnitSimulator unit(unitConfig(c.kind, c.firmware));
        const UnitProfile profile{c.kind, c.firmware};
        Bytes s = {
            static_cast<std::uint8_t>((c.kind == UnitKind::Kind2 ? 1 : 0) | (versionIndex(c.firmware) << 1)),
            0};
        RecordingPort port(unit, s);
        SerialLink link(port);
        link.openPort();
        ParameterSet work = sampleSet();
        AxisRecordTable def{};
        int count = 0;
        auto op = [&](int kindOfOp, std::size_t selector, int k) {
            s.push_back(static_cast<std::uint8_t>(kindOfOp + 3 * static_cast<int>(selector) + 21 * k));
            ++count;
            const Selector group = selectors[selector];
            if (kindOfOp == 0)
                readGroup(link, profile, group, k, work);
            else if (kindOfOp == 1)
                readDefaults(link, group, k, def);
            else
                writeGroup(link, profile, group, k, work);
        };
        op(2, 0, 1); // WROM A 1
        op(0, 0, 1); // RROM A 1
        op(0, 2, 2); // RROM R 2
        op(2, 3, 0); // WROM C
        op(0, 3, 0); // RROM C
        op(1, 1, 0); // RDEF E 0
        op(2, 4, 0); // WROM Z
        s[1] = static_cast<std::uint8_t>(count);
        readAllDefaults(link, profile, work, def);
        writeSeed("block_transfer", c.name, s);
    }
}

void extraPortSeeds()
{
    Bytes s = {0x03, 0x04, 0x01, 0x60, 0x03};
    appendPiece(s, std::string_view("A50285BI"));
    const std::string spec = "/dev/pts/3=" + SimulatedBus::ftdiBusId("SIM0001") +
                             ";;/dev/pts/4=" + SimulatedBus::ftdiBusId("SIM0002", "6015") + ";/dev/ttyS0";
    s.insert(s.end(), spec.begin(), spec.end());
    writeSeed("extra_ports", "sim_ports", s);
    Bytes other = {0x6B, 0x1D, 0x02, 0x01, 0x01, 0};
    const std::string plain = "COM3=USB\\VID_1D6B&PID_0102\\5&1\\0000";
    other.insert(other.end(), plain.begin(), plain.end());
    writeSeed("extra_ports", "other_usb", other);
}

void valueEntrySeeds()
{
    struct Case {
        const char *name;
        std::int32_t limit;
        std::int16_t fallback;
        std::string text;
    };
    const Case cases[] = {
        {"within_limit", 5000, 100, entryText(250)}, {"over_limit", 5000, 100, entryText(5001)},
        {"wraps_16_bits", 32767, 7, "70000"},        {"signed", 60, 0, "+0020"},
        {"negative", 20, 5, entryText(-1)},          {"empty", 1000, 12, ""},
        {"past_32_bits", 32767, 1, "2147483648"},
    };
    for (const Case &c : cases) {
        Bytes s;
        for (int i = 0; i < 4; ++i)
            s.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(c.limit) >> (8 * i)));
        s.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(c.fallback) & 0xFF));
        s.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(c.fallback) >> 8));
        s.insert(s.end(), c.text.begin(), c.text.end());
        writeSeed("value_entry", c.name, s);
    }
}

// --- Files ----------------------------------------------------------------------------------

// A parameter image of an older layout: the current writer's words cut to the layout's length,
// the format word set and the checksum summed again.
Bytes olderLayout(std::uint16_t format, std::size_t words)
{
    const ParameterFileImage current = encodeParameterFile(sampleSet());
    std::vector<std::uint16_t> w(current.begin(), current.begin() + static_cast<std::ptrdiff_t>(words));
    w[0] = format;
    w[words - 1] = wordSum(std::span(w).subspan(1, words - 2));
    return imageBytes(w);
}

void parameterFileSeeds()
{
    const ParameterFileImage current = encodeParameterFile(sampleSet());
    writeSeed("parameter_file", "format3_written", imageBytes(current));
    writeSeed("parameter_file", "format2_81_words", olderLayout(2, 81));
    writeSeed("parameter_file", "format1_74_words", olderLayout(1, 74));
    writeSeed("parameter_file", "formatffff_72_words", olderLayout(0xFFFF, 72));
    // Headerless: six records of nine words, common fields 0..3, and the sum of words 0..57.
    std::vector<std::uint16_t> headerless(59);
    const ParameterSet set = sampleSet();
    for (int k = 0; k < 2; ++k)
        for (int a = 0; a < AxisCount; ++a)
            for (int f = 0; f < 9; ++f)
                headerless[static_cast<std::size_t>((k * AxisCount + a) * 9 + f)] =
                    static_cast<std::uint16_t>(set.axes[a][k].words[f]);
    for (int f = 0; f < 4; ++f)
        headerless[static_cast<std::size_t>(54 + f)] = static_cast<std::uint16_t>(set.common.words[f]);
    headerless[58] = wordSum(std::span(headerless).first(58));
    writeSeed("parameter_file", "headerless_59_words", imageBytes(headerless));
    writeSeed("parameter_file", "shipped_preset", readAsset("kalm07.gdt"));
}

void presetSeeds()
{
    for (int p = 0; p < PresetCount; ++p) {
        const Bytes tpd = readAsset(std::string(PresetFiles[static_cast<std::size_t>(p)].tpd));
        const Bytes gdt = readAsset(std::string(PresetFiles[static_cast<std::size_t>(p)].gdt));
        for (std::string_view fw : {" 0.5.0", " 0.3.9"}) {
            Bytes s = {static_cast<std::uint8_t>(p + PresetCount * versionIndex(fw)),
                       static_cast<std::uint8_t>(tpd.size())};
            s.insert(s.end(), tpd.begin(), tpd.end());
            s.insert(s.end(), gdt.begin(), gdt.end());
            writeSeed("preset_file", "preset" + std::to_string(p) + (fw == " 0.5.0" ? "_050" : "_039"), s);
        }
    }
    // A format-2 parameter half with its common fields.
    const Bytes tpd = imageBytes(encodePresetBlockFile(0, sampleSet()));
    Bytes s = {static_cast<std::uint8_t>(PresetCount * versionIndex(" 0.2.5")),
               static_cast<std::uint8_t>(tpd.size())};
    s.insert(s.end(), tpd.begin(), tpd.end());
    const Bytes gdt = olderLayout(2, 81);
    s.insert(s.end(), gdt.begin(), gdt.end());
    writeSeed("preset_file", "format2_gdt", s);
}

// --- Firmware -------------------------------------------------------------------------------

void firmwareSeeds()
{
    FirmwarePackage sparse;
    sparse.kind = UnitKind::Kind1;
    sparse.version = " 2.0.5";
    sparse.payload = {0x02, 0x00, 0x80};
    sparse.flags = FirmwarePackage::onlyBlocksSent({0, LastFirmwareBlock});
    writeSeed("firmware_file", "kind1_two_blocks", serializeFirmwareFile(*packFirmware(sparse)));

    // The tail of a fully flagged image: the last two blocks and every flag.
    FirmwarePackage full;
    full.kind = UnitKind::Kind2;
    const Bytes bytes = serializeFirmwareFile(*packFirmware(full));
    const std::size_t tail = FirmwareBlockCount + 2 * FirmwareBlockSize;
    writeSeed("firmware_file", "kind2_tail",
              Bytes(bytes.end() - static_cast<std::ptrdiff_t>(tail), bytes.end()));

    int listNumber = 0;
    for (const auto &list : {"all", "none", "0-99,1503", "7", "1500-1503,0,1-2"})
        writeSeed("firmware_block_list", "list" + std::to_string(listNumber++), bytesOf(list));

    struct Case {
        const char *name;
        UnitKind kind;
        std::uint8_t setup;
    };
    const Case cases[] = {
        {"kind2_250000", UnitKind::Kind2, 1},
        {"kind1_250000", UnitKind::Kind1, 0},
        {"kind2_230400", UnitKind::Kind2, 3},
        {"kind1_wrong_file", UnitKind::Kind1, 4},
    };
    for (const Case &c : cases) {
        const std::uint8_t a = 0, b = 17;
        const UnitKind fileKind =
            c.setup & 4 ? (c.kind == UnitKind::Kind1 ? UnitKind::Kind2 : UnitKind::Kind1) : c.kind;
        const auto file = vireo::fuzz::transferImage(fileKind, a, b);
        UnitSimulator unit(unitConfig(c.kind, c.kind == UnitKind::Kind1 ? " 2.0.5" : " 0.5.0"));
        Bytes s = {c.setup, a, b};
        RecordingPort port(unit, s);
        SerialLink link(port);
        link.baudRate = c.setup & 2 ? 230400 : 250000;
        link.openPort();
        const UpdateOutcome outcome = transferFirmware(link, c.kind, *file, {});
        if ((outcome == UpdateOutcome::Complete) != (fileKind == c.kind))
            throw std::runtime_error(std::string("unexpected transfer outcome for ") + c.name);
        writeSeed("firmware_transfer", c.name, s);
    }
}

// --- Files through the file system, images, the language file as bytes ---------------------

Bytes prefixed(std::initializer_list<std::uint8_t> head, const Bytes &rest)
{
    Bytes out(head);
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

void fileReadingSeeds()
{
    const Bytes current = imageBytes(encodeParameterFile(sampleSet()));
    writeSeed("file_reading", "parameter_format3", prefixed({0}, current));
    writeSeed("file_reading", "parameter_format2", prefixed({0}, olderLayout(2, 81)));
    writeSeed("file_reading", "parameter_empty", {0});
    Bytes damaged = current;
    damaged.back() ^= 0x01;
    writeSeed("file_reading", "parameter_bad_checksum", prefixed({0}, damaged));

    const Bytes tpd = readAsset("kalm07.tpd");
    Bytes preset = {1, static_cast<std::uint8_t>(2 + PresetCount * versionIndex(" 0.5.0")),
                    static_cast<std::uint8_t>(tpd.size())};
    preset.insert(preset.end(), tpd.begin(), tpd.end());
    const Bytes gdt = readAsset("kalm07.gdt");
    preset.insert(preset.end(), gdt.begin(), gdt.end());
    writeSeed("file_reading", "preset_kalm07_050", preset);

    FirmwarePackage package;
    package.kind = UnitKind::Kind2;
    const Bytes firmware = serializeFirmwareFile(*packFirmware(package));
    const std::size_t tail = FirmwareBlockCount + 2 * FirmwareBlockSize;
    writeSeed("file_reading", "firmware_tail",
              prefixed({2}, Bytes(firmware.end() - static_cast<std::ptrdiff_t>(tail), firmware.end())));
    writeSeed("file_reading", "firmware_short", prefixed({2}, bytesOf("not a firmware file")));
}

void imageSeeds()
{
    for (const char *name : {"led_off.png", "led_red_on.png", "led_green_on.png"})
        writeSeed("png_image", std::string(name).substr(0, std::string(name).size() - 4), readAsset(name));
    const Bytes lamp = readAsset("led_off.png");
    writeSeed("png_image", "led_off_truncated", Bytes(lamp.begin(), lamp.begin() + 100));
}

void languageFileSeeds()
{
    // The first lines of both shipped tables, as the bytes the program reads.
    for (const auto &[name, asset] :
         {std::pair{"ja_head", "language.dat"}, std::pair{"en_head", "lang/en/language.dat"}}) {
        const Bytes file = readAsset(asset);
        const std::string text(file.begin(), file.end());
        std::size_t end = 0;
        for (int line = 0; line < 40 && end < text.size(); ++line) {
            const std::size_t at = text.find("\r\n", end);
            end = at == std::string::npos ? text.size() : at + 2;
        }
        writeSeed("language_file", name,
                  Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(end)));
    }
    writeSeed("language_file", "bad_font_size", bytesOf("ConnectButton,CONNECT,Arial,nine,0\r\n"));
    // A lead byte of a two-byte character with nothing after it, in the middle and at the end.
    writeSeed("language_file", "broken_lead_byte", bytesOf("KALMKind1,\x82,\x82\x9F\r\nKALMKind2,\x81"));
    writeSeed("language_file", "combo_items",
              bytesOf("GASINHChComboBox,INH,Arial,9,0\r\nGASGearChComboBox,GEAR\r\n"
                      "CPSLabel3,one#two#three,Arial,9,0\r\n"));
}

// Op scripts for flow_faults (see the target for the format). Every one of them must pass;
// inputs that show a fault still open go to fuzz/pending/flow_faults/ instead.
void flowFaultSeeds()
{
    enum : std::uint8_t {
        Fault,
        PowerBack,
        Read,
        Write,
        Set,
        EditAxis,
        EditPirouette,
        FactoryReset,
        PresetReset
    };
    enum : std::uint8_t { Silence, Ignore, Short, Garbage, WrongAck, Late, Disconnect, Unplug };
    // Indices into the target's list of fault targets.
    enum : std::uint8_t { AnyRead = 1, RromA0 = 3, RromE1 = 5, WromE2 = 10, WromC1 = 13, ResetCmd = 17 };
    const std::vector<std::pair<const char *, Bytes>> seeds = {
        {"kind2_050_edit_write_read", {0, EditAxis, 1, 0, 100, 0, Write, Read, 1}},
        {"kind2_038_pirouette_set", {1, EditPirouette, 40, Set}},
        {"kind1_205_factory_reset_write", {2, FactoryReset, Write}},
        {"kind1_104_preset_reset_write", {3, PresetReset, 9, Write}},
        {"write_stopped_then_power_back",
         {0, EditAxis, 0, 1, 50, 0, Fault, WromE2, 1, Silence, 0, 0, Write, PowerBack, Write}},
        {"garbled_reads_then_clean_read", {0, Fault, RromE1, 0, Garbage, 0, 0, Read, 0, PowerBack, Read, 0}},
        {"reset_reply_lost", {0, Fault, ResetCmd, 1, Silence, 0, 0, FactoryReset, PowerBack, Write}},
        {"preset_reset_unplugged", {0, Fault, WromC1, 1, Unplug, 0, 0, PresetReset, 5, PowerBack, Read, 0}},
        {"late_read_reply", {0, Fault, RromA0, 1, Late, 0x70, 0x17, Read, 0, PowerBack, Read, 0}},
        {"unit_dies_during_read",
         {0, Fault, AnyRead, 3, Disconnect, 0, 0, Read, 0, PowerBack, Read, 0, Write}},
        {"first_read_is_a_flow", {4, Read, 0, Write}},
    };
    for (const auto &[name, bytes] : seeds)
        writeSeed("flow_faults", name, bytes);
}

// --- Simulator ------------------------------------------------------------------------------

void faultRuleSeeds()
{
    const FaultRule rules[] = {
        {"", 3, FaultAction::Silence, -1},        {"PING", 0, FaultAction::Late, 300},
        {"BLKNUM", 2, FaultAction::WrongAck, -1}, {"GINFO E", 0, FaultAction::Garbage, -1},
        {"", 0, FaultAction::Late, 20},           {"RROM C", 1, FaultAction::Short, 7},
        {"VER", 0, FaultAction::Ignore, -1},      {"UPDATE", 0, FaultAction::Disconnect, -1},
        {"WROM", 2, FaultAction::Unplug, -1},     {"", 0, FaultAction::Garbage, 12},
    };
    int i = 0;
    for (const FaultRule &rule : rules)
        writeSeed("fault_rule", "rule" + std::to_string(i++), bytesOf(rule.text()));
}

void simStateSeeds()
{
    writeSeed("sim_state", "kind2_050",
              bytesOf(formatMemory(UnitSimulator(unitConfig(UnitKind::Kind2, " 0.5.0")).memory())));
    writeSeed("sim_state", "kind1_loader",
              bytesOf(formatMemory(UnitSimulator(unitConfig(UnitKind::Kind1, std::nullopt)).memory())));
}

// Sessions of the real link code against a unit, replayed byte for byte into a fresh unit of
// the same configuration: each write becomes one receive at its rate, then a 20 ms wait.
void unitSimulatorSeeds()
{
    struct Case {
        const char *name;
        std::uint8_t config;
        UnitKind kind;
        std::optional<std::string> firmware;
        bool update;
    };
    const Case cases[] = {
        {"kind2_session", 0x01 | (1 << 1), UnitKind::Kind2, " 0.5.0", false},
        {"kind1_session_timed", 0x00 | (6 << 1) | 0x10, UnitKind::Kind1, " 2.0.5", false},
        {"kind2_update", 0x01 | (1 << 1), UnitKind::Kind2, " 0.5.0", true},
        {"kind1_loader_update", 0x00, UnitKind::Kind1, std::nullopt, true},
    };
    for (const Case &c : cases) {
        UnitSimulator unit(unitConfig(c.kind, c.firmware));
        Bytes replies; // not used: the fuzzed unit answers by itself
        Bytes s = {c.config};
        RecordingPort port(unit, replies);
        port.onWrite = [&](const std::string &written, std::uint32_t baud) {
            const std::uint8_t rate = baud == 230400 ? 1 : 0;
            s.push_back(rate); // receive at that rate
            appendPiece(s, written);
            s.push_back(static_cast<std::uint8_t>(0x04 | rate)); // wait 5 * 4 ms
            s.push_back(5);
        };
        SerialLink link(port);
        link.baudRate = c.kind == UnitKind::Kind1 && c.firmware ? 230400 : 250000;
        link.openPort();
        if (c.update) {
            const auto file = vireo::fuzz::transferImage(c.kind, 3, 9);
            transferFirmware(link, c.kind, *file, {});
        } else {
            const Identification id = identifyUnit(link).value_or(Identification{});
            const UnitProfile profile{id.kind, id.firmwareVersion};
            ParameterSet work = sampleSet();
            readGroup(link, profile, Selector::A, 0, work);
            readGroup(link, profile, Selector::C, 0, work);
            writeGroup(link, profile, Selector::R, 1, work);
            LiveStatus status;
            pollLiveStatus(link, status, id.kind, id.firmwareVersion);
            link.exchange("RESET\r\n", 4, 5000);
        }
        writeSeed("unit_simulator", c.name, s);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <corpus directory> <assets directory>\n", argv[0]);
        return 2;
    }
    corpusRoot = argv[1];
    assetsDir = argv[2];
    try {
        languageSeeds();
        serialLinkSeeds();
        identificationSeeds();
        liveStatusSeeds();
        blockTransferSeeds();
        extraPortSeeds();
        valueEntrySeeds();
        parameterFileSeeds();
        presetSeeds();
        firmwareSeeds();
        faultRuleSeeds();
        simStateSeeds();
        unitSimulatorSeeds();
        fileReadingSeeds();
        imageSeeds();
        languageFileSeeds();
        flowFaultSeeds();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
