#include "engine/ConfigFile.h"

#include "engine/LessonState.h"
#include "engine/MainMessages.h"
#include "engine/NumericText.h"
#include "engine/Options.h"
#include "engine/Platform.h"
#include "engine/Prompter.h"
#include "engine/TaskTiming.h"
#include "engine/WritingTime.h"

#include <QDir>

#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace urok {

namespace {

int taskCount(LessonState &state)
{
    return state.Uslowie_L(0).count() - 1;
}

// The options a record holds go into both copies. Record 1 starts the
// tasks window's copy afresh, with a blank before option 1.
void applyOptions(LessonState &state, const ConfigRecord &r, int nomer)
{
    ItemList &copy = state.List_Un(4);
    if (nomer == 1) {
        copy.clear();
        copy.add(QStringLiteral(" "));
    }
    for (const OptionInfo &option : OptionTable) {
        if (option.place().record != nomer)
            continue;
        const QString s = QString::number(r.values[option.place().place] % 2);
        setOptionText(state.Opcii_L(), option.number(), s);
        setOptionText(copy, option.number(), s);
    }
}

void applyLevelsAndTaskList(LessonState &state, const ConfigRecord &r, ConfigOutcome &outcome)
{
    const int t = taskCount(state);
    for (int i = 0; i < 40 && i < t; ++i)
        state.Wremena(4).setItem(i + 1, QString::number(taskLevel(r.values[i])));

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
        state.Wremena(2).setItem(i + 1, decimalText(writingTime(characters, r.values[i])));
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

// The file is there but cannot be read: the pupil is told that, not that
// the file is wrong, with the instruction of the missing-file message.
void tellUnreadable(Prompter &prompter, const QString &path, int error)
{
    const QString crlf = QStringLiteral("\r\n");
    Message m;
    m.caption = lessonCaption();
    m.icon = Message::Icon::Critical;
    m.text = QStringLiteral("Конфигурационният файл „%1“ не може да бъде прочетен.")
                 .arg(QDir::toNativeSeparators(path))
             + crlf
             + (error == EACCES || error == EPERM
                    ? QStringLiteral("Няма разрешение за четене на файла.")
                    : QStringLiteral("Дискът не позволява файлът да бъде прочетен."))
             + crlf + QStringLiteral("Моля, копирайте изпълнимия и коректния конфигурационен файл")
             + crlf + QStringLiteral("в основната директория на урока ");
    prompter.ask(m);
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
        applyOptions(state, record, nomer);
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
    case ConfigRecordCount:
        applyOptions(state, record, nomer);
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

ConfigOutcome Zaredi_konfiguraciq(LessonState &state, Prompter &prompter, const Platform &platform)
{
    ConfigOutcome outcome;
    // Read through the folder held open, by the name's own bytes: the
    // folder's path may hold bytes that no text can name.
    const QString name = configFileName(state);
    resetAttributes(platform.pathOf(name));
    const LessonFolder::Reading file = platform.folder.read(name, ConfigFileSize + 1);
    // A symbolic link, a folder or a device is no configuration file.
    if (file.error == ENOENT || file.error == ENOTDIR || file.error == EINVAL) {
        Greska_Otgowor1(prompter, 1);
        return outcome;
    }
    if (file.error == 0 && file.size != ConfigFileSize) {
        outcome.status = ConfigOutcome::Status::WrongSize;
        Greska_Otgowor1(prompter, 3);
        return outcome;
    }
    if (file.error != 0) {
        outcome.status = ConfigOutcome::Status::Unreadable;
        tellUnreadable(prompter, platform.folder.filePath(name), file.error);
        return outcome;
    }
    outcome = applyConfiguration(state, file.bytes);
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
