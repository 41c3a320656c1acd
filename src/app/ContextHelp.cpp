// Context help of the control parameter page: entering a gain's name label fills the help
// panel (Label68 heading, Label69 summary, Label67 explanation) with that gain's three
// language texts; leaving a row label of the page clears it.
#include "app/HoverRelay.h"
#include "app/TForm1.h"

#include <QLabel>

#include <array>
#include <vector>

namespace vireo
{

namespace
{

enum HelpGroup { PGain, IGain, DGain, FFGain, HLDGain, CTLGain };

struct HelpTexts {
    const char *heading, *summary, *explanation;
};

constexpr std::array<HelpTexts, 6> Groups = {{{"CPSPHelp1", "CPSPHelp2", "CPSPHelp3"},
                                              {"CPSIHelp1", "CPSIHelp2", "CPSIHelp3"},
                                              {"CPSDHelp1", "CPSDHelp2", "CPSDHelp3"},
                                              {"CPSFFHelp1", "CPSFFHelp2", "CPSFFHelp3"},
                                              {"CPSHLDHelp1", "CPSHLDHelp2", "CPSHLDHelp3"},
                                              {"CPSCTLHelp1", "CPSCTLHelp2", "CPSCTLHelp3"}}};

struct Wiring {
    void (TForm1::*enter)(QObject *); // nullptr: no enter handler
    bool leave;                       // HelpMouseLeave on leaving
    std::vector<const char *> labels;
};

// Row labels of the control parameter page clear the panel on leaving; the labels of the
// status page fill it but never clear it; the hidden A.C row labels only clear it.
const std::vector<Wiring> &wiring()
{
    static const std::vector<Wiring> table = {
        {&TForm1::GyroGainLabelMouseEnter, true, {"Label1", "Label10", "Label19"}},
        {&TForm1::GyroGainLabelMouseEnter, false, {"Label37", "Label40", "Label43"}},
        {&TForm1::LockGainLabelMouseEnter, true, {"Label2", "Label11", "Label20"}},
        {&TForm1::LockGainLabelMouseEnter,
         false,
         {"Label38", "Label39",  "Label102", "Label41", "Label42", "Label103", "Label44",
          "Label45", "Label104", "Label75",  "Label76", "Label77", "Label78",  "Label79",
          "Label80", "Label96",  "Label97",  "Label98", "Label99", "Label100", "Label101"}},
        {&TForm1::DumperLabelGainMouseEnter, true, {"Label3", "Label12", "Label21"}},
        {&TForm1::FFGainLabelMouseEnter, true, {"Label4", "Label13", "Label22"}},
        {&TForm1::HoldingGainMouseEnter, true, {"Label5", "Label14", "Label23"}},
        {&TForm1::ControlGainLabelMouseEnter, true, {"Label9", "Label18", "Label27"}},
        {nullptr, true, {"Label90", "Label91", "Label92", "Label93", "Label94", "Label95"}},
    };
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
    showHelpGroup(PGain);
}
void TForm1::LockGainLabelMouseEnter(QObject *)
{
    showHelpGroup(IGain);
}
void TForm1::DumperLabelGainMouseEnter(QObject *)
{
    showHelpGroup(DGain);
}
void TForm1::FFGainLabelMouseEnter(QObject *)
{
    showHelpGroup(FFGain);
}
void TForm1::HoldingGainMouseEnter(QObject *)
{
    showHelpGroup(HLDGain);
}
void TForm1::ControlGainLabelMouseEnter(QObject *)
{
    showHelpGroup(CTLGain);
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
