#include "app/gui/TForm4.h"

#include "app/gui/PngImage.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include <exception>

namespace vireo
{

namespace
{

QLabel *whiteLabel(QWidget *parent, const char *name, const QString &text, QPoint at)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(19);
    f.setBold(true);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
    l->setAttribute(Qt::WA_TranslucentBackground);
    l->move(at);
    l->adjustSize();
    return l;
}

} // namespace

TForm4::TForm4(const QString &programDir, const QString &softwareVersion)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SplashForm"));
    setFixedSize(748, 392);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(0, 0, 764, 393);
    try {
        image->setPixmap(loadPngForRatio(programDir + QStringLiteral("Vireo_title.png"), screenPixelRatio()));
    } catch (const std::exception &) {
        // A missing or broken title image leaves the black background; the splash is decoration.
    }
    whiteLabel(this, "Label1", QStringLiteral("Version"), {324, 280});
    whiteLabel(this, "Label2", softwareVersion, {408, 280});

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TForm4::setAlphaBlendValue(int value)
{
    alpha_ = std::clamp(value, 0, 255);
    // Platforms without window opacity (the offscreen one of the tests) only warn about it.
    static const bool opacitySupported = QGuiApplication::platformName() != QLatin1String("offscreen") &&
                                         QGuiApplication::platformName() != QLatin1String("minimal");
    if (opacitySupported)
        setWindowOpacity(alpha_ / 255.0);
}

} // namespace vireo
