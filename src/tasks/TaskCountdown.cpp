// The countdown of a task, its additional hint and the author's solution.
#include "controls/ListBox.h"
#include "controls/SpokenLabels.h"
#include "controls/TextBox.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"
#include "engine/Decrypt.h"
#include "engine/Options.h"
#include "engine/TaskTiming.h"
#include "tasks/Tarv_n.h"

#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>

#include <cmath>

namespace urok {

void Tarv_n::Opredeli_wreme(int mode)
{
    const int k = selectedTask();
    const double f = levelFactor(leadingNumber(state_.Wremena(4).item(k)));
    if (mode == 1)
        Ostawashto_wreme = f * leadingNumber(state_.Wremena(1).item(k));
    else if (mode == 2)
        Prag_upytwane = f * leadingNumber(state_.Wremena(0).item(k));
}

void Tarv_n::Timer_n_Timer()
{
    // A tick counts for the task whose countdown runs, and only while that
    // task is the one chosen and shown.
    const int k = selectedTask();
    if (k < 1 || k != countdownTask_ || !Text_Un[3]->text().isEmpty())
        return;
    if (Text_Un[0]->isLocked()) {
        Ostawashto_wreme = 0;
        Chasownik_Label[0]->clear();
        Dopylnitelno_upytwane();
        Pokaji_reshenie();
        return;
    }
    if (Ostawashto_wreme > 0) {
        // Counted in tenths, so that the seconds never drift by rounding.
        Ostawashto_wreme = std::round(Ostawashto_wreme * 10 - 1) / 10;
        Chasownik_Label[0]->setText(QString::number(static_cast<qint64>(Ostawashto_wreme)));
        Opredeli_wreme(2);
        const double elapsed = leadingNumber(state_.Wremena(1).item(k)) - Ostawashto_wreme;
        Text_Un[5]->setText(decimalText(elapsed));
        // The hint follows the main window's copy of the options.
        if (optionOn(state_.Opcii_L(), Option::AdditionalHints) && elapsed - Prag_upytwane > -1) {
            Dopylnitelno_upytwane();
            state_.Wremena(0).setItem(k, QStringLiteral("0"));
        }
        return;
    }
    Izteklo_wreme();
}

void Tarv_n::Dopylnitelno_upytwane()
{
    if (!Text_Un[4]->text().isEmpty())
        return;
    const int k = selectedTask();
    const QString line = state_.Uslowie_L(k).item(Opcia(Option::ScrambledContent) > 0 ? 1 : 0);
    TextBox *field = Text_Un[4];
    const QString hint = Fn_Decrypt(line, scrambled());
    field->setText(QStringLiteral("Имате достъп до допълнително упътване за въпроса\r\n\r\n")
                   + hint);
    describeArrivals();
    Izwestie->say(QStringLiteral("Допълнително упътване: ") + hint);
    // The field is about one line high: the hint itself, on its last
    // paragraph, is the line the pupil is shown.
    field->verticalScrollBar()->setValue(field->document()->lastBlock().firstLineNumber());
}

void Tarv_n::Pokaji_reshenie()
{
    if (!Text_Un[0]->isLocked())
        return;
    const int k = selectedTask();
    // Without option 6 only the first task's solution is open to the pupil,
    // however often a task is shown again.
    if (k > 1 && Opcia(Option::AuthorsSolutions) < 1) {
        Text_Un[3]->setText(QStringLiteral("Нямате достъп за раглеждане на решението!"));
        describeArrivals();
        return;
    }
    ItemList &lines = state_.Uslowie_L(k);
    const int a = leadingInteger(state_.Redowe_L(2).item(k));
    const bool hidden = scrambled();
    QString solution;
    for (int i = a; i < lines.count(); ++i)
        solution += QStringLiteral("\r\n") + Fn_Decrypt(lines.item(i), hidden);
    Text_Un[3]->setText(solution);
    describeArrivals();
    Widy_kartina = 2;
    Pokaji_kartina(k);
}

void Tarv_n::Izteklo_wreme()
{
    const bool closing = !Text_Un[0]->isLocked();
    if (closing)
        Q_EMIT answerClosing();
    Text_Un[0]->setLocked(true);
    describeArrivals();
    Kraj_wreme = 1;
    const int k = selectedTask();
    state_.Wremena(1).setItem(k, QStringLiteral("0"));
    state_.Wremena(0).setItem(k, QStringLiteral("0"));
    Pokaji_reshenie();
    if (!closing)
        return;
    // Where to read on: the solution's field follows the answer's.
    const bool shown = k <= 1 || Opcia(Option::AuthorsSolutions) >= 1;
    Izwestie->say(QStringLiteral("Времето за задачата изтече. Отговорът вече не може да се "
                                 "променя. ")
                  + (shown ? QStringLiteral("Решението на автора е в полето „Решение на автора“, "
                                            "след отговора (Ctrl+Tab).")
                           : QStringLiteral("Решението на автора на тази задача не е достъпно.")));
}

std::optional<qint64> Tarv_n::taskTimeLeft()
{
    // The seconds as the clock shows them, while the shown task's time runs.
    const int k = selectedTask();
    if (k >= 1 && k == countdownTask_ && !Text_Un[0]->isLocked() && Text_Un[3]->text().isEmpty()
        && Ostawashto_wreme > 0)
        return static_cast<qint64>(Ostawashto_wreme);
    return std::nullopt;
}

void Tarv_n::sayTimeLeft()
{
    // Without the clock (option 3) the pupil is not given the time.
    if (Opcia(Option::TaskClock) < 1) {
        Izwestie->say(QStringLiteral("Оставащото време не се показва"));
        return;
    }
    Izwestie->say(remainingTimeText(taskTimeLeft()));
}

} // namespace urok
