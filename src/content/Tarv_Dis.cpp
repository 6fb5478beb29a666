#include "content/Tarv_Dis.h"

#include "app/WindowRegistry.h"

namespace urok {

Tarv_Dis::Tarv_Dis(WindowRegistry &)
{
    setObjectName(QStringLiteral("Tarv_Dis"));
    setWindowTitle(QStringLiteral("Рарешения за достъп"));
}

void Tarv_Dis::Form_Load()
{
}

} // namespace urok
