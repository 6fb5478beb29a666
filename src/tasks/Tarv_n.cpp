#include "tasks/Tarv_n.h"

#include "controls/ClientArea.h"
#include "controls/ControlLook.h"
#include "controls/Controls.h"
#include "controls/ListBox.h"
#include "controls/PictureBox.h"
#include "controls/SpokenLabels.h"
#include "controls/TextBox.h"
#include "controls/Twips.h"
#include "engine/LessonContext.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"
#include "engine/Options.h"
#include "engine/TickSource.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace urok {

namespace {

constexpr ColourValue WindowBackground = rgbValue(128, 0, 0);
constexpr ColourValue FieldBackground = rgbValue(0, 128, 0);
constexpr ColourValue ListText = rgbValue(201, 206, 206);
constexpr ColourValue FocusedField = rgbValue(125, 110, 105);
constexpr ColourValue ClockText = rgbValue(0, 255, 0);

} // namespace

Tarv_n::Tarv_n(LessonContext &lesson)
    : lesson_(lesson)
    , state_(lesson.state)
{
    setObjectName(QStringLiteral("Tarv_n"));
    setWindowTitle(QStringLiteral("Комбиниран урок - задачи + речник"));
    setFont(QFont(QStringLiteral("Times New Roman"), 12));
    buildControls();
    buildMenus();
    resize(twipsFor(this).size(DesignWidth, DesignHeight));
    Timer_n = new TickSource([this] { Timer_n_Timer(); }, this, lesson.platform.clock);
}

Tarv_n::~Tarv_n() = default;

void Tarv_n::buildControls()
{
    client_ = new ClientArea(this);
    client_->setObjectName(QStringLiteral("Tarv_n.client"));
    setCentralWidget(client_);
    setBackColor(client_, WindowBackground);
    buildLists();
    buildFields();
    buildPictureAndClock();

    // The keyboard goes the way the pupil works: the task, its condition and
    // hint, the answer, the author's solution and the picture, then the
    // dictionary. The window opens on the task list.
    const QList<QWidget *> order = {List_Un[1], Text_Un[2], Text_Un[4], Text_Un[0],
                                    Text_Un[3], Picture_Un[0], List_Un[0], Text_Un[1]};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // The controls keep their proportions whatever size the pupil gives the window.
    QList<QRect> design;
    for (QWidget *w : layoutElements())
        design.append(w->geometry());
    layout_.capture(twipsFor(this).size(LayoutWidth, LayoutHeight), design);
    connect(client_, &ClientArea::Resized, this, [this] {
        const QList<QWidget *> elements = layoutElements();
        for (int p = 0; p < elements.size(); ++p)
            elements[p]->setGeometry(layout_.place(p, client_->size()));
    });
}

QList<QWidget *> Tarv_n::layoutElements() const
{
    return {Text_Un[0],   Text_Un[1],          Text_Un[2],    Text_Un[3], Text_Un[4],
            Chasownik_Label[0], Picture_Un[0], List_Un[0],    List_Un[1]};
}

void Tarv_n::buildLists()
{
    const Twips tw = twipsFor(this);
    List_Un[0] = new ListBox(QString(), client_, true);
    nameControl(List_Un[0], QStringLiteral("List_Un(0)"), QStringLiteral("Речник: списък на термините"),
                QStringLiteral(" Списък с използваната терминология "));
    List_Un[0]->setGeometry(tw.rect(3820, 50, 7700, 915));

    List_Un[0]->setChosenWord(QStringLiteral("избран"));

    List_Un[1] = new ListBox(QString(), client_);
    nameControl(List_Un[1], QStringLiteral("List_Un(1)"), QStringLiteral("Номера на въпросите и задачите"),
                QStringLiteral(" Изберете от списъка желан номер въпрос/задача "));
    List_Un[1]->setGeometry(tw.rect(480, 2650, 1125, 915));
    describeForKeys(List_Un[0], QStringLiteral("Стрелките минават през термините, Enter показва "
                                               "определението на термина."));
    describeForKeys(List_Un[1], QStringLiteral("Стрелките минават през задачите, Enter избира "
                                               "задачата и пуска времето ѝ."));

    for (int i = 0; i < 2; ++i) {
        setBackColor(List_Un[i], FieldBackground);
        setForeColor(List_Un[i], ListText);
        connect(List_Un[i], &ListBox::Click, this, [this, i] { List_Un_Click(i); });
    }

    // The task list offers the first tasks of the task index list; the
    // configuration file may offer other tasks.
    ItemList &index = state_.Uslowie_L(0);
    const int listed = qBound(0, leadingInteger(index.item(0)), index.count() - 1);
    for (int i = 1; i <= listed; ++i)
        List_Un[1]->addEntry(index.item(i));
}

void Tarv_n::buildFields()
{
    struct Field
    {
        const char *name;
        const char *accessible;
        const char *tip;
        int l, t, w, h;
    };
    static const Field fields[6] = {
        {"Text_Un(0)", "Вашият отговор",
         " В това поле се въвежда от обучавания отговора на поставения въпрос/задача  ", 480,
         6150, 11050, 1500},
        {"Text_Un(1)", "Определение на избрания термин",
         " Определения, дефиниции за използваната терминология  ", 3820, 1000, 7700, 1605},
        {"Text_Un(2)", "Условие на задачата", " Съдържание на въпроси/условия на задачи  ", 1680,
         2650, 9850, 1035},
        {"Text_Un(3)", "Решение на автора", " Решение на задача/обяснения на въпроса  ", 480,
         4245, 11055, 1890},
        {"Text_Un(4)", "Указания към задачата", " Указания за текущия въпрос/задача  ", 1680,
         3720, 9850, 450},
        {"Text_Un(5)", "Работно поле", "", 480, 7680, 3255, 450},
    };
    const Twips tw = twipsFor(this);
    for (int i = 0; i < 6; ++i) {
        const Field &f = fields[i];
        Text_Un[i] = new TextBox(QString(), client_);
        nameControl(Text_Un[i], QString::fromUtf8(f.name), QString::fromUtf8(f.accessible),
                    QString::fromUtf8(f.tip));
        Text_Un[i]->setGeometry(tw.rect(f.l, f.t, f.w, f.h));
        if (i < 5) {
            Text_Un[i]->setLocked(true);
            setBackColor(Text_Un[i], FieldBackground);
            setForeColor(Text_Un[i], SystemWindowText);
            connect(Text_Un[i], &TextBox::GotFocus, this, [this, i] { Text_Un_GotFocus(i); });
        }
    }
    Text_Un[5]->hide();
    describeForKeys(Text_Un[1], QStringLiteral("Определението на термина, избран в речника; "
                                               "стрелките го четат ред по ред."));
    describeForKeys(Text_Un[2], QStringLiteral("Стрелките четат условието ред по ред."));
    describeArrivals();
}

void Tarv_n::describeArrivals()
{
    describeForKeys(Text_Un[0], Text_Un[0]->isLocked()
                                    ? QStringLiteral("Отговорът вече не може да се променя; "
                                                     "стрелките го четат ред по ред.")
                                    : QStringLiteral("Тук пишете отговора; Ctrl+Tab излиза от "
                                                     "полето, Alt+Ф го показва увеличен."));
    describeForKeys(Text_Un[3], Text_Un[3]->text().isEmpty()
                                    ? QStringLiteral("Решението идва тук, когато времето на задачата "
                                                     "изтече; стрелките го четат ред по ред.")
                                    : QStringLiteral("Стрелките четат решението ред по ред."));
    describeForKeys(Text_Un[4], Text_Un[4]->text().isEmpty()
                                    ? QStringLiteral("Допълнителното упътване идва тук, когато стане "
                                                     "време за него.")
                                    : QStringLiteral("Стрелките четат упътването ред по ред."));
}

void Tarv_n::buildPictureAndClock()
{
    const Twips tw = twipsFor(this);
    Picture_Un[0] = new PictureBox(QString(), client_);
    nameControl(Picture_Un[0], QStringLiteral("Picture_Un(0)"),
                QStringLiteral("Илюстрация към термина или задачата"),
                QStringLiteral("Илюстрация към съдържанието на термините, условието/решението на "
                               "задача. Щракнете с левия клавиш на мишката за мащаб."));
    Picture_Un[0]->setGeometry(tw.rect(480, 50, 3300, 2580));
    Picture_Un[0]->setFocusPolicy(Qt::TabFocus);
    Picture_Un[0]->setKeyboardHint(QStringLiteral("Enter я показва в пълен размер."));
    connect(Picture_Un[0], &PictureBox::Pressed, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            Picture_Un_Click(0);
    });

    Chasownik_Label[0] = new SecondsLabel(QStringLiteral("Оставащо време"), client_);
    nameControl(Chasownik_Label[0], QStringLiteral("Chasownik_Label(0)"),
                QStringLiteral("Оставащо време в секунди"), QStringLiteral(" Оставащо време "));
    Chasownik_Label[0]->setGeometry(tw.rect(480, 3750, 1095, 375));
    describeForKeys(Chasownik_Label[0], QStringLiteral("F2 казва времето в минути и секунди."));
    setForeColor(Chasownik_Label[0], ClockText);

    Izwestie = new SpokenNotice(client_);
    connect(new QShortcut(QKeySequence(TimeLeftKey), this), &QShortcut::activated, this,
            [this] { sayTimeLeft(); });
}

// The commands exist from the start (the lesson's options switch them on
// and off); the menu bar that shows them is made when the window is first
// shown, which spares the start-up a menu bar nobody sees yet.
void Tarv_n::buildMenus()
{
    addMenuBarKey(this);
    auto command = [this](const char *name, const char *caption) {
        auto *a = new QAction(QString::fromUtf8(caption), this);
        a->setObjectName(QString::fromUtf8(name));
        return a;
    };
    // Every caption has its key, marked with "&" (Alt and the letter on a
    // Bulgarian keyboard; F10 or Alt alone opens the menu bar on any).
    mnu_IzhodN = command("mnu_IzhodN", "&Връщане към урока");
    connect(mnu_IzhodN, &QAction::triggered, this, [this] { mnu_IzhodN_Click(); });
    mnu_Tip_Wid = command("mnu_Tip_Wid", "&Ниво/Вид на задачи");
    connect(mnu_Tip_Wid, &QAction::triggered, this, [this] { mnu_Tip_Wid_Click(); });
    mnu_Pylen_Ekran = command("mnu_Pylen_Ekran", "&Фокус");
    connect(mnu_Pylen_Ekran, &QAction::triggered, this, [this] { mnu_Pylen_Ekran_Click(); });
    mnu_All_zadachi = command("mnu_All_zadachi", "&Допълнително");
    mnu_All_zadachi->setEnabled(false);
    connect(mnu_All_zadachi, &QAction::triggered, this, [this] { mnu_All_zadachi_Click(); });

    zap_resheshenie = new QMenu(QStringLiteral("&Запис"), this);
    zap_resheshenie->setObjectName(QStringLiteral("zap_resheshenie"));
    zap_resheshenie->menuAction()->setObjectName(QStringLiteral("zap_resheshenie"));
    const char *captions[] = {"", "Запис &условие+решение", "Запис &само решение",
                              "&Решение на автора"};
    for (int i = 1; i <= 3; ++i) {
        mnu_ZapReshen[i] = zap_resheshenie->addAction(QString::fromUtf8(captions[i]));
        mnu_ZapReshen[i]->setObjectName(QStringLiteral("mnu_ZapReshen(%1)").arg(i));
        connect(mnu_ZapReshen[i], &QAction::triggered, this, [this, i] { mnu_ZapReshen_Click(i); });
    }
    mnu_ZapReshen[1]->setVisible(false);
}

void Tarv_n::setVisible(bool visible)
{
    if (visible && !menuWidget()) {
        QMenuBar *bar = menuBar();
        bar->addActions({mnu_IzhodN, mnu_Tip_Wid, mnu_Pylen_Ekran, mnu_All_zadachi});
        bar->addMenu(zap_resheshenie);
    }
    QMainWindow::setVisible(visible);
}

int Tarv_n::Opcia(Option option)
{
    return optionValue(state_.List_Un(4), option);
}

void Tarv_n::Form_Load()
{
    if (List_Un[1]->listIndex() < 1) {
        Tekushta_zadacha = 1;
        ItemList &hints = state_.Wremena(0);
        ItemList &budgets = state_.Wremena(1);
        hints.setItem(0, hints.item(1));
        budgets.setItem(0, budgets.item(1));
        Ostawashto_wreme = 10;
        Text_Un[0]->setLocked(false);
    }
    describeArrivals();
    Text_Un_GotFocus(2);
    applyStart();
    applyOptions();
}

// What the lesson's start-up found for this window.
void Tarv_n::applyStart()
{
    const TasksWindowStart &start = state_.tasksWindowStart;
    if (start.taskList)
        List_Un[1]->setEntries(*start.taskList);
    if (start.allTasksCaption)
        mnu_All_zadachi->setText(allTasksCaption(*start.allTasksCaption));
    if (!start.savingAllowed)
        zap_resheshenie->menuAction()->setEnabled(false);
}

// The lesson's options as they bear on this window, in the order of the
// start-up table.
void Tarv_n::applyOptions()
{
    auto off = [this](Option option) { return Opcia(option) < 1; };
    // The task list.
    if (off(Option::TaskList))
        List_Un[1]->setEnabled(false);
    // The countdown clock.
    if (off(Option::TaskClock))
        Chasownik_Label[0]->hide();
    // The dictionary: its terms, or the ban.
    Popylni_rechnik();
    if (off(Option::Dictionary)) {
        List_Un[0]->setEnabled(false);
        Text_Un[1]->setText(QStringLiteral("Достъпът до речника е забранен!"));
    } else {
        List_Un[0]->setListIndex(leadingInteger(state_.List_Ur(1).item(1)));
    }
    // Saving the answer alone; saving condition and answer.
    if (off(Option::SaveAnswerOnly))
        mnu_ZapReshen[2]->setEnabled(false);
    offerConditionSaving(!off(Option::SaveConditionAndAnswer));
    // The Focus window.
    if (off(Option::Focus))
        mnu_Pylen_Ekran->setEnabled(false);
    // Whatever the options offer, a menu that is off has every command off:
    // a screen reader or a shortcut reaches the commands without the menu.
    if (!zap_resheshenie->menuAction()->isEnabled()) {
        for (QAction *item : zap_resheshenie->actions())
            item->setEnabled(false);
    }
    // Every task, when the teacher offers them.
    if (Opcia(Option::AllTasksMenu) == 1)
        mnu_All_zadachi->setEnabled(true);
}

QString Tarv_n::allTasksCaption(QString caption)
{
    // Alt+Д, the key of "Допълнително", stays the command's key.
    const qsizetype key = caption.indexOf(u'д');
    if (key >= 0)
        caption.insert(key, u'&');
    return caption;
}

void Tarv_n::Popylni_rechnik()
{
    ItemList &glossary = state_.glos_All(0);
    for (int i = 1; i < glossary.count(); ++i)
        List_Un[0]->addEntry(glossary.item(i));
}

void Tarv_n::offerConditionSaving(bool on)
{
    mnu_ZapReshen[1]->setVisible(on);
    mnu_ZapReshen[1]->setEnabled(on);
}

void Tarv_n::Text_Un_GotFocus(int index)
{
    if (index < 0 || index > 4)
        return;
    const ColourValue stored = leadingInteger(state_.List_Un(2).item(7));
    for (int i = 0; i <= 4; ++i)
        setBackColor(Text_Un[i], i == index ? FocusedField : stored);
    Fokus_pole = static_cast<quint8>(index);
}

void Tarv_n::enter(const QWidget &place)
{
    setWindowState(place.windowState());
    if (!place.isMaximized() && !place.isFullScreen())
        setGeometry(place.geometry());
    Timer_n->setEnabled(true);
    if (List_Un[1]->listIndex() < 0) {
        List_Un[1]->setListIndex(0);
        state_.List_Ur(1).setItem(2, QString::number(List_Un[1]->listIndex()));
    }
    // Told once the window is in front: the task it opens on.
    announceTask();
    show();
    raise();
    activateWindow();
}

void Tarv_n::chooseTask(int position)
{
    const int before = List_Un[1]->listIndex();
    List_Un[1]->setListIndex(position);
    if (List_Un[1]->listIndex() == before)
        announceTask();
    // After a pick the keyboard is on the task list, on the task shown.
    List_Un[1]->setFocus();
}

void Tarv_n::applyLook(const Look &look)
{
    setBackColor(client_, look.windowBack);
    setBackColor(Picture_Un[0], look.windowBack);
    // The text fields: the first five (the sixth is a hidden work field).
    for (int i = 0; i <= 4; ++i) {
        setBackColor(Text_Un[i], look.fieldBack);
        setForeColor(Text_Un[i], look.fieldText);
        setFontFamily(Text_Un[i], look.fontName);
        setFontPoints(Text_Un[i], look.fontPoints);
    }
    // Said when the window is in front again, the colour window gone.
    if (isVisible())
        Izwestie->say(QStringLiteral("Новите цветове и шрифт са приложени."));
}

} // namespace urok
