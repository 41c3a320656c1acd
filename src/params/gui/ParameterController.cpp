// The window side of the parameter transfers and the read/write flows: the transfers run on the
// window's copies with the connected unit's kind and firmware; the flows run through a host
// that maps their steps onto the window's controls, dialogs and progress window.
#include "app/TForm1.h"
#include "app/TProgressForm.h"
#include "app/WindowText.h"
#include "params/BlockTransfer.h"
#include "params/ParameterFlows.h"

#include <QProgressBar>
#include <QPushButton>

namespace vireo
{

namespace
{

class WindowFlowHost : public ParameterFlowHost
{
public:
    explicit WindowFlowHost(TForm1 &form) : f_(form) {}

    bool connected() override { return f_.Connected; }
    bool readGroup(Selector group, ModeSet k) override { return f_.readGroup(group, k); }
    bool writeGroup(Selector group, ModeSet k) override { return f_.writeGroup(group, k); }
    ParameterSet &workValues() override { return f_.WorkValues; }
    UnitProfile unitProfile() override { return f_.unitProfile(); }
    bool linkLost() override { return f_.link.lost(); }
    void disconnect() override { f_.disconnectUnit(); }

    std::string text(std::string_view key) override { return windowText(f_, key); }
    MsgButton showMessage(const FlowDialog &d, const std::string &shown) override
    {
        return f_.dialogs().message({d.icon, std::string(d.key), shown, d.buttons, d.focused});
    }
    void saveParameterFile() override { f_.MenuFileSaveClick(); }

    void setReadWriteEnabled(bool enabled) override
    {
        f_.control<QPushButton>(QStringLiteral("ReadButton"))->setEnabled(enabled);
        f_.control<QPushButton>(QStringLiteral("WriteButton"))->setEnabled(enabled);
    }
    void showProgress() override
    {
        f_.WriteProgressForm->ProgressBar1->setValue(0);
        f_.WriteProgressForm->show();
    }
    void stepProgress(int n) override { f_.WriteProgressForm->step(n); }
    void closeProgress() override { f_.WriteProgressForm->close(); }
    void processEvents() override { f_.clock().processEvents(); }
    void waitWithEvents(int ms) override { f_.waitWithEvents(ms); }

    void applyAxisMode() override { f_.applyAxisMode(); }
    void takeUnitCopy() override { f_.takeUnitCopy(); }
    void forgetUnitCopy(Selector group, ModeSet k) override
    {
        f_.CurKnown[static_cast<std::size_t>(axisIndex(group))][static_cast<std::size_t>(k)] = false;
    }
    void showParameters() override { f_.showParameters(); }
    void showDefaults() override { f_.showDefaults(); }
    void endOfMainFlow() override { f_.endOfMainFlow(); }

private:
    TForm1 &f_;
};

} // namespace

UnitProfile TForm1::unitProfile() const
{
    return {unitKind, FirmwareVersion};
}

bool TForm1::readGroup(Selector group, ModeSet k)
{
    return vireo::readGroup(link, unitProfile(), group, k, WorkValues);
}

bool TForm1::writeGroup(Selector group, ModeSet k)
{
    return vireo::writeGroup(link, unitProfile(), group, k, WorkValues);
}

void TForm1::forgetUnitValues()
{
    vireo::forgetUnitValues(WorkValues, CurKnown, DefKnown);
}

void TForm1::readFlow(bool ask)
{
    WindowFlowHost host(*this);
    runReadFlow(host, ask);
}

void TForm1::writeFlow()
{
    WindowFlowHost host(*this);
    runWriteFlow(host);
}

void TForm1::writeCommonFlow()
{
    WindowFlowHost host(*this);
    runWriteCommonFlow(host);
}

void TForm1::takeUnitCopy()
{
    vireo::takeUnitCopy(WorkValues, CurValues, CurKnown);
}

void TForm1::waitWithEvents(int ms)
{
    clock().waitWithEvents(ms);
}

void TForm1::endOfMainFlow()
{
    if (!Connected)
        return;
    control<QProgressBar>(QStringLiteral("ProgressBar1"))->setValue(0);
    setReadWriteByActivePage();
}

void TForm1::ReadButtonClick()
{
    readFlow(true);
}

void TForm1::WriteButtonClick()
{
    writeFlow();
}

} // namespace vireo
