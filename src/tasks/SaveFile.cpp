#include "tasks/SaveFile.h"

namespace urok {

QString saveFileName(const QString &lessonCode, int task)
{
    const QString digits = QString::number(task);
    const QString number = task >= 10 ? digits.right(2) : QStringLiteral("0") + digits.right(1);
    return lessonCode + QStringLiteral("_") + number + QStringLiteral(".TXT");
}

QString saveFileText(int mode, const QString &condition, const QString &answer,
                     const QString &solution)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    if (mode == 1)
        text += QStringLiteral("Условие на задачата:") + crlf + condition
                + QStringLiteral("Представено решение:") + crlf;
    if (mode < 3)
        text += answer;
    else if (mode == 3)
        text += solution;
    return text;
}

} // namespace urok
