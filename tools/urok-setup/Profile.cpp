#include "Profile.h"

#include "TaskTimes.h"
#include "Timing.h"

#include "content/Catalogue.h"
#include "engine/Cp1251.h"
#include "engine/TaskTiming.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <map>

namespace urok::setup {

LessonFacts LessonFacts::builtIn()
{
    const Catalogue &content = Catalogue::builtIn();
    LessonFacts facts;
    const QStringList codes = content.list(Holder::Spi_GR, 2);
    facts.code = codes.isEmpty() ? QString() : codes.first();
    facts.tasks = qMax(0, static_cast<int>(content.list(Holder::Uslowie_L, 0).size()) - 1);
    const int points = qMax(0, static_cast<int>(content.list(Holder::Plan_Tarv, 0).size()) - 1);
    for (int k = 1; k <= points; ++k)
        facts.pointLengths.append(content.text(Holder::Podtochki, k).size());
    return facts;
}

namespace {

enum class Field {
    Lesson, Version, Date, TasksOffered, TasksListed,
    Option, Level, Budget, Hint, Rate,
    Time, HintAt, PlanTime,   // times in minutes:seconds, stored as budgets, hints and rates
};

bool isTime(Field f)
{
    return f == Field::Time || f == Field::HintAt || f == Field::PlanTime;
}

// A key of the profile: a field, and the number of the option, task or
// plan point it belongs to (0 for the others).
struct Key
{
    Field field;
    int number = 0;
    // clang-tidy 14 takes the defaulted comparison for a 0 used as a pointer.
    auto operator<=>(const Key &) const = default; // NOLINT(modernize-use-nullptr)
};

QString keyText(const Key &key)
{
    const QString n = QString::number(key.number);
    switch (key.field) {
    case Field::Lesson: return QStringLiteral("lesson");
    case Field::Version: return QStringLiteral("version");
    case Field::Date: return QStringLiteral("date");
    case Field::TasksOffered: return QStringLiteral("tasks offered");
    case Field::TasksListed: return QStringLiteral("tasks listed");
    case Field::Option: return QStringLiteral("option ") + n;
    case Field::Level: return QStringLiteral("task %1 level").arg(n);
    case Field::Budget: return QStringLiteral("task %1 budget").arg(n);
    case Field::Hint: return QStringLiteral("task %1 hint").arg(n);
    case Field::Rate: return QStringLiteral("point %1 rate").arg(n);
    case Field::Time: return QStringLiteral("task %1 time").arg(n);
    case Field::HintAt: return QStringLiteral("task %1 hint at").arg(n);
    case Field::PlanTime: return QStringLiteral("plan time");
    }
    return {};
}

// One line split into its key and value, or the reason it cannot be.
struct Split
{
    bool blank = false;
    QString key;
    QString value;
    bool quoted = false;
    QString error;
};

Split splitLine(const QString &line)
{
    Split s;
    // Drop the comment: a "#" outside double quotes starts it.
    QString content;
    bool inQuotes = false;
    for (const QChar c : line) {
        if (c == u'#' && !inQuotes)
            break;
        if (c == u'"')
            inQuotes = !inQuotes;
        content.append(c);
    }
    content = content.trimmed();
    if (content.isEmpty()) {
        s.blank = true;
        return s;
    }
    const qsizetype eq = content.indexOf(u'=');
    if (eq < 0) {
        s.error = QStringLiteral("очаква се ред „ключ = стойност“");
        return s;
    }
    // The key is kept even when the value is wrong: the line does name it.
    s.key = content.left(eq).simplified().toLower();
    s.value = content.mid(eq + 1).trimmed();
    if (s.key.isEmpty()) {
        s.error = QStringLiteral("липсва ключ преди „=“");
    } else if (inQuotes) {
        s.error = QStringLiteral("кавичките не са затворени");
    } else if (s.value.startsWith(u'"')) {
        const qsizetype close = s.value.indexOf(u'"', 1);
        if (close != s.value.size() - 1) {
            s.error = QStringLiteral("след затварящите кавички не може да има друго");
            return s;
        }
        s.value = s.value.mid(1, close - 1);
        s.quoted = true;
    } else if (s.value.isEmpty()) {
        s.error = QStringLiteral("липсва стойност след „=“");
    }
    return s;
}

// The key a line names, or an error message.
std::optional<Key> parseKey(const QString &key, QString &error)
{
    static const std::map<QString, Field> plain = {
        {QStringLiteral("lesson"), Field::Lesson},
        {QStringLiteral("version"), Field::Version},
        {QStringLiteral("date"), Field::Date},
        {QStringLiteral("tasks offered"), Field::TasksOffered},
        {QStringLiteral("tasks listed"), Field::TasksListed},
        {QStringLiteral("plan time"), Field::PlanTime},
    };
    if (const auto it = plain.find(key); it != plain.end())
        return Key{it->second, 0};

    static const QRegularExpression numbered(
        QStringLiteral("^(option|task|point) (\\d+)(?: (level|budget|hint|rate|time|hint at))?$"));
    const QRegularExpressionMatch m = numbered.match(key);
    std::optional<Field> field;
    if (m.hasMatch()) {
        const QString kind = m.captured(1);
        const QString what = m.captured(3);
        if (kind == u"option" && what.isEmpty())
            field = Field::Option;
        else if (kind == u"task" && what == u"level")
            field = Field::Level;
        else if (kind == u"task" && what == u"budget")
            field = Field::Budget;
        else if (kind == u"task" && what == u"hint")
            field = Field::Hint;
        else if (kind == u"point" && what == u"rate")
            field = Field::Rate;
        else if (kind == u"task" && what == u"time")
            field = Field::Time;
        else if (kind == u"task" && what == u"hint at")
            field = Field::HintAt;
    }
    if (!field) {
        error = QStringLiteral("непознат ключ „%1“").arg(key);
        return std::nullopt;
    }
    bool ok = false;
    const int number = m.captured(2).toInt(&ok);
    const int last = *field == Field::Option ? OptionCount : SlotCount;
    if (!ok || number < 1 || number > last) {
        const QString what = *field == Field::Option ? QStringLiteral("опцията")
                             : *field == Field::Rate ? QStringLiteral("точката от плана")
                                                     : QStringLiteral("задачата");
        error = QStringLiteral("номерът на %1 в „%2“ трябва да е от 1 до %3")
                    .arg(what, key)
                    .arg(last);
        return std::nullopt;
    }
    return Key{*field, number};
}

// A whole number in [lo, hi], or an error message.
std::optional<qint64> parseNumber(const QString &value, bool quoted, qint64 lo, qint64 hi,
                                  const QString &what, QString &error)
{
    static const QRegularExpression integer(QStringLiteral("^[+-]?\\d+$"));
    if (quoted || !integer.match(value).hasMatch()) {
        error = QStringLiteral("%1 трябва да е цяло число, а е „%2“").arg(what, value);
        return std::nullopt;
    }
    bool ok = false;
    const qint64 n = value.toLongLong(&ok);
    if (!ok || n < lo || n > hi) {
        error = QStringLiteral("%1 трябва да е от %2 до %3, а е %4").arg(what).arg(lo).arg(hi).arg(value);
        return std::nullopt;
    }
    return n;
}

QString checkLessonCode(const QString &code)
{
    if (code.isEmpty())
        return QStringLiteral("кодът на урока е празен");
    for (const QChar c : code)
        if (c.unicode() < 0x20)
            return QStringLiteral("кодът на урока съдържа непечатим знак");
    if (!fitsCp1251(code))
        return QStringLiteral("кодът на урока „%1“ съдържа знак, който няма в кодовата таблица "
                              "Windows-1251")
            .arg(code);
    if (code.size() > 15)
        return QStringLiteral("кодът на урока „%1“ има %2 знака, а може да има най-много 15")
            .arg(code)
            .arg(code.size());
    return {};
}

void store(Profile &p, const Key &key, qint64 n)
{
    const int i = key.number - 1;
    switch (key.field) {
    case Field::Version: p.version = static_cast<qint32>(n); break;
    case Field::Date: p.date = static_cast<qint32>(n); break;
    case Field::TasksOffered: p.tasksOffered = static_cast<qint32>(n); break;
    case Field::TasksListed: p.tasksListed = static_cast<qint32>(n); break;
    case Field::Option: p.options[i] = static_cast<qint16>(n); break;
    case Field::Level: p.levels[i] = static_cast<qint16>(n); break;
    case Field::Budget: p.budgets[i] = static_cast<qint16>(n); break;
    case Field::Hint: p.hints[i] = static_cast<qint16>(n); break;
    case Field::Rate: p.rates[i] = static_cast<qint16>(n); break;
    case Field::Lesson:
    case Field::Time:
    case Field::HintAt:
    case Field::PlanTime: break;
    }
}

// How a numbered value is checked: its range and how a message names it.
struct ValueRule
{
    qint64 lo = std::numeric_limits<qint16>::min();
    qint64 hi = std::numeric_limits<qint16>::max();
    QString what;
};

ValueRule ruleOf(const Key &key)
{
    constexpr qint64 Min32 = std::numeric_limits<qint32>::min();
    constexpr qint64 Max32 = std::numeric_limits<qint32>::max();
    const int n = key.number;
    switch (key.field) {
    case Field::Version: return {Min32, Max32, QStringLiteral("версията")};
    case Field::Date: return {Min32, Max32, QStringLiteral("датата")};
    case Field::TasksOffered: return {Min32, Max32, QStringLiteral("броят на предлаганите задачи")};
    case Field::TasksListed: return {Min32, Max32, QStringLiteral("броят на задачите в списъка")};
    case Field::Option: return {0, 1, QStringLiteral("стойността на опция %1").arg(n)};
    case Field::Level: return {0, 9, QStringLiteral("нивото на задача %1").arg(n)};
    case Field::Budget: return {.what = QStringLiteral("времето на задача %1").arg(n)};
    case Field::Hint: return {.what = QStringLiteral("времето за подсказка на задача %1").arg(n)};
    case Field::Rate: return {.what = QStringLiteral("темпото на точка %1").arg(n)};
    case Field::Lesson:
    case Field::Time:
    case Field::HintAt:
    case Field::PlanTime: break;
    }
    return {};
}

// Values that are right but that this lesson makes no use of.
void warnAboutUnused(const Key &key, qint64 n, int lineNo, const LessonFacts &lesson,
                     QList<Problem> &warnings)
{
    if (key.field == Field::Option && key.number == optionNumber(Option::ScrambledContent) && n == 1)
        warnings.append({lineNo, QStringLiteral("опция 31 (кодирано съдържание) е включена, а "
                                                "съдържанието на този урок не е кодирано")});
    const bool taskField =
        key.field == Field::Level || key.field == Field::Budget || key.field == Field::Hint;
    if (taskField && key.number > lesson.tasks && n != 0)
        warnings.append({lineNo, QStringLiteral("урокът има %1 задачи: стойността за задача %2 не "
                                                "се използва")
                                     .arg(lesson.tasks)
                                     .arg(key.number)});
    if (key.field == Field::Rate && key.number > lesson.points() && n != 0)
        warnings.append({lineNo, QStringLiteral("планът на урока има %1 точки: стойността за "
                                                "точка %2 не се използва")
                                     .arg(lesson.points())
                                     .arg(key.number)});
}

// A profile as it is read line by line: what it has set so far, and where.
struct ProfileReader
{
    const LessonFacts &lesson;
    ProfileReading reading;
    Profile profile;
    std::map<Key, int> seen;   // key -> the line that set it
    std::map<Key, qint64> times;   // the times given in minutes:seconds, in seconds

    void readLine(const QString &line, int lineNo);
    void readLessonCode(const QString &code, int lineNo);
    void readTime(const Key &key, const Split &s, int lineNo);
    bool given(const Key &key) const;
    bool failed(const Key &key) const;
    void reportTwice(Field time, Field stored, int number);
    void reportMissing();
    void resolveTaskTimes(int task);
    void resolvePlanTime();
    void checkRates();
    void warnAboutTimes();
};

void ProfileReader::readLine(const QString &line, int lineNo)
{
    auto error = [&](const QString &message) { reading.errors.append({lineNo, message}); };
    const Split s = splitLine(line);
    if (s.blank)
        return;
    QString message;
    const std::optional<Key> key = s.key.isEmpty() ? std::nullopt : parseKey(s.key, message);
    if (!s.error.isEmpty()) {
        // A line that names a key but has no proper value still sets it:
        // no second message that the key is missing.
        if (key)
            seen.try_emplace(*key, lineNo);
        error(s.error);
        return;
    }
    if (!key) {
        error(message);
        return;
    }
    if (const auto it = seen.find(*key); it != seen.end()) {
        error(QStringLiteral("„%1“ вече е зададен на ред %2").arg(keyText(*key)).arg(it->second));
        return;
    }
    seen[*key] = lineNo;

    if (key->field == Field::Lesson) {
        readLessonCode(s.value, lineNo);
        return;
    }
    if (isTime(key->field)) {
        readTime(*key, s, lineNo);
        return;
    }
    const ValueRule rule = ruleOf(*key);
    const std::optional<qint64> n = parseNumber(s.value, s.quoted, rule.lo, rule.hi, rule.what, message);
    if (!n) {
        error(message);
        return;
    }
    store(profile, *key, *n);
    warnAboutUnused(*key, *n, lineNo, lesson, reading.warnings);
}

void ProfileReader::readLessonCode(const QString &code, int lineNo)
{
    const QString message = checkLessonCode(code);
    if (!message.isEmpty()) {
        reading.errors.append({lineNo, message});
        return;
    }
    profile.lesson = code;
    if (!lesson.code.isEmpty() && code != lesson.code)
        reading.warnings.append({lineNo, QStringLiteral("кодът на урока „%1“ не е кодът на този "
                                                        "урок (%2): програмата няма да приеме файла")
                                             .arg(code, lesson.code)});
}

void ProfileReader::readTime(const Key &key, const Split &s, int lineNo)
{
    const std::optional<qint64> seconds = s.quoted ? std::nullopt : parseMinutesSeconds(s.value);
    if (!seconds) {
        reading.errors.append({lineNo, QStringLiteral("„%1“ трябва да е време в минути и секунди "
                                                      "(например 6:00 или 0:45), а е „%2“")
                                           .arg(keyText(key), s.value)});
        return;
    }
    times[key] = *seconds;
}

// A key is given by itself or by the key that says the same in other units.
bool ProfileReader::given(const Key &key) const
{
    const auto has = [this](Field f, int n) { return seen.contains(Key{f, n}); };
    switch (key.field) {
    case Field::Time:
    case Field::Budget: return has(Field::Time, key.number) || has(Field::Budget, key.number);
    case Field::HintAt:
    case Field::Hint: return has(Field::HintAt, key.number) || has(Field::Hint, key.number);
    case Field::Rate: return has(Field::Rate, key.number) || has(Field::PlanTime, 0);
    default: return seen.contains(key);
    }
}

void ProfileReader::reportTwice(Field time, Field stored, int number)
{
    auto first = seen.find(Key{time, number});
    auto second = seen.find(Key{stored, number});
    if (first == seen.end() || second == seen.end())
        return;
    if (first->second > second->second)
        std::swap(first, second);
    reading.errors.append({second->second, QStringLiteral("„%1“ задава същото време като „%2“ на ред %3: "
                                                          "оставете едното")
                                               .arg(keyText(second->first), keyText(first->first))
                                               .arg(first->second)});
}

bool ProfileReader::failed(const Key &key) const
{
    const auto it = seen.find(key);
    return it != seen.end() && std::any_of(reading.errors.begin(), reading.errors.end(),
                                           [&](const Problem &p) { return p.line == it->second; });
}

QString nearestText(const QList<qint64> &times)
{
    QStringList texts;
    for (const qint64 t : times)
        texts.append(minutesSeconds(t));
    return texts.size() == 1 ? QStringLiteral("най-близкото възможно е %1").arg(texts.first())
                             : QStringLiteral("най-близките възможни са %1").arg(texts.join(QStringLiteral(" и ")));
}

// A task's times given in minutes become its budget and hint time, for its level.
void ProfileReader::resolveTaskTimes(int task)
{
    const int i = task - 1;
    const Key time{Field::Time, task};
    const Key hintAt{Field::HintAt, task};
    if (failed(Key{Field::Level, task}) || seen.contains(Key{Field::Budget, task})
        || seen.contains(Key{Field::Hint, task}))
        return;
    const int level = taskLevel(profile.levels[i]);
    const int factor = static_cast<int>(levelFactor(level));
    if (times.contains(time)) {
        const StoredTime b = budgetFor(level, times[time]);
        if (!b.value) {
            reading.errors.append({seen[time], QStringLiteral("задача %1 е на ниво %2 и времето ѝ не може да е %3 "
                                                              "(на това ниво то е кратно на %4); %5")
                                                   .arg(task)
                                                   .arg(level)
                                                   .arg(minutesSeconds(times[time]), minutesSeconds(factor),
                                                        nearestText(b.nearest))});
            return;
        }
        profile.budgets[i] = *b.value;
    }
    if (times.contains(hintAt) && given(time)) {
        const StoredTime h = hintFor(level, profile.budgets[i], times[hintAt]);
        if (!h.value) {
            reading.errors.append({seen[hintAt], QStringLiteral("задача %1 е на ниво %2 и подсказката ѝ не може да "
                                                                "дойде след %3 (на това ниво тя идва през %4); %5")
                                                     .arg(task)
                                                     .arg(level)
                                                     .arg(minutesSeconds(times[hintAt]), minutesSeconds(factor),
                                                          nearestText(h.nearest))});
            return;
        }
        profile.hints[i] = *h.value;
    }
}

// The plan's time given as a whole becomes a rate for every point.
void ProfileReader::resolvePlanTime()
{
    const Key plan{Field::PlanTime, 0};
    if (!times.contains(plan))
        return;
    for (int k = 1; k <= SlotCount; ++k) {
        const auto rate = seen.find(Key{Field::Rate, k});
        if (rate != seen.end())
            reading.errors.append({qMax(rate->second, seen[plan]),
                                   QStringLiteral("„plan time“ и „point %1 rate“ задават едно и също: оставете "
                                                  "само „plan time“ или само темпата на точките")
                                       .arg(k)});
    }
    const std::optional<QList<qint16>> rates = planRates(times[plan], lesson.pointLengths);
    if (!rates) {
        reading.errors.append({seen[plan], QStringLiteral("планът (%1 точки) не може да трае %2: всяка точка трябва "
                                                          "да получи поне една секунда")
                                               .arg(lesson.points())
                                               .arg(minutesSeconds(times[plan]))});
        return;
    }
    qint64 total = 0;
    for (qsizetype i = 0; i < rates->size() && i < SlotCount; ++i) {
        profile.rates[i] = (*rates)[i];
        total += pointSeconds(lesson.pointLengths[i], profile.rates[i]);
    }
    if (total != times[plan])
        reading.warnings.append({seen[plan], QStringLiteral("планът трае %1: това е най-близкото до %2, което "
                                                            "темпата на точките позволяват")
                                                 .arg(minutesSeconds(total), minutesSeconds(times[plan]))});
}

// A point with less than a second would be timed as a point of one second:
// the teacher meant something else.
void ProfileReader::checkRates()
{
    for (int k = 1; k <= qMin(lesson.points(), SlotCount); ++k) {
        const Key rate{Field::Rate, k};
        const qint64 characters = lesson.pointLengths[k - 1];
        if (!seen.contains(rate) || failed(rate) || !rateTooLow(characters, profile.rates[k - 1]))
            continue;
        int lowest = profile.rates[k - 1];
        while (rateTooLow(characters, lowest))
            ++lowest;
        reading.errors.append({seen[rate], QStringLiteral("темпото %1 дава на точка %2 (%3 знака) по-малко от "
                                                          "секунда за разглеждане; най-малкото темпо за нея е %4")
                                               .arg(profile.rates[k - 1])
                                               .arg(k)
                                               .arg(characters)
                                               .arg(lowest)});
    }
}

// Times that are right but hardly what a teacher wants for a class.
void ProfileReader::warnAboutTimes()
{
    const auto lineOf = [this](Field a, Field b, int n) {
        const auto it = seen.find(Key{a, n});
        return it != seen.end() ? it->second : seen[Key{b, n}];
    };
    const int offered = qBound(0, profile.tasksOffered, qMin(lesson.tasks, SlotCount));
    for (int k = 1; k <= offered; ++k) {
        const TaskTiming t = taskTiming(profile.levels[k - 1], profile.budgets[k - 1], profile.hints[k - 1]);
        const int line = lineOf(Field::Time, Field::Budget, k);
        if (t.expiresAtOnce())
            reading.warnings.append({line, QStringLiteral("времето на задача %1 е 0: задачата изтича веднага и "
                                                          "ученикът вижда само решението").arg(k)});
        else if (t.countdown > LessonSeconds)
            reading.warnings.append({line, QStringLiteral("задача %1 трае %2, повече от учебния час (%3)")
                                               .arg(k)
                                               .arg(minutesSeconds(t.countdown), minutesSeconds(LessonSeconds))});
        if (!t.expiresAtOnce() && t.hint == TaskTiming::Hint::WithSolution)
            reading.warnings.append({lineOf(Field::HintAt, Field::Hint, k),
                                     QStringLiteral("подсказката на задача %1 идва чак след края на времето ѝ "
                                                    "(%2), заедно с решението")
                                         .arg(k)
                                         .arg(minutesSeconds(t.countdown))});
    }
    qint64 plan = 0;
    for (int k = 1; k <= qMin(lesson.points(), SlotCount); ++k)
        plan += pointSeconds(lesson.pointLengths[k - 1], profile.rates[k - 1]);
    if (plan > LessonSeconds)
        reading.warnings.append({lineOf(Field::PlanTime, Field::Rate, seen.contains(Key{Field::PlanTime, 0}) ? 0 : 1),
                                 QStringLiteral("планът трае %1, повече от учебния час (%2)")
                                     .arg(minutesSeconds(plan), minutesSeconds(LessonSeconds))});
}

// A missing time may be given in the units the file stores, too.
QString alternativeOf(const QString &key)
{
    if (key.endsWith(QStringLiteral(" time")) && key != u"plan time")
        return QStringLiteral(" (или „%1 budget“)").arg(key.chopped(5));
    if (key.endsWith(QStringLiteral(" hint at")))
        return QStringLiteral(" (или „%1“)").arg(key.chopped(3));
    return {};
}

// Every value the lesson needs must be written out. One message for the
// keys of one task; a profile that lacks many gets the first few named and
// the rest counted.
void ProfileReader::reportMissing()
{
    QList<Key> required = {{Field::Lesson}, {Field::Version}, {Field::Date},
                           {Field::TasksOffered}, {Field::TasksListed}};
    for (int k = 1; k <= qMin(lesson.tasks, SlotCount); ++k)
        required << Key{Field::Level, k} << Key{Field::Time, k} << Key{Field::HintAt, k};
    for (int k = 1; k <= qMin(lesson.points(), SlotCount); ++k)
        required << Key{Field::Rate, k};
    constexpr int MissingNamed = 10;
    QList<QStringList> missing;
    for (qsizetype i = 0; i < required.size(); ++i) {
        if (given(required[i]))
            continue;
        const bool sameTask = i > 0 && !missing.isEmpty() && required[i].field != Field::Rate
                              && required[i].number > 0 && required[i - 1].number == required[i].number
                              && !given(required[i - 1]);
        if (sameTask)
            missing.last().append(keyText(required[i]));
        else
            missing.append({keyText(required[i])});
    }
    for (qsizetype i = 0; i < missing.size() && i < MissingNamed; ++i) {
        QStringList quoted;
        for (const QString &k : missing[i])
            quoted.append(QStringLiteral("„%1“").arg(k) + alternativeOf(k));
        reading.errors.append({0, (quoted.size() == 1 ? QStringLiteral("липсва ")
                                                      : QStringLiteral("липсват "))
                                      + quoted.join(QStringLiteral(", "))});
    }
    if (missing.size() > MissingNamed) {
        int rest = 0;
        for (qsizetype i = MissingNamed; i < missing.size(); ++i)
            rest += static_cast<int>(missing[i].size());
        reading.errors.append({0, QStringLiteral("липсват и още %1 ключа").arg(rest)});
    }
}

} // namespace

ProfileReading readProfile(const QString &text, const LessonFacts &lesson)
{
    ProfileReader reader{lesson, {}, {}, {}, {}};
    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    const QStringList lines = body.split(u'\n');
    for (int index = 0; index < lines.size(); ++index)
        reader.readLine(lines[index], index + 1);
    for (int k = 1; k <= SlotCount; ++k) {
        reader.reportTwice(Field::Time, Field::Budget, k);
        reader.reportTwice(Field::HintAt, Field::Hint, k);
        reader.resolveTaskTimes(k);
    }
    reader.resolvePlanTime();
    reader.checkRates();
    reader.reportMissing();
    if (reader.reading.errors.isEmpty())
        reader.warnAboutTimes();
    if (reader.reading.errors.isEmpty())
        reader.reading.profile = reader.profile;
    return reader.reading;
}

} // namespace urok::setup
