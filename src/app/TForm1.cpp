#include "app/TForm1.h"

namespace vireo {

TForm1::TForm1(Services services, QWidget *parent)
    : QMainWindow(parent), link(services.port), services_(services)
{
    SoftwareVersion = QStringLiteral("1.6.5");
    setWindowTitle(QStringLiteral("VIREO Ver.") + SoftwareVersion);
}

TForm1::~TForm1() = default;

void TForm1::PageControl1Change() {}

} // namespace vireo
