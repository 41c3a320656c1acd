#include "params/gui/ContextHelpController.h"

#include "app/gui/LanguageTable.h"
#include "app/gui/WindowShell.h"
#include "widgets/HoverRelay.h"

#include <QLabel>
#include <QWidget>

#include <array>

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

// Labels of the status page that fill the panel with a help group but never clear it.
struct StatusLabels {
    GainHelp help;
    std::vector<const char *> labels;
};

const std::vector<StatusLabels> &statusLabels()
{
    static const std::vector<StatusLabels> labels = {
        {GainHelp::P, {"Label37", "Label40", "Label43"}},
        {GainHelp::I, {"Label38", "Label39",  "Label102", "Label41", "Label42", "Label103", "Label44",
                       "Label45", "Label104", "Label75",  "Label76", "Label77", "Label78",  "Label79",
                       "Label80", "Label96",  "Label97",  "Label98", "Label99", "Label100", "Label101"}},
    };
    return labels;
}

} // namespace

ContextHelpView ContextHelpView::find(const WindowShell &shell)
{
    auto label = [&shell](const char *name) { return shell.control<QLabel>(name); };
    // The labels of the gain grid's rows with this help group (none: the hidden rows).
    auto gridLabels = [&label](std::optional<GainHelp> help) {
        std::vector<QLabel *> labels;
        for (const GainGridAxis &axis : GainGrid)
            for (std::size_t row = 0; row < axis.rows.size(); ++row)
                if (GainRowHelp[row] == help)
                    labels.push_back(label(axis.rows[row].label));
        return labels;
    };

    ContextHelpView v;
    v.Label68 = label("Label68");
    v.Label69 = label("Label69");
    v.Label67 = label("Label67");
    v.HelpHintLabel = label("HelpHintLabel");
    for (int g = 0; g < GainHelpCount; ++g) {
        const auto help = static_cast<GainHelp>(g);
        v.watched.push_back({help, true, gridLabels(help)});
        for (const StatusLabels &s : statusLabels())
            if (s.help == help) {
                Watched status{help, false, {}};
                for (const char *name : s.labels)
                    status.labels.push_back(label(name));
                v.watched.push_back(std::move(status));
            }
    }
    v.watched.push_back({std::nullopt, true, gridLabels(std::nullopt)});
    return v;
}

void ContextHelpController::attachView()
{
    v_ = ContextHelpView::find(shell_);
    for (const ContextHelpView::Watched &w : v_.watched) {
        HoverRelay::Handler enter;
        if (w.help)
            enter = [this, help = *w.help](QObject *) { showGroup(help); };
        HoverRelay::Handler leave;
        if (w.clearsOnLeave)
            leave = [this](QObject *) { clear(); };
        auto *relay = new HoverRelay(&shell_.windowWidget(), enter, leave);
        for (QLabel *label : w.labels)
            relay->watch(label);
    }
}

void ContextHelpController::showGroup(GainHelp help)
{
    const HelpTexts &g = Groups[static_cast<std::size_t>(help)];
    v_.HelpHintLabel->hide();
    v_.Label68->setText(shell_.text(QLatin1String(g.heading)));
    v_.Label69->setText(shell_.text(QLatin1String(g.summary)));
    v_.Label67->clear();
    v_.Label67->setText(multiLineText(shell_.text(QLatin1String(g.explanation))));
}

void ContextHelpController::clear()
{
    for (QLabel *label : {v_.Label68, v_.Label69, v_.Label67})
        label->clear();
    // With no gain pointed at, the panel says how to fill it.
    v_.HelpHintLabel->setText(shell_.text(QStringLiteral("CPSHelpHint")));
    v_.HelpHintLabel->show();
}

} // namespace vireo
