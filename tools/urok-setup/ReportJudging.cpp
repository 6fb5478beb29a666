#include "ReportJudging.h"

#include "judge/Judge.h"
#include "judge/SourceText.h"

#include "content/Catalogue.h"
#include "engine/NumericText.h"

#include <QCryptographicHash>
#include <QDir>

#include <map>

#include <unistd.h>

namespace urok::setup {

namespace {

QString cellKey(qsizetype pupil, int task)
{
    return QStringLiteral("%1/%2").arg(pupil).arg(task);
}

bool holdsProgram(const QString &text)
{
    return text.contains(QStringLiteral("#include")) || text.contains(QStringLiteral("main"));
}

} // namespace

QList<judge::TaskTests> lessonTaskTests(const ReportLesson &lesson, const QString &teachers, QStringList *problems)
{
    const Catalogue &content = Catalogue::builtIn();
    const QStringList firstCondition = content.list(Holder::Redowe_L, 1);
    const QStringList firstSolution = content.list(Holder::Redowe_L, 2);
    const QString samples = judge::lessonSamplesFolder();
    QList<judge::TaskTests> all;
    for (const LessonTask &t : lesson.tasks) {
        const QStringList lines = content.list(Holder::Uslowie_L, t.number);
        const int from = leadingInteger(firstCondition.value(t.number));
        const int to = leadingInteger(firstSolution.value(t.number));
        const QStringList condition = lines.mid(from, qMax(0, to - from));
        judge::TaskTests tests;
        tests.task = t.number;
        tests.timeLimit = judge::conditionTimeLimit(condition);
        tests.cases = judge::conditionExamples(condition);
        if (!samples.isEmpty()) {
            const QString folder = judge::taskFolder(samples, t.number);
            if (!folder.isEmpty())
                judge::addFolderTests(folder, QStringLiteral("тест"), &tests, problems);
        }
        if (!teachers.isEmpty()) {
            const QString folder = judge::taskFolder(teachers, t.number);
            if (!folder.isEmpty())
                judge::addFolderTests(folder, QStringLiteral("тест на учителя"), &tests, problems);
        }
        all.append(tests);
    }
    return all;
}

namespace {

// A text's fingerprint: equal texts are found by it without holding a
// class's answers twice.
QByteArray fingerprint(const QString &text)
{
    return QCryptographicHash::hash(QByteArrayView(reinterpret_cast<const char *>(text.utf16()), text.size() * 2),
                                    QCryptographicHash::Sha256);
}

// Marks answers that other pupils gave too, word for word after
// normalisation, and answers that are the author's solution.
void findCopies(const ClassAnswers &answers, const ReportLesson &lesson, ClassJudging *j)
{
    for (const LessonTask &t : lesson.tasks) {
        const QString authors = judge::normalisedSource(programPart(t.solution));
        const QString solution = judge::normalisedSource(t.solution);
        std::map<QByteArray, QList<qsizetype>> byText;
        for (qsizetype p = 0; p < answers.pupils.size(); ++p) {
            const Answer *a = answers.pupils[p].answer(t.number);
            if (!a)
                continue;
            const QString text = judge::normalisedSource(a->text());
            if (text.isEmpty())
                continue;
            byText[fingerprint(text)].append(p);
            if (text == authors || text == solution)
                j->answers[cellKey(p, t.number)].authors = true;
        }
        for (const auto &[text, pupils] : byText) {
            if (pupils.size() < 2)
                continue;
            for (const qsizetype p : pupils) {
                QStringList others;
                for (const qsizetype q : pupils)
                    if (q != p)
                        others.append(answers.pupils[q].name);
                j->answers[cellKey(p, t.number)].sameAs = others;
            }
        }
    }
    std::map<QByteArray, QList<qsizetype>> byFile;
    for (qsizetype p = 0; p < answers.pupils.size(); ++p) {
        QCryptographicHash file(QCryptographicHash::Sha256);
        for (const Answer &a : answers.pupils[p].answers) {
            const QString part = QStringLiteral("%1\n%2\n").arg(a.task).arg(judge::normalisedSource(a.text()));
            file.addData(QByteArrayView(reinterpret_cast<const char *>(part.utf16()), part.size() * 2));
        }
        if (!answers.pupils[p].answers.isEmpty())
            byFile[file.result()].append(p);
    }
    // In the order of the pupils, as the page lists them.
    QList<QList<qsizetype>> same;
    for (const auto &[file, pupils] : byFile)
        if (pupils.size() > 1)
            same.append(pupils);
    std::sort(same.begin(), same.end());
    for (const QList<qsizetype> &pupils : same) {
        QStringList names;
        for (const qsizetype p : pupils)
            names.append(answers.pupils[p].name);
        j->sameFiles.append(names);
    }
}

// Says which answer is being judged: a line each, or one line redrawn in
// place when standard error is a terminal.
judge::Judge::Progress progressOn(QTextStream &err)
{
    const bool terminal = isatty(STDERR_FILENO) != 0;
    return [&err, terminal](const QString &label, int done, int count) {
        if (terminal) {
            const int width = 24;
            const int filled = count ? done * width / count : width;
            err << QStringLiteral("\r\033[KПроверка [%1%2] %3/%4 %5")
                       .arg(QString(filled, u'#'), QString(width - filled, u'.'))
                       .arg(done + 1)
                       .arg(count)
                       .arg(label);
        } else {
            err << QStringLiteral("Проверка %1/%2: %3\n").arg(done + 1).arg(count).arg(label);
        }
        err.flush();
    };
}

void judgeAll(judge::Judge &judge, const ClassAnswers &answers, const QList<judge::TaskTests> &tests,
              ClassJudging *j, QTextStream &err)
{
    struct Target
    {
        bool saved;
        QString key;
    };
    QList<judge::Submission> submissions;
    QList<Target> targets;
    for (qsizetype p = 0; p < answers.pupils.size(); ++p) {
        const Pupil &pupil = answers.pupils[p];
        for (const judge::TaskTests &t : tests) {
            if (t.cases.isEmpty())
                continue;
            const QString label = QStringLiteral("%1, задача %2").arg(pupil.name).arg(t.task);
            if (const Answer *a = pupil.answer(t.task)) {
                submissions.append({a->text(), &t, label});
                targets.append({false, cellKey(p, t.task)});
            }
            for (const SavedWork *s : pupil.savedFor(t.task)) {
                if (!holdsProgram(s->text))
                    continue;
                submissions.append({programPart(s->text), &t, label + QStringLiteral(", ") + s->fileName});
                targets.append({true, s->path});
            }
        }
    }
    const QList<judge::Verdict> verdicts = judge.judgeAll(submissions, progressOn(err));
    if (isatty(STDERR_FILENO) && !submissions.isEmpty())
        err << u'\n';
    for (qsizetype i = 0; i < targets.size(); ++i)
        (targets[i].saved ? j->savedWork[targets[i].key] : j->answers[targets[i].key]).verdict = verdicts[i];
}

} // namespace

QString programPart(const QString &text)
{
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i].trimmed().startsWith(QStringLiteral("#include")))
            return lines.mid(i).join(u'\n');
    return text;
}

const AnswerMarks *ClassJudging::answer(qsizetype pupil, int task) const
{
    const auto it = answers.constFind(cellKey(pupil, task));
    return it == answers.constEnd() ? nullptr : &*it;
}

const AnswerMarks *ClassJudging::saved(const QString &path) const
{
    const auto it = savedWork.constFind(path);
    return it == savedWork.constEnd() ? nullptr : &*it;
}

std::optional<judge::Verdict> ClassJudging::verdict(const Pupil &pupil, qsizetype index, int task) const
{
    if (const AnswerMarks *m = answer(index, task); m && m->verdict)
        return m->verdict;
    std::optional<judge::Verdict> best;
    for (const SavedWork *s : pupil.savedFor(task)) {
        const AnswerMarks *m = saved(s->path);
        if (m && m->verdict && (!best || m->verdict->passed > best->passed || m->verdict->solved()))
            best = m->verdict;
    }
    return best;
}

CellMarks ClassJudging::marks(const Pupil &pupil, qsizetype index, const Cell &cell, int task) const
{
    CellMarks m{verdict(pupil, index, task), answer(index, task), {}};
    for (const SavedWork *s : cell.saved)
        m.saved.append(saved(s->path));
    return m;
}

ClassJudge::ClassJudge(const ReportLesson &lesson, const JudgingRequest &request, QTextStream &err)
    : lesson_(lesson), err_(err)
{
    if (!request.judge)
        return;
    why_ = judge::Judge::unavailable();
    if (!why_.isEmpty()) {
        err << QStringLiteral("urok-setup: програмите не са проверени: %1\n").arg(why_);
        return;
    }
    tests_ = lessonTaskTests(lesson, request.testsFolder, &notes_);
    for (const QString &n : notes_)
        err << n << u'\n';
    judge_ = std::make_unique<judge::Judge>(request.cacheFolder);
}

ClassJudge::~ClassJudge() = default;

ClassJudging ClassJudge::judge(const ClassAnswers &answers)
{
    ClassJudging j;
    j.why = why_;
    j.notes = notes_;
    findCopies(answers, lesson_, &j);
    if (!judge_)
        return j;
    judgeAll(*judge_, answers, tests_, &j, err_);
    j.judged = true;
    return j;
}

} // namespace urok::setup
