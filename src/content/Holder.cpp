#include "content/Holder.h"

#include <array>
#include <utility>

namespace urok {

namespace {

struct HolderInfo
{
    Holder holder;
    const char16_t *name;
    HolderKind kind;
};

constexpr std::array<HolderInfo, 16> holders{{
    {Holder::List_Ur, u"List_Ur", HolderKind::List},
    {Holder::Text_U, u"Text_U", HolderKind::Text},
    {Holder::Opcii_L, u"Opcii_L", HolderKind::List},
    {Holder::Plan_Tarv, u"Plan_Tarv", HolderKind::List},
    {Holder::Podtochki, u"Podtochki", HolderKind::Text},
    {Holder::Dopyln_M, u"Dopyln_M", HolderKind::Text},
    {Holder::Reklama_Par, u"Reklama_Par", HolderKind::Text},
    {Holder::Grafika_G, u"Grafika_G", HolderKind::Picture},
    {Holder::Grafika_W, u"Grafika_W", HolderKind::Picture},
    {Holder::Spi_GR, u"Spi_GR", HolderKind::List},
    {Holder::Wremena, u"Wremena", HolderKind::List},
    {Holder::glos_All, u"glos_All", HolderKind::List},
    {Holder::Glos, u"Glos", HolderKind::Text},
    {Holder::Uslowie_L, u"Uslowie_L", HolderKind::List},
    {Holder::Redowe_L, u"Redowe_L", HolderKind::List},
    {Holder::List_Un, u"List_Un", HolderKind::List},
}};

const HolderInfo &info(Holder holder)
{
    for (const HolderInfo &h : holders)
        if (h.holder == holder)
            return h;
    return holders.front(); // every enumerator is in the table
}

} // namespace

QString holderName(Holder holder)
{
    return QString::fromUtf16(info(holder).name);
}

std::optional<Holder> holderByName(QStringView name)
{
    for (const HolderInfo &h : holders)
        if (name == QStringView(h.name))
            return h.holder;
    return std::nullopt;
}

HolderKind holderKind(Holder holder)
{
    return info(holder).kind;
}

QString holderAddress(Holder holder, int element)
{
    if (holder == Holder::Opcii_L)
        return holderName(holder);
    return QStringLiteral("%1(%2)").arg(holderName(holder)).arg(element);
}

} // namespace urok
