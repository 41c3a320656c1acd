// TEMPORARY: empty definitions so the window links before this subsystem lands. The
// subsystem owner deletes this file when defining these members.
#include "app/TForm1.h"

namespace vireo
{

void TForm1::ConnectSpeedButtonClick() {}
void TForm1::PirouCheckButtonClick() {}
void TForm1::setSerialDefaults() {}

} // namespace vireo
