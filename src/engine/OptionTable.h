#pragma once

#include "engine/ConfigRecord.h"

#include <QString>

#include <iterator>

namespace urok {

// The lesson options by the names the code reads them by; the number is the
// option's number in the configuration file, in the profile ("option N") and
// in both option lists (option n at item n).
enum class Option {
    TaskList = 1,
    ReturnOnlyAfterSaving = 2,   // with option 11, whether "Връщане към урока" waits for a save
    TaskClock = 3,
    Dictionary = 4,
    AdditionalHints = 5,
    AuthorsSolutions = 6,
    ColourWindow = 7,
    ChooseByLevel = 8,
    AdditionalMaterial = 9,
    TeachingMaterial = 10,
    SaveAnswerOnly = 11,
    AnswersFile = 12,
    CountdownBar = 13,
    AllTasksMenu = 14,
    SaveConditionAndAnswer = 15,
    TasksBeforePlanWritten = 16,
    PlanOpenWhileWriting = 17,
    PointTimeResumes = 18,
    RibbonRequirementsAim = 19,
    DurationSubjectLinks = 20,
    AimInnerLinks = 21,
    SubjectLinksAids = 22,
    InnerLinksCourse = 23,
    Focus = 24,
    DifficultyQuestion = 25,
    ChooseByKind = 26,
    Unused27 = 27,
    Unused28 = 28,
    Unused29 = 29,
    Unused30 = 30,
    ScrambledContent = 31,
    Unused32 = 32,
    Unused33 = 33,
    Unused34 = 34,
    Unused35 = 35,
    Unused36 = 36,
    Unused37 = 37,
    Unused38 = 38,
    Unused39 = 39,
    Unused40 = 40,
    // The pupil's files are kept on a network disk too (a school whose home
    // folders are on the network); off, the lesson keeps them only on a
    // removable or a fixed disk.
    FilesOnNetworkDisk = 41,
};

constexpr int optionNumber(Option option)
{
    return static_cast<int>(option);
}

// Where the configuration file keeps an option: values[place] of a record.
// Options 1..40 fill record 1. Record 6 is otherwise unused, so options
// 41..80 go there: option n at values[n - 41], file offset 500 + 2 (n - 41).
// Records 2..5 hold the tasks and the plan points and take no option.
struct OptionPlace
{
    int record = 0;
    int place = 0;
};

constexpr int OptionPlaceCount = 2 * ConfigValueCount;

constexpr OptionPlace optionPlace(int number)
{
    return number <= ConfigValueCount ? OptionPlace{1, number - 1}
                                      : OptionPlace{ConfigRecordCount, number - ConfigValueCount - 1};
}

struct OptionInfo
{
    Option option;
    bool builtInOn;            // in the main window's list before a file is read
    const char *description;   // Bulgarian, UTF-8; empty for an option the lesson has no use for

    constexpr int number() const { return optionNumber(option); }
    constexpr OptionPlace place() const { return optionPlace(number()); }
    QString profileKey() const { return QStringLiteral("option %1").arg(number()); }
    QString text() const { return QString::fromUtf8(description); }
};

// Every option once, in the order of the numbers. A new option takes the
// next number: a name above, a row below, and its place follows.
inline constexpr OptionInfo OptionTable[] = {
    {Option::TaskList, false, "списък със задачите"},
    {Option::ReturnOnlyAfterSaving, false, ""},
    {Option::TaskClock, false, "часовник за обратното броене на задачата"},
    {Option::Dictionary, false, "речник"},
    {Option::AdditionalHints, false, "допълнителни подсказки"},
    {Option::AuthorsSolutions, false, "авторски решения"},
    {Option::ColourWindow, false, "прозорец за цветове и шрифтове"},
    {Option::ChooseByLevel, false, "избор на задачи по ниво"},
    {Option::AdditionalMaterial, false, "допълнителен материал"},
    {Option::TeachingMaterial, false, "учебен материал"},
    {Option::SaveAnswerOnly, false, "запис само на отговора"},
    {Option::AnswersFile, false, "файл с отговорите"},
    {Option::CountdownBar, false, "лента за обратното броене при точка от плана"},
    {Option::AllTasksMenu, false, "менюто за всички задачи"},
    {Option::SaveConditionAndAnswer, false, "запис на условието и отговора"},
    {Option::TasksBeforePlanWritten, false, "задачите, без да се чака планът"},
    {Option::PlanOpenWhileWriting, false, "планът остава отключен, докато се чете точка"},
    {Option::PointTimeResumes, false, "при връщане към точка броенето продължава"},
    {Option::RibbonRequirementsAim, false,
     "лента на плана; „Държавни образователни изисквания“, „Цел на урока“"},
    {Option::DurationSubjectLinks, false, "„Продължителност на урока“, „Междупредметни връзки“"},
    {Option::AimInnerLinks, false, "„Цел на урока“, „Вътрешно предметни връзки“"},
    {Option::SubjectLinksAids, false, "„Междупредметни връзки“, „Необходими пособия“"},
    {Option::InnerLinksCourse, false, "„Вътрешно предметни връзки“, „Ход на урока“"},
    {Option::Focus, false, "прозорецът „Фокус“"},
    {Option::DifficultyQuestion, false, "въпрос за трудността на задачата"},
    {Option::ChooseByKind, false, "избор на задачи по вид на решението"},
    {Option::Unused27, true, ""},
    {Option::Unused28, true, ""},
    {Option::Unused29, false, ""},
    {Option::Unused30, false, ""},
    {Option::ScrambledContent, false, "кодирано съдържание"},
    {Option::Unused32, false, ""},
    {Option::Unused33, true, ""},
    {Option::Unused34, true, ""},
    {Option::Unused35, true, ""},
    {Option::Unused36, true, ""},
    {Option::Unused37, true, ""},
    {Option::Unused38, true, ""},
    {Option::Unused39, false, ""},
    {Option::Unused40, false, ""},
    {Option::FilesOnNetworkDisk, false, "отговорите и записаните задачи се пазят и на мрежов диск"},
};

constexpr int OptionCount = static_cast<int>(std::size(OptionTable));

constexpr bool tableInOrder()
{
    for (int i = 0; i < OptionCount; ++i)
        if (OptionTable[i].number() != i + 1)
            return false;
    return true;
}

static_assert(tableInOrder(), "the option table lists options 1, 2, 3, ... in order");
static_assert(OptionCount >= ConfigValueCount, "record 1 holds 40 options, as the lesson reads it");
static_assert(OptionCount <= OptionPlaceCount, "records 1 and 6 hold 80 options at most");

constexpr const OptionInfo &optionInfo(Option option)
{
    return OptionTable[optionNumber(option) - 1];
}

// An option's value as a configuration file stores it (0 for a file that
// is not 600 bytes), and the same value put into the records of a file.
qint16 storedOption(const QByteArray &file, int number);
void storeOption(ConfigRecord (&records)[ConfigRecordCount], int number, qint16 value);

} // namespace urok
