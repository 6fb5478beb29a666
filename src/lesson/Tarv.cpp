#include "lesson/Tarv.h"

#include "controls/ClientArea.h"
#include "controls/ControlLook.h"
#include "controls/Controls.h"
#include "controls/DisabledCommands.h"
#include "controls/ListBox.h"
#include "controls/PictureBox.h"
#include "controls/Shape.h"
#include "controls/SpokenLabels.h"
#include "controls/TextBox.h"
#include "controls/Twips.h"
#include "engine/BackgroundWriter.h"
#include "engine/LessonContext.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"
#include "engine/Options.h"
#include "engine/TickSource.h"
#include "lesson/LessonDesign.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace urok {

namespace {

constexpr ColourValue WindowBackground = rgbValue(128, 0, 0);
constexpr ColourValue FieldBackground = rgbValue(0, 128, 0);
constexpr ColourValue LabelBackground = rgbValue(192, 0, 0);
constexpr ColourValue PlanText = rgbValue(201, 206, 206);

constexpr ColourValue shapeColour[4] = {
    rgbValue(0xC0, 0xC0, 0x00),
    rgbValue(0xE0, 0xE0, 0xE0),
    rgbValue(0xC0, 0x00, 0x00),
    rgbValue(0x00, 0xC0, 0x00),
};

} // namespace

Tarv::Tarv(LessonContext &lesson)
    : lesson_(lesson)
    , state_(lesson.state)
{
    setObjectName(QStringLiteral("Tarv"));
    setWindowTitle(QStringLiteral("Програмиран урок - урочно съдържание."));
    setFont(windowFont());
    buildControls();
    buildMenus();
    setClientSize(this, twipsFor(this).size(DesignWidth, DesignHeight));
    Timer1 = new TickSource([this] { Timer1_Timer(); }, this, lesson.platform.clock);
}

Tarv::~Tarv()
{
    // The keeper finishes its write while the window is still whole.
    delete keeper_;
}

void Tarv::buildControls()
{
    client_ = new ClientArea(this);
    client_->setObjectName(QStringLiteral("Tarv.client"));
    setCentralWidget(client_);
    setBackColor(client_, WindowBackground);
    buildTopicAndPlan();
    buildContent();
    buildProgress();
    connect(client_, &ClientArea::Resized, this, [this] {
        inner_ = client_->size();
        Form_Resize();
    });
    connect(client_, &ClientArea::MouseDown, this,
            [this](Qt::MouseButton button, QPoint at) { Form_MouseDown(button, at); });
}

namespace {

QLabel *makeLabel(QWidget *parent, int i, const QString &caption, const QString &accessible,
                  const QString &tip, DesignRect r)
{
    // The labels under the countdown bar and the plan ribbon tell a screen
    // reader the progress the bar and the ribbon show. The bar's seconds are
    // read when asked (F2 or a visit); a point written is said in words.
    QLabel *label = nullptr;
    if (i == 2)
        label = new ProgressLabel(caption, parent, ProgressLabel::Changes::Kept);
    else if (i == 1)
        label = new ProgressLabel(caption, parent);
    else
        label = new QLabel(caption, parent);
    label->setAlignment(Qt::AlignCenter);
    nameControl(label, QStringLiteral("Label_U(%1)").arg(i), accessible, tip);
    label->setGeometry(twipsFor(parent).rect(r.left, r.top, r.width, r.height));
    setBackColor(label, SystemButtonFace);
    return label;
}

TextBox *makeTextField(QWidget *parent, int i, const QString &accessible, const QString &tip,
                       DesignRect r)
{
    auto *field = new TextBox(QString(), parent);
    nameControl(field, QStringLiteral("Text_U(%1)").arg(i), accessible, tip);
    field->setGeometry(twipsFor(parent).rect(r.left, r.top, r.width, r.height));
    field->setLocked(true);
    setBackColor(field, FieldBackground);
    setForeColor(field, SystemWindowText);
    return field;
}

} // namespace

void Tarv::buildTopicAndPlan()
{
    Label_U[3] = makeLabel(
        client_, 3, QStringLiteral("Тема"), QStringLiteral("Тема"),
        QStringLiteral(" Ако нямате къде или с какво да пишете, моля заповядайте на дъската. "
                       "Там има и място, и тебешир."),
        {100, 165, 735, 420});
    setBackColor(Label_U[3], LabelBackground);
    Text_U[0] = makeTextField(client_, 0, QStringLiteral("Тема на урока"),
                              QStringLiteral(" Тема на урока"), {1150, 160, 10000, 900});
    describeForKeys(Text_U[0], QStringLiteral("Стрелките четат темата ред по ред; Tab води към "
                                              "плана."));

    Label_U[0] = makeLabel(client_, 0, QStringLiteral("План"), QStringLiteral("План"),
                           QStringLiteral(" Планът на урока, трябва да бъде записан. "),
                           {100, 1200, 735, 420});
    setBackColor(Label_U[0], LabelBackground);
    List_Ur[0] = new ListBox(QString(), client_);
    nameControl(List_Ur[0], QStringLiteral("List_Ur(0)"), QStringLiteral("План на урока"),
                QStringLiteral("План на урока - точка/подточка "));
    describeForKeys(List_Ur[0], QStringLiteral("Стрелките минават през точките, Enter избира "
                                               "точката и пуска времето за записването ѝ."));
    List_Ur[0]->setGeometry(twipsFor(this).rect(1150, 1200, 10000, 1200));
    setBackColor(List_Ur[0], FieldBackground);
    setForeColor(List_Ur[0], PlanText);
    connect(List_Ur[0], &ListBox::Click, this, [this] { List_Ur_Click(); });
    // Enter on the locked plan: why nothing is chosen, and until when.
    connect(List_Ur[0], &ListBox::choiceRefused, this, [this] {
        const std::optional<int> left = pointTimeLeft();
        Izwestie->say(left ? QStringLiteral("Точка %1 се записва; %2. Дотогава друга точка не се "
                                            "избира.")
                                 .arg(writing.currentPoint)
                                 .arg(remainingTimeText(*left).toLower())
                           : QStringLiteral("Списъкът с точките се отключва."));
    });
}

void Tarv::buildContent()
{
    Picture_Ur[0] = new PictureBox(QString(), client_);
    nameControl(Picture_Ur[0], QStringLiteral("Picture_Ur(0)"),
                QStringLiteral("Илюстрация към избраната точка"),
                QStringLiteral(" Щракнете с десен бутон, за да видите изображението в пълен "
                               "размер "));
    Picture_Ur[0]->setGeometry(twipsFor(this).rect(150, 2520, 1545, 2160));
    setBackColor(Picture_Ur[0], SystemButtonFace);
    Picture_Ur[0]->setFocusPolicy(Qt::TabFocus);
    Picture_Ur[0]->setKeyboardHint(QStringLiteral("Enter я показва в пълен размер."));
    connect(Picture_Ur[0], &PictureBox::Pressed, this, [this](Qt::MouseButton button) {
        // The tooltip speaks of the right button; both open the picture.
        if (button == Qt::LeftButton || button == Qt::RightButton)
            Picture_Ur_Click(0);
    });

    Text_U[1] = makeTextField(
        client_, 1, QStringLiteral("Съдържание на избраната точка"),
        QStringLiteral(" Имате ограничено време да запишете темата и плана на урока! "
                       "Използвайте бутон \"Фокус\""),
        {1845, 2505, 9360, 4305});
    describeForKeys(Text_U[1], QStringLiteral("Стрелките четат текста ред по ред; Alt+Ф го "
                                              "показва увеличен."));
    Text_U[1]->setText(state_.content().text(Holder::Text_U, 1));

    Text_U[2] = new TextBox(QStringLiteral("Text_U(2)"), client_);
    Text_U[2]->setText(state_.content().text(Holder::Text_U, 2));
    Text_U[2]->hide();
}

void Tarv::buildProgress()
{
    Label_U[2] = makeLabel(
        client_, 2, QString(), QStringLiteral("Оставащо време за записване на точката"),
        QStringLiteral("Показва оставащащото време, за което трябва да се напише заглавието "
                       "и плана на урока"),
        {11400, 495, 1195, 5000});
    Label_U[1] = makeLabel(client_, 1, QString(), QStringLiteral("Преминат материал от плана"),
                           QString(), {360, 7200, 11000, 355});
    describeForKeys(Label_U[2], QStringLiteral("F2 казва времето в минути и секунди."));

    const Twips tw = twipsFor(this);
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

    Izwestie = new SpokenNotice(client_);
    connect(new QShortcut(QKeySequence(TimeLeftKey), this), &QShortcut::activated, this,
            [this] { sayTimeLeft(); });
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
    connect(new DisabledCommands(menus), &DisabledCommands::refused, this,
            [this](const QAction *off) { Izwestie->say(unavailable(off)); });

    buildInformationMenu();

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

void Tarv::buildInformationMenu()
{
    mnu_Sydyrv_plan = menuBar()->addMenu(QStringLiteral("Информация за &урока"));
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
}

QString Tarv::unavailable(const QAction *command)
{
    const QString caption = QString(command->text()).remove(u'&');
    if (command != mnu_Wyprosi)
        return QStringLiteral("„%1“ не е достъпно в този урок.").arg(caption);
    if (pointTimeLeft())
        return QStringLiteral("„%1“ не се отваря, докато точката се записва.").arg(caption);
    const int open = writing.openPoints();
    return QStringLiteral("„%1“ се отваря, когато всички точки от плана са записани; %2 %3.")
        .arg(caption, open == 1 ? QStringLiteral("остава") : QStringLiteral("остават"),
             open == 1 ? QStringLiteral("1 точка") : QStringLiteral("%1 точки").arg(open));
}

int Tarv::Opcia(Option option)
{
    return optionValue(state_.Opcii_L(), option);
}

} // namespace urok
