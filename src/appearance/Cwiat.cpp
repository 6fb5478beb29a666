#include "appearance/Cwiat.h"

#include "engine/Colour.h"
#include "engine/ColourNames.h"
#include "engine/ColourSettings.h"
#include "controls/AccessibleControls.h"
#include "controls/ClientArea.h"
#include "controls/ControlLook.h"
#include "controls/Controls.h"
#include "controls/ListBox.h"
#include "controls/SpokenLabels.h"
#include "controls/TextBox.h"
#include "controls/Twips.h"
#include "engine/LessonContext.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSlider>

namespace urok {

namespace {

const QString DesignFont = QStringLiteral("Times New Roman");
constexpr double LabelPoints = 9.75;
constexpr ColourValue DesignBackground = rgbValue(128, 128, 128);
constexpr ColourValue DesignPicture = rgbValue(192, 192, 192);

QFont designFont(double points)
{
    QFont f(DesignFont, 12);
    f.setPointSizeF(points);
    return f;
}

struct DesignRect
{
    int left, top, width, height;
};

// The rows of the component sliders and of the target choices.
constexpr int rowTop[4] = {1560, 2040, 2520, 3000};

struct Component
{
    const char *letter;
    const char *valueCaption;
    const char *accessible;
    const char *sliderTip;
    const char *valueTip;
    ColourValue colour;
};

const Component components[3] = {
    {"Ч", "R", "Червена съставка", "Промяна на стойн остта на червената съставка ",
     "Цифрова стойност на червения цвят в обхвата [0 - 255] ", rgbValue(192, 0, 0)},
    {"З", "G", "Зелена съставка", "Промяна на стойн остта на зелената съставка ",
     "Цифрова стойност на зеления цвят в обхвата [0 - 255] ", rgbValue(0, 192, 0)},
    {"С", "B", "Синя съставка", "Промяна на стойн остта на синята съставка ",
     "Цифрова стойност на синия цвят в обхвата [0 - 255] ", rgbValue(0, 0, 192)},
};

struct Target
{
    const char *caption;
    const char *accessible;
    const char *optionTip;
    const char *captionTip;
};

const Target targets[4] = {
    {"Цвят форма", "Цвят на фона на формата", " За настройване цвета на фона на формата ",
     "За настройване цвета на фона на формата "},
    {"Фон текст", "Цвят на фона в текстовите полета",
     " За настройване цвета на фона в текстовите полета ",
     "За настройване цвета на фона в текстовите полета "},
    {"Цвят текст", "Цвят на текста в текстовите полета",
     " За настройване цвета на текста в текстовите полета ",
     " За настройване цвета на текста в текстовите полета "},
    {"Цвят бутон", "Цвят на фона на бутоните", " За настройване цвета на фона на бутоните ",
     " За настройване цвета на фона на бутоните "},
};

void place(QWidget *w, DesignRect r)
{
    w->setGeometry(twipsFor(w).rect(r.left, r.top, r.width, r.height));
}

// Every control carries its own font, so that the window's font name (the
// font to preselect) changes none of them.
QLabel *captionLabel(QWidget *parent, int i, const QString &caption, const QString &accessible,
                     const QString &tip, DesignRect r)
{
    QLabel *l = new QLabel(caption, parent);
    l->setFont(designFont(LabelPoints));
    setBackColor(l, SystemButtonFace);
    nameControl(l, QStringLiteral("Label_Cv(%1)").arg(i), accessible, tip);
    place(l, r);
    return l;
}

} // namespace

Cwiat::Cwiat(LessonContext &lesson)
    : lesson_(lesson)
{
    setObjectName(QStringLiteral("Cwiat"));
    setWindowTitle(QStringLiteral("Формиране на цвят/избор на шрифт"));
    setFont(designFont(12));
    buildControls();
    buildMenus();
    setClientSize(this, twipsFor(this).size(DesignWidth, DesignHeight));
}

Cwiat::~Cwiat() = default;

ItemList &Cwiat::settings() const
{
    return lesson_.state.List_Un(2);
}

void Cwiat::buildControls()
{
    client_ = new ClientArea(this);
    client_->setObjectName(QStringLiteral("Cwiat.client"));
    setCentralWidget(client_);
    setBackColor(client_, DesignBackground);

    picColor = new QFrame(client_);
    picColor->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    nameControl(picColor, QStringLiteral("picColor"), QStringLiteral("Получен цвят"),
                QStringLiteral("Получен изходен цвят"));
    place(picColor, {240, 120, 5055, 915});
    setBackColor(picColor, DesignPicture);

    Label_Cv[3] = captionLabel(client_, 3, QStringLiteral("Цвят"), QStringLiteral("Код на получения цвят"),
          QStringLiteral("Показва цифровата стойност на формирания цвят в 16-ична бройна "
                         "система "),
          {795, 1150, 4020, 255});
    Label_Cv[3]->setAlignment(Qt::AlignCenter);
    Izwestie = new SpokenNotice(client_);

    buildComponentRows();
    buildTargetRows();
    buildFontChoice();

    // The keyboard chooses the target first, then composes its colour, then
    // the font; the four targets are one stop, chosen with the arrows.
    const QList<QWidget *> order = {Option1[0], Option1[1], Option1[2], Option1[3],
                                    Slider1[0], Slider1[1], Slider1[2], List_font[0],
                                    List_font[1], Text_Cv[0]};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// The red, green and blue rows: a letter, a slider and the value.
void Cwiat::buildComponentRows()
{
    for (int i = 0; i < 3; ++i) {
        const Component &c = components[i];
        const int top = rowTop[i];
        QLabel *letter = Label_Cv[i] = captionLabel(client_, i, QString::fromUtf8(c.letter), QString::fromUtf8(c.accessible),
                               QString(), {120, top, 320, 315});
        letter->setAlignment(Qt::AlignCenter);
        setForeColor(letter, c.colour);

        QSlider *s = new QSlider(Qt::Horizontal, client_);
        s->setRange(0, 255);
        s->setSingleStep(1);
        s->setPageStep(16);
        s->setFont(designFont(12));
        keepPlatformColours(s);
        nameControl(s, QStringLiteral("Slider1(%1)").arg(i), QString::fromUtf8(c.accessible),
                    QString::fromUtf8(c.sliderTip));
        describeForKeys(s, QStringLiteral("Стрелките променят стойността от 0 до 255, PgUp и "
                                          "PgDn с по 16."));
        place(s, {440, top, 3000, 315});
        connect(s, &QSlider::valueChanged, this, [this, i] { Slider1_Change(i); });
        Slider1[i] = s;

        QLabel *value = new QLabel(QString::fromUtf8(c.valueCaption), client_);
        value->setFont(designFont(LabelPoints));
        value->setAlignment(Qt::AlignCenter);
        setBackColor(value, SystemButtonFace);
        setForeColor(value, c.colour);
        nameControl(value, QStringLiteral("Label_ST(%1)").arg(i),
                    QStringLiteral("Стойност: ") + QString::fromUtf8(c.accessible),
                    QString::fromUtf8(c.valueTip));
        place(value, {3440, top, 315, 315});
        Label_ST[i] = value;
    }
}

// The four colour targets: a choice and its caption.
void Cwiat::buildTargetRows()
{
    options_ = new QButtonGroup(this);
    options_->setExclusive(true);
    for (int i = 0; i < 4; ++i) {
        const Target &t = targets[i];
        QRadioButton *o = new QRadioButton(client_);
        o->setFont(designFont(12));
        nameControl(o, QStringLiteral("Option1(%1)").arg(i), QString::fromUtf8(t.accessible),
                    QString::fromUtf8(t.optionTip));
        describeForKeys(o, QStringLiteral("Стрелките избират кой цвят променят плъзгачите."));
        place(o, {3860, rowTop[i], 345, 285});
        options_->addButton(o, i);
        Option1[i] = o;

        QLabel *caption = Label_Cv[5 + i] = captionLabel(client_, 5 + i, QString::fromUtf8(t.caption),
                                QString::fromUtf8(t.accessible), QString::fromUtf8(t.captionTip),
                                {4200, rowTop[i], 1155, 285});
        // A click on the caption chooses its target too.
        caption->installEventFilter(this);
    }
    Option1[0]->setChecked(true);
    connect(options_, &QButtonGroup::idClicked, this, [this](int id) { Option1_Click(id); });
}

// The font name and size lists and the sample field.
void Cwiat::buildFontChoice()
{
    List_font[0] = new ListBox(QString(), client_, true);
    List_font[0]->setFont(designFont(12));
    nameControl(List_font[0], QStringLiteral("List_font(0)"), QStringLiteral("Шрифт"),
                QStringLiteral(" Определя избрания шрифт "));
    place(List_font[0], {600, 2900, 2655, 1200});
    describeForKeys(List_font[0], QStringLiteral("Стрелките минават през шрифтовете, Enter "
                                                 "избира шрифта на образеца."));

    Label_Cv[4] = captionLabel(client_, 4, QStringLiteral("Размер  шрифт"), QStringLiteral("Размер на шрифта"),
          QStringLiteral("Показва размера на буквите във формирания текст "),
          {3860, 3450, 1490, 285});

    List_font[1] = new ListBox(QString(), client_);
    List_font[1]->setFont(designFont(LabelPoints));
    nameControl(List_font[1], QStringLiteral("List_font(1)"), QStringLiteral("Размер на шрифта"),
                QStringLiteral(" Определя размера на буквите "));
    place(List_font[1], {3840, 3840, 855, 735});
    describeForKeys(List_font[1], QStringLiteral("Стрелките минават през размерите, Enter "
                                                 "избира размера на образеца."));
    for (int size = 8; size <= 14; ++size)
        List_font[1]->addEntry(QString::number(size));

    for (int i = 0; i < 2; ++i) {
        List_font[i]->setChosenWord(QStringLiteral("избран"));
        connect(List_font[i], &ListBox::Click, this, [this, i] { List_font_Click(i); });
    }

    Text_Cv[0] = new TextBox(QString(), client_);
    Text_Cv[0]->setFont(designFont(12));
    nameControl(Text_Cv[0], QStringLiteral("Text_Cv(0)"), QStringLiteral("Образец на текста"),
                QStringLiteral("Полето илюстрира шрифт, размер на букви, цвят и фон на букви "));
    place(Text_Cv[0], {600, 4200, 2655, 405});
    // A one-line sample: a scroll bar would take most of it. Tab leaves it.
    Text_Cv[0]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text_Cv[0]->setTabChangesFocus(true);
    Text_Cv[0]->setText(QStringLiteral("Шрифт"));
}

void Cwiat::buildMenus()
{
    QMenuBar *bar = menuBar();
    addMenuBarKey(this);
    bar->setFont(designFont(12));
    auto command = [this, bar](const char *name, const char *caption) {
        QAction *a = bar->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromUtf8(name));
        return a;
    };
    // Alt and the marked letter choose a command; Escape is "Отказ".
    mnu_zapis = command("mnu_zapis", "&Запис");
    connect(mnu_zapis, &QAction::triggered, this, [this] { mnu_zapis_Click(); });
    mnu_Otkaz = command("mnu_Otkaz", "&Отказ");
    connect(mnu_Otkaz, &QAction::triggered, this, [this] { mnu_Otkaz_Click(); });
    // "Danni" keeps its Latin caption: its marked letter is typed on a Latin
    // layout, and Alt+Д, the same letter in Cyrillic, is its key on a
    // Bulgarian one.
    mnu_Danni = command("mnu_Danni", "&Danni");
    mnu_Danni->setShortcut(QKeySequence(Qt::ALT | Qt::Key(0x0414)));
    speakCommandAs(mnu_Danni, QStringLiteral("Данни"));
    connect(mnu_Danni, &QAction::triggered, this, [this] { mnu_Danni_Click(); });
}

// ---- Loading ----------------------------------------------------------------

void Cwiat::Form_Load()
{
    ItemList &list = settings();

    setFontFamily(this, list.item(settings::FontName));

    // Choosing the font below writes the sample's size into the list, so the
    // sample takes the stored size first; otherwise its design size would
    // replace the size read from the main window.
    Text_Cv[0]->setFontSize(leadingNumber(list.item(settings::FontSize)));

    List_font[0]->clear();
    Zaredi_shriftowe();
    for (int i = 0; i < List_font[0]->count(); ++i) {
        if (List_font[0]->itemText(i) == list.item(settings::FontName))
            List_font[0]->setListIndex(i);
    }

    Text_Cv[0]->setFontSize(leadingNumber(list.item(settings::FontSize)));
    for (int i = 0; i < List_font[1]->count(); ++i) {
        if (list.item(settings::FontSize) == List_font[1]->itemText(i))
            List_font[1]->setListIndex(i);
    }

    Opredeli_cwqt();

    // The sliders show target 0; the labels keep their captions until the
    // first move or choice of a target.
    placeSliders(leadingInteger(list.item(settings::componentSlot(0, 0))),
                 leadingInteger(list.item(settings::componentSlot(0, 1))),
                 leadingInteger(list.item(settings::componentSlot(0, 2))));
}

void Cwiat::Zaredi_shriftowe()
{
    List_font[0]->clear();
    for (const QString &family : fontFamilyNames(QFontDatabase::families()))
        List_font[0]->addEntry(family);
    const QString own = font().family();
    for (int i = 0; i < List_font[0]->count(); ++i) {
        if (List_font[0]->itemText(i) == own) {
            List_font[0]->setListIndex(i);
            break;
        }
    }
}

// ---- Colours ----------------------------------------------------------------

void Cwiat::cwetowe_RGB(qint32 Cwet)
{
    const Rgb parts = splitColour(Cwet);
    Cherwena = parts.red;
    Zelena = parts.green;
    Sinq = static_cast<quint8>(parts.blue);
}

void Cwiat::composeColour()
{
    Tekusht_cwqt = rgbValue(Slider1[0]->value(), Slider1[1]->value(), Slider1[2]->value());
}

void Cwiat::placeSliders(int red, int green, int blue)
{
    const int values[3] = {red, green, blue};
    for (int j = 0; j < 3; ++j) {
        const QSignalBlocker quiet(Slider1[j]);
        Slider1[j]->setValue(values[j]);
    }
}

void Cwiat::Opredeli_cwqt()
{
    ItemList &list = settings();
    using namespace settings;
    const ColourValue windowBack = colourSetting(list, colourSlot(WindowBack));
    setBackColor(picColor, windowBack);
    setBackColor(Option1[0], windowBack);

    const ColourValue fieldBack = colourSetting(list, colourSlot(FieldBack));
    setBackColor(Text_Cv[0], fieldBack);
    setBackColor(Option1[1], fieldBack);

    const ColourValue fieldText = colourSetting(list, colourSlot(FieldText));
    setForeColor(Text_Cv[0], fieldText);
    setBackColor(Option1[2], fieldText);

    setBackColor(Option1[3], colourSetting(list, colourSlot(LabelBack)));

    for (int t = 0; t < TargetCount; ++t) {
        const int k = colourSlot(t);
        cwetowe_RGB(colourSetting(list, k));
        list.setItem(k + 1, QString::number(Cherwena));
        list.setItem(k + 2, QString::number(Zelena));
        list.setItem(k + 3, QString::number(Sinq));
    }
}

void Cwiat::Otdelni_Update()
{
    for (int i = 0; i < 3; ++i)
        Label_ST[i]->setText(QString::number(Slider1[i]->value()));

    switch (Izbor_obekt) {
    case settings::WindowBack:
        setBackColor(client_, Tekusht_cwqt);
        setBackColor(Option1[0], Tekusht_cwqt);
        break;
    case settings::FieldBack:
        setBackColor(Text_Cv[0], Tekusht_cwqt);
        setBackColor(Option1[1], Tekusht_cwqt);
        break;
    case settings::FieldText:
        setForeColor(Text_Cv[0], Tekusht_cwqt);
        setBackColor(Option1[2], Tekusht_cwqt);
        break;
    case settings::LabelBack:
        setBackColor(Option1[3], Tekusht_cwqt);
        break;
    default:
        break;
    }

    setBackColor(picColor, Tekusht_cwqt);
    Label_Cv[3]->setText(colourCodeLine(Tekusht_cwqt));
    // A screen reader reads the colour in words, by its name and its code,
    // on the code line and on the sliders.
    const QString words = colourInWords(Tekusht_cwqt);
    Label_Cv[3]->setAccessibleDescription(QStringLiteral("Получен цвят: ") + words);
    for (QSlider *s : Slider1)
        s->setAccessibleDescription(words);
}

void Cwiat::Option1_Click(int index)
{
    if (index < 0 || index >= settings::TargetCount)
        return;
    Izbor_obekt = static_cast<quint8>(index);
    ItemList &list = settings();
    placeSliders(leadingInteger(list.item(settings::componentSlot(index, 0))),
                 leadingInteger(list.item(settings::componentSlot(index, 1))),
                 leadingInteger(list.item(settings::componentSlot(index, 2))));
    composeColour();
    Otdelni_Update();
}

void Cwiat::Slider1_Change(int index)
{
    ItemList &list = settings();
    const int L = settings::colourSlot(Izbor_obekt);
    list.setItem(L + 1 + index, QString::number(Slider1[index]->value()));
    composeColour();
    list.setItem(L, QString::number(Tekusht_cwqt));
    Otdelni_Update();
    // The pupil moving a slider hears the colour it makes, not only its number.
    if (Slider1[index]->hasFocus())
        Izwestie->say(colourInWords(Tekusht_cwqt));
}

// ---- Font -------------------------------------------------------------------

void Cwiat::List_font_Click(int index)
{
    if (index < 0 || index > 1)
        return;
    ItemList &list = settings();
    // The entry being chosen is the current one; a mouse press makes it
    // current before it is marked selected.
    const QString chosen = List_font[index]->itemText(List_font[index]->currentRow());
    if (index == 0) {
        const QString name = chosen;
        setFontFamily(Text_Cv[0], name);
        list.setItem(settings::FontName, name);
    } else {
        Text_Cv[0]->setFontSize(leadingNumber(chosen));
    }
    list.setItem(settings::FontSize, wholeFontSizeText(Text_Cv[0]->fontSize()));
}

// ---- Menus ------------------------------------------------------------------

void Cwiat::mnu_zapis_Click()
{
    ItemList &list = settings();
    list.setItem(settings::FontName, Text_Cv[0]->font().family());
    Q_EMIT lookSaved(lookOf(list));
    closing_ = true;
    unload();
}

void Cwiat::mnu_Otkaz_Click()
{
    closing_ = true;
    unload();
}

void Cwiat::mnu_Danni_Click()
{
    // "Danni" is on the menu bar as the lesson has always had it, with no
    // action of its own.
}

void Cwiat::closeEvent(QCloseEvent *event)
{
    // The close box cancels, the way "Отказ" does.
    event->accept();
    if (!closing_)
        mnu_Otkaz_Click();
}

void Cwiat::showEvent(QShowEvent *event)
{
    noteOpener(this);
    QMainWindow::showEvent(event);
}

void Cwiat::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        mnu_Otkaz_Click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool Cwiat::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        for (int i = 0; i < settings::TargetCount; ++i) {
            if (watched == Label_Cv[5 + i]) {
                Option1[i]->click();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace urok
