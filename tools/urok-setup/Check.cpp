#include "Classroom.h"

#include "Commands.h"
#include "ConfigImage.h"
#include "Files.h"
#include "PupilFiles.h"

#include "engine/ConfigRecord.h"
#include "engine/DriveType.h"
#include "engine/FilesDisk.h"
#include "engine/ItemList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>

namespace urok::setup {

namespace {

// A lesson that has not shown its window by then does not start.
constexpr int StartLimitMs = 30000;

QString driveName(int kind)
{
    switch (kind) {
    case DriveRemovable: return QStringLiteral("подвижен диск (флашка)");
    case DriveFixed: return QStringLiteral("твърд диск");
    case DriveNetwork: return QStringLiteral("мрежов диск");
    case DriveOptical: return QStringLiteral("CD или DVD");
    case DriveRam: return QStringLiteral("RAM диск");
    default: return QStringLiteral("диск от неизвестен вид");
    }
}

// The folder's configuration file, decoded, or why it is not one the
// lesson takes.
struct FolderConfig
{
    std::optional<DecodedFile> file;
    QByteArray bytes;
    QString problem;
};

FolderConfig readConfig(const QString &path, const LessonFacts &lesson)
{
    FolderConfig c;
    if (!QFileInfo::exists(path)) {
        c.problem = QStringLiteral("няма %1: урокът ще работи с вградените си стойности").arg(QFileInfo(path).fileName());
        return c;
    }
    QString why;
    const std::optional<QByteArray> bytes = readInput(path, ConfigFileSize, &why);
    c.file = bytes ? decodeConfigFile(*bytes) : std::nullopt;
    if (!c.file)
        c.problem = bytes ? QStringLiteral("%1 не е конфигурационен файл (%2 байта вместо %3)")
                                .arg(QFileInfo(path).fileName())
                                .arg(bytes->size())
                                .arg(ConfigFileSize)
                          : why;
    else if (c.file->profile.lesson != lesson.code)
        c.problem = QStringLiteral("%1 е за урок „%2“, а не за %3").arg(QFileInfo(path).fileName(), c.file->profile.lesson,
                                                                      lesson.code);
    if (!c.problem.isEmpty())
        c.file.reset();
    else
        c.bytes = *bytes;
    return c;
}

// The options as the lesson holds them once it has read the file.
ItemList optionList(const Profile &p)
{
    QStringList items = {QStringLiteral(" ")};
    for (const qint16 value : p.options)
        items.append(QString::number(value % 2));
    return ItemList(items);
}

QString configText(const DecodedFile &file, const LessonFacts &lesson)
{
    const Profile &p = file.profile;
    const int offered = qBound(0, p.tasksOffered, lesson.tasks);
    return QStringLiteral("урок %1, версия %2 от %3, предлагат се %4 задачи")
        .arg(p.lesson)
        .arg(p.version / 100.0)
        .arg(p.date)
        .arg(offered);
}

// The lesson's program: in the folder itself, or where the teacher's tool
// is installed with it (the lesson folder's tools/).
QString programOf(const QString &folder)
{
    const QFileInfo here(QDir(folder).filePath(QStringLiteral("urok")));
    if (here.isFile())
        return here.absoluteFilePath();
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../urok"));
}

// Starts the program in a folder of its own with a copy of the
// configuration file, until its window is shown; the pupil's folder is not
// touched. An empty text when it started, otherwise why not.
QString startProgram(const QString &program, const QString &configName, const QByteArray &config)
{
    if (!QFileInfo(program).isExecutable())
        return QStringLiteral("програмата urok я няма нито в папката, нито при urok-setup");
    QTemporaryDir trial;
    if (!trial.isValid() || writeOutput(trial.filePath(configName), config) != QString())
        return QStringLiteral("няма къде да се пробва");
    QProcess p;
    p.setWorkingDirectory(trial.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("UROK_BENCH_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    p.start(program, {});
    if (!p.waitForStarted(StartLimitMs))
        return QStringLiteral("%1 не може да се пусне (%2)").arg(program, p.errorString());
    if (!p.waitForFinished(StartLimitMs)) {
        p.kill();
        p.waitForFinished();
        return QStringLiteral("прозорецът на урока не се показа за %1 секунди").arg(StartLimitMs / 1000);
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || !p.readAllStandardOutput().startsWith("shown "))
        return QStringLiteral("програмата спря с грешка: %1")
            .arg(QString::fromLocal8Bit(p.readAllStandardError()).section(u'\n', 0, 0).trimmed());
    return {};
}

bool takesFiles(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".urok-check-XXXXXX")));
    return probe.open() && probe.write("x", 1) == 1 && probe.flush();
}

} // namespace

int checkCommand(const QString &folder, const LessonFacts &lesson, QTextStream &out)
{
    out << QStringLiteral("Папка на урока: %1\n").arg(QDir::toNativeSeparators(folder));
    const QString program = programOf(folder);
    // An installed lesson runs in a folder of the pupil's own, which its
    // launcher makes and gives the installed configuration file.
    const QString installed = QFileInfo(program).path();
    const bool elsewhere = !QFileInfo(folder).isDir() || QFileInfo(installed) != QFileInfo(folder);
    const QString configName = lesson.code + QStringLiteral(".UFG");
    const bool fromInstalled = elsewhere && QFileInfo(program).isFile();
    const QString configPath = QDir(fromInstalled ? installed : folder).filePath(configName);
    QString disk = folder;
    while (!QFileInfo(disk).isDir() && QFileInfo(disk).path() != disk)
        disk = QFileInfo(disk).path();
    if (!QFileInfo(folder).isDir()) {
        if (!fromInstalled || !QFileInfo::exists(configPath)) {
            out << QStringLiteral("  папката не съществува\nНе е готово за час.\n");
            return ExitFailed;
        }
        out << QStringLiteral("  папката ще бъде създадена, когато урокът се пусне за пръв път\n");
    }
    QStringList problems;
    const auto line = [&](const QString &what, const QString &finding, bool good) {
        out << QStringLiteral("  %1: %2\n").arg(what, finding);
        if (!good)
            problems.append(what);
    };

    const FolderConfig config = readConfig(configPath, lesson);
    line(QStringLiteral("конфигурация"),
         (config.file ? configText(*config.file, lesson) : config.problem)
             + (fromInstalled
                    ? QStringLiteral(" (%1 при пускане се копира от %2)").arg(configName, QDir::toNativeSeparators(installed))
                    : QString()),
         config.file.has_value());

    const QString started = config.file ? startProgram(program, configName, config.bytes)
                                        : QStringLiteral("не е пробвана без годен %1").arg(configName);
    line(QStringLiteral("програмата"), started.isEmpty() ? QStringLiteral("тръгва") : started, started.isEmpty());

    const int drive = Tip_disk(disk);
    const bool keeps = keepsPupilFiles(drive, config.file ? optionList(config.file->profile) : ItemList());
    line(QStringLiteral("диск"),
         driveName(drive) + (keeps ? QStringLiteral(": файловете на ученика се пазят тук")
                                   : QStringLiteral(": тук урокът НЕ записва отговорите и задачите на ученика")),
         keeps);
    if (config.file && config.file->profile.options[optionNumber(Option::AnswersFile) - 1] % 2 != 1)
        out << QStringLiteral("  (опция 12 е изключена: урокът не записва файл с отговори)\n");

    const bool writable = takesFiles(disk);
    line(QStringLiteral("запис"), writable ? QStringLiteral("в папката може да се записва")
                                           : QStringLiteral("в папката НЕ може да се записва"),
         writable);

    const PupilFiles left = pupilFiles(folder, lesson.code);
    QStringList names = left.all() + left.notPlain;
    names.sort();
    line(QStringLiteral("останали файлове"),
         names.isEmpty() ? QStringLiteral("няма")
                         : names.join(QStringLiteral(", "))
                               + QStringLiteral(" – от предишен час? Преди часа: urok-setup reset %1").arg(folder),
         names.isEmpty() && left.error.isEmpty());

    if (problems.isEmpty()) {
        out << QStringLiteral("Готово за час.\n");
        return ExitOk;
    }
    out << QStringLiteral("Не е готово за час: %1.\n").arg(problems.join(QStringLiteral(", ")));
    return ExitFailed;
}

} // namespace urok::setup
