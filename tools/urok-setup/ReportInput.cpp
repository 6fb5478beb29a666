#include "ReportInput.h"

#include "Files.h"
#include "PupilFiles.h"

#include "content/Catalogue.h"
#include "engine/AnswersFile.h"
#include "engine/Cp1251.h"
#include "engine/NumericText.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <map>

namespace urok::setup {

namespace {

// Folders deeper than this below a path given are not searched.
constexpr int FolderDepthLimit = 32;

QString sanitized(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const bool control = (c < 0x20 && c != u'\t' && c != u'\n') || c == 0x7F;
        const bool surrogate = QChar::isSurrogate(c);
        const bool pairOk = surrogate && QChar::isHighSurrogate(c) && i + 1 < text.size()
                            && text.at(i + 1).isLowSurrogate();
        if (pairOk) {
            ++i;
            continue;
        }
        if (control || surrogate || c == 0xFFFE || c == 0xFFFF)
            text[i] = QChar(QChar::ReplacementCharacter);
    }
    return text;
}

// Decodes a text file of the lesson; `remark` tells when it was not in
// Windows-1251.
QString decodeText(const QByteArray &bytes, QString *remark)
{
    auto decode = [&bytes](QStringConverter::Encoding e, qsizetype skip) {
        QStringDecoder d(e);
        return QString(d.decode(QByteArrayView(bytes).sliced(skip)));
    };
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        *remark = QStringLiteral("файлът е в UTF-8, а не в Windows-1251; прочетен е като UTF-8");
        return decode(QStringConverter::Utf8, 3);
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        *remark = QStringLiteral("файлът е в UTF-16, а не в Windows-1251; прочетен е като UTF-16");
        return decode(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                   : QStringConverter::Utf16BE,
                      2);
    }
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        // Cyrillic text in Windows-1251 is practically never valid UTF-8.
        QStringDecoder utf8(QStringConverter::Utf8);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError()) {
            *remark = QStringLiteral("файлът е в UTF-8, а не в Windows-1251; прочетен е като UTF-8");
            return text;
        }
    }
    return fromCp1251(bytes);
}

const QRegularExpression &taskLinePattern()
{
    static const QRegularExpression re(QStringLiteral("^Задача {1,2}(\\d{1,9})$"));
    return re;
}

bool isAnswersFileName(const QString &name)
{
    return name.compare(answersFileName(0), Qt::CaseInsensitive) == 0
           || name.compare(answersFileName(1), Qt::CaseInsensitive) == 0;
}

struct Found
{
    QString path;   // absolute
    QString name;   // the pupil's name before duplicates are told apart
};

class Collector
{
public:
    Collector(const ReportLesson &lesson, ClassAnswers &out) : lesson_(lesson), out_(out)
    {
        saveName_ = QRegularExpression(
            QStringLiteral("^%1_(\\d\\d)\\.TXT$").arg(QRegularExpression::escape(lesson.code)),
            QRegularExpression::CaseInsensitiveOption);
    }

    void path(const QString &given)
    {
        // A path the teacher names is taken even through a symbolic link;
        // links met inside a folder are not followed.
        const QFileInfo info(given);
        if (info.isDir()) {
            QString base = QDir(info.absoluteFilePath()).dirName();
            if (base.isEmpty())
                base = QDir::toNativeSeparators(info.absoluteFilePath());
            folder(info.absoluteFilePath(), QString(), base, 0);
        } else if (info.isFile()) {
            const QString name = isAnswersFileName(info.fileName())
                                     ? info.absoluteDir().dirName()
                                     : info.completeBaseName();
            add(info.absoluteFilePath(), name.isEmpty() ? info.fileName() : name);
        } else if (info.exists()) {
            note(given, QStringLiteral("това не е обикновен файл"));
        } else {
            note(given, QStringLiteral("няма такъв файл или папка"));
        }
    }

    void finish();

private:
    void note(const QString &path, const QString &message)
    {
        QString m = message;
        if (m.endsWith(u'.'))
            m.chop(1);
        out_.notes.append(QDir::toNativeSeparators(path) + QStringLiteral(": ") + m);
    }

    void folder(const QString &abs, const QString &relative, const QString &base, int depth)
    {
        const QFileInfo info(abs);
        if (!info.isReadable() || !info.isExecutable()) {
            note(abs, QStringLiteral("папката не може да се прочете"));
            return;
        }
        if (depth > FolderDepthLimit) {
            note(abs, QStringLiteral("папката е твърде дълбоко; не е претърсена"));
            return;
        }
        const QDir dir(abs);
        const QFileInfoList entries =
            dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                              QDir::Name);
        for (const QFileInfo &e : entries) {
            if (e.isSymLink())
                continue;
            if (e.isDir()) {
                folder(e.absoluteFilePath(),
                       relative.isEmpty() ? e.fileName() : relative + u'/' + e.fileName(), base,
                       depth + 1);
            } else if (e.isFile() && isAnswersFileName(e.fileName())) {
                add(e.absoluteFilePath(), relative.isEmpty() ? base : relative);
            }
        }
    }

    void add(const QString &abs, const QString &name)
    {
        const QString key = QFileInfo(abs).canonicalFilePath();
        if (seen_.contains(key)) {
            note(abs, QStringLiteral("вече е включен в отчета"));
            return;
        }
        seen_.insert(key);
        found_.append({abs, name});
    }

    QList<SavedWork> savedBeside(const QString &answersPath);

    const ReportLesson &lesson_;
    ClassAnswers &out_;
    QRegularExpression saveName_;
    QList<Found> found_;
    QSet<QString> seen_;
};

QList<SavedWork> Collector::savedBeside(const QString &answersPath)
{
    QList<SavedWork> saved;
    const QFileInfoList entries = QFileInfo(answersPath).absoluteDir().entryInfoList(
        QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &e : entries) {
        const QRegularExpressionMatch m = saveName_.match(e.fileName());
        if (!m.hasMatch() || e.isSymLink() || !e.isFile())
            continue;
        const int task = m.captured(1).toInt();
        if (task < 1 || task > lesson_.tasks.size()) {
            note(e.absoluteFilePath(), QStringLiteral("записан файл на задача %1, която урокът няма")
                                           .arg(m.captured(1)));
            continue;
        }
        QString why;
        const std::optional<QByteArray> bytes = readInput(e.absoluteFilePath(), SavedFileLimit, &why);
        if (!bytes) {
            note(e.absoluteFilePath(), why);
            continue;
        }
        out_.inputFiles.append(e.absoluteFilePath());
        QString remark;
        QString text = sanitized(decodeText(*bytes, &remark));
        if (!remark.isEmpty())
            note(e.absoluteFilePath(), remark);
        // A file of condition and answer: the answer follows the heading
        // that ends the condition.
        const QString conditionHeading = QStringLiteral("Условие на задачата:\n");
        const QString answerHeading = QStringLiteral("Представено решение:\n");
        const qsizetype at = text.lastIndexOf(answerHeading);
        if (text.startsWith(conditionHeading) && at >= 0)
            text = text.mid(at + answerHeading.size());
        saved.append({e.fileName(), e.absoluteFilePath(), task, text});
    }
    return saved;
}

void Collector::finish()
{
    for (const Found &f : found_) {
        QString why;
        const std::optional<QByteArray> bytes = readInput(f.path, AnswersFileLimit, &why);
        if (!bytes) {
            note(f.path, why);
            continue;
        }
        out_.inputFiles.append(f.path);
        AnswersReading reading = readAnswers(*bytes, static_cast<int>(lesson_.tasks.size()));
        for (const QString &p : reading.problems)
            note(f.path, p);
        if (!reading.isAnswers)
            continue;
        Pupil pupil;
        pupil.name = nameWithLogin(f.name, QFileInfo(f.path).path());
        pupil.path = f.path;
        pupil.answers = std::move(reading.answers);
        if (isAnswersFileName(QFileInfo(f.path).fileName()))
            pupil.saved = savedBeside(f.path);
        out_.pupils.append(std::move(pupil));
    }

    // Names two files share are told apart in the order of their paths.
    std::map<QString, QList<Pupil *>> byName;
    for (Pupil &p : out_.pupils)
        byName[p.name].append(&p);
    for (auto &[name, same] : byName) {
        if (same.size() < 2)
            continue;
        std::sort(same.begin(), same.end(), [](Pupil *a, Pupil *b) { return a->path < b->path; });
        for (int i = 0; i < same.size(); ++i)
            same[i]->name = QStringLiteral("%1 (%2)").arg(name).arg(i + 1);
    }

    QCollator collator{QLocale(QLocale::Bulgarian, QLocale::Bulgaria)};
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(out_.pupils.begin(), out_.pupils.end(), [&collator](const Pupil &a, const Pupil &b) {
        const int c = collator.compare(a.name, b.name);
        return c != 0 ? c < 0 : a.name < b.name;
    });
}

} // namespace

ReportLesson ReportLesson::builtIn()
{
    const Catalogue &content = Catalogue::builtIn();
    ReportLesson lesson;
    lesson.code = content.list(Holder::Spi_GR, 2).value(0);
    lesson.topic = content.list(Holder::Plan_Tarv, 0).value(0);
    const int count = qMax(0, static_cast<int>(content.list(Holder::Uslowie_L, 0).size()) - 1);
    const QStringList levels = content.list(Holder::Wremena, 4);
    const QStringList kinds = content.list(Holder::Wremena, 6);
    const QStringList firstCondition = content.list(Holder::Redowe_L, 1);
    const QStringList firstSolution = content.list(Holder::Redowe_L, 2);
    for (int k = 1; k <= count; ++k) {
        const QStringList lines = content.list(Holder::Uslowie_L, k);
        LessonTask t;
        t.number = k;
        t.level = leadingInteger(levels.value(k));
        t.kind = kinds.value(k).trimmed();
        t.firstCondition = lines.value(leadingInteger(firstCondition.value(k))).trimmed();
        t.solution = lines.mid(qMax(0, leadingInteger(firstSolution.value(k)))).join(u'\n');
        lesson.tasks.append(t);
    }
    return lesson;
}

QString answersHeading()
{
    return QStringLiteral("Има въведен текст по следните задачи:");
}

AnswersReading readAnswers(const QByteArray &bytes, int lessonTasks)
{
    AnswersReading r;
    if (bytes.isEmpty()) {
        r.problems.append(QStringLiteral("файлът е празен"));
        return r;
    }
    QString remark;
    const QString text = sanitized(decodeText(bytes, &remark));
    QStringList lines = text.split(u'\n');
    const QString heading = answersHeading();
    if (lines.first().trimmed() != heading) {
        const QString first = lines.first().trimmed();
        r.problems.append(lines.size() == 1 && !first.isEmpty() && heading.startsWith(first)
                              ? QStringLiteral("файлът е прекъснат в заглавния си ред")
                              : QStringLiteral("това не е файл с отговори (първият му ред не е „%1“)")
                                    .arg(heading));
        return r;
    }
    r.isAnswers = true;
    if (!remark.isEmpty())
        r.problems.append(remark);

    // The program ends every answer with a line break: the last line is
    // then empty, and anything else means the file was cut short.
    bool cut = !lines.last().isEmpty();
    if (!cut)
        lines.removeLast();

    int last = 0;              // the last task line seen
    int current = -1;          // the answer being read: its task, 0 for an unknown one
    QStringList body;
    QList<int> unknown;
    bool stray = false;
    auto close = [&] {
        if (current > 0 && !body.isEmpty())
            r.answers.append({current, body.join(u'\n')});
        body.clear();
    };
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QRegularExpressionMatch m = taskLinePattern().match(lines[i]);
        const qint64 n = m.hasMatch() ? m.captured(1).toLongLong() : 0;
        // A task line starts an answer only in increasing order, as the
        // program writes them; otherwise it is a line of the answer.
        if (m.hasMatch() && n > last) {
            close();
            last = static_cast<int>(qMin<qint64>(n, 1'000'000'000));
            current = n <= lessonTasks ? last : 0;
            if (current == 0)
                unknown.append(last);
            continue;
        }
        if (current < 0) {
            stray = stray || !lines[i].trimmed().isEmpty();
            continue;
        }
        body.append(lines[i]);
    }
    if (current >= 0 && body.isEmpty())
        cut = true;   // a task line with no answer after it
    close();

    if (stray)
        r.problems.append(QStringLiteral("текстът преди първата задача не е отговор и е пропуснат"));
    for (int n : unknown)
        r.problems.append(QStringLiteral("отговор на задача %1, която урокът няма; не е включен").arg(n));
    if (cut)
        r.problems.append(QStringLiteral("файлът изглежда прекъснат: последният отговор може да е непълен"));
    return r;
}

const Answer *Pupil::answer(int task) const
{
    for (const Answer &a : answers)
        if (a.task == task)
            return &a;
    return nullptr;
}

QList<const SavedWork *> Pupil::savedFor(int task) const
{
    QList<const SavedWork *> result;
    for (const SavedWork &s : saved)
        if (s.task == task)
            result.append(&s);
    return result;
}

ClassAnswers collectClass(const QStringList &paths, const ReportLesson &lesson)
{
    ClassAnswers result;
    Collector collector(lesson, result);
    for (const QString &p : paths)
        collector.path(p);
    collector.finish();
    return result;
}

qsizetype answerCharacters(const QString &text)
{
    return text.size() - text.count(u'\n');
}

int answerLines(const QString &text)
{
    return text.isEmpty() ? 0 : static_cast<int>(text.count(u'\n')) + 1;
}

} // namespace urok::setup
