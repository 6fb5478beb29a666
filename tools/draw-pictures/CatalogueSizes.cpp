#include "CatalogueSizes.h"

#include <QRegularExpression>
#include <QSet>

namespace catalogue {

SizeUpdate updatePictureSizes(const QString &manifest, const QMap<QString, QSize> &sizes)
{
    // 1: everything up to the size, 2: the path, 3: width, 4: height, 5: the
    // description, if there is one, and the line end
    static const QRegularExpression pictureLine(
        QStringLiteral(R"(^(\s*picture\s+\S.*?<\s*(\S+)\s+)(\d+)x(\d+)(\s*(?:".*)?)$)"));

    SizeUpdate result;
    QSet<QString> named;
    const QStringList lines = manifest.split(QLatin1Char('\n'));
    QStringList out;
    out.reserve(lines.size());
    for (const QString &line : lines) {
        const QRegularExpressionMatch m = pictureLine.match(line);
        if (!m.hasMatch() || !sizes.contains(m.captured(2))) {
            out.append(line);
            continue;
        }
        const QString path = m.captured(2);
        named.insert(path);
        const QSize size = sizes.value(path);
        const QString oldSize = m.captured(3) + QLatin1Char('x') + m.captured(4);
        const QString newSize = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        if (oldSize == newSize) {
            out.append(line);
            continue;
        }
        out.append(m.captured(1) + newSize + m.captured(5));
        result.changed.append(QStringLiteral("%1: %2 -> %3").arg(path, oldSize, newSize));
    }
    for (auto it = sizes.constBegin(); it != sizes.constEnd(); ++it)
        if (!named.contains(it.key()))
            result.unlisted.append(it.key());
    result.text = out.join(QLatin1Char('\n'));
    return result;
}

} // namespace catalogue
