#pragma once
// Context help of the control parameter page: pointing at a gain's name label fills the help
// panel (Label68 heading, Label69 summary, Label67 explanation) with that gain's three language
// texts; leaving a row label of the page clears it and shows the hint again. The labels of the
// status page fill the panel too but never clear it.
#include "params/GainGrid.h"

#include <optional>
#include <vector>

class QLabel;

namespace vireo
{

class WindowShell;

// The help panel and the labels that fill or clear it, found once.
struct ContextHelpView {
    QLabel *Label68 = nullptr; // heading
    QLabel *Label69 = nullptr; // summary
    QLabel *Label67 = nullptr; // explanation
    QLabel *HelpHintLabel = nullptr;
    struct Watched {
        std::optional<GainHelp> help; // nothing: the label only clears the panel
        bool clearsOnLeave;
        std::vector<QLabel *> labels;
    };
    std::vector<Watched> watched;

    static ContextHelpView find(const WindowShell &shell);
};

class ContextHelpController
{
public:
    explicit ContextHelpController(WindowShell &shell) : shell_(shell) {}

    // Finds the panel and starts watching the labels; after the layout is built.
    void attachView();

    void showGroup(GainHelp help);
    // The panel empty, with the hint how to fill it.
    void clear();

private:
    WindowShell &shell_;
    ContextHelpView v_;
};

} // namespace vireo
