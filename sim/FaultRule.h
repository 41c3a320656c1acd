#pragma once
// Fault injection for the simulated unit. A rule picks commands by the start of their name
// and, optionally, the n-th of those, and spoils the unit's answer to them.
//
// Text form:  [PREFIX][#N]:ACTION[=ARG]
//   PREFIX  start of the command name; empty or "*" matches every command. Text commands are
//           named by their line without CR LF ("PING", "GINFO A", "WROM C 1 0003 ..."), a bare
//           CR LF by the empty name; loader steps are named SYNC, CMD11, ARG <value>, BEGIN,
//           BLKCMD, BLKNUM <number>, BLKDATA <number>, END (numbers in decimal).
//   #N      only the n-th matching command (counting from 1); without it, every match.
//   ACTION  silence      the unit acts on the command but its reply is lost
//           ignore       the command never reaches the unit: no effect, no reply
//           short[=K]    only the first K reply bytes (default: all but the last)
//           garbage[=K]  K bytes of garbage instead of the reply (default: as many as the reply;
//                        at most MaxGarbageBytes, so a mistyped count cannot exhaust memory)
//           wrongack     binary ack 0x00 becomes 0x01 and any other ack 0x00; "OK\r\n" becomes
//                        "NG\r\n"; other text replies get '?' as their first byte
//           late=MS      the reply starts MS milliseconds later
//           disconnect   the unit goes dead (power or cable lost) before acting; the port stays
//           unplug       the USB adapter vanishes: the port fails and is no longer listed
// Examples: "#3:silence", "PING:late=300", "BLKNUM#2:wrongack", "GINFO E:garbage", "*:late=20".
#include <optional>
#include <string>
#include <string_view>

namespace vireo
{

enum class FaultAction { Silence, Ignore, Short, Garbage, WrongAck, Late, Disconnect, Unplug };

struct FaultRule {
    std::string prefix; // empty: every command
    int nth = 0;        // 0: every matching command; n > 0: only the n-th match
    FaultAction action = FaultAction::Silence;
    int arg = -1; // Short/Garbage: byte count (-1 default); Late: milliseconds

    // Far more than any reply the program awaits (at most 2047 bytes).
    static constexpr int MaxGarbageBytes = 65536;

    static std::optional<FaultRule> parse(std::string_view text, std::string *error = nullptr);
    std::string text() const; // the rule in its text form

    bool matchesName(std::string_view name) const { return name.substr(0, prefix.size()) == prefix; }
};

} // namespace vireo
