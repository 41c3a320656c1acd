#pragma once
// The splash window shown while the main window starts: the title image with the version,
// borderless on black, faded in and out by the main window through its opacity.
#include <QWidget>

namespace vireo
{

class TForm4 : public QWidget
{
    Q_OBJECT
public:
    // Loads "Vireo_title.png" from programDir; without it the window stays black.
    TForm4(const QString &programDir, const QString &softwareVersion);

    // 0 (invisible) to 255 (opaque).
    void setAlphaBlendValue(int value);
    int alphaBlendValue() const { return alpha_; }

private:
    int alpha_ = 255;
};

} // namespace vireo
