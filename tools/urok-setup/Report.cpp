#include "Report.h"

#include "Commands.h"
#include "Files.h"

#include <QDir>

namespace urok::setup {

int reportCommand(const QStringList &paths, const QString &pagePath, const QString &csvPath,
                  const JudgingRequest &judging, QTextStream &out, QTextStream &err)
{
    const ReportLesson lesson = ReportLesson::builtIn();
    const ClassAnswers answers = collectClass(paths, lesson);
    for (const QString &note : answers.notes)
        err << note << u'\n';
    if (answers.pupils.isEmpty()) {
        err << QStringLiteral("urok-setup: не е намерен нито един файл с отговори (OTGOWORI.TXT или "
                              "OTGOWORS.TXT); отчетът не е записан\n");
        err.flush();
        return ExitFailed;
    }

    const ClassJudging judged = judgeClass(answers, lesson, judging, err);

    struct Output
    {
        QString path;
        QByteArray bytes;
    };
    QList<Output> outputs{{pagePath, reportPage(answers, lesson, QDateTime::currentDateTime(), judged)}};
    if (!csvPath.isEmpty())
        outputs.append({csvPath, reportCsv(answers, lesson, judged)});
    int status = ExitOk;
    for (const Output &o : outputs) {
        const QString failure = writeOutput(o.path, o.bytes, answers.inputFiles);
        if (!failure.isEmpty()) {
            err << QDir::toNativeSeparators(o.path) << QStringLiteral(": грешка: ") << failure
                << QStringLiteral(" Файлът не е записан.\n");
            status = ExitFailed;
            continue;
        }
        out << QStringLiteral("Записан е %1.\n").arg(QDir::toNativeSeparators(o.path));
    }
    if (status == ExitOk)
        out << QStringLiteral("Ученици: %1; задачи в урока: %2; бележки: %3.\n")
                   .arg(answers.pupils.size())
                   .arg(lesson.tasks.size())
                   .arg(answers.notes.size());
    out.flush();
    err.flush();
    return status;
}

} // namespace urok::setup
