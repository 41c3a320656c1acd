#include "FaultRule.h"

#include <array>
#include <charconv>
#include <string>
#include <utility>

namespace vireo
{

namespace
{

struct ActionName {
    FaultAction action;
    std::string_view name;
    bool takesArg;
    bool needsArg;
};

constexpr std::array<ActionName, 8> Actions = {{
    {FaultAction::Silence, "silence", false, false},
    {FaultAction::Ignore, "ignore", false, false},
    {FaultAction::Short, "short", true, false},
    {FaultAction::Garbage, "garbage", true, false},
    {FaultAction::WrongAck, "wrongack", false, false},
    {FaultAction::Late, "late", true, true},
    {FaultAction::Disconnect, "disconnect", false, false},
    {FaultAction::Unplug, "unplug", false, false},
}};

bool parseCount(std::string_view text, int &value)
{
    if (text.empty())
        return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= 0;
}

} // namespace

std::optional<FaultRule> FaultRule::parse(std::string_view text, std::string *error)
{
    auto fail = [&](std::string message) -> std::optional<FaultRule> {
        if (error)
            *error = "fault rule '" + std::string(text) + "': " + std::move(message);
        return std::nullopt;
    };
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos)
        return fail("expected [PREFIX][#N]:ACTION[=ARG]");
    FaultRule rule;
    std::string_view which = text.substr(0, colon);
    if (const std::size_t hash = which.rfind('#'); hash != std::string_view::npos) {
        if (!parseCount(which.substr(hash + 1), rule.nth) || rule.nth == 0)
            return fail("#N needs a count from 1 on");
        which = which.substr(0, hash);
    }
    rule.prefix = which == "*" ? std::string() : std::string(which);

    std::string_view action = text.substr(colon + 1);
    std::string_view arg;
    const std::size_t eq = action.find('=');
    if (eq != std::string_view::npos) {
        arg = action.substr(eq + 1);
        action = action.substr(0, eq);
    }
    for (const auto &a : Actions) {
        if (a.name != action)
            continue;
        rule.action = a.action;
        if (eq != std::string_view::npos) {
            if (!a.takesArg)
                return fail(std::string(a.name) + " takes no argument");
            if (!parseCount(arg, rule.arg))
                return fail("argument must be a whole number");
            if (a.action == FaultAction::Garbage && rule.arg > MaxGarbageBytes)
                return fail("garbage takes at most " + std::to_string(MaxGarbageBytes) + " bytes");
        } else if (a.needsArg) {
            return fail(std::string(a.name) + " needs =MS");
        }
        return rule;
    }
    return fail("unknown action '" + std::string(action) +
                "' (silence, ignore, short, garbage, wrongack, late, disconnect, unplug)");
}

std::string FaultRule::text() const
{
    std::string out = prefix.empty() && nth == 0 ? std::string("*") : prefix;
    if (nth > 0)
        out += "#" + std::to_string(nth);
    out += ':';
    for (const auto &a : Actions)
        if (a.action == action)
            out += a.name;
    if (arg >= 0)
        out += "=" + std::to_string(arg);
    return out;
}

} // namespace vireo
