#pragma once
// Pictures of every window and page for reviewing the layout (scripts/screenshot). Only runs
// when the environment variable VIREO_SCREENSHOTS names a folder; normal runs never get here.
#include <QString>

namespace vireo
{

class TForm1;
class TAboutBox;

// Saves PNGs of the main window with each page shown, the inner option pages, the splash,
// the version dialog and a progress window into folder; prints the start-up time. Returns
// the process exit status.
int saveScreenshots(TForm1 &form, TAboutBox &about, const QString &folder, qint64 startupMs);

} // namespace vireo
