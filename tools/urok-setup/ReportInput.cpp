#include "ReportInput.h"

#include "ClassFolders.h"
#include "PupilFiles.h"
#include "RawNames.h"

#include "content/Catalogue.h"
#include "engine/AnswersFile.h"
#include "engine/Cp1251.h"
#include "engine/NumericText.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <map>

namespace urok::setup {

namespace {

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

// A task line cut short: "З", "Зад", "Задача  1".
bool cutTaskLine(const QString &line)
{
    static const QString word = QStringLiteral("Задача  ");
    static const QRegularExpression numbered(QStringLiteral("^Задача {1,2}\\d+$"));
    return (!line.isEmpty() && word.startsWith(line)) || numbered.match(line).hasMatch();
}

QString taskList(const QList<int> &tasks)
{
    QStringList numbers;
    for (int n : tasks)
        numbers.append(QString::number(n));
    return numbers.join(QStringLiteral(", "));
}

// The lesson's task save files beside a pupil's answers file.
QList<SavedWork> readSaved(const FoundFile &found, const ReportLesson &lesson, Pupil &pupil)
{
    static const QRegularExpression number(QStringLiteral("_(\\d\\d)\\.TXT$"), QRegularExpression::CaseInsensitiveOption);
    QList<SavedWork> saved;
    for (const QByteArray &path : found.saved) {
        const QString shown = shownPath(path);
        const QString fileName = shownName(lastPart(path));
        const int task = number.match(fileName).captured(1).toInt();
        if (task < 1 || task > lesson.tasks.size()) {
            pupil.notes.append(shown + QStringLiteral(": записан файл на задача %1, която урокът няма").arg(task));
            continue;
        }
        QString why;
        const std::optional<QByteArray> bytes = readPlainFile(path, SavedFileLimit, &why);
        if (!bytes) {
            pupil.notes.append(shown + QStringLiteral(": ") + why);
            continue;
        }
        QString remark;
        QString text = sanitized(decodeText(*bytes, &remark));
        if (!remark.isEmpty())
            pupil.notes.append(shown + QStringLiteral(": ") + remark);
        // A file of condition and answer: the answer follows the heading
        // that ends the condition, and the condition must be this task's.
        const QString conditionHeading = QStringLiteral("Условие на задачата:\n");
        const QString answerHeading = QStringLiteral("Представено решение:\n");
        const qsizetype at = text.lastIndexOf(answerHeading);
        if (text.startsWith(conditionHeading) && at >= 0) {
            const QString &first = lesson.tasks[task - 1].firstCondition;
            if (!first.isEmpty() && !text.left(at).contains(first)) {
                pupil.otherLesson = true;
                pupil.notes.append(shown + QStringLiteral(": условието в него не е на задача %1 от този урок; "
                                                          "файлът може да е от друг урок").arg(task));
            }
            text = text.mid(at + answerHeading.size());
        }
        saved.append({fileName, shown, task, text});
    }
    return saved;
}

Pupil readPupil(const FoundFile &found, const ReportLesson &lesson)
{
    Pupil pupil;
    pupil.name = nameWithLogin(found.pupil, QFileInfo(QFile::decodeName(found.path)).path());
    pupil.path = shownPath(found.path);
    pupil.notes = found.nameNotes;
    for (QString &n : pupil.notes)
        n.prepend(pupil.path + QStringLiteral(": "));
    if (!found.otherLesson.isEmpty()) {
        pupil.otherLesson = true;
        pupil.notes.append(pupil.path + QStringLiteral(": до него има файлове на друг урок (%1); "
                                                       "той може да е от друг урок")
                                            .arg(found.otherLesson.join(QStringLiteral(", "))));
    }
    QString why = found.unread;
    std::optional<QByteArray> bytes;
    if (why.isEmpty())
        bytes = readPlainFile(found.path, AnswersFileLimit, &why);
    AnswersReading reading;
    if (bytes)
        reading = readAnswers(*bytes, static_cast<int>(lesson.tasks.size()));
    else
        reading.problems.append(why);
    for (const QString &p : reading.problems)
        pupil.notes.append(pupil.path + QStringLiteral(": ") + p);
    pupil.otherLesson = pupil.otherLesson || reading.otherLesson;
    if (!bytes)
        pupil.unread = QStringLiteral("файлът не е прочетен");
    else if (bytes->isEmpty())
        pupil.unread = QStringLiteral("празен файл");
    else if (!reading.isAnswers)
        pupil.unread = QStringLiteral("не е файл с отговори");
    pupil.answers = std::move(reading.answers);
    if (reading.isAnswers)
        pupil.saved = readSaved(found, lesson, pupil);
    return pupil;
}

// Names two files share are told apart in the order of their paths, and
// each of them says why.
void tellDoublesApart(QList<Pupil> &pupils)
{
    std::map<QString, QList<Pupil *>> byName;
    for (Pupil &p : pupils)
        byName[p.name].append(&p);
    for (auto &[name, same] : byName) {
        if (same.size() < 2)
            continue;
        std::sort(same.begin(), same.end(), [](Pupil *a, Pupil *b) { return a->path < b->path; });
        QStringList files;
        for (const Pupil *p : same)
            files.append(p->path);
        const QString firstFolder = same.first()->path.section(u'/', 0, -2);
        const bool oneFolder = std::all_of(same.begin(), same.end(), [&firstFolder](const Pupil *p) {
            return p->path.section(u'/', 0, -2) == firstFolder;
        });
        const QString why = oneFolder ? QStringLiteral("в една папка има %1 файла с отговори").arg(same.size())
                                      : QStringLiteral("%1 папки с отговори носят едно име").arg(same.size());
        for (int i = 0; i < same.size(); ++i) {
            same[i]->name = QStringLiteral("%1 (%2)").arg(name).arg(i + 1);
            same[i]->notes.append(QStringLiteral("%1: това е „%2“: %3 (%4)")
                                      .arg(same[i]->path, same[i]->name, why, files.join(QStringLiteral(", "))));
        }
    }
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

namespace {

// What the task lines of an answers file came to.
struct TaskLines
{
    int last = 0;             // the last task line seen
    bool lastEmpty = false;   // it has no answer after it
    QList<int> unknown;       // tasks the lesson does not have
    bool stray = false;       // text before the first task line
};

TaskLines readTaskLines(const QStringList &lines, int lessonTasks, QList<Answer> &answers)
{
    TaskLines t;
    int current = -1;          // the answer being read: its task, 0 for an unknown one
    QStringList body;
    auto close = [&] {
        if (current > 0 && !body.isEmpty())
            answers.append({current, body.join(u'\n')});
        body.clear();
    };
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QRegularExpressionMatch m = taskLinePattern().match(lines[i]);
        const qint64 n = m.hasMatch() ? m.captured(1).toLongLong() : 0;
        // A task line starts an answer only in increasing order, as the
        // program writes them; otherwise it is a line of the answer.
        if (m.hasMatch() && n > t.last) {
            close();
            t.last = static_cast<int>(qMin<qint64>(n, 1'000'000'000));
            current = n <= lessonTasks ? t.last : 0;
            if (current == 0)
                t.unknown.append(t.last);
            continue;
        }
        if (current < 0) {
            t.stray = t.stray || !lines[i].trimmed().isEmpty();
            continue;
        }
        body.append(lines[i]);
    }
    t.lastEmpty = current >= 0 && body.isEmpty();
    close();
    return t;
}

// Says which answers a file cut short has lost: `cutLine` is the task line
// it was cut in, if it was.
void noteCut(AnswersReading &r, const TaskLines &t, bool cut, const QString &cutLine)
{
    const QString lost = QStringLiteral("отговорите след нея, ако е имало, са загубени");
    if (!cutLine.isEmpty() && t.last > 0)
        r.problems.append(QStringLiteral("файлът е прекъснат в реда на задачата след задача %1 („%2“): "
                                         "отговорът ѝ и %3").arg(t.last).arg(cutLine, lost));
    else if (t.lastEmpty)
        r.problems.append(QStringLiteral("файлът е прекъснат след реда на задача %1: отговорът ѝ и %2")
                              .arg(t.last).arg(lost));
    else if (t.last > 0 && cut)
        r.problems.append(QStringLiteral("файлът е прекъснат: отговорът на задача %1 може да е непълен, а %2")
                              .arg(t.last).arg(lost));
    else if (cut)
        r.problems.append(QStringLiteral("файлът е прекъснат преди първата задача: отговорите са загубени"));
}

} // namespace

AnswersReading readAnswers(const QByteArray &bytes, int lessonTasks)
{
    AnswersReading r;
    if (bytes.isEmpty()) {
        r.problems.append(QStringLiteral("файлът е празен (0 байта)"));
        return r;
    }
    // A write cut short on some disks leaves the file's end as zero bytes.
    QByteArrayView kept(bytes);
    while (kept.endsWith('\0'))
        kept.chop(1);
    const bool zeros = kept.size() < bytes.size();
    QString remark;
    const QString text = sanitized(decodeText(kept.toByteArray(), &remark));
    QStringList lines = text.split(u'\n');
    const QString heading = answersHeading();
    if (lines.first().trimmed() != heading) {
        const QString first = lines.first().trimmed();
        r.problems.append(lines.size() == 1 && !first.isEmpty() && heading.startsWith(first)
                              ? QStringLiteral("файлът е прекъснат в заглавния си ред; в него няма отговори")
                              : QStringLiteral("това не е файл с отговори (първият му ред не е „%1“)")
                                    .arg(heading));
        return r;
    }
    r.isAnswers = true;
    if (!remark.isEmpty())
        r.problems.append(remark);
    if (zeros)
        r.problems.append(QStringLiteral("файлът завършва с нулеви байтове: записът му е прекъснат"));

    // The program ends every answer with a line break: the last line is
    // then empty, and anything else means the file was cut short.
    const bool cut = !lines.last().isEmpty();
    const QString cutLine = cut && lines.size() >= 2 && cutTaskLine(lines.last()) ? lines.last() : QString();
    if (!cut || !cutLine.isEmpty())
        lines.removeLast();
    const TaskLines t = readTaskLines(lines, lessonTasks, r.answers);
    if (t.stray)
        r.problems.append(QStringLiteral("текстът преди първата задача не е отговор и е пропуснат"));
    if (!t.unknown.isEmpty()) {
        r.otherLesson = true;
        r.problems.append(QStringLiteral("отговори на задачи, които урокът няма (%1; в урока има %2): "
                                         "файлът може да е от друг урок; те не са включени")
                              .arg(taskList(t.unknown))
                              .arg(lessonTasks));
    }
    noteCut(r, t, cut || zeros || !cutLine.isEmpty(), cutLine);
    return r;
}

Answer::Answer(int number, const QString &text)
    : task(number)
{
    QStringEncoder encoder("windows-1251", QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError() && fromCp1251(bytes) == text) {
        bytes.squeeze();   // the encoder leaves room for more bytes a character
        narrow_ = std::move(bytes);
    } else {
        wide_ = text;
    }
}

QString Answer::text() const
{
    return narrow_.isEmpty() ? wide_ : fromCp1251(narrow_);
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

Cell Pupil::cell(int task) const
{
    Cell c;
    c.answer = answer(task);
    c.saved = savedFor(task);
    if (c.answer) {
        const QString text = c.answer->text();
        c.lines = answerLines(text);
        c.characters = answerCharacters(text);
    }
    return c;
}

ClassAnswers readClass(const FoundClasses &found, const ClassFolder &folder, const ReportLesson &lesson)
{
    ClassAnswers result;
    result.name = folder.name;
    result.path = folder.shownPath;
    for (const FoundFile &f : found.filesOf(folder))
        result.pupils.append(readPupil(f, lesson));
    tellDoublesApart(result.pupils);
    QCollator collator{QLocale(QLocale::Bulgarian, QLocale::Bulgaria)};
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(result.pupils.begin(), result.pupils.end(), [&collator](const Pupil &a, const Pupil &b) {
        const int c = collator.compare(a.name, b.name);
        return c != 0 ? c < 0 : a.name < b.name;
    });
    for (const Pupil &p : result.pupils)
        result.notes += p.notes;
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
