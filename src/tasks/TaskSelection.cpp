// Choosing a term or a task in the tasks window.
#include "controls/ListBox.h"
#include "controls/PictureBox.h"
#include "controls/SpokenLabels.h"
#include "controls/TextBox.h"
#include "engine/LessonContext.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"
#include "engine/Options.h"
#include "engine/TickSource.h"
#include "engine/Decrypt.h"
#include "tasks/TaskAnnouncement.h"
#include "tasks/TaskMessages.h"
#include "tasks/Tarv_n.h"

#include <QAction>
#include <QLabel>

namespace urok {

int Tarv_n::selectedTask() const
{
    return List_Un[1]->listIndex() + 1;
}

bool Tarv_n::scrambled()
{
    return Opcia(Option::ScrambledContent) > 0;
}

void Tarv_n::List_Un_Click(int index)
{
    if (index == 0) {
        const int chosen = List_Un[0]->listIndex();
        state_.List_Ur(1).setItem(1, QString::number(chosen));
        ItemList &terms = state_.glos_All(0);
        const QString term = List_Un[0]->selectedText();
        for (int j = 0; j < terms.count(); ++j) {
            if (terms.item(j) == term) {
                Text_Un[1]->setText(state_.Glos(j));
                Nomer_termin = static_cast<quint8>(j);
            }
        }
        Widy_kartina = 0;
        Pokaji_kartina(Nomer_termin);
        if (isVisible() && chosen >= 0)
            Izwestie->say(QStringLiteral("Показано е определението на „%1“.").arg(term.trimmed()));
        return;
    }
    if (index != 1)
        return;

    const int k = selectedTask();
    const int r = k != Tekushta_zadacha ? Smqna_zadacha() : 1;
    if (r >= 1) {
        if (Opcia(Option::ReturnOnlyAfterSaving) < 1 && Opcia(Option::SaveAnswerOnly) < 1)
            mnu_IzhodN->setEnabled(true);
    } else {
        List_Un[1]->setListIndex(0);
        Tekushta_zadacha = 1;
        state_.List_Ur(1).setItem(2, QStringLiteral("1"));
    }
    if (leadingNumber(state_.Wremena(1).item(selectedTask())) > 0)
        Text_Un[0]->setLocked(false);
    Pokaji_zadacha();
}

int Tarv_n::Smqna_zadacha()
{
    const bool counting = Timer_n->isEnabled();
    Timer_n->setEnabled(false);
    int result = 1;
    if (Greska_Otgowor2(lesson_.prompter, 2) == noText()) {
        const int p = Tekushta_zadacha > 0 ? Tekushta_zadacha - 1 : 0;
        List_Un[1]->setListIndex(p); // back to the task the pupil stays with
        result = p;
    }
    Timer_n->setEnabled(counting);
    return result;
}

QString Tarv_n::askDifficulty()
{
    // The countdown stands still while the question is open, as it does
    // while the pupil is asked about moving on.
    const bool counting = Timer_n->isEnabled();
    Timer_n->setEnabled(false);
    QString answer = Greska_Otgowor2(lesson_.prompter, 3);
    Timer_n->setEnabled(counting);
    return answer;
}

void Tarv_n::Pokaji_zadacha()
{
    const int k = selectedTask();
    // A task already begun is shown again without a question and keeps its
    // countdown (after a refused move, after a return from the lesson).
    const bool begun = k == countdownTask_;
    if (!begun && Opcia(Option::DifficultyQuestion) > 0 && leadingNumber(state_.Wremena(4).item(k)) > 1) {
        if (askDifficulty() != yesText()) {
            List_Un[1]->setListIndex(Tekushta_zadacha - 1);
            return;
        }
    }
    state_.List_Un(3).setItem(Tekushta_zadacha, Text_Un[0]->text());
    if (!begun) {
        Chasownik_Label[0]->clear();
        Opredeli_wreme(1);
        countdownTask_ = k;
    }
    Tekushta_zadacha = static_cast<qint16>(k);
    state_.List_Ur(1).setItem(2, QString::number(k));

    Text_Un[2]->clear();
    Text_Un[3]->clear();
    Text_Un[4]->clear();
    Widy_kartina = 1;
    Pokaji_kartina(k);

    const int a = leadingInteger(state_.Redowe_L(1).item(k));
    const int b = leadingInteger(state_.Redowe_L(2).item(k)) - 1;
    ItemList &lines = state_.Uslowie_L(k);
    const bool hidden = scrambled();
    QString condition;
    for (int i = a; i <= b; ++i)
        condition += QStringLiteral("\r\n") + Fn_Decrypt(lines.item(i), hidden);
    Text_Un[2]->setText(condition);
    // The store's seed blank is no answer: the field holds only what the
    // pupil typed, so that an answer is counted the same in every task.
    const QString answer = state_.List_Un(3).item(k);
    Text_Un[0]->setText(answer == u" " ? QString() : answer);
    describeArrivals();
    announceTask();
}

void Tarv_n::announceTask()
{
    const int k = selectedTask();
    if (k < 1)
        return;
    Izwestie->say(taskAnnouncement(k, state_.Wremena(4).item(k), state_.Wremena(6).item(k),
                                   Opcia(Option::TaskClock) >= 1, taskTimeLeft()));
}

void Tarv_n::Pokaji_kartina(int entry)
{
    const int n = leadingInteger(state_.Spi_GR(Widy_kartina).item(entry));
    Picture_Un[0]->setPicture(n < 1 ? state_.Grafika_W(1) : state_.Grafika_G(n));
}

} // namespace urok
