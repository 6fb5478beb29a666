#pragma once

#include "controls/ProportionalLayout.h"
#include "engine/Look.h"

#include <QMainWindow>

#include <array>
#include <optional>

class QAction;
class QLabel;
class QMenu;

namespace urok {

enum class Option;

class ClientArea;
class LessonState;
class ListBox;
class Picture;
class PictureBox;
class SpokenNotice;
class TextBox;
class TickSource;
struct LessonContext;

// The tasks-and-dictionary window: the task list with condition, hints,
// the pupil's answer, the countdown and the author's solution; the
// dictionary of terms with definitions and pictures; saving a task to a
// text file. It is made when the pupil first opens it, after the lesson's
// start-up, and then only shown and hidden.
//
// Its handlers live by subject: Tarv_n.cpp (building, loading, options,
// layout and look), TaskSelection.cpp (choosing a term or a task),
// TaskCountdown.cpp (the countdown, the hint, the author's solution),
// TaskSaving.cpp (back to the lesson, saving a task) and TaskCommands.cpp
// (the other commands).
class Tarv_n : public QMainWindow
{
    Q_OBJECT
public:
    explicit Tarv_n(LessonContext &lesson);
    ~Tarv_n() override;

    void Form_Load();
    void setVisible(bool visible) override;

    // The window opens in the lesson's place on the screen, its countdown
    // running, with the first task chosen when none is.
    void enter(const QWidget &place);
    // The chooser picked the task at this position of the task list.
    void chooseTask(int position);
    void applyLook(const Look &look);
    // While the window is shown, the answer being typed is put into the
    // answers store, as going back to the lesson puts it there.
    void keepTypedAnswer();
    // The Focus window hands back the answer typed there: it becomes the
    // answer while the task it came from is shown and its time is not over.
    void takeTypedAnswer(const QString &text);

    ClientArea *client() const { return client_; }

    static constexpr int DesignWidth = 11910;
    static constexpr int DesignHeight = 8220;
    // The controls keep the proportions they have to the lesson window's
    // design area, in which they were first laid out.
    static constexpr int LayoutWidth = 11880;
    static constexpr int LayoutHeight = 8190;

Q_SIGNALS:
    // What the window asks of the others.
    void lessonWanted();
    void chooserWanted(const QStringList &levels, const QStringList &types);
    void focusWanted(const QString &text, bool editable);
    void pictureWanted(const Picture &picture, QSize margin);
    // The answer is about to become read-only: what is typed for it
    // elsewhere comes back first.
    void answerClosing();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    int Opcia(Option option);
    // "Запис условие+решение" is offered, shown and usable, exactly when
    // option 15 is on.
    void offerConditionSaving(bool on);
    // Fills the dictionary's term list.
    void Popylni_rechnik();

    // Choosing a term (list 0) or a task (list 1).
    void List_Un_Click(int index);
    int Smqna_zadacha();
    void Pokaji_zadacha();
    void Pokaji_kartina(int entry);
    // Focus highlighting of the text fields 0..4.
    void Text_Un_GotFocus(int index);

    // The task countdown.
    void Timer_n_Timer();
    void Opredeli_wreme(int mode);
    void Dopylnitelno_upytwane();
    void Pokaji_reshenie();
    void Izteklo_wreme();
    // F2: what is left of the task's time is said, the focus staying put.
    void sayTimeLeft();

    // Back to the lesson; saving a task.
    void mnu_IzhodN_Click();
    void mnu_ZapReshen_Click(int index);
    void Ime_na_fail();
    bool Zapishi_fail(int mode);

    // The other commands.
    void mnu_All_zadachi_Click();
    void mnu_Tip_Wid_Click();
    void mnu_Pylen_Ekran_Click();
    void Picture_Un_Click(int index);

    // Member state.
    qint16 Tekushta_zadacha = 1;
    double Ostawashto_wreme = 10;
    double Prag_upytwane = 0;
    int Kraj_wreme = 0;
    int Widy_kartina = 0;
    int Nomer_kartina = 0;
    quint8 Nomer_termin = 0;
    quint8 Fokus_pole = 0;
    QString Ime_fail;

    // Controls. The hidden lists List_Un(2..4) (appearance settings, answers
    // store, option copy) are shared state and live in the LessonState.
    std::array<ListBox *, 2> List_Un{};
    std::array<TextBox *, 6> Text_Un{};
    std::array<PictureBox *, 1> Picture_Un{};
    std::array<QLabel *, 1> Chasownik_Label{};
    SpokenNotice *Izwestie = nullptr;
    TickSource *Timer_n = nullptr;

    QAction *mnu_IzhodN = nullptr;
    QAction *mnu_Tip_Wid = nullptr;
    QAction *mnu_Pylen_Ekran = nullptr;
    QAction *mnu_All_zadachi = nullptr;
    QMenu *zap_resheshenie = nullptr;
    std::array<QAction *, 4> mnu_ZapReshen{}; // 1..3

    void buildControls();
    void buildLists();
    void buildFields();
    void buildPictureAndClock();
    void buildMenus();
    void applyStart();
    void applyOptions();
    QList<QWidget *> layoutElements() const;
    // The caption of every task's command, with its key marked.
    static QString allTasksCaption(QString caption);
    int selectedTask() const; // selected position of the task list + 1
    bool scrambled();         // the lesson's content lines are scrambled
    QString askDifficulty(); // "Задачата е с повишена трудност!"
    // The seconds left of the shown task while its time runs.
    std::optional<qint64> taskTimeLeft();
    // The shown task is told: its number, level, kind and time left.
    void announceTask();
    // The hint and solution fields say whether their text has come.
    void describeArrivals();

    // The task whose countdown is running (0 before the first).
    int countdownTask_ = 0;
    // The task whose answer the Focus window holds open to typing (0: none).
    int focusTask_ = 0;

    LessonContext &lesson_;
    LessonState &state_;
    ClientArea *client_ = nullptr;
    ProportionalLayout layout_;
};

} // namespace urok
