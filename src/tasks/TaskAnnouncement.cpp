#include "tasks/TaskAnnouncement.h"

#include "engine/NumericText.h"

#include <QStringList>

namespace urok {

QString taskAnnouncement(int number, const QString &level, const QString &kind,
                         bool clockShown, std::optional<qint64> secondsLeft)
{
    QStringList parts(QStringLiteral("Задача %1").arg(number));
    if (!level.trimmed().isEmpty())
        parts.append(QStringLiteral("сложност ") + level.trimmed());
    if (!kind.trimmed().isEmpty())
        parts.append(kind.trimmed());
    QString said = parts.join(QStringLiteral(", "));
    if (clockShown) {
        QString time = secondsLeft ? remainingTimeText(secondsLeft)
                                   : QStringLiteral("времето ѝ изтече");
        time[0] = time[0].toLower();
        said += QStringLiteral("; ") + time;
    }
    return said + u'.';
}

} // namespace urok
