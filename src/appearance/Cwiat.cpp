#include "appearance/Cwiat.h"

#include "app/WindowRegistry.h"

namespace urok {

Cwiat::Cwiat(WindowRegistry &windows)
    : windows_(windows)
{
    setObjectName(QStringLiteral("Cwiat"));
    setWindowTitle(QStringLiteral("Формиране на цвят/избор на шрифт"));
}

void Cwiat::Form_Load()
{
}

} // namespace urok
