#include "Commands.h"

#include "ConfigImage.h"
#include "Files.h"
#include "Timetable.h"
#include "Timing.h"

#include "engine/ConfigRecord.h"
#include "engine/NumericText.h"
#include "engine/TaskTiming.h"
#include "engine/WritingTime.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

namespace urok::setup {

namespace {

QString where(const QString &path, int line)
{
    return line > 0 ? QStringLiteral("%1:%2").arg(path).arg(line) : path;
}

void report(QTextStream &err, const QString &path, const Problem &p, const QString &kind)
{
    err << where(path, p.line) << QStringLiteral(": ") << kind << QStringLiteral(": ")
        << p.message << '\n';
}

int fail(QTextStream &err, const QString &path, const QString &message)
{
    err << path << QStringLiteral(": грешка: ") << message << '\n';
    err.flush();
    return ExitFailed;
}

// The words after "Версия" in the lesson's caption: the version and the
// date the way the main window shows them.
QString captionVersion(const Profile &p)
{
    const QString stored = signedNumberText(p.version);
    return QStringLiteral("Версия ") + signedNumberText(leadingNumber(stored) / 100.0)
           + QStringLiteral(" от ") + signedNumberText(p.date);
}

// A task or plan point the lesson does not have is listed only when the
// file gives it values.
bool anyNonZero(const Profile &p, int slot, bool task)
{
    if (task)
        return p.levels[slot] != 0 || p.budgets[slot] != 0 || p.hints[slot] != 0;
    return p.rates[slot] != 0;
}

QString timingText(const Profile &p, int i)
{
    const TaskTiming t = taskTiming(p.levels[i], p.budgets[i], p.hints[i]);
    if (t.expiresAtOnce())
        return QStringLiteral("времето изтича веднага: отговорът е заключен, решението се показва");
    QString text = QStringLiteral("обратно броене %1, ").arg(minutesSeconds(t.countdown), 6);
    switch (t.hint) {
    case TaskTiming::Hint::AtOnce:
        text += QStringLiteral("подсказка веднага");
        break;
    case TaskTiming::Hint::During:
        text += QStringLiteral("подсказка след %1").arg(minutesSeconds(t.hintAt));
        break;
    case TaskTiming::Hint::WithSolution:
        text += QStringLiteral("подсказка чак с решението, когато времето изтече");
        break;
    }
    return text;
}

void describeOptions(const Profile &p, QTextStream &out)
{
    out << QStringLiteral("Опции (програмата взема записаното по модул 2):\n");
    for (const OptionInfo &option : OptionTable) {
        const int i = option.number() - 1;
        const bool on = p.options[i] % 2 == 1;
        QString line = QStringLiteral("  опция %1: ").arg(i + 1, 2)
                       + (on ? QStringLiteral("включена") : QStringLiteral("изключена"));
        if (p.options[i] != 0 && p.options[i] != 1)
            line += QStringLiteral(" (записано %1)").arg(p.options[i]);
        const QString name = option.text();
        if (!name.isEmpty())
            line = line.leftJustified(22) + QStringLiteral(" – ") + name;
        out << line << '\n';
    }
}

void describeTasks(const Profile &p, const LessonFacts &lesson, QTextStream &out)
{
    const int offered = p.tasksOffered < 0 ? 0 : qMin(p.tasksOffered, lesson.tasks);
    const int listed = qBound(0, p.tasksListed, offered);
    out << QStringLiteral("\nПредлагани задачи: %1").arg(p.tasksOffered);
    if (p.tasksOffered < 0)
        out << QStringLiteral(" (отрицателно: не се предлага нито една задача, остава само "
                              "заглавието на списъка)");
    else if (p.tasksOffered > lesson.tasks)
        out << QStringLiteral(" (урокът има %1: предлагат се всички)").arg(lesson.tasks);
    out << QStringLiteral("\nЗадачи в списъка отначало: %1").arg(p.tasksListed);
    if (p.tasksListed != listed)
        out << QStringLiteral(" (в списъка влизат %1)").arg(listed);
    out << QStringLiteral("; останалите %1 са в менюто „+ %1 задачи“\n").arg(offered - listed);

    out << QStringLiteral("\nЗадачи: ниво, време B и време за подсказка H, както са записани; "
                          "обратното броене\nи появата на допълнителната подсказка в реално време "
                          "(минути:секунди от началото)\n");
    for (int i = 0; i < SlotCount; ++i) {
        if (i >= lesson.tasks && !anyNonZero(p, i, true))
            continue;
        out << QStringLiteral("  задача %1: ниво %2, B = %3, H = %4  ->  ")
                   .arg(i + 1, 2)
                   .arg(taskLevel(p.levels[i]))
                   .arg(p.budgets[i], 6)
                   .arg(p.hints[i], 6)
            << timingText(p, i);
        if (p.levels[i] < 0 || p.levels[i] > 9)
            out << QStringLiteral(" (записано ниво %1)").arg(p.levels[i]);
        if (taskLevel(p.levels[i]) > 4)
            out << QStringLiteral(" (ниво над 4: отмерва се като нива 3 и 4)");
        if (i >= lesson.tasks)
            out << QStringLiteral(" (урокът няма такава задача)");
        else if (i >= offered)
            out << QStringLiteral(" (не се предлага)");
        out << '\n';
    }
}

void describePlan(const Profile &p, const LessonFacts &lesson, QTextStream &out)
{
    out << QStringLiteral("\nТочки от плана: време за разглеждане = знаци x темп / 100 + 2 "
                          "секунди\n");
    for (int i = 0; i < SlotCount; ++i) {
        if (i >= lesson.points() && !anyNonZero(p, i, false))
            continue;
        out << QStringLiteral("  точка %1: темп %2").arg(i + 1, 2).arg(p.rates[i]);
        if (i < lesson.points()) {
            const QString seconds = decimalText(writingTime(lesson.pointLengths[i], p.rates[i]));
            // The plan counts whole seconds, and at least one.
            const int whole = qMax(1, roundedNumber(seconds, -32768, 32767));
            out << QStringLiteral(", %1 знака  ->  %2 с (%3)")
                       .arg(lesson.pointLengths[i])
                       .arg(seconds, minutesSeconds(whole));
        } else {
            out << QStringLiteral(" (планът няма такава точка)");
        }
        out << '\n';
    }
}

// Record 6 holds the options past 40; the rest of it the lesson never reads.
QString lastRecordText(bool restEmpty)
{
    QList<int> held;
    for (const OptionInfo &option : OptionTable)
        if (option.place().record == ConfigRecordCount)
            held.append(option.number());
    if (held.isEmpty())
        return restEmpty ? QStringLiteral("празен (не се използва)")
                         : QStringLiteral("не е празен, но програмата не го чете");
    const QString options = held.size() == 1
        ? QStringLiteral("опция %1").arg(held.first())
        : QStringLiteral("опции %1–%2").arg(held.first()).arg(held.last());
    return restEmpty ? QStringLiteral("%1, иначе празен").arg(options)
                     : QStringLiteral("%1; останалото не е празно, но програмата не го чете")
                           .arg(options);
}

void describe(const DecodedFile &file, const LessonFacts &lesson, QTextStream &out)
{
    describeOptions(file.profile, out);
    describeTasks(file.profile, lesson, out);
    describePlan(file.profile, lesson, out);
    out << QStringLiteral("\nЗапис 6: ") << lastRecordText(file.lastRecordEmpty) << '\n';
}

} // namespace

int writeCommand(const QString &profilePath, const QString &outputPath, const LessonFacts &lesson,
                 QTextStream &out, QTextStream &err)
{
    if (QFileInfo(profilePath).isDir())
        return fail(err, profilePath, QStringLiteral("това е папка, а не профил"));
    if (sameFile(profilePath, outputPath))
        return fail(err, outputPath,
                    QStringLiteral("това е самият профил; файлът не се записва върху него"));
    QString why;
    const std::optional<QByteArray> raw =
        readInput(profilePath, ProfileSizeLimit, &why, QStringLiteral("профилът"));
    if (!raw)
        return fail(err, profilePath, why);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(*raw);
    if (utf8.hasError())
        return fail(err, profilePath, QStringLiteral("профилът не е записан в UTF-8"));

    const ProfileReading reading = readProfile(text, lesson);
    for (const Problem &w : reading.warnings)
        report(err, profilePath, w, QStringLiteral("предупреждение"));
    for (const Problem &e : reading.errors)
        report(err, profilePath, e, QStringLiteral("грешка"));
    if (!reading.profile) {
        err << profilePath
            << QStringLiteral(": файлът %1 не е записан\n").arg(QDir::toNativeSeparators(outputPath));
        err.flush();
        return ExitFailed;
    }

    const QByteArray d = configFile(*reading.profile);
    if (d.size() != ConfigFileSize)
        return fail(err, profilePath, QStringLiteral("кодът на урока не може да се запише"));

    const QFileInfo target(outputPath);
    if (target.isDir())
        return fail(err, outputPath,
                    QStringLiteral("на мястото на файла има папка; файлът не е записан"));
    if (!target.absoluteDir().exists())
        return fail(err, outputPath,
                    QStringLiteral("папката %1 не съществува; файлът не е записан")
                        .arg(QDir::toNativeSeparators(target.absolutePath())));
    if (!lesson.code.isEmpty() && target.fileName() != lesson.code + QStringLiteral(".UFG"))
        err << outputPath
            << QStringLiteral(": предупреждение: програмата търси файла си под името %1.UFG\n")
                   .arg(lesson.code);

    const QString failure = writeOutput(outputPath, d, {profilePath});
    if (!failure.isEmpty())
        return fail(err, outputPath,
                    QStringLiteral("записът на файла не успя; файлът е оставен какъвто беше. ") + failure);

    out << QStringLiteral("Записан е %1 (%2 байта) за урок %3.\n")
               .arg(QDir::toNativeSeparators(outputPath))
               .arg(d.size())
               .arg(reading.profile->lesson);
    printTimetable(*reading.profile, lesson, out);
    out.flush();
    err.flush();
    return ExitOk;
}

int showCommand(const QString &filePath, const LessonFacts &lesson, QTextStream &out,
                QTextStream &err)
{
    if (QFileInfo(filePath).isDir())
        return fail(err, filePath, QStringLiteral("това е папка, а не конфигурационен файл"));
    // A file of any size up to this is read whole, to tell its size.
    constexpr qint64 readLimit = qint64(1024) * 1024;
    QString why;
    const std::optional<QByteArray> read = readInput(filePath, readLimit, &why);
    if (!read)
        return fail(err, filePath, why.chopped(1));
    const QByteArray bytes = read->left(ConfigFileSize + 1);

    const std::optional<DecodedFile> file = decodeConfigFile(bytes);
    if (!file) {
        const qint64 size = read->size();
        return fail(err, filePath,
                    QStringLiteral("файлът има %1 байта, а конфигурационният файл има точно %2; "
                                   "урокът няма да го приеме и ще работи с вградените си стойности")
                        .arg(size)
                        .arg(ConfigFileSize));
    }

    const Profile &p = file->profile;
    out << QStringLiteral("Файл: %1 (%2 байта)\n").arg(QDir::toNativeSeparators(filePath)).arg(bytes.size());
    out << QStringLiteral("Код на урока: %1").arg(p.lesson);
    if (file->textLength > ConfigTextCapacity)
        out << QStringLiteral(" (записана дължина %1: четат се само %2 знака)")
                   .arg(file->textLength)
                   .arg(ConfigTextCapacity);
    out << '\n';
    out << QStringLiteral("Версия: %1 (в заглавието на урока: „%2“)\n").arg(p.version).arg(captionVersion(p));
    out << QStringLiteral("Дата на версията: %1\n").arg(p.date);

    if (p.lesson != lesson.code) {
        out.flush();
        return fail(err, filePath,
                    QStringLiteral("файлът е за урок „%1“, а не за този урок (%2); урокът няма да "
                                   "го приеме и ще работи с вградените си стойности")
                        .arg(p.lesson, lesson.code));
    }
    out << '\n';
    describe(*file, lesson, out);
    out.flush();
    return ExitOk;
}

QString helpText()
{
    return QStringLiteral(
        "urok-setup – настройка на програмирания урок чрез конфигурационния му файл\n"
        "\n"
        "Употреба:\n"
        "  urok-setup write ПРОФИЛ ФАЙЛ.UFG\n"
        "      Записва конфигурационния файл (600 байта) по текстовия профил.\n"
        "      При грешка в профила файлът не се променя.\n"
        "  urok-setup show ФАЙЛ.UFG\n"
        "      Показва какво казва файлът: код на урока, версия, дата, опции, задачи\n"
        "      с обратното броене и момента на подсказката, времената за точките от плана.\n"
        "  urok-setup scramble ЗАДАЧА.txt ИЗХОД.txt\n"
        "      Кодира файл със задача (за урок с опция 31): маркерите остават, всеки\n"
        "      друг ред се записва кодиран.\n"
        "  urok-setup report [-o СТРАНИЦА.html] [--csv ТАБЛИЦА.csv] [--force] [--no-judge]\n"
        "                    [--tests ПАПКА] ПАПКА|ФАЙЛ...\n"
        "      Отчет за класа: чете файловете с отговори OTGOWORI.TXT и OTGOWORS.TXT\n"
        "      (и копията им с променено име; в папките се търсят и в подпапките) и\n"
        "      записаните до тях файлове на задачите; записва страница на класа (по\n"
        "      подразбиране report.html), листове за печат по един ученик на страница\n"
        "      (report-листове.html) и при --csv таблица (UTF-8, разделител „;“).\n"
        "      Ученикът се назовава с папката си, класът – с папката на учениците.\n"
        "      При няколко класа СТРАНИЦА.html е списък на класовете, а всеки клас\n"
        "      има свои файлове (report-10а.html, report-10а-листове.html,\n"
        "      ТАБЛИЦА-10а.csv). Лошите файлове се изброяват в „Бележки“, без да\n"
        "      спират отчета. Файл, който вече съществува, се заменя само ако е\n"
        "      даден с -o или --csv или с --force.\n"
        "      Всяка програма се компилира (g++ -std=c++17 -O2) и се пуска на\n"
        "      тестовете на задачата в изолирана среда (bubblewrap); в клетката е\n"
        "      присъдата. --no-judge: без проверка; --tests ПАПКА: и тестовете на\n"
        "      учителя, ПАПКА/NN/*.in с *.out. Присъдите се пазят в ~/.cache/urok-setup.\n"
        "  urok-setup check ПАПКА\n"
        "      Проверява компютъра преди час: програмата тръгва, видът на диска и дали\n"
        "      отговорите ще се пазят там, записът в папката, конфигурацията в нея и\n"
        "      останали файлове на ученик от предишен час.\n"
        "  urok-setup reset ПАПКА\n"
        "      Премества файловете на ученика (отговори, задачи, запис кой е ученикът) в\n"
        "      нова папка архив/ДАТА_ЧАС в папката на урока; нищо не се изтрива.\n"
        "  urok-setup collect ПАПКА... КЛАС\n"
        "      Копира файловете на ученика от всяка папка на урок в КЛАС/КОМПЮТЪР/,\n"
        "      без да презаписва; накрая казва от кои компютри липсват отговори.\n"
        "  urok-setup --help\n"
        "      Показва тази помощ.\n"
        "\n"
        "Профилът е текст в UTF-8 с редове „ключ = стойност“; „#“ започва коментар.\n"
        "Ключове: lesson, version, date, tasks offered, tasks listed, option N,\n"
        "task N level, task N time, task N hint at, plan time (времена като 6:00),\n"
        "или вместо времената task N budget, task N hint, point N rate (N от 1 до 40).\n"
        "Образец: config/OPTIM.profile; описание: docs/configuration-file.md.\n"
        "\n"
        "Изход: 0 – успех, 1 – грешка в профила или във файла (за report: отчетът\n"
        "не е записан; за check: компютърът не е готов; за reset и collect: файл не е\n"
        "преместен или събран, или липсват отговори), 2 – грешни аргументи, 3 – отчетът\n"
        "е записан отчасти (кой файл не е записан, се казва).\n");
}

} // namespace urok::setup
