#include "Report.h"

#include "ClassFolders.h"
#include "Commands.h"
#include "OutputFile.h"
#include "ReportMarks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <functional>

#include <sys/stat.h>

namespace urok::setup {

namespace {

// The files of one class; with one class the page is the page asked for.
struct ClassFiles
{
    QString page;
    QString sheets;
    QString csv;
};

QString withoutSuffix(const QString &path, const QString &suffix)
{
    return path.endsWith(suffix, Qt::CaseInsensitive) ? path.chopped(suffix.size()) : path;
}

// A class's name as a part of a file name that every disk takes.
QString filePart(const QString &name)
{
    QString part;
    for (const QChar c : name)
        part += c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c) ? QChar(u'_') : c;
    part = part.left(60).trimmed();
    while (part.startsWith(u'.'))
        part.remove(0, 1);
    return part.isEmpty() ? QStringLiteral("клас") : part;
}

QList<ClassFiles> planFiles(const QList<ClassFolder> &classes, const ReportRequest &r)
{
    const QString pageStem = withoutSuffix(r.page, QStringLiteral(".html"));
    const QString csvStem = withoutSuffix(r.csv, QStringLiteral(".csv"));
    QList<ClassFiles> files;
    if (classes.size() == 1) {
        files.append({r.page, pageStem + QStringLiteral("-листове.html"), r.csv});
        return files;
    }
    QSet<QString> taken;
    for (const ClassFolder &c : classes) {
        QString part = filePart(c.name);
        for (int n = 2; taken.contains(part.toLower()); ++n)
            part = QStringLiteral("%1-%2").arg(filePart(c.name)).arg(n);
        taken.insert(part.toLower());
        files.append({pageStem + u'-' + part + QStringLiteral(".html"),
                      pageStem + u'-' + part + QStringLiteral("-листове.html"),
                      r.csv.isEmpty() ? QString() : csvStem + u'-' + part + QStringLiteral(".csv")});
    }
    return files;
}

// The files already there that the report might write over: every one in
// the folder of the page and of the table whose name starts as theirs do.
// The search keeps those of them it reads, so as never to write over one.
QSet<FileId> filesItMightWrite(const ReportRequest &r)
{
    QSet<FileId> found;
    for (const QString &output : {r.page, r.csv}) {
        if (output.isEmpty())
            continue;
        const QFileInfo stem(withoutSuffix(output, QFileInfo(output).suffix().prepend(u'.')));
        const QDir folder = stem.absoluteDir();
        for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (!name.startsWith(stem.fileName()))
                continue;
            struct stat st{};
            if (::lstat(QFile::encodeName(folder.filePath(name)).constData(), &st) == 0)
                found.insert({quint64(st.st_dev), quint64(st.st_ino)});
        }
    }
    return found;
}

// Every file the report would write, checked before any is: a single one
// that may not be written stops the report.
bool mayWriteAll(const QList<ClassFiles> &files, const ReportRequest &r, const Inputs &inputs,
                 QTextStream &err)
{
    struct Target
    {
        QString path;
        bool named;
    };
    QList<Target> targets;
    if (files.size() > 1)
        targets.append({r.page, r.pageNamed});
    for (const ClassFiles &f : files) {
        targets.append({f.page, r.pageNamed});
        targets.append({f.sheets, r.pageNamed});
        if (!f.csv.isEmpty())
            targets.append({f.csv, true});
    }
    bool all = true;
    QSet<QString> seen;
    for (const Target &t : targets) {
        const QString absolute = QFileInfo(t.path).absoluteFilePath();
        QString why = seen.contains(absolute) ? QStringLiteral("два от файловете на отчета биха били този файл")
                                              : outputRefusal(t.path, t.named || r.force, inputs);
        seen.insert(absolute);
        if (!why.isEmpty()) {
            err << QDir::toNativeSeparators(t.path) << QStringLiteral(": грешка: ") << why << u'\n';
            all = false;
        }
    }
    return all;
}

QString written(const QString &path, const std::function<void(QIODevice &)> &write)
{
    OutputFile file(path);
    write(file.device());
    return file.finish();
}

class Writer
{
public:
    Writer(QTextStream &out, QTextStream &err) : out_(out), err_(err) {}

    // Writes a file; an empty name when it failed.
    QString file(const QString &path, const std::function<void(QIODevice &)> &write)
    {
        const QString failure = written(path, write);
        const QString shown = QDir::toNativeSeparators(path);
        if (!failure.isEmpty()) {
            err_ << shown << QStringLiteral(": грешка: ") << failure << QStringLiteral("; файлът не е записан.\n");
            ++failed_;
            return {};
        }
        out_ << QStringLiteral("Записан е %1.\n").arg(shown);
        ++written_;
        return QFileInfo(path).fileName();
    }

    int status() const { return failed_ == 0 ? ExitOk : written_ == 0 ? ExitFailed : ExitPartly; }

private:
    QTextStream &out_;
    QTextStream &err_;
    int failed_ = 0;
    int written_ = 0;
};

} // namespace

QString madeText(const QDateTime &made)
{
    return made.toString(QStringLiteral("d.MM.yyyy 'г.,' HH:mm"));
}

int reportCommand(const ReportRequest &r, QTextStream &out, QTextStream &err)
{
    const ReportLesson lesson = ReportLesson::builtIn();
    const FoundClasses found = findClasses(r.paths, lesson.code, filesItMightWrite(r));
    for (const QString &note : found.notes)
        err << note << u'\n';
    if (found.classes.isEmpty()) {
        err << QStringLiteral("urok-setup: не е намерен нито един файл с отговори (OTGOWORI.TXT или "
                              "OTGOWORS.TXT); отчетът не е записан\n");
        err.flush();
        return ExitFailed;
    }
    const QList<ClassFiles> files = planFiles(found.classes, r);
    if (!mayWriteAll(files, r, found.inputs, err)) {
        err << QStringLiteral("urok-setup: отчетът не е записан\n");
        err.flush();
        return ExitFailed;
    }

    const QDateTime made = QDateTime::currentDateTime();
    const bool single = found.classes.size() == 1;
    ClassJudge judge(lesson, r.judging, err);
    Writer writer(out, err);
    QList<ClassEntry> entries;
    qsizetype pupils = 0;
    qsizetype notes = found.notes.size();
    for (qsizetype i = 0; i < found.classes.size(); ++i) {
        // One class is in memory at a time.
        const ClassAnswers answers = readClass(found, found.classes[i], lesson);
        for (const QString &note : answers.notes)
            err << note << u'\n';
        err.flush();
        const ClassJudging judged = judge.judge(answers);
        const ClassFiles &f = files[i];
        const ClassLinks links{QFileInfo(f.sheets).fileName(), QFileInfo(f.csv).fileName(),
                               single ? QString() : QFileInfo(r.page).fileName(),
                               single ? found.notes : QStringList()};
        const qsizetype classNotes = answers.notes.size() + judgingNotes(judged).size();
        ClassEntry e{answers.name, answers.path, answers.pupils.size(), 0, classNotes, {}, {}, {}, !f.csv.isEmpty()};
        for (const Pupil &p : answers.pupils)
            e.answers += int(p.answers.size());
        e.page = writer.file(f.page, [&](QIODevice &d) { writeClassPage(d, answers, lesson, links, made, judged); });
        e.sheets = writer.file(f.sheets, [&](QIODevice &d) { writeSheets(d, answers, lesson, made); });
        if (e.withCsv)
            e.csv = writer.file(f.csv, [&](QIODevice &d) { writeCsv(d, answers, lesson, judged); });
        pupils += e.pupils;
        notes += e.notes;
        entries.append(e);
    }
    if (!single)
        writer.file(r.page, [&](QIODevice &d) { writeIndex(d, entries, found.notes, lesson, made); });
    out << QStringLiteral("Класове: %1; ученици: %2; задачи в урока: %3; бележки: %4.\n")
               .arg(found.classes.size())
               .arg(pupils)
               .arg(lesson.tasks.size())
               .arg(notes);
    out.flush();
    err.flush();
    return writer.status();
}

QList<QByteArray> rawArguments(const QStringList &given, const QList<QByteArray> &argv)
{
    QList<QByteArray> raw;
    qsizetype from = 0;
    for (const QString &g : given) {
        qsizetype at = from;
        while (at < argv.size() && QFile::decodeName(argv[at]) != g)
            ++at;
        if (at < argv.size()) {
            raw.append(argv[at]);
            from = at + 1;
        } else {
            raw.append(QFile::encodeName(g));
        }
    }
    return raw;
}

} // namespace urok::setup
