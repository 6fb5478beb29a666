#include "engine/SpokenDate.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>

namespace urok {

QString dateInWords(const QString &date)
{
    QString text = date.trimmed();
    static const QRegularExpression yearFirst(
        QStringLiteral("^(\\d{4})[/.-]?(\\d{1,2})[/.-]?(\\d{1,2})$"));
    static const QRegularExpression dayFirst(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})$"));
    QDate day;
    if (const QRegularExpressionMatch m = yearFirst.match(text); m.hasMatch())
        day = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    else if (const QRegularExpressionMatch d = dayFirst.match(text); d.hasMatch())
        day = QDate(d.captured(3).toInt(), d.captured(2).toInt(), d.captured(1).toInt());
    if (!day.isValid())
        return text;
    static const QStringList months = {
        QStringLiteral("януари"),   QStringLiteral("февруари"), QStringLiteral("март"),
        QStringLiteral("април"),    QStringLiteral("май"),      QStringLiteral("юни"),
        QStringLiteral("юли"),      QStringLiteral("август"),   QStringLiteral("септември"),
        QStringLiteral("октомври"), QStringLiteral("ноември"),  QStringLiteral("декември")};
    return QStringLiteral("%1 %2 %3 г.").arg(day.day()).arg(months[day.month() - 1]).arg(day.year());
}

} // namespace urok
