#pragma once
// Connecting as the user sees it: discovery, identification, the standard values and the
// first read of every record, and the boxes that say why a connection did not come about.
// Qt-free; the window and vireo-cli supply the operations through ConnectFlowHost, so both
// connect the same way.
#include "link/Identification.h"
#include "link/SerialLink.h"
#include "params/ParameterSet.h"
#include "params/UnitConversion.h"
#include "seams/Dialogs.h"
#include "seams/PortLister.h"

#include <optional>
#include <string>
#include <string_view>

namespace vireo
{

class ConnectFlowHost
{
public:
    virtual ~ConnectFlowHost() = default;

    virtual Dialogs &dialogs() = 0;
    virtual std::string text(std::string_view key) = 0;
    virtual SerialLink &link() = 0;
    virtual PortLister &ports() = 0;
    virtual ParameterSet &workValues() = 0;
    virtual AxisRecordTable &defValues() = 0;
    virtual RecordKnown &defKnown() = 0;
    virtual UnitProfile unitProfile() = 0;

    // The unit identified itself: its kind and firmware are now the connected unit's.
    virtual void setIdentity(const Identification &id) = 0;
    // A step of the window's shape for this unit (show, hide, enable, captions, pages); the
    // boxes and the read of the standard values are the flow's own.
    virtual void applyShapeStep(const ShapeStep &step) = 0;

    virtual void stopPolling() = 0;
    virtual void startPolling() = 0;
    // Nothing held passes for the unit's values any longer.
    virtual void forgetUnitValues() = 0;
    virtual void showParameters() = 0;
    virtual void showDefaults() = 0;
    // READ without its questions (ParameterFlowHost, runReadFlow(host, false)).
    virtual void readParameters() = 0;
    virtual void setParamsLoaded(bool loaded) = 0;
    // Connected: the window shows it (lamp, buttons, caption of CONNECT).
    virtual void markConnected() = 0;
};

// A box with the language text of key.
void reportLinkFault(ConnectFlowHost &host, const char *key, MsgIcon icon);

// Discovery: the unit's port, left open with the unit identified and shaped for; nothing, with
// the port closed, when no unit answers or the one that answers does not identify itself.
std::optional<std::string> discoverUnit(ConnectFlowHost &host);

// UPVER and VER on the freshly pinged port, then the steps of the identification in order.
// False, with kind, version and shape left alone, when the answers identify no unit.
bool identifyConnectedUnit(ConnectFlowHost &host);

// The standard values and the common block while connecting; a garbled reply is reported as
// one of the connection and ends these reads.
void readStandardValuesOnConnect(ConnectFlowHost &host);

// CONNECT: true when the unit identified itself and answered throughout; otherwise the port
// is closed and a box says why.
bool runConnectFlow(ConnectFlowHost &host);

} // namespace vireo
