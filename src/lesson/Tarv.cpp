#include "lesson/Tarv.h"

#include "app/WindowRegistry.h"
#include "appearance/Cwiat.h"
#include "appearance/Procheti_wida.h"
#include "engine/Colour.h"
#include "controls/ClientArea.h"
#include "controls/ControlLook.h"
#include "controls/Controls.h"
#include "controls/ListBox.h"
#include "controls/PictureBox.h"
#include "controls/Shape.h"
#include "controls/SpokenLabels.h"
#include "controls/TextBox.h"
#include "controls/Twips.h"
#include "engine/AccessSetup.h"
#include "engine/AnswersFile.h"
#include "engine/ConfigFile.h"
#include "engine/DriveType.h"
#include "engine/LessonState.h"
#include "engine/MainMessages.h"
#include "engine/NumericText.h"
#include "engine/Options.h"
#include "engine/TickSource.h"
#include "lesson/Tarv_Gra.h"
#include "tasks/Tarv_n.h"
#include "windows/Tarv_Zad.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace urok {

namespace {

constexpr ColourValue WindowBackground = rgbValue(128, 0, 0);
constexpr ColourValue FieldBackground = rgbValue(0, 128, 0);
constexpr ColourValue LabelBackground = rgbValue(192, 0, 0);
constexpr ColourValue PlanText = rgbValue(201, 206, 206);

struct DesignRect
{
    int left, top, width, height;
};

// The countdown bar (0 remaining, 1 elapsed) and the plan ribbon (2 red, 3 green).
constexpr DesignRect shapeDesign[4] = {
    {11500, 495, 195, 5000},
    {11500, 5500, 195, 15},
    {360, 7200, 11000, 195},
    {360, 7200, 15, 195},
};
constexpr ColourValue shapeColour[4] = {
    rgbValue(0xC0, 0xC0, 0x00),
    rgbValue(0xE0, 0xE0, 0xE0),
    rgbValue(0xC0, 0x00, 0x00),
    rgbValue(0x00, 0xC0, 0x00),
};

// The layout positions of the tasks window's controls.
constexpr int tasksWindowPositions[] = {2, 3, 4, 5, 6, 11, 13, 15, 16};

const QString ribbonTip = QStringLiteral(
    " Лявата (зелената) част представя какъв материал от плана е преминат, а дясната "
    "(червената) оставащият ");

} // namespace

Tarv::Tarv(WindowRegistry &windows)
    : windows_(windows)
    , state_(windows.state())
{
    setObjectName(QStringLiteral("Tarv"));
    setWindowTitle(QStringLiteral("Програмиран урок - урочно съдържание."));
    setFont(QFont(QStringLiteral("Times New Roman"), 12));
    buildControls();
    buildMenus();
    setClientSize(this, twipsFor(this).size(DesignWidth, DesignHeight));
    Timer1 = new TickSource([this] { Timer1_Timer(); }, this, windows.platform.clock);
}

Tarv::~Tarv() = default;

void Tarv::buildControls()
{
    client_ = new ClientArea(this);
    client_->setObjectName(QStringLiteral("Tarv.client"));
    setCentralWidget(client_);
    setBackColor(client_, WindowBackground);
    const Twips tw = twipsFor(this);

    auto label = [this, &tw](int i, const QString &caption, const QString &accessible,
                             const QString &tip, DesignRect r) {
        // The labels under the countdown bar and the plan ribbon tell a
        // screen reader the progress the bar and the ribbon show.
        Label_U[i] = i == 1 || i == 2 ? new ProgressLabel(caption, client_)
                                      : new QLabel(caption, client_);
        Label_U[i]->setAlignment(Qt::AlignCenter);
        nameControl(Label_U[i], QStringLiteral("Label_U(%1)").arg(i), accessible, tip);
        Label_U[i]->setGeometry(tw.rect(r.left, r.top, r.width, r.height));
        setBackColor(Label_U[i], SystemButtonFace);
    };
    auto textBox = [this, &tw](int i, const QString &accessible, const QString &tip,
                               DesignRect r) {
        Text_U[i] = new TextBox(QString(), client_);
        nameControl(Text_U[i], QStringLiteral("Text_U(%1)").arg(i), accessible, tip);
        Text_U[i]->setGeometry(tw.rect(r.left, r.top, r.width, r.height));
        Text_U[i]->setLocked(true);
        setBackColor(Text_U[i], FieldBackground);
        setForeColor(Text_U[i], SystemWindowText);
    };

    label(3, QStringLiteral("Тема"), QStringLiteral("Тема"),
          QStringLiteral(" Ако нямате къде или с какво да пишете, моля заповядайте на дъската. "
                         "Там има и място, и тебешир."),
          {100, 165, 735, 420});
    setBackColor(Label_U[3], LabelBackground);
    textBox(0, QStringLiteral("Тема на урока"), QStringLiteral(" Тема на урока"),
            {1150, 160, 10000, 900});

    label(0, QStringLiteral("План"), QStringLiteral("План"),
          QStringLiteral(" Планът на урока, трябва да бъде записан. "), {100, 1200, 735, 420});
    setBackColor(Label_U[0], LabelBackground);
    List_Ur[0] = new ListBox(QString(), client_);
    nameControl(List_Ur[0], QStringLiteral("List_Ur(0)"), QStringLiteral("План на урока"),
                QStringLiteral("План на урока - точка/подточка "));
    List_Ur[0]->setGeometry(tw.rect(1150, 1200, 10000, 1200));
    setBackColor(List_Ur[0], FieldBackground);
    setForeColor(List_Ur[0], PlanText);
    connect(List_Ur[0], &ListBox::Click, this, [this] { List_Ur_Click(); });

    Picture_Ur[0] = new PictureBox(QString(), client_);
    nameControl(Picture_Ur[0], QStringLiteral("Picture_Ur(0)"),
                QStringLiteral("Илюстрация към избраната точка"),
                QStringLiteral(" Щракнете с десен бутон, за да видите изображението в пълен "
                               "размер "));
    Picture_Ur[0]->setGeometry(tw.rect(150, 2520, 1545, 2160));
    setBackColor(Picture_Ur[0], SystemButtonFace);
    Picture_Ur[0]->setFocusPolicy(Qt::TabFocus);
    connect(Picture_Ur[0], &PictureBox::Pressed, this, [this](Qt::MouseButton button) {
        // The tooltip speaks of the right button; both open the picture.
        if (button == Qt::LeftButton || button == Qt::RightButton)
            Picture_Ur_Click(0);
    });

    textBox(1, QStringLiteral("Съдържание на избраната точка"),
            QStringLiteral(" Имате ограничено време да запишете темата и плана на урока! "
                           "Използвайте бутон \"Фокус\""),
            {1845, 2505, 9360, 4305});
    Text_U[1]->setText(state_.content().text(Holder::Text_U, 1));

    Text_U[2] = new TextBox(QStringLiteral("Text_U(2)"), client_);
    Text_U[2]->setText(state_.content().text(Holder::Text_U, 2));
    Text_U[2]->hide();

    label(2, QString(), QStringLiteral("Оставащо време за записване на точката"),
          QStringLiteral("Показва оставащащото време, за което трябва да се напише заглавието "
                         "и плана на урока"),
          {11400, 495, 1195, 5000});
    label(1, QString(), QStringLiteral("Преминат материал от плана"), QString(),
          {360, 7200, 11000, 355});

    for (int i = 0; i < 4; ++i) {
        Shape_Lenta[i] = new Shape(QStringLiteral("Shape_Lenta(%1)").arg(i), client_);
        const DesignRect &r = shapeDesign[i];
        Shape_Lenta[i]->setGeometry(tw.rect(r.left, r.top, r.width, r.height));
        setBackColor(Shape_Lenta[i], shapeColour[i]);
        Shape_Lenta[i]->hide();
    }
    Shape_Lenta[0]->setAccessibleName(QStringLiteral("Оставащо време"));
    Shape_Lenta[1]->setAccessibleName(QStringLiteral("Изминало време"));
    Shape_Lenta[2]->setAccessibleName(QStringLiteral("Оставащ материал от плана"));
    Shape_Lenta[3]->setAccessibleName(QStringLiteral("Преминат материал от плана"));

    connect(client_, &ClientArea::Resized, this, [this] {
        inner_ = client_->size();
        Form_Resize();
    });
    connect(client_, &ClientArea::MouseDown, this,
            [this](Qt::MouseButton button, QPoint at) { Form_MouseDown(button, at); });
}

void Tarv::buildMenus()
{
    QMenuBar *menus = menuBar();
    addMenuBarKey(this);
    auto command = [this, menus](const char *name, const char *caption) {
        QAction *a = menus->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromUtf8(name));
        return a;
    };
    // Every caption has its key, marked with "&" (Alt and the letter on a
    // Bulgarian keyboard; F10 or Alt alone opens the menu bar on any).
    Izhod = command("Izhod", "&Изход");
    connect(Izhod, &QAction::triggered, this, [this] { Izhod_Click(); });
    mnu_Fokus = command("mnu_Fokus", "&Фокус");
    connect(mnu_Fokus, &QAction::triggered, this, [this] { mnu_Fokus_Click(); });
    mnu_Cwqt = command("mnu_Cwqt", "&Цвят/шрифт");
    connect(mnu_Cwqt, &QAction::triggered, this, [this] { mnu_Cwqt_Click(); });
    mnu_Wyprosi = command("mnu_Wyprosi", "&Задачи/Речник");
    connect(mnu_Wyprosi, &QAction::triggered, this, [this] { mnu_Wyprosi_Click(); });

    mnu_Sydyrv_plan = menus->addMenu(QStringLiteral("Информация за &урока"));
    mnu_Sydyrv_plan->setObjectName(QStringLiteral("mnu_Sydyrv_plan"));
    mnu_Sydyrv_plan->menuAction()->setObjectName(QStringLiteral("mnu_Sydyrv_plan"));
    const char *information[] = {"",
                                 "Допълнителен материал",
                                 "Използвана литература & Internet site",
                                 "Държавни образователни изисквания",
                                 "Продължителност на урока",
                                 "Цел на урока",
                                 "Междупредметни връзки",
                                 "Вътрешно предметни връзки",
                                 "Необходими пособия",
                                 "Ход на урока"};
    // The position of each item's key in its caption.
    const int key[] = {0, 0, 0, 9, 0, 0, 0, 0, 0, 0};
    for (int i = 1; i <= 9; ++i) {
        // "&" in a caption would be taken for a shortcut mark.
        QString caption = QString::fromUtf8(information[i]);
        caption.replace(u'&', QStringLiteral("&&"));
        caption.insert(key[i], u'&');
        Sydyrv_pla[i] = mnu_Sydyrv_plan->addAction(caption);
        Sydyrv_pla[i]->setObjectName(QStringLiteral("Sydyrv_pla(%1)").arg(i));
        connect(Sydyrv_pla[i], &QAction::triggered, this, [this, i] { Sydyrv_pla_Click(i); });
    }

    awtor0 = menus->addMenu(QStringLiteral("&Автори"));
    awtor0->setObjectName(QStringLiteral("awtor0"));
    awtor0->menuAction()->setObjectName(QStringLiteral("awtor0"));
    const char *authors[] = {"", "&Спонсор", "&Автор на урока", "&За програмата"};
    for (int i = 1; i <= 3; ++i) {
        awtori[i] = awtor0->addAction(QString::fromUtf8(authors[i]));
        awtori[i]->setObjectName(QStringLiteral("awtori(%1)").arg(i));
        connect(awtori[i], &QAction::triggered, this, [this, i] { awtori_Click(i); });
    }
}

int Tarv::Opcia(int number)
{
    return optionValue(state_.Opcii_L(), number);
}

// ---- Start-up -------------------------------------------------------------

void Tarv::Form_Load()
{
    currentTime = 1;
    tickCount = 0;
    planCount = state_.Plan_Tarv(0).count() - 1;

    captureLayout();
    const ConfigOutcome config = Zaredi_konfiguraciq(state_, windows_.prompter(), windows_.platform);
    Tarv_n &tasks = windows_.get<Tarv_n>();
    if (config.taskList)
        tasks.List_Un[1]->setEntries(*config.taskList);
    if (config.allTasksCaption)
        tasks.mnu_All_zadachi->setText(*config.allTasksCaption);

    // Pupils save their work only onto a removable or fixed disk.
    const int drive = windows_.platform.folderDriveType();
    if (drive < DriveRemovable || drive > DriveFixed)
        tasks.zap_resheshenie->menuAction()->setEnabled(false);

    Nastroj_dostap(windows_);
    // Whatever the options offer, a menu that is off has every command off:
    // a screen reader or a shortcut reaches the commands without the menu.
    if (!tasks.zap_resheshenie->menuAction()->isEnabled()) {
        for (QAction *item : tasks.zap_resheshenie->actions())
            item->setEnabled(false);
    }

    std::array<qint16, MaxPlanPoints + 1> times{};
    for (int k = 1; k <= qMin(planCount, MaxPlanPoints); ++k)
        times[k] = static_cast<qint16>(
            roundedNumber(state_.Wremena(2).item(k), -32768, 32767));
    writing.reset(planCount, times);

    if (Opcia(16) == 0)
        mnu_Wyprosi->setEnabled(false);

    setWindowTitle(caption());

    Lenta_init();
    pictureSource = 0;
    Popylni_plan();

    if (Opcia(14) == 1)
        tasks.mnu_All_zadachi->setEnabled(true);
    state_.List_Ur(1).setItem(2, QStringLiteral("0"));

    showProgress();
    Timer1->setEnabled(true);
}

QString Tarv::caption() const
{
    ItemList &service = state_.List_Ur(3);
    const double version = leadingNumber(service.item(3)) / 100.0;
    return windowTitle() + u' ' + state_.Plan_Tarv(0).item(0) + QStringLiteral("  Версия ")
           + signedNumberText(version) + QStringLiteral(" от ") + service.item(10);
}

// ---- Layout ----------------------------------------------------------------

QList<QWidget *> Tarv::layoutElements()
{
    Tarv_n &tasks = windows_.get<Tarv_n>();
    return {Text_U[0],        Text_U[1],        tasks.Text_Un[0],
            tasks.Text_Un[1], tasks.Text_Un[2], tasks.Text_Un[3],
            tasks.Text_Un[4], Label_U[0],       Label_U[1],
            Label_U[2],       Label_U[3],       tasks.Chasownik_Label[0],
            Picture_Ur[0],    tasks.Picture_Un[0], List_Ur[0],
            tasks.List_Un[0], tasks.List_Un[1], Shape_Lenta[0],
            Shape_Lenta[1],   Shape_Lenta[2],   Shape_Lenta[3]};
}

void Tarv::captureLayout()
{
    QList<QRect> design;
    for (QWidget *w : layoutElements())
        design.append(w->geometry());
    layout.capture(twipsFor(this).size(DesignWidth, DesignHeight), design);
    ribbonIndex = FirstShapePosition;
}

QSize Tarv::innerSize() const
{
    // Until the window is first shown and laid out, its area has the design size.
    return inner_.isValid() ? inner_ : layout.designInnerSize();
}

void Tarv::Form_Resize()
{
    if (layout.count() == 0)
        return;
    const QSize inner = innerSize();
    const QList<QWidget *> elements = layoutElements();
    for (int p = 0; p < elements.size(); ++p)
        elements[p]->setGeometry(layout.place(p, inner));
    // The bar and the ribbon keep the progress they show.
    drawBar();
    drawRibbon();
}

void Tarv::layoutTasksWindow(QSize inner)
{
    if (layout.count() == 0)
        return;
    const QList<QWidget *> elements = layoutElements();
    for (int p : tasksWindowPositions)
        elements[p]->setGeometry(layout.place(p, inner));
}

float Tarv::scaledX(int twips) const
{
    const QSize design = layout.designInnerSize();
    return design.width() > 0 ? static_cast<float>(twips) * innerSize().width() / design.width()
                              : static_cast<float>(twips);
}

float Tarv::scaledY(int twips) const
{
    const QSize design = layout.designInnerSize();
    return design.height() > 0 ? static_cast<float>(twips) * innerSize().height() / design.height()
                               : static_cast<float>(twips);
}

// ---- Mouse and exit --------------------------------------------------------

void Tarv::Form_MouseDown(Qt::MouseButton button, QPoint position)
{
    if (button == Qt::RightButton)
        mnu_Sydyrv_plan->popup(client_->mapToGlobal(position));
}

void Tarv::Izhod_Click()
{
    if (Greska_Otgowor1(windows_.prompter(), 2) != yesText() || closing_)
        return;
    if (!Zapis_otgowori(state_, windows_.prompter(), windows_.platform) && !closing_
        && stayAfterLostAnswers())
        return;
    if (!closing_)
        Kraj();
}

bool Tarv::writeAnswersUnasked(Prompter &reporter)
{
    if (closing_ || answersWrittenUnasked_)
        return true;
    answersWrittenUnasked_ = true;
    if (windows_.isLoaded<Tarv_n>())
        windows_.get<Tarv_n>().keepTypedAnswer();
    return Zapis_otgowori(state_, reporter, windows_.platform);
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
    return !windows_.prompter().ask(m);
}

void Tarv::Kraj()
{
    closing_ = true;
    Timer1->setEnabled(false);
    windows_.endProgram();
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

namespace urok {

// ---- Plan navigation and content -------------------------------------------

void Tarv::Popylni_plan()
{
    ItemList &plan = state_.Plan_Tarv(0);
    ItemList &ordered = state_.List_Ur(2);
    const int c = plan.count();
    int m = c;
    for (int k = 1; k < c; ++k) {
        const QString entry = plan.item(k);
        if (entry.size() < 7) {
            --m;
            continue;
        }
        ordered.add(entry);
    }
    // The entries in key order, without the key and its blank.
    for (int k = 1; k < m; ++k)
        List_Ur[0]->addEntry(ordered.item(k).mid(4));

    Text_U[0]->setText(plan.item(0));
    const int p = leadingInteger(state_.Spi_GR(3).item(0));
    showPicture(p);
}

void Tarv::showPicture(int number)
{
    Picture_Ur[0]->setPicture(number > 0 ? state_.Grafika_G(number) : state_.Grafika_W(1));
}

void Tarv::Popylni_rechnik()
{
    ListBox *terms = windows_.get<Tarv_n>().List_Un[0];
    ItemList &glossary = state_.glos_All(0);
    for (int i = 1; i < glossary.count(); ++i)
        terms->addEntry(glossary.item(i));
}

void Tarv::List_Ur_Click()
{
    if (Opcia(10) < 1)
        return;
    ItemList &plan = state_.Plan_Tarv(0);
    const int n = plan.count() - 1;
    const int s = List_Ur[0]->listIndex() + 1;
    writing.currentPoint = static_cast<qint16>(s);

    const QString d = List_Ur[0]->selectedText();
    int matched = 0;
    for (int k = 0; k <= n; ++k) {
        if (plan.item(k).right(d.size()) == d) {
            matched = k;
            Text_U[1]->setText(state_.Podtochki(k));
        }
    }

    const int p = leadingInteger(state_.Spi_GR(3).item(matched));
    pictureNumber = p;
    if (p > 0) {
        Picture_Ur[0]->setPicture(state_.Grafika_G(p));
        pictureSource = 1;
    } else {
        Picture_Ur[0]->setPicture(state_.Grafika_W(1));
    }

    if (s >= 1 && s <= MaxPlanPoints && writing.done[s] == 0) {
        qint16 t = Opcia(18) == 0
                       ? static_cast<qint16>(roundedNumber(state_.Wremena(2).item(s), -32768, 32767))
                       : writing.remaining[s];
        // A point always takes at least a second to write: with no time at
        // all it could never be counted as written and the lesson would stop.
        if (t < 1)
            t = 1;
        writing.remaining[s] = t;
        currentTime = t;
        Lenta_tochka(ribbonIndex - 2);
        showProgress();
    }

    if (Opcia(17) == 0)
        List_Ur[0]->setLocked(true);
}

void Tarv::Sydyrv_pla_Click(int index)
{
    Text_U[1]->clear();
    Text_U[1]->setText(state_.Dopyln_M(index));
    if (!state_.Grafika_W(3).sameAs(state_.Grafika_W(1))) {
        Picture_Ur[0]->setPicture(state_.Grafika_W(3));
        pictureNumber = 3;
        pictureSource = 2;
    }
}

void Tarv::awtori_Click(int index)
{
    if (index < 1 || index > 3)
        return;
    Text_U[1]->setText(state_.Reklama_Par(index));
    if (index == 1) {
        Picture_Ur[0]->setPicture(state_.Grafika_W(2));
        pictureNumber = 2;
        pictureSource = 2;
    }
}

void Tarv::mnu_Wyprosi_Click()
{
    Timer1->setEnabled(false);
    hide();
    Tarv_n &tasks = windows_.get<Tarv_n>();
    // The tasks window takes the lesson's place on the screen.
    tasks.setWindowState(windowState());
    if (!isMaximized() && !isFullScreen())
        tasks.setGeometry(geometry());
    tasks.Timer_n->setEnabled(true);
    if (tasks.List_Un[1]->listIndex() < 0) {
        tasks.List_Un[1]->setListIndex(0);
        state_.List_Ur(1).setItem(2, QString::number(tasks.List_Un[1]->listIndex()));
    }
    tasks.show();
    tasks.raise();
    tasks.activateWindow();
}

void Tarv::mnu_Cwqt_Click()
{
    // Opening copies the window's present look into the settings and shows
    // the colour window; a window already open only comes forward.
    Procheti_wida(windows_);
    Cwiat &colours = windows_.get<Cwiat>();
    colours.show();
    colours.raise();
    colours.activateWindow();
}

void Tarv::mnu_Fokus_Click()
{
    Text_U[2]->setText(Text_U[1]->text());
    Text_U[2]->setFontSize(leadingNumber(state_.List_Ur(1).item(4)));
    Tarv_Zad &focus = windows_.get<Tarv_Zad>();
    focus.Obsho_Pole->setLocked(true);
    focus.Obsho_Pole->setText(Text_U[2]->text());
    focus.List_font->setListIndex(leadingInteger(state_.List_Ur(1).item(5)));
    focus.show();
    focus.raise();
    focus.activateWindow();
}

// ---- Timed plan writing ----------------------------------------------------

void Tarv::Timer1_Timer()
{
    ++tickCount;
    if (tickCount % 10 == 0)
        Sekunda();
}

void Tarv::Sekunda()
{
    if (writing.currentPoint == 0)
        return;
    const int k = List_Ur[0]->listIndex() + 1;
    if (k < 1 || k > MaxPlanPoints)
        return;
    if (writing.remaining[k] == 0) {
        Kraj_tochka();
        return;
    }
    if (Opcia(13) == 1) {
        Shape_Lenta[0]->show();
        Shape_Lenta[1]->show();
        mnu_Wyprosi->setEnabled(false);
    }
    --writing.remaining[k];
    bar.second();
    drawBar();
    showProgress();
    if (writing.remaining[k] > 0)
        return;

    writing.done[k] = 1;
    if (writing.done[0] > 0)
        --writing.done[0];
    if (writing.done[0] == 0)
        mnu_Wyprosi->setEnabled(true);
    if (Opcia(16) == 1)
        mnu_Wyprosi->setEnabled(true);
    Lenta_plan();
}

void Tarv::Kraj_tochka()
{
    Shape_Lenta[0]->hide();
    Shape_Lenta[1]->hide();
    List_Ur[0]->setLocked(false);
    showProgress();
}

void Tarv::Lenta_tochka(int position)
{
    Q_UNUSED(position); // the bar's two shapes stand at positions 17 and 18
    bar.setUp(scaledY(shapeDesign[1].top), scaledY(shapeDesign[0].height),
              scaledY(shapeDesign[1].height), currentTime, innerSize());
}

void Tarv::Lenta_init()
{
    if (Opcia(13) == 1)
        currentTime = 10;
    Lenta_tochka(ribbonIndex);
    ribbonIndex += 2;
    ribbon.setUp(scaledX(shapeDesign[2].left), scaledX(shapeDesign[2].width),
                 scaledX(shapeDesign[3].width), planCount, innerSize());
}

void Tarv::Lenta_plan()
{
    if (Opcia(19) == 0) {
        Shape_Lenta[2]->hide();
        Shape_Lenta[3]->hide();
        return;
    }
    Shape_Lenta[2]->show();
    Shape_Lenta[3]->show();
    Label_U[1]->setToolTip(ribbonTip);
    Label_U[1]->setAccessibleDescription(ribbonTip.trimmed());
    if (ribbon.steps <= planCount - 1) {
        ribbon.advance(planCount);
        if (ribbon.redHidden)
            Shape_Lenta[2]->hide();
        drawRibbon();
    }
    showProgress();
}

// The bar's and the ribbon's progress as values for a screen reader: the
// seconds left of the point being written, and the points written.
void Tarv::showProgress()
{
    const int k = writing.currentPoint;
    const bool counting = k >= 1 && k <= MaxPlanPoints && writing.done[k] == 0
                          && writing.remaining[k] > 0;
    const int left = counting ? writing.remaining[k] : 0;
    const int time = counting ? qMax<int>(currentTime, left) : 0;
    static_cast<ProgressLabel *>(Label_U[2])
        ->setProgress(left, time,
                      counting ? QStringLiteral("%1 %2 от %3")
                                         .arg(left == 1 ? QStringLiteral("Остава")
                                                        : QStringLiteral("Остават"))
                                         .arg(secondsText(left))
                                         .arg(time)
                               : QStringLiteral("Не се записва точка"));
    const int points = qBound(0, planCount, MaxPlanPoints);
    const int written = points - writing.openPoints();
    static_cast<ProgressLabel *>(Label_U[1])
        ->setProgress(written, points,
                      QStringLiteral("Записани точки: %1 от %2").arg(written).arg(points));
}

// Bar and ribbon values are twips of the window at the size they were set
// up for; they are drawn in proportion to the window's present size.
void Tarv::drawBar()
{
    if (bar.reference.isEmpty())
        return;
    const Twips tw = twipsFor(this);
    const QSize inner = innerSize();
    const double ky = inner.height() / bar.reference.height();
    auto y = [&](float v) { return tw.y(static_cast<int>(v * ky)); };
    const QRect remaining = layout.place(FirstShapePosition, inner);
    const QRect elapsed = layout.place(FirstShapePosition + 1, inner);
    Shape_Lenta[0]->setGeometry(remaining.x(), remaining.y(), remaining.width(),
                                y(bar.leftHeight));
    Shape_Lenta[1]->setGeometry(elapsed.x(), y(bar.top), elapsed.width(), y(bar.usedHeight));
}

void Tarv::drawRibbon()
{
    if (ribbon.reference.isEmpty() || ribbon.steps == 0)
        return;
    const Twips tw = twipsFor(this);
    const QSize inner = innerSize();
    const double kx = inner.width() / ribbon.reference.width();
    auto x = [&](float v) { return tw.x(static_cast<int>(v * kx)); };
    const QRect red = layout.place(FirstShapePosition + 2, inner);
    const QRect green = layout.place(FirstShapePosition + 3, inner);
    Shape_Lenta[2]->setGeometry(x(ribbon.redLeft), red.y(), x(ribbon.redWidth), red.height());
    Shape_Lenta[3]->setGeometry(green.x(), green.y(), x(ribbon.greenWidth), green.height());
}

// ---- Pictures --------------------------------------------------------------

void Tarv::Picture_Ur_Click(int index)
{
    Q_UNUSED(index);
    if (pictureNumber < 1)
        return;
    const Picture *source = nullptr;
    if (pictureSource == 1)
        source = &state_.Grafika_G(pictureNumber);
    else if (pictureSource == 2)
        source = &state_.Grafika_W(pictureNumber);
    if (!source || source->isEmpty())
        return;
    const QSize size = source->holderSize();
    if (Picture_Ur[0]->width() > size.width() && Picture_Ur[0]->height() > size.height())
        return;
    const Twips tw = twipsFor(this);
    windows_.get<Tarv_Gra>().showPicture(*source, tw.size(100, 100));
}

} // namespace urok
