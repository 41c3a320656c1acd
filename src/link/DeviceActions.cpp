#include "link/DeviceActions.h"

namespace vireo
{

bool resetUnit(SerialLink &link)
{
    // Only the unit's "OK" says it has reset; anything else may mean it has not.
    return link.exchange("RESET\r\n", 4, 5000) && link.replyText() == "OK\r\n";
}

bool checkPirouette(SerialLink &link)
{
    return link.exchange("PIROU\r\n", 4, 1000) && link.replyText() == "OK\r\n";
}

} // namespace vireo
