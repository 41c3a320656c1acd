// The header strip, the main page control with its pages, and the READ and WRITE buttons
// that lie over the top right corner of the page area whichever page is shown.
#include "app/gui/layout/Layout.h"

namespace vireo::layout
{

std::vector<Control> headerControls()
{
    return {
        {Kind::Image, "Image1", "", {0, 0, 769, 79}},
        {Kind::Label, "Label34", "", {356, 14, 110, 16}, "Firmware Ver", WhiteText},
        {Kind::Label, "Label35", "", {356, 32, 110, 16}, "", WhiteText},
        {Kind::Label, "Label83", "", {356, 50, 150, 16}, "", WhiteText},
        // The three lamps lie on one another; only one of them shows at a time.
        {Kind::Image, "LEDOffImage", "", {512, 20, 80, 40}},
        {Kind::Image, "LEDRedImage", "", {512, 20, 80, 40}, "", Hidden},
        {Kind::Image, "LEDGreenImage", "", {512, 20, 80, 40}, "", Hidden},
        {Kind::SpeedButton, "ConnectSpeedButton", "", {616, 20, 140, 40}, "CONNECT"},

        {Kind::PageControl, "PageControl1", "", {0, 79, 769, 465}, "", TabWidth150},
        {Kind::Page, "TabSheet1", "PageControl1", {}, "LIMITTER SETTING", Hidden},
        {Kind::Page, "TabSheet2", "PageControl1", {}, "CONTROL PARAMETER SETTING"},
        {Kind::Page, "TabSheet3", "PageControl1", {}, "GAIN CONTROL STATUS"},
        {Kind::Page, "TabSheet4", "PageControl1", {}, "OPTION SETTING"},
        {Kind::Page, "TabSheet5", "PageControl1", {}, "UPDATE"},
        {Kind::Page, "TabSheet6", "PageControl1", {}, "RESET"},
    };
}

std::vector<Control> overlayControls()
{
    return {
        {Kind::Button, "ReadButton", "", {594, 120, 80, 26}, "READ"},
        {Kind::Button, "WriteButton", "", {680, 120, 80, 26}, "WRITE"},
    };
}

} // namespace vireo::layout
