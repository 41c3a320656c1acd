#pragma once
// One-shot commands that make the unit act rather than report or store values.
#include "link/SerialLink.h"

namespace vireo
{

// "RESET": the unit returns to its factory settings. Done only when it answers "OK\r\n".
bool resetUnit(SerialLink &link);

// "PIROU": the unit starts its pirouette-compensation direction check; answered "OK\r\n".
bool checkPirouette(SerialLink &link);

} // namespace vireo
