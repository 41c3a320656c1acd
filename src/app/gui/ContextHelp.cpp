// Context help of the control parameter page: entering a gain's name label fills the help
// panel (Label68 heading, Label69 summary, Label67 explanation) with that gain's three
// language texts; leaving a row label of the page clears it.
#include "app/gui/TForm1.h"
#include "params/GainGrid.h"
#include "widgets/HoverRelay.h"

#include <QLabel>

#include <array>
#include <optional>
#include <vector>

namespace vireo
{

namespace
{

// [GainHelp]
struct HelpTexts {
    const char *heading, *summary, *explanation;
};

constexpr std::array<HelpTexts, GainHelpCount> Groups = {{{"CPSPHelp1", "CPSPHelp2", "CPSPHelp3"},
                                                          {"CPSIHelp1", "CPSIHelp2", "CPSIHelp3"},
                                                          {"CPSDHelp1", "CPSDHelp2", "CPSDHelp3"},
                                                          {"CPSFFHelp1", "CPSFFHelp2", "CPSFFHelp3"},
                                                          {"CPSHLDHelp1", "CPSHLDHelp2", "CPSHLDHelp3"},
                                                          {"CPSCTLHelp1", "CPSCTLHelp2", "CPSCTLHelp3"}}};

using EnterHandler = void (TForm1::*)(QObject *);

// [GainHelp]
constexpr std::array<EnterHandler, GainHelpCount> EnterHandlers = {
    &TForm1::GyroGainLabelMouseEnter, &TForm1::LockGainLabelMouseEnter, &TForm1::DumperLabelGainMouseEnter,
    &TForm1::FFGainLabelMouseEnter,   &TForm1::HoldingGainMouseEnter,   &TForm1::ControlGainLabelMouseEnter};

// Labels of the status page that fill the panel with a help group but never clear it.
struct StatusLabels {
    GainHelp help;
    std::vector<const char *> labels;
};

struct Wiring {
    EnterHandler enter; // nullptr: no enter handler
    bool leave;         // HelpMouseLeave on leaving
    std::vector<const char *> labels;
};

// The labels of the gain grid's rows with this help group (none: the hidden rows), axis by axis.
std::vector<const char *> gridLabels(std::optional<GainHelp> help)
{
    std::vector<const char *> labels;
    for (const GainGridAxis &axis : GainGrid)
        for (std::size_t row = 0; row < axis.rows.size(); ++row)
            if (GainRowHelp[row] == help)
                labels.push_back(axis.rows[row].label);
    return labels;
}

// Row labels of the control parameter page clear the panel on leaving; the labels of the
// status page fill it but never clear it; the hidden row labels only clear it.
const std::vector<Wiring> &wiring()
{
    static const std::vector<Wiring> table = [] {
        const std::vector<StatusLabels> status = {
            {GainHelp::P, {"Label37", "Label40", "Label43"}},
            {GainHelp::I, {"Label38", "Label39",  "Label102", "Label41", "Label42", "Label103", "Label44",
                           "Label45", "Label104", "Label75",  "Label76", "Label77", "Label78",  "Label79",
                           "Label80", "Label96",  "Label97",  "Label98", "Label99", "Label100", "Label101"}},
        };
        std::vector<Wiring> t;
        for (int g = 0; g < GainHelpCount; ++g) {
            const auto help = static_cast<GainHelp>(g);
            t.push_back({EnterHandlers[static_cast<size_t>(g)], true, gridLabels(help)});
            for (const StatusLabels &s : status)
                if (s.help == help)
                    t.push_back({EnterHandlers[static_cast<size_t>(g)], false, s.labels});
        }
        t.push_back({nullptr, true, gridLabels(std::nullopt)});
        return t;
    }();
    return table;
}

} // namespace

void TForm1::connectHelp()
{
    for (const Wiring &w : wiring()) {
        HoverRelay::Handler enter;
        if (w.enter)
            enter = [this, handler = w.enter](QObject *sender) { (this->*handler)(sender); };
        HoverRelay::Handler leave;
        if (w.leave)
            leave = [this](QObject *sender) { HelpMouseLeave(sender); };
        auto *relay = new HoverRelay(this, enter, leave);
        for (const char *label : w.labels)
            relay->watch(control<QLabel>(QString::fromLatin1(label)));
    }
}

void TForm1::showHelpGroup(int group)
{
    const HelpTexts &g = Groups[static_cast<size_t>(group)];
    control<QLabel>(QStringLiteral("HelpHintLabel"))->hide();
    control<QLabel>(QStringLiteral("Label68"))->setText(text(QLatin1String(g.heading)));
    control<QLabel>(QStringLiteral("Label69"))->setText(text(QLatin1String(g.summary)));
    auto *explanation = control<QLabel>(QStringLiteral("Label67"));
    explanation->clear();
    explanation->setText(multiLineText(text(QLatin1String(g.explanation))));
}

void TForm1::GyroGainLabelMouseEnter(QObject *)
{
    showHelpGroup(static_cast<int>(GainHelp::P));
}
void TForm1::LockGainLabelMouseEnter(QObject *)
{
    showHelpGroup(static_cast<int>(GainHelp::I));
}
void TForm1::DumperLabelGainMouseEnter(QObject *)
{
    showHelpGroup(static_cast<int>(GainHelp::D));
}
void TForm1::FFGainLabelMouseEnter(QObject *)
{
    showHelpGroup(static_cast<int>(GainHelp::FF));
}
void TForm1::HoldingGainMouseEnter(QObject *)
{
    showHelpGroup(static_cast<int>(GainHelp::HLD));
}
void TForm1::ControlGainLabelMouseEnter(QObject *)
{
    showHelpGroup(static_cast<int>(GainHelp::CTL));
}

void TForm1::HelpMouseLeave(QObject *)
{
    for (const char *label : {"Label68", "Label69", "Label67"})
        control<QLabel>(QString::fromLatin1(label))->clear();
    // With no gain pointed at, the panel says how to fill it.
    auto *hint = control<QLabel>(QStringLiteral("HelpHintLabel"));
    hint->setText(text(QStringLiteral("CPSHelpHint")));
    hint->show();
}

} // namespace vireo
