// The main window's start-up, its options, and the end of the lesson.
#include "controls/ListBox.h"
#include "controls/Shape.h"
#include "controls/SpokenLabels.h"
#include "controls/TextBox.h"
#include "engine/AnswersFile.h"
#include "engine/ConfigFile.h"
#include "engine/FilesDisk.h"
#include "engine/LessonContext.h"
#include "engine/LessonState.h"
#include "engine/MainMessages.h"
#include "engine/NumericText.h"
#include "engine/Options.h"
#include "engine/SpokenDate.h"
#include "engine/TickSource.h"
#include "lesson/Tarv.h"

#include <QAction>
#include <QCloseEvent>
#include <QTimer>

namespace urok {

namespace {

// The caption as a screen reader says it: one blank between the words, the
// version a plain number, the date in words.
QString captionInWords(const QString &design, const QString &topic, double version,
                       const QString &date)
{
    return QStringLiteral("%1 %2, версия %3 от %4")
        .arg(design.simplified(), topic.simplified(), QString::number(version),
             dateInWords(date));
}

} // namespace

void Tarv::Form_Load()
{
    currentTime = 1;
    tickCount = 0;
    planCount = state_.Plan_Tarv(0).count() - 1;

    captureLayout();
    const ConfigOutcome config = Zaredi_konfiguraciq(state_, lesson_.prompter, lesson_.platform);
    // The tasks window takes these when it is made.
    TasksWindowStart &tasks = state_.tasksWindowStart;
    tasks.taskList = config.taskList;
    tasks.allTasksCaption = config.allTasksCaption;
    // Pupils save their work only onto a removable or fixed disk (or a
    // network disk, where the teacher allows it).
    const int drive = lesson_.platform.folderDriveType();
    tasks.savingAllowed = keepsPupilFiles(drive, state_.Opcii_L());

    applyOptions();
    startKeeping(drive);

    std::array<qint16, MaxPlanPoints + 1> times{};
    for (int k = 1; k <= qMin(planCount, MaxPlanPoints); ++k)
        times[k] = static_cast<qint16>(
            roundedNumber(state_.Wremena(2).item(k), -32768, 32767));
    writing.reset(planCount, times);

    if (Opcia(Option::TasksBeforePlanWritten) == 0)
        mnu_Wyprosi->setEnabled(false);

    const QString designCaption = windowTitle();
    setWindowTitle(caption());
    setAccessibleName(captionInWords(designCaption, state_.Plan_Tarv(0).item(0),
                                     leadingNumber(state_.List_Ur(3).item(3)) / 100.0,
                                     state_.List_Ur(3).item(10)));

    Lenta_init();
    pictureSource = 0;
    Popylni_plan();

    state_.List_Ur(1).setItem(2, QStringLiteral("0"));

    showProgress();
    Timer1->setEnabled(true);
}

// The lesson's options as they bear on this window and the shared lists, in
// the order of the start-up table; the tasks window and the chooser apply
// theirs to their own controls when they are made.
void Tarv::applyOptions()
{
    auto off = [this](Option option) { return Opcia(option) < 1; };

    // The hint time that goes with the selected budget.
    if (off(Option::AdditionalHints))
        selectHintTimeOfBudget(state_.Wremena(0), state_.Wremena(1));
    // Colours and fonts.
    if (off(Option::ColourWindow))
        mnu_Cwqt->setEnabled(false);
    // The additional material.
    if (off(Option::AdditionalMaterial))
        Sydyrv_pla[1]->setEnabled(false);
    // The teaching material.
    if (off(Option::TeachingMaterial)) {
        List_Ur[0]->setEnabled(false);
        Text_U[1]->setText(QStringLiteral("Достъпът до учебния материал е забранен!"));
    }
    // The countdown bar.
    if (off(Option::CountdownBar)) {
        Shape_Lenta[0]->hide();
        Shape_Lenta[1]->hide();
    }
    // The information items that options 19..23 withhold, two each.
    constexpr Option withholding[] = {Option::RibbonRequirementsAim, Option::DurationSubjectLinks,
                                      Option::AimInnerLinks, Option::SubjectLinksAids,
                                      Option::InnerLinksCourse};
    for (int j = 3; j <= 7; ++j) {
        if (off(withholding[j - 3])) {
            Sydyrv_pla[j]->setEnabled(false);
            Sydyrv_pla[j + 2]->setEnabled(false);
        }
    }
    // Information items without a text.
    for (int k = 1; k <= 9; ++k)
        if (state_.content().textLength(Holder::Dopyln_M, k) == 0)
            Sydyrv_pla[k]->setEnabled(false);
    // The Focus window.
    if (off(Option::Focus))
        mnu_Fokus->setEnabled(false);
}

QString Tarv::caption() const
{
    ItemList &service = state_.List_Ur(3);
    const double version = leadingNumber(service.item(3)) / 100.0;
    return windowTitle() + u' ' + state_.Plan_Tarv(0).item(0) + QStringLiteral("  Версия ")
           + signedNumberText(version) + QStringLiteral(" от ") + service.item(10);
}

// ---- The end of the lesson ----------------------------------------------------

void Tarv::Izhod_Click()
{
    if (Greska_Otgowor1(lesson_.prompter, 2) != yesText() || closing_)
        return;
    Q_EMIT answersAboutToBeWritten();
    waitForKeeping();
    QString written;
    if (!Zapis_otgowori(state_, lesson_.prompter, lesson_.platform, &written) && !closing_
        && stayAfterLostAnswers())
        return;
    if (closing_)
        return;
    if (written.isEmpty() || !lesson_.platform.screenReaderActive()) {
        Kraj();
        return;
    }
    // A screen reader reads the sentence before the windows close; the
    // lesson takes no more commands meanwhile.
    const QString said = QStringLiteral("Отговорите са записани във файла %1.").arg(written);
    Izwestie->sayNow(said);
    closing_ = true;
    auto *end = new QTimer(this);
    end->setSingleShot(true);
    connect(end, &QTimer::timeout, this, [this] { Kraj(); });
    end->start(SpokenNotice::timeToSay(said));
}

bool Tarv::writeAnswersUnasked(Prompter &reporter)
{
    if (closing_ || answersWrittenUnasked_)
        return true;
    answersWrittenUnasked_ = true;
    Q_EMIT answersAboutToBeWritten();
    waitForKeeping();
    return Zapis_otgowori(state_, reporter, lesson_.platform);
}

bool Tarv::endUnasked(Prompter &reporter)
{
    const bool written = writeAnswersUnasked(reporter);
    if (!closing_)
        Kraj();
    return written;
}

// The answers could not be written: the pupil chooses whether to leave anyway.
bool Tarv::stayAfterLostAnswers()
{
    Message m;
    m.caption = lessonCaption();
    m.text = QStringLiteral("Отговорите не бяха записани.\r\nДа приключи ли урокът въпреки това?");
    m.buttons = Message::Buttons::YesNo;
    m.icon = Message::Icon::Warning;
    m.defaultButton = 1;
    return !lesson_.prompter.ask(m);
}

void Tarv::Kraj()
{
    closing_ = true;
    Timer1->setEnabled(false);
    Q_EMIT lessonEnded();
}

void Tarv::closeEvent(QCloseEvent *event)
{
    if (closing_) {
        event->accept();
        return;
    }
    // The close box asks the exit question and leaves the way "Изход" does.
    event->ignore();
    Izhod_Click();
}

} // namespace urok
