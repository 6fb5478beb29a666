#include "engine/PupilRecord.h"

#include "engine/Cp1251.h"

#include <QSysInfo>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace urok {

namespace {

// The lesson starts with the program.
const QDateTime programStarted = QDateTime::currentDateTime();

const QString TimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString timeText(const QDateTime &t)
{
    const int offset = t.offsetFromUtc();
    const int minutes = qAbs(offset) / 60;
    return t.toString(TimeFormat) + (offset < 0 ? QStringLiteral(" -") : QStringLiteral(" +"))
           + QStringLiteral("%1:%2")
                 .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                 .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

std::optional<QDateTime> timeFrom(const QString &text)
{
    if (text.size() != 26)
        return std::nullopt;
    QDateTime t = QDateTime::fromString(text.left(19), TimeFormat);
    const int hours = text.mid(21, 2).toInt();
    const int minutes = text.mid(24, 2).toInt();
    if (!t.isValid() || (text[20] != u'+' && text[20] != u'-') || text[23] != u':')
        return std::nullopt;
    const int offset = (text[20] == u'-' ? -1 : 1) * (hours * 3600 + minutes * 60);
    t.setOffsetFromUtc(offset);
    return t;
}

QString loginName()
{
#ifdef Q_OS_UNIX
    if (const passwd *pw = ::getpwuid(::getuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
#endif
    return qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
}

const QString LoginLabel = QStringLiteral("Потребител: ");
const QString MachineLabel = QStringLiteral("Компютър: ");
const QString StartedLabel = QStringLiteral("Начало: ");
const QString WrittenLabel = QStringLiteral("Край: ");

} // namespace

PupilRecord PupilRecord::ofThisRun()
{
    return {loginName(), QSysInfo::machineHostName(), programStarted, QDateTime::currentDateTime()};
}

QByteArray pupilRecordBytes(const PupilRecord &record)
{
    const QString crlf = QStringLiteral("\r\n");
    return toCp1251(LoginLabel + record.login + crlf + MachineLabel + record.machine + crlf + StartedLabel
                    + timeText(record.started) + crlf + WrittenLabel + timeText(record.written) + crlf);
}

std::optional<PupilRecord> readPupilRecord(const QByteArray &bytes)
{
    const QStringList lines = fromCp1251(bytes).split(QStringLiteral("\r\n"));
    if (lines.size() != 5 || !lines[4].isEmpty() || !lines[0].startsWith(LoginLabel)
        || !lines[1].startsWith(MachineLabel) || !lines[2].startsWith(StartedLabel)
        || !lines[3].startsWith(WrittenLabel))
        return std::nullopt;
    const std::optional<QDateTime> started = timeFrom(lines[2].mid(StartedLabel.size()));
    const std::optional<QDateTime> written = timeFrom(lines[3].mid(WrittenLabel.size()));
    if (!started || !written)
        return std::nullopt;
    return PupilRecord{lines[0].mid(LoginLabel.size()), lines[1].mid(MachineLabel.size()), *started, *written};
}

QString writePupilRecord(const LessonFolder &folder)
{
    return folder.write(pupilRecordName(), pupilRecordBytes(PupilRecord::ofThisRun()));
}

} // namespace urok
