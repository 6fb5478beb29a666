// urok-setup: the teacher's tool for the lesson.
//   urok-setup write PROFILE OUTPUT.UFG
//   urok-setup show FILE.UFG
//   urok-setup scramble TASK.txt OUTPUT.txt
//   urok-setup report [-o report.html] [--csv report.csv] [--force] PATH...
//   urok-setup check FOLDER
//   urok-setup reset FOLDER
//   urok-setup collect SOURCE... DEST
//   urok-setup --help

#include "Classroom.h"
#include "Commands.h"
#include "Profile.h"
#include "Report.h"
#include "Scramble.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    using namespace urok::setup;

    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("показва помощта"));
    const QCommandLineOption page({QStringLiteral("o"), QStringLiteral("output")},
                                  QStringLiteral("страницата на отчета"), QStringLiteral("ФАЙЛ"),
                                  QStringLiteral("report.html"));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("таблицата на отчета"),
                                 QStringLiteral("ФАЙЛ"));
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("заменя файлове на отчета, които вече има"));
    parser.addOptions({help, page, csv, force});
    parser.addPositionalArgument(QStringLiteral("команда"), QStringLiteral("write, show, scramble, report, check, reset или collect"));

    auto usage = [&err](const QString &why) {
        err << QStringLiteral("urok-setup: %1; вижте „urok-setup --help“\n").arg(why);
        return ExitUsage;
    };
    if (!parser.parse(app.arguments())) {
        const QStringList unknown = parser.unknownOptionNames();
        return usage(unknown.isEmpty() ? QStringLiteral("липсва стойност след параметър")
                                       : QStringLiteral("непознат параметър „%1“").arg(unknown.first()));
    }
    const QStringList args = parser.positionalArguments();
    if (parser.isSet(help)) {
        if (!args.isEmpty() || parser.isSet(page) || parser.isSet(csv) || parser.isSet(force))
            return usage(QStringLiteral("--help не се съчетава с други аргументи"));
        out << helpText();
        return ExitOk;
    }
    const QString command = args.value(0);
    if (command == u"report") {
        if (args.size() < 2)
            return usage(QStringLiteral("report иска поне една папка или файл с отговори"));
        const QString pagePath = parser.value(page);
        const QString csvPath = parser.value(csv);
        if (pagePath.isEmpty() || (parser.isSet(csv) && csvPath.isEmpty()))
            return usage(QStringLiteral("празно име на изходен файл"));
        if (pagePath == csvPath)
            return usage(QStringLiteral("страницата и таблицата не може да са един и същ файл"));
        // A path that is not UTF-8 reaches its file by the bytes the shell gave.
        const QList<QByteArray> given(argv + 1, argv + argc);
        return reportCommand({rawArguments(args.mid(1), given), pagePath, parser.isSet(page), csvPath,
                              parser.isSet(force)},
                             out, err);
    }
    if (parser.isSet(page) || parser.isSet(csv) || parser.isSet(force))
        return usage(QStringLiteral("-o, --csv и --force са само за report"));
    if (args.size() == 3 && command == u"write")
        return writeCommand(args[1], args[2], LessonFacts::builtIn(), out, err);
    if (args.size() == 2 && command == u"show")
        return showCommand(args[1], LessonFacts::builtIn(), out, err);
    if (args.size() == 3 && command == u"scramble")
        return scrambleCommand(args[1], args[2], out, err);
    if (args.size() == 2 && command == u"check")
        return checkCommand(args[1], LessonFacts::builtIn(), out);
    if (args.size() == 2 && command == u"reset")
        return resetCommand(args[1], LessonFacts::builtIn(), out);
    if (args.size() >= 3 && command == u"collect")
        return collectCommand(args.mid(1, args.size() - 2), args.last(), LessonFacts::builtIn(), out);
    return usage(QStringLiteral("грешни аргументи"));
}
