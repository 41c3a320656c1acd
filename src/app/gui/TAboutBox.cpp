#include "app/gui/TAboutBox.h"

#include "app/gui/PngImage.h"

#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace vireo
{

namespace
{

QLabel *label(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}

QFont arialBold13()
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    f.setBold(true);
    return f;
}

// The largest image of the icon file, scaled into 64 x 64 keeping its proportions, with as
// many pixels as the screen's pixel ratio asks for (the file holds the logo up to 128 x 128).
QPixmap iconPixmap(const QString &path)
{
    QImageReader reader(path);
    QImage best;
    for (int i = 0; i < std::max(1, reader.imageCount()); ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        QImage image = reader.read();
        if (!image.isNull() && image.width() * image.height() > best.width() * best.height())
            best = image;
    }
    if (best.isNull())
        return {};
    const qreal ratio = std::max<qreal>(1.0, screenPixelRatio());
    const int side = qRound(64 * ratio);
    QImage shown = best.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    shown.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(shown);
}

} // namespace

TAboutBox::TAboutBox(const QString &programDir, const QString &softwareVersion, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Version Infomation"));
    setFixedSize(340, 213);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, 324, 161);

    auto *icon = label(panel, "ProgramIcon", QString(), {16, 16, 64, 64});
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(iconPixmap(programDir + QStringLiteral("Vireo_icon_64_64.ico")));

    label(panel, "ProductName", QStringLiteral("VIREO"), {96, 18, 200, 18})->setFont(arialBold13());
    label(panel, "Version", QStringLiteral("Version"), {96, 42, 64, 18})->setFont(arialBold13());
    label(panel, "Label1", softwareVersion, {160, 42, 120, 18})->setFont(arialBold13());
    auto *line1 = label(panel, "Label3", QStringLiteral("KALM07 gyro configuration tool"), {8, 92, 308, 18});
    auto *line2 = label(panel, "Label4", QStringLiteral("The VIREO project"), {8, 112, 308, 18});
    line1->setAlignment(Qt::AlignCenter);
    line2->setAlignment(Qt::AlignCenter);
    label(panel, "Comments", QString(), {8, 134, 308, 18});
    label(panel, "Label2", QString(), {8, 134, 308, 18});

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(132, 178, 75, 26);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

int TAboutBox::showModalOver(QWidget *owner)
{
    if (owner)
        move(owner->geometry().center() - rect().center());
    return exec();
}

} // namespace vireo
