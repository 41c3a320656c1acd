// TEMPORARY: empty definitions so the window links before this subsystem lands. The
// subsystem owner deletes this file when defining these members.
#include "app/TForm1.h"

namespace vireo
{

void TForm1::ReadButtonClick() {}
void TForm1::WriteButtonClick() {}

} // namespace vireo
