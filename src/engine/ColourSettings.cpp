#include "engine/ColourSettings.h"

#include "engine/ItemList.h"
#include "engine/NumericText.h"

#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace urok {

ColourValue colourSetting(const ItemList &list, int slot)
{
    return leadingInteger(list.item(slot));
}

Look lookOf(const ItemList &list)
{
    using namespace settings;
    Look look;
    look.windowBack = colourSetting(list, colourSlot(WindowBack));
    look.fieldBack = colourSetting(list, colourSlot(FieldBack));
    look.fieldText = colourSetting(list, colourSlot(FieldText));
    look.labelBack = colourSetting(list, colourSlot(LabelBack));
    look.fontName = list.item(FontName);
    look.fontPoints = leadingNumber(list.item(FontSize));
    return look;
}

QString colourCodeLine(qint32 value)
{
    const QString sign = value >= 0 ? QStringLiteral(" ") : QStringLiteral("-");
    const qint64 magnitude = value >= 0 ? qint64(value) : -qint64(value);
    // A negative value shows its 32-bit pattern in hexadecimal.
    const QString hex = QString::number(static_cast<quint32>(value), 16).toUpper();
    return QStringLiteral("Цвят в 10/16-тичен код =") + sign + QString::number(magnitude)
           + QStringLiteral(" /H") + hex;
}

QString fontSizeText(double points)
{
    // Four decimals, the last one rounded half to even.
    const double fixed = std::nearbyint(points * 10000.0) / 10000.0;
    return decimalText(fixed);
}

QString wholeFontSizeText(double points)
{
    return decimalText(std::nearbyint(points));
}

QStringList fontFamilyNames(const QStringList &families)
{
    static const QRegularExpression foundry(QStringLiteral(" \\[[^\\]]*\\]$"));
    QStringList names;
    QSet<QString> listed;
    for (QString family : families) {
        family.remove(foundry);
        if (!listed.contains(family)) {
            listed.insert(family);
            names.append(family);
        }
    }
    return names;
}

} // namespace urok
