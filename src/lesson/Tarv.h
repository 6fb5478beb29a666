#pragma once

#include "controls/ProportionalLayout.h"
#include "engine/Look.h"
#include "lesson/PlanWriting.h"

#include <QMainWindow>

#include <array>
#include <optional>

class QAction;
class QLabel;
class QMenu;

namespace urok {

enum class Option;

class BackgroundWriter;
class ClientArea;
class ItemList;
class LessonState;
class ListBox;
class Picture;
class PictureBox;
class Prompter;
class Shape;
class SpokenNotice;
class TextBox;
class TickSource;
struct LessonContext;

// The main lesson window: the topic, the plan, the text and picture of the
// chosen point, the countdown bar and the plan ribbon, and the menus that
// lead to the rest of the lesson. It is the first window and lives for the
// whole run; the program ends only through its end procedure.
//
// Its handlers live by subject: LessonStartUp.cpp (start-up, options,
// exit), LessonLayout.cpp (resizing, the context menu), LessonPlan.cpp (the
// plan, the content, the pictures and the commands that lead elsewhere) and
// LessonWriting.cpp (the timed writing of the plan, the bar and the ribbon).
class Tarv : public QMainWindow
{
    Q_OBJECT
public:
    explicit Tarv(LessonContext &lesson);
    ~Tarv() override;

    // Start-up
    void Form_Load();

    // The lesson is ended from outside (a signal, the end of the desktop
    // session, the display gone): the answers file is written as "Изход"
    // with "Да" writes it, the answer being typed included, with nobody
    // asked; a failure goes to the reporter. False when the answers should
    // have been written and were not. Only the first call writes, and none
    // after the lesson has ended.
    bool writeAnswersUnasked(Prompter &reporter);
    // The same, and then the lesson ends.
    bool endUnasked(Prompter &reporter);

    // The lesson comes back from the tasks window, in the place it had.
    void comeBack(const QWidget &place);
    // The look the window has now, and a look the pupil composed.
    Look presentLook() const;
    void applyLook(const Look &look);

    ClientArea *client() const { return client_; }

    // The font the window and its controls are designed in.
    static QFont windowFont() { return QFont(QStringLiteral("Times New Roman"), 12); }

    // Design geometry, in twips.
    static constexpr int DesignWidth = 11880;
    static constexpr int DesignHeight = 8190;
    static constexpr int FirstShapePosition = 8; // layout position of Shape_Lenta(0)

Q_SIGNALS:
    // What the window asks of the others.
    void tasksWanted();
    void coloursWanted();
    void focusWanted(const QString &text, bool editable);
    void pictureWanted(const Picture &picture, QSize margin);
    // The answers file is about to be written: the answer being typed (in
    // the tasks window or in the Focus window) goes into the answers store
    // first.
    void answersAboutToBeWritten();
    void lessonEnded();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    int Opcia(Option option);

    // Layout, mouse, exit
    void Form_Resize();
    void Form_MouseDown(Qt::MouseButton button, QPoint position);
    void Izhod_Click();
    void Kraj();

    // Plan navigation and content
    void Popylni_plan();
    void List_Ur_Click();
    void Sydyrv_pla_Click(int index);
    void awtori_Click(int index);
    void mnu_Wyprosi_Click();
    void mnu_Fokus_Click();
    void mnu_Cwqt_Click();

    // Timed plan writing
    void Timer1_Timer();
    void Sekunda();
    void Lenta_tochka(int position);
    void Kraj_tochka();
    void Lenta_init();
    void Lenta_plan();
    // F2: what is left of the point's time is said, the focus staying put.
    void sayTimeLeft();

    // Pictures
    void Picture_Ur_Click(int index);

    // The members of the window.
    int planCount = 0;
    qint16 currentTime = 1;
    qint32 tickCount = 0;
    WritingTable writing;
    int pictureNumber = 0;
    quint8 pictureSource = 0; // 0 none, 1 a lesson picture, 2 an information picture
    quint8 ribbonIndex = 0;
    ProportionalLayout layout;
    CountdownBar bar;
    PlanRibbon ribbon;

    // Controls. Text_U(2) is the hidden copy of the content pane that the
    // Focus window takes its text from.
    std::array<TextBox *, 3> Text_U{};
    std::array<QLabel *, 4> Label_U{};
    std::array<ListBox *, 1> List_Ur{};
    std::array<PictureBox *, 1> Picture_Ur{};
    std::array<Shape *, 4> Shape_Lenta{};
    SpokenNotice *Izwestie = nullptr;
    TickSource *Timer1 = nullptr;

    QAction *Izhod = nullptr;
    QAction *mnu_Fokus = nullptr;
    QAction *mnu_Cwqt = nullptr;
    QAction *mnu_Wyprosi = nullptr;
    QMenu *mnu_Sydyrv_plan = nullptr;
    std::array<QAction *, 10> Sydyrv_pla{}; // 1..9
    QMenu *awtor0 = nullptr;
    std::array<QAction *, 4> awtori{}; // 1..3

    bool stayAfterLostAnswers();
    void applyOptions();
    void buildControls();
    void buildTopicAndPlan();
    void buildContent();
    void buildProgress();
    void buildMenus();
    void buildInformationMenu();
    void captureLayout();
    QList<QWidget *> layoutElements() const;
    QString caption() const;
    // Why a command that is off does nothing.
    QString unavailable(const QAction *command);
    void showPicture(int number);
    // A design length in twips scaled to the window's present inner size.
    float scaledX(int twips) const;
    float scaledY(int twips) const;
    void drawBar();
    void drawRibbon();
    void showProgress();
    // The seconds left of the point being written; none when no point counts.
    std::optional<int> pointTimeLeft() const;
    QSize innerSize() const;

    // The answers file kept current while the lesson runs (AnswersKeeping.cpp).
    void startKeeping(int drive);
    void keepAnswers();
    void answersKept(const QString &name, const QString &failure);
    void waitForKeeping();

    LessonContext &lesson_;
    LessonState &state_;
    ClientArea *client_ = nullptr;
    QSize inner_; // the inner area's size once it has been laid out
    bool closing_ = false;
    bool answersWrittenUnasked_ = false;
    TickSource *keepTimer_ = nullptr;
    BackgroundWriter *keeper_ = nullptr;
    QByteArray keptBytes_;  // the answers file as last given to the keeper
    QString keepFailure_;   // why the last keeping failed, told once
    bool recordKept_ = false; // the pupil record written beside the kept answers
};

} // namespace urok
