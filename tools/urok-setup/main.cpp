// urok-setup: writes and shows the lesson's configuration file.
//   urok-setup write PROFILE OUTPUT.UFG
//   urok-setup show FILE.UFG
//   urok-setup scramble TASK.txt OUTPUT.txt
//   urok-setup --help

#include "Commands.h"
#include "Profile.h"
#include "Scramble.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    const QStringList args = app.arguments().mid(1);
    using namespace urok::setup;

    if (args.size() == 1 && (args[0] == u"--help" || args[0] == u"-h")) {
        out << helpText();
        return ExitOk;
    }
    if (args.size() == 3 && args[0] == u"write")
        return writeCommand(args[1], args[2], LessonFacts::builtIn(), out, err);
    if (args.size() == 2 && args[0] == u"show")
        return showCommand(args[1], LessonFacts::builtIn(), out, err);
    if (args.size() == 3 && args[0] == u"scramble")
        return scrambleCommand(args[1], args[2], out, err);

    err << QStringLiteral("urok-setup: грешни аргументи; вижте „urok-setup --help“\n");
    return ExitUsage;
}
