#include "engine/ConfigFile.h"

#include "engine/LessonState.h"
#include "engine/MainMessages.h"
#include "engine/NumericText.h"
#include "engine/Platform.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>

#include <limits>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace urok {

namespace {

int taskCount(LessonState &state)
{
    return state.Uslowie_L(0).count() - 1;
}

void applyOptions(LessonState &state, const ConfigRecord &r)
{
    ItemList &copy = state.List_Un(4);
    copy.clear();
    copy.add(QStringLiteral(" "));
    for (int i = 0; i < 40; ++i) {
        const QString s = QString::number(r.values[i] % 2);
        state.Opcii_L().setItem(i + 1, s);
        copy.add(s);
    }
}

void applyLevelsAndTaskList(LessonState &state, const ConfigRecord &r, ConfigOutcome &outcome)
{
    const int t = taskCount(state);
    for (int i = 0; i < 40 && i < t; ++i)
        state.Wremena(4).setItem(i + 1, QString::number(r.values[i] % 10));

    ItemList &index = state.Uslowie_L(0);
    index.setItem(0, QString::number(r.number));
    // Only the tasks that exist are listed, however many the file asks for.
    QStringList listed;
    for (qint64 i = 1; i <= r.number && i <= t; ++i)
        listed.append(index.item(static_cast<int>(i)));
    outcome.taskList = listed;
    if (listed.size() < index.count()) {
        const qsizetype notListed = index.count() - listed.size() - 1;
        outcome.allTasksCaption = QStringLiteral("+ %1 задачи").arg(notListed);
    }
}

void applyPerTask(LessonState &state, ItemList &table, const ConfigRecord &r)
{
    const int t = taskCount(state);
    for (int i = 0; i < 40 && i < t; ++i)
        table.setItem(i + 1, QString::number(r.values[i]));
}

void applyWritingTimes(LessonState &state, const ConfigRecord &r)
{
    const int p = state.Plan_Tarv(0).count() - 1;
    for (int i = 0; i < 40 && i < p; ++i) {
        const qint64 characters = state.content().textLength(Holder::Podtochki, i + 1);
        double t = static_cast<double>(characters * r.values[i]) / 100.0 + 2.0;
        // The writing times are 16-bit numbers of seconds.
        t = qBound<double>(std::numeric_limits<qint16>::min(), t,
                           std::numeric_limits<qint16>::max());
        state.Wremena(2).setItem(i + 1, decimalText(t));
    }
}

void resetAttributes([[maybe_unused]] const QString &path)
{
#ifdef Q_OS_WIN
    SetFileAttributesW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()),
                       FILE_ATTRIBUTE_ARCHIVE);
#endif
    // Other systems have no read-only, hidden or system attributes to clear,
    // and the lesson only reads the file: it is left as it is.
}

} // namespace

QString configFileName(LessonState &state)
{
    return state.lessonCode() + QStringLiteral(".UFG");
}

void Prilozhi_zapis(LessonState &state, const ConfigRecord &record, int nomer,
                    ConfigOutcome &outcome)
{
    switch (nomer) {
    case 1:
        applyOptions(state, record);
        break;
    case 2:
        applyLevelsAndTaskList(state, record, outcome);
        break;
    case 3:
        applyPerTask(state, state.Wremena(0), record);
        state.List_Ur(3).setItem(3, signedNumberText(record.number));
        break;
    case 4:
        applyPerTask(state, state.Wremena(1), record);
        state.List_Ur(3).setItem(1, Razkodiraj_tekst(record));
        state.List_Ur(3).setItem(10, signedNumberText(record.number));
        break;
    case 5:
        applyWritingTimes(state, record);
        break;
    default:
        break;
    }
}

ConfigOutcome applyConfiguration(LessonState &state, const QByteArray &file)
{
    ConfigOutcome outcome;
    if (file.size() != ConfigFileSize) {
        outcome.status = ConfigOutcome::Status::WrongSize;
        return outcome;
    }
    const ConfigRecord lesson = readRecord(file, 4);
    state.List_Ur(3).setItem(1, Razkodiraj_tekst(lesson));
    if (state.List_Ur(3).item(1) != state.lessonCode()) {
        outcome.status = ConfigOutcome::Status::ForeignLesson;
        return outcome;
    }

    // The lesson offers at most as many tasks as record 1 says. The list's
    // item 0 is not a task and always stays.
    const ConfigRecord first = readRecord(file, 1);
    ItemList &index = state.Uslowie_L(0);
    while (index.count() > 1 && first.number < index.count() - 1)
        index.removeLast();

    for (int k = 1; k <= ConfigRecordCount; ++k)
        Prilozhi_zapis(state, readRecord(file, k), k, outcome);
    outcome.status = ConfigOutcome::Status::Applied;
    return outcome;
}

int ReportFileStatus(const QString &filespec)
{
    return QFileInfo(filespec).isFile() ? 1 : 0;
}

ConfigOutcome Zaredi_konfiguraciq(LessonState &state, Prompter &prompter, const Platform &platform)
{
    ConfigOutcome outcome;
    const QString path = platform.pathOf(configFileName(state));
    if (ReportFileStatus(path) < 1) {
        Greska_Otgowor1(prompter, 1);
        return outcome;
    }
    if (QFileInfo(path).size() != ConfigFileSize) {
        outcome.status = ConfigOutcome::Status::WrongSize;
        Greska_Otgowor1(prompter, 3);
        return outcome;
    }
    resetAttributes(path);
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(ConfigFileSize + 1);
    outcome = applyConfiguration(state, bytes);
    switch (outcome.status) {
    case ConfigOutcome::Status::WrongSize:
        // Present, but it could not be read whole.
        Greska_Otgowor1(prompter, 3);
        break;
    case ConfigOutcome::Status::ForeignLesson:
        Greska_Otgowor1(prompter, 1);
        break;
    default:
        break;
    }
    return outcome;
}

} // namespace urok
