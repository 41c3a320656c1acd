#pragma once
// The version dialog of menu Help, Version: program name, version and icon.
#include <QDialog>

namespace vireo
{

class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    // Loads "Vireo_icon_64_64.ico" from programDir; without it the icon place stays empty.
    TAboutBox(const QString &programDir, const QString &softwareVersion, QWidget *parent = nullptr);

    // Shows the dialog modally, centred over owner.
    int showModalOver(QWidget *owner);
};

} // namespace vireo
