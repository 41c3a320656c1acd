// kalm07-sim: simulated KALM07 units on pseudo-terminals.
//
// Prints the VIREO_EXTRA_PORTS value for its ports as the first line on stdout, then serves
// until it is killed (SIGTERM, SIGINT or SIGHUP end it cleanly).
#include "UnitSimulator.h"
#include "pty/PtyHost.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace
{

using namespace vireo;

volatile std::sig_atomic_t stopRequested = 0;

void onSignal(int)
{
    stopRequested = 1;
}

constexpr const char *Usage = R"(usage: kalm07-sim [options]
Serves simulated KALM07 units on pseudo-terminals. The first line on stdout is the
value for VIREO_EXTRA_PORTS (path=busid;path=busid); then it runs until killed.

  --kind 1|2            unit kind (default 2)
  --firmware TEXT       application firmware version, six characters with the leading
                        blank, e.g. " 0.5.0" (default " 0.5.0")
  --loader              only the loader is present (VER answers 0000)
  --loader-version TEXT UPVER answer without CR LF (default 0.3.0 for kind 1, 0.4.1 for 2)
  --bauds LIST          rates the unit answers at, e.g. 230400,250000 (default: kind 1
                        application 230400, loader 250000, transfer 230400; kind 2 both)
  --latency-ms N        adapter latency added to every reply (default 0)
  --wire-timing         delay replies by the line time of command and reply (10 bits a byte)
  --animate             let the live gains follow a slow sine
  --fault RULE          [PREFIX][#N]:ACTION[=ARG], repeatable; ACTION is silence, ignore,
                        short[=K], garbage[=K], wrongack, late=MS, disconnect or unplug
  --state FILE          keep stored values and firmware in FILE between runs (unit i > 0
                        uses FILE.i); an existing file overrides --firmware
  --units N             serve N identical units (default 1)
  --empty-ports N       first list N more FTDI ports with nothing behind them
  --transcript FILE     append every command and reply to FILE ("-" for stderr)
  --help                this text
)";

struct Options {
    UnitConfig config;
    std::vector<std::string> faults;
    std::string statePath;
    std::string transcriptPath;
    int units = 1;
    int emptyPorts = 0;
};

bool fail(const std::string &message)
{
    std::cerr << "kalm07-sim: " << message << "\n";
    return false;
}

bool parseInt(const std::string &text, int &value, int min)
{
    try {
        std::size_t used = 0;
        value = std::stoi(text, &used);
        return used == text.size() && value >= min;
    } catch (...) {
        return false;
    }
}

bool parseOptions(int argc, char **argv, Options &o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string &out) {
            if (i + 1 >= argc)
                return fail(arg + " needs a value");
            out = argv[++i];
            return true;
        };
        std::string v;
        if (arg == "--help" || arg == "-h") {
            std::cout << Usage;
            std::exit(0);
        } else if (arg == "--kind") {
            if (!value(v) || (v != "1" && v != "2"))
                return fail("--kind takes 1 or 2");
            o.config.kind = v == "1" ? UnitKind::Kind1 : UnitKind::Kind2;
        } else if (arg == "--firmware") {
            if (!value(v))
                return false;
            if (v.size() != 6)
                return fail("--firmware takes six characters with the leading blank, e.g. \" 0.5.0\"");
            o.config.firmware = v;
        } else if (arg == "--loader") {
            o.config.firmware.reset();
        } else if (arg == "--loader-version") {
            if (!value(o.config.loaderVersion))
                return false;
        } else if (arg == "--bauds") {
            if (!value(v))
                return false;
            std::stringstream list(v);
            std::string item;
            while (std::getline(list, item, ',')) {
                int baud = 0;
                if (!parseInt(item, baud, 1))
                    return fail("--bauds takes rates separated by commas");
                o.config.bauds.push_back(static_cast<std::uint32_t>(baud));
            }
        } else if (arg == "--latency-ms") {
            if (!value(v) || !parseInt(v, o.config.latencyMs, 0))
                return fail("--latency-ms takes a whole number of milliseconds");
        } else if (arg == "--wire-timing") {
            o.config.wireTiming = true;
        } else if (arg == "--animate") {
            o.config.animate = true;
        } else if (arg == "--fault") {
            if (!value(v))
                return false;
            std::string error;
            if (!FaultRule::parse(v, &error))
                return fail(error);
            o.faults.push_back(v);
        } else if (arg == "--state") {
            if (!value(o.statePath))
                return false;
        } else if (arg == "--units") {
            if (!value(v) || !parseInt(v, o.units, 1))
                return fail("--units takes a count from 1 on");
        } else if (arg == "--empty-ports") {
            if (!value(v) || !parseInt(v, o.emptyPorts, 0))
                return fail("--empty-ports takes a count");
        } else if (arg == "--transcript") {
            if (!value(o.transcriptPath))
                return false;
        } else {
            return fail("unknown option " + arg + " (see --help)");
        }
    }
    return true;
}

std::string statePathFor(const std::string &base, int index)
{
    return index == 0 ? base : base + "." + std::to_string(index);
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!parseOptions(argc, argv, options))
        return 2;

    std::ofstream transcriptFile;
    std::ostream *transcript = nullptr;
    if (options.transcriptPath == "-") {
        transcript = &std::cerr;
    } else if (!options.transcriptPath.empty()) {
        transcriptFile.open(options.transcriptPath, std::ios::app);
        if (!transcriptFile) {
            fail("cannot open " + options.transcriptPath);
            return 2;
        }
        transcript = &transcriptFile;
    }

    std::vector<std::unique_ptr<UnitSimulator>> units;
    PtyHost host;
    std::string extraPorts;
    auto listPort = [&](const std::string &serial) {
        if (!extraPorts.empty())
            extraPorts += ';';
        extraPorts +=
            host.slavePath(host.unitCount() - 1) + "=FTDIBUS\\VID_0403+PID_6001+" + serial + "\\0000";
    };
    for (int i = 0; i < options.emptyPorts; ++i) {
        std::string error;
        if (!host.addUnit(nullptr, &error)) {
            fail(error);
            return 1;
        }
        listPort("EMPTY" + std::to_string(i + 1));
    }
    for (int i = 0; i < options.units; ++i) {
        auto unit = std::make_unique<UnitSimulator>(options.config);
        for (const auto &rule : options.faults)
            unit->addFault(rule);
        if (!options.statePath.empty()) {
            const std::string path = statePathFor(options.statePath, i);
            std::string error;
            if (!unit->loadStateFile(path, &error) && !error.empty())
                std::cerr << "kalm07-sim: ignoring " << path << ": " << error << "\n";
            UnitSimulator *u = unit.get();
            unit->onMemoryChanged = [u, path] {
                std::string saveError;
                if (!u->saveStateFile(path, &saveError))
                    std::cerr << "kalm07-sim: " << saveError << "\n";
            };
        }
        if (transcript) {
            unit->onTranscript = [transcript, i, multi = options.units > 1](const TranscriptEntry &e) {
                if (multi)
                    *transcript << "[" << i << "] ";
                *transcript << UnitSimulator::formatEntry(e) << std::endl;
            };
        }
        std::string error;
        if (!host.addUnit(unit.get(), &error)) {
            fail(error);
            return 1;
        }
        char serial[32];
        std::snprintf(serial, sizeof serial, "SIM%04d", i + 1);
        listPort(serial);
        units.push_back(std::move(unit));
    }

    struct sigaction action {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::cout << extraPorts << std::endl;
    host.run(stopRequested);
    return 0;
}
