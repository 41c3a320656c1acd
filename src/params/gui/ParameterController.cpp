// The parameter transfers and the read/write flows: the transfers run on the controller's
// copies with the connected unit's kind and firmware; the flows run through a host that maps
// their steps onto the controls, dialogs and progress window.
#include "params/gui/ParameterController.h"

#include "app/gui/WindowText.h"
#include "link/SerialLink.h"
#include "params/BlockTransfer.h"
#include "params/ParameterFlows.h"
#include "widgets/TProgressForm.h"

#include <QProgressBar>
#include <QPushButton>

namespace vireo
{

class ParameterController::FlowHost : public ParameterFlowHost
{
public:
    explicit FlowHost(ParameterController &c) : c_(c) {}

    bool connected() override { return c_.shell_.Connected; }
    bool readGroup(Selector group, ModeSet k) override { return c_.readGroup(group, k); }
    bool writeGroup(Selector group, ModeSet k) override { return c_.writeGroup(group, k); }
    ParameterSet &workValues() override { return c_.WorkValues; }
    UnitProfile unitProfile() override { return c_.window_.unitProfile(); }
    bool linkLost() override { return c_.window_.unitLink().lost(); }
    void disconnect() override { c_.window_.disconnectUnit(); }

    std::string text(std::string_view key) override { return windowText(c_.shell_, key); }
    MsgButton showMessage(const FlowDialog &d, const std::string &shown) override
    {
        return c_.shell_.dialogs().message({d.icon, std::string(d.key), shown, d.buttons, d.focused});
    }
    void saveParameterFile() override { c_.window_.saveParameterFile(); }

    void setReadWriteEnabled(bool enabled) override
    {
        c_.view_.ReadButton->setEnabled(enabled);
        c_.view_.WriteButton->setEnabled(enabled);
    }
    void showProgress() override
    {
        c_.WriteProgressForm->ProgressBar1->setValue(0);
        c_.WriteProgressForm->show();
    }
    void stepProgress(int n) override { c_.WriteProgressForm->step(n); }
    void closeProgress() override { c_.WriteProgressForm->close(); }
    void processEvents() override { c_.shell_.clock().processEvents(); }
    void waitWithEvents(int ms) override { c_.waitWithEvents(ms); }

    void applyAxisMode() override { c_.applyAxisMode(); }
    void takeUnitCopy() override { c_.takeUnitCopy(); }
    void forgetUnitCopy(Selector group, ModeSet k) override
    {
        c_.CurKnown[static_cast<std::size_t>(axisIndex(group))][static_cast<std::size_t>(k)] = false;
    }
    void showParameters() override { c_.showParameters(); }
    void showDefaults() override { c_.showDefaults(); }
    void endOfMainFlow() override { c_.endOfMainFlow(); }

private:
    ParameterController &c_;
};

bool ParameterController::readGroup(Selector group, ModeSet k)
{
    return vireo::readGroup(window_.unitLink(), window_.unitProfile(), group, k, WorkValues);
}

bool ParameterController::writeGroup(Selector group, ModeSet k)
{
    return vireo::writeGroup(window_.unitLink(), window_.unitProfile(), group, k, WorkValues);
}

void ParameterController::forgetUnitValues()
{
    vireo::forgetUnitValues(WorkValues, CurKnown, DefKnown);
}

void ParameterController::readFlow(bool ask)
{
    FlowHost host(*this);
    runReadFlow(host, ask);
}

void ParameterController::writeFlow()
{
    FlowHost host(*this);
    runWriteFlow(host);
}

void ParameterController::writeCommonFlow()
{
    FlowHost host(*this);
    runWriteCommonFlow(host);
}

void ParameterController::takeUnitCopy()
{
    vireo::takeUnitCopy(WorkValues, CurValues, CurKnown);
}

void ParameterController::waitWithEvents(int ms)
{
    shell_.clock().waitWithEvents(ms);
}

void ParameterController::endOfMainFlow()
{
    if (!shell_.Connected)
        return;
    view_.ProgressBar1->setValue(0);
    shell_.setReadWriteByActivePage();
}

void ParameterController::ReadButtonClick()
{
    readFlow(true);
}

void ParameterController::WriteButtonClick()
{
    writeFlow();
}

} // namespace vireo
