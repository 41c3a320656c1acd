#include "link/DeviceActions.h"

namespace vireo
{

bool resetUnit(SerialLink &link)
{
    // The exchange ends the reply text after the bytes received, never past the fourth.
    return link.exchange("RESET\r\n", 4, 5000);
}

bool checkPirouette(SerialLink &link)
{
    return link.exchange("PIROU\r\n", 4, 1000) && link.replyText() == "OK\r\n";
}

} // namespace vireo
