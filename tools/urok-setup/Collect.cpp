#include "Classroom.h"

#include "Commands.h"
#include "Files.h"
#include "PupilFiles.h"
#include "ReportInput.h"

#include <QDir>
#include <QFileInfo>

#include <set>

namespace urok::setup {

namespace {

// The name of a machine's folder in the class folder: the machine the
// record names, or the lesson folder's own name; never a path.
QString machineName(const QString &source, const std::optional<PupilRecord> &record)
{
    QString name = record ? record->machine.trimmed() : QString();
    if (name.isEmpty())
        name = QFileInfo(QFileInfo(source).absoluteFilePath()).fileName();
    name.replace(u'/', u'_').replace(u'\\', u'_');
    if (name.isEmpty() || name == u"." || name == u"..")
        name = QStringLiteral("урок");
    return name;
}

qint64 limitOf(const PupilFiles &files, const QString &name)
{
    if (files.answers.contains(name))
        return AnswersFileLimit;
    return files.record.contains(name) ? PupilRecordLimit : SavedFileLimit;
}

// Copies one file into the machine's folder. An empty text when it is
// there now (copied, or copied before with the same bytes), otherwise why
// it is not.
QString copyFile(const QString &from, const QString &to, qint64 limit)
{
    QString why;
    const std::optional<QByteArray> bytes = readInput(from, limit, &why);
    if (!bytes)
        return why;
    const QFileInfo target(to);
    if (target.exists() || target.isSymLink()) {
        QString ignored;
        if (target.isFile() && !target.isSymLink() && readInput(to, limit, &ignored) == bytes)
            return {};
        return QStringLiteral("в %1 вече има друг такъв файл; не е презаписан").arg(QDir::toNativeSeparators(to));
    }
    return writeOutput(to, *bytes, {from});
}

struct Machine
{
    QString source;
    QString name;
    PupilFiles files;
};

// One machine's files copied; the line that says so.
bool collectMachine(const Machine &m, const QDir &destination, QTextStream &out)
{
    const QString who = nameWithLogin(m.name, m.source);
    if (!m.files.error.isEmpty()) {
        out << QStringLiteral("  %1: %2 – %3\n").arg(who, QDir::toNativeSeparators(m.source), m.files.error);
        return false;
    }
    if (m.files.isEmpty()) {
        out << QStringLiteral("  %1: няма файлове на ученик\n").arg(who);
        return false;
    }
    if (!destination.exists(m.name) && !destination.mkdir(m.name)) {
        out << QStringLiteral("  %1: папката %2 не може да бъде създадена\n").arg(who, destination.filePath(m.name));
        return false;
    }
    QStringList copied;
    QStringList failed;
    for (const QString &name : m.files.all()) {
        const QString why = copyFile(QDir(m.source).filePath(name), destination.filePath(m.name + u'/' + name),
                                     limitOf(m.files, name));
        if (why.isEmpty())
            copied.append(name);
        else
            failed.append(QStringLiteral("%1: %2").arg(name, why));
    }
    if (copied.isEmpty())
        out << QStringLiteral("  %1: нищо не е събрано\n").arg(who);
    else
        out << QStringLiteral("  %1: %2 -> %3\n")
                   .arg(who, copied.join(QStringLiteral(", ")),
                        QDir::toNativeSeparators(destination.filePath(m.name)));
    for (const QString &f : failed)
        out << QStringLiteral("    НЕ е събран %1\n").arg(f);
    return failed.isEmpty() && !m.files.answers.isEmpty();
}

} // namespace

int collectCommand(const QStringList &sources, const QString &destination, const LessonFacts &lesson,
                   QTextStream &out)
{
    const QFileInfo dest(destination);
    if (dest.isSymLink() || (dest.exists() && !dest.isDir()) || (!dest.exists() && !QDir().mkpath(destination))) {
        out << QStringLiteral("%1: папката за класа не може да бъде създадена\n").arg(destination);
        return ExitFailed;
    }
    QList<Machine> machines;
    std::set<QString> taken;
    for (const QString &source : sources) {
        Machine m{source, {}, pupilFiles(source, lesson.code)};
        const std::optional<PupilRecord> pupil = pupilRecordIn(source);
        m.name = machineName(source, pupil);
        // Two folders of one name (two sticks both called "urok") stay apart.
        for (int n = 2; taken.count(m.name.toLower()) > 0; ++n)
            m.name = QStringLiteral("%1 (%2)").arg(machineName(source, pupil)).arg(n);
        taken.insert(m.name.toLower());
        machines.append(m);
    }
    out << QStringLiteral("Събиране в %1:\n").arg(QDir::toNativeSeparators(destination));
    QStringList missing;
    for (const Machine &m : machines)
        if (!collectMachine(m, QDir(destination), out))
            missing.append(m.name);
    const qsizetype whole = machines.size() - missing.size();
    out << QStringLiteral("Събрани са отговорите от %1 от %2 компютъра.\n").arg(whole).arg(machines.size());
    if (missing.isEmpty())
        return ExitOk;
    out << QStringLiteral("Липсват (без файл с отговори или с грешка): %1\n").arg(missing.join(QStringLiteral(", ")));
    return ExitFailed;
}

} // namespace urok::setup
