#include "appearance/Colour.h"
#include "appearance/ColourSettings.h"
#include "appearance/Cwiat.h"
#include "appearance/Procheti_wida.h"
#include "controls/ClientArea.h"
#include "controls/ControlLook.h"
#include "controls/ListBox.h"
#include "controls/PictureBox.h"
#include "controls/TextBox.h"
#include "controls/Twips.h"
#include "engine/NumericText.h"
#include "lesson/Tarv.h"
#include "support/Captions.h"
#include "support/Find.h"
#include "support/Lesson.h"
#include "support/LessonFixture.h"
#include "tasks/Tarv_n.h"
#include "windows/Tarv_Zad.h"

#include <QFontDatabase>
#include <QStyleOptionButton>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <cmath>

using namespace urok;
using namespace urok::test;

namespace {

const QString CodeHead = QStringLiteral("Цвят в 10/16-тичен код =");

double luminance(QColor c)
{
    const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

// The strongest contrast (1..21) between a colour and the pixels of a
// painted area: what stands out of that background.
double contrast(const QImage &painted, QColor background)
{
    const double b = luminance(background);
    double best = 1;
    for (int y = 0; y < painted.height(); ++y) {
        for (int x = 0; x < painted.width(); ++x) {
            const double p = luminance(painted.pixelColor(x, y));
            best = qMax(best, (qMax(p, b) + 0.05) / (qMin(p, b) + 0.05));
        }
    }
    return best;
}

// How readable an entry that is not chosen is: its text against
// the colour behind it (the entry's corner).
double entryContrast(ListBox *list)
{
    QListWidgetItem *entry = list->item(list->listIndex() == 0 ? 1 : 0);
    list->scrollToItem(entry); // as the pupil scrolls to it
    const QImage painted =
        list->viewport()->grab(list->visualItemRect(entry) & list->viewport()->rect()).toImage();
    return contrast(painted, painted.pixelColor(1, 1));
}

// The look of the main window that opening the colour window reads.
struct Look
{
    QString fontName;
    double fontSize;
    ColourValue windowBack;
    ColourValue fieldBack;
    ColourValue fieldText;
    ColourValue labelBack;
};

Look lookOf(Tarv &t)
{
    return {t.Text_U[0]->font().family(), t.Text_U[0]->font().pointSizeF(),
            backColor(t.client()),        backColor(t.Text_U[0]),
            foreColor(t.Text_U[0]),       backColor(t.Label_U[3])};
}

// Gives the main window a look of its own, different from its design.
void giveLook(Tarv &t, const Look &look)
{
    QFont font = t.Text_U[0]->font();
    font.setFamily(look.fontName);
    font.setPointSizeF(look.fontSize);
    t.Text_U[0]->setFont(font);
    setBackColor(t.client(), look.windowBack);
    setBackColor(t.Text_U[0], look.fieldBack);
    setForeColor(t.Text_U[0], look.fieldText);
    setBackColor(t.Label_U[3], look.labelBack);
}

// An installed font that is not the design font, when there is one.
QString someInstalledFont()
{
    for (const QString &family : QFontDatabase::families())
        if (family != QStringLiteral("Times New Roman"))
            return family;
    return {};
}

QSlider *slider(Cwiat &c, int i)
{
    return control<QSlider>(&c, QStringLiteral("Slider1(%1)").arg(i));
}

QRadioButton *option(Cwiat &c, int i)
{
    return control<QRadioButton>(&c, QStringLiteral("Option1(%1)").arg(i));
}

QLabel *caption(Cwiat &c, int i)
{
    return control<QLabel>(&c, QStringLiteral("Label_Cv(%1)").arg(i));
}

// Starts the lesson and opens the colour window the way its menu does.
Cwiat &open(LessonFixture &f)
{
    f.windows.get<Tarv>();
    Procheti_wida(f.windows);
    return f.windows.get<Cwiat>();
}

// The look every restyled control is expected to take.
void verifyApplied(LessonFixture &f, const Look &look, ColourValue labelBack)
{
    Tarv &t = f.windows.get<Tarv>();
    Tarv_n &n = f.windows.get<Tarv_n>();
    Tarv_Zad &z = f.windows.get<Tarv_Zad>();

    for (QWidget *w : {static_cast<QWidget *>(t.client()), static_cast<QWidget *>(n.client()),
                       static_cast<QWidget *>(&z), static_cast<QWidget *>(t.Label_U[1]),
                       static_cast<QWidget *>(t.Label_U[2]),
                       static_cast<QWidget *>(t.Picture_Ur[0]),
                       static_cast<QWidget *>(n.Picture_Un[0])}) {
        QVERIFY2(backColor(w) == look.windowBack, qPrintable(w->objectName()));
        QCOMPARE(w->palette().color(QPalette::Window), toQColor(look.windowBack));
    }
    QCOMPARE(backColor(t.Label_U[0]), labelBack);
    QCOMPARE(backColor(t.Label_U[3]), labelBack);

    QList<QWidget *> fields = {t.Text_U[0], t.Text_U[1], t.List_Ur[0], z.Obsho_Pole};
    for (int i = 0; i <= 4; ++i)
        fields.append(n.Text_Un[i]);
    for (QWidget *w : fields) {
        QVERIFY2(backColor(w) == look.fieldBack, qPrintable(w->objectName()));
        QVERIFY2(foreColor(w) == look.fieldText, qPrintable(w->objectName()));
        QCOMPARE(w->palette().color(QPalette::Base), toQColor(look.fieldBack));
        QVERIFY2(w->palette().color(QPalette::Active, QPalette::Text) == toQColor(look.fieldText),
                 qPrintable(w->objectName()));
    }
    fields.removeOne(z.Obsho_Pole); // the Focus field keeps its own font
    for (QWidget *w : fields) {
        QVERIFY2(w->font().family() == look.fontName, qPrintable(w->objectName()));
        QVERIFY2(w->font().pointSizeF() == look.fontSize, qPrintable(w->objectName()));
    }
}

} // namespace

class ColourWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // ---- The window and its loading ----------------------------------------

    void windowHasItsControlsAndMenus()
    {
        LessonFixture f;
        Cwiat &c = open(f);
        QVERIFY(c.isVisible());
        QCOMPARE(c.client()->size(), twipsFor(&c).size(Cwiat::DesignWidth, Cwiat::DesignHeight));
        QStringList menus;
        for (QAction *a : c.menuBar()->actions())
            menus.append(a->objectName() + u'=' + plainCaption(a));
        QCOMPARE(menus, QStringList({QStringLiteral("mnu_zapis=Запис"),
                                     QStringLiteral("mnu_Otkaz=Отказ"),
                                     QStringLiteral("mnu_Danni=Danni")}));
        // The target choices have no text of their own: screen readers get a name.
        for (int i = 0; i < 4; ++i)
            QVERIFY(!option(c, i)->accessibleName().isEmpty());
        QVERIFY(option(c, 0)->isChecked());
        QCOMPARE(caption(c, 4)->text(), QStringLiteral("Размер  шрифт"));
        QCOMPARE(control<ListBox>(&c, QStringLiteral("List_font(1)"))->entries(),
                 QStringList({"8", "9", "10", "11", "12", "13", "14"}));
    }

    void openingReadsTheMainWindowsLook()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        giveLook(t, {QStringLiteral("Times New Roman"), 10.5, rgbValue(1, 2, 3),
                     rgbValue(40, 50, 60), rgbValue(255, 255, 255), rgbValue(0, 0, 200)});
        Procheti_wida(f.windows);
        const ItemList &list = f.state.List_Un(2);
        QCOMPARE(list.item(0), QStringLiteral("всичко това е за управление на цветове"));
        QCOMPARE(list.item(1), QStringLiteral("Times New Roman"));
        QCOMPARE(list.item(2), QStringLiteral("10.5"));
        // The colours, each followed by its components.
        QCOMPARE(list.items().mid(3),
                 QStringList({"197121", "1", "2", "3", "3945000", "40", "50", "60", "16777215",
                              "255", "255", "255", "13107200", "0", "0", "200"}));

        Cwiat &c = f.windows.get<Cwiat>();
        QCOMPARE(backColor(c.picColor), rgbValue(1, 2, 3));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(backColor(option(c, i)), leadingInteger(list.item(4 * i + 3)));
        QCOMPARE(backColor(c.Text_Cv[0]), rgbValue(40, 50, 60));
        QCOMPARE(foreColor(c.Text_Cv[0]), rgbValue(255, 255, 255));
        QCOMPARE(c.Text_Cv[0]->fontSize(), 10.5);
        // The sliders show target 0; the window keeps its design background
        // and the labels their captions until the pupil acts.
        QCOMPARE(slider(c, 0)->value(), 1);
        QCOMPARE(slider(c, 1)->value(), 2);
        QCOMPARE(slider(c, 2)->value(), 3);
        QCOMPARE(backColor(c.client()), rgbValue(128, 128, 128));
        QCOMPARE(c.Label_ST[0]->text(), QStringLiteral("R"));
        QCOMPARE(c.Label_Cv[3]->text(), QStringLiteral("Цвят"));
        QCOMPARE(c.Izbor_obekt, quint8(0));
    }

    void loadingReadsSettingsDefensively()
    {
        // The list as something other than this window may have left it; a
        // colour splits into its low three bytes.
        LessonFixture f;
        ItemList &list = f.state.List_Un(2);
        const QString grey = QString::number(0x12000000 | 8421504);
        list.setItem(3, grey);
        list.setItem(4, QStringLiteral("junk"));
        list.setItem(7, QStringLiteral("зелено"));
        list.setItem(11, QString());
        list.setItem(15, QStringLiteral("16777215 and more"));
        list.setItem(2, QStringLiteral("x"));
        Cwiat &c = f.windows.get<Cwiat>();
        QCOMPARE(list.items().mid(3),
                 QStringList({grey, "128", "128", "128", "зелено", "0", "0", "0", "", "0",
                              "0", "0", "16777215 and more", "255", "255", "255"}));
        QCOMPARE(slider(c, 0)->value(), 128);
        QCOMPARE(backColor(option(c, 1)), 0);
        QCOMPARE(backColor(option(c, 3)), rgbValue(255, 255, 255));
        // A size that is not a number leaves the sample's design size.
        QCOMPARE(c.Text_Cv[0]->fontSize(), 12.0);
        QCOMPARE(f.prompter.shown.size(), 0);
    }

    // ---- Composing colours ------------------------------------------------

    void movingASliderRecomposesTheSelectedTarget()
    {
        LessonFixture f;
        Cwiat &c = open(f);
        ItemList &list = f.state.List_Un(2);
        const ColourValue sampleBack = backColor(c.Text_Cv[0]);

        option(c, 2)->click();
        QCOMPARE(c.Izbor_obekt, quint8(2));
        QCOMPARE(slider(c, 0)->value(), 8);
        QCOMPARE(slider(c, 1)->value(), 0);
        QCOMPARE(slider(c, 2)->value(), 0);

        slider(c, 1)->setValue(200);
        QCOMPARE(list.item(13), QStringLiteral("200"));
        QCOMPARE(list.item(11), QStringLiteral("51208"));
        QCOMPARE(foreColor(c.Text_Cv[0]), 51208);
        QCOMPARE(c.Text_Cv[0]->palette().color(QPalette::Text), QColor(8, 200, 0));
        QCOMPARE(backColor(option(c, 2)), 51208);
        QCOMPARE(backColor(c.picColor), 51208);
        QCOMPARE(c.Label_Cv[3]->text(), CodeHead + QStringLiteral(" 51208 /HC808"));
        QCOMPARE(c.Label_ST[1]->text(), QStringLiteral("200"));
        // The other targets are untouched.
        QCOMPARE(backColor(c.Text_Cv[0]), sampleBack);
        QCOMPARE(backColor(c.client()), rgbValue(128, 128, 128));
        QCOMPARE(list.item(3), QStringLiteral("128"));
        QCOMPARE(list.item(15), QStringLiteral("192"));
    }

    void arrowAndPageKeysMoveASlider()
    {
        LessonFixture f;
        Cwiat &c = open(f);
        ItemList &list = f.state.List_Un(2);
        QTest::keyClick(slider(c, 0), Qt::Key_Right);
        QCOMPARE(list.item(4), QStringLiteral("129"));
        QCOMPARE(list.item(3), QStringLiteral("129"));
        QTest::keyClick(slider(c, 2), Qt::Key_PageUp);
        QCOMPARE(list.item(6), QStringLiteral("16"));
        QCOMPARE(list.item(3), QString::number(129 + 65536 * 16));
        // Target 0 is the window's own background.
        QCOMPARE(backColor(c.client()), 129 + 65536 * 16);
        QCOMPARE(backColor(option(c, 0)), 129 + 65536 * 16);
        QCOMPARE(c.Label_Cv[3]->text(), CodeHead + QStringLiteral(" 1048705 /H100081"));
    }

    void choosingATargetShowsItWithoutTouchingTheOthers()
    {
        LessonFixture f;
        Cwiat &c = open(f);
        const QStringList before = f.state.List_Un(2).items();
        const ColourValue sampleBack = backColor(c.Text_Cv[0]);
        const ColourValue sampleText = foreColor(c.Text_Cv[0]);
        QList<ColourValue> options;
        for (int i = 0; i < 3; ++i)
            options.append(backColor(option(c, i)));

        f.state.List_Un(2).setItem(17, QStringLiteral("64"));
        option(c, 3)->click();
        QVERIFY(option(c, 3)->isChecked());
        QCOMPARE(slider(c, 0)->value(), 192);
        QCOMPARE(slider(c, 1)->value(), 64);
        QCOMPARE(slider(c, 2)->value(), 0);
        // The list's colour slot is rewritten only when a slider moves.
        QCOMPARE(f.state.List_Un(2).item(15), QStringLiteral("192"));
        QCOMPARE(backColor(option(c, 3)), rgbValue(192, 64, 0));
        QCOMPARE(backColor(c.picColor), rgbValue(192, 64, 0));
        QCOMPARE(c.Label_Cv[3]->text(), CodeHead + QStringLiteral(" 16576 /H40C0"));
        QCOMPARE(c.Label_ST[1]->text(), QStringLiteral("64"));
        QCOMPARE(backColor(c.Text_Cv[0]), sampleBack);
        QCOMPARE(foreColor(c.Text_Cv[0]), sampleText);
        QCOMPARE(backColor(c.client()), rgbValue(128, 128, 128));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(backColor(option(c, i)), options[i]);

        slider(c, 2)->setValue(1);
        QStringList after = f.state.List_Un(2).items();
        QCOMPARE(after.mid(0, 15), before.mid(0, 15));
        QCOMPARE(after.mid(15), QStringList({QString::number(rgbValue(192, 64, 1)), "192", "64", "1"}));
    }

    void clickingATargetsCaptionChoosesIt()
    {
        LessonFixture f;
        Cwiat &c = open(f);
        QTest::mouseClick(caption(c, 7), Qt::LeftButton);
        QVERIFY(option(c, 2)->isChecked());
        QCOMPARE(c.Izbor_obekt, quint8(2));
        QCOMPARE(slider(c, 0)->value(), 8);
        QTest::mouseClick(caption(c, 5), Qt::LeftButton);
        QCOMPARE(c.Izbor_obekt, quint8(0));
        QCOMPARE(slider(c, 0)->value(), 128);
    }

    // ---- Font -------------------------------------------------------------

    void choosingASizeWritesItIntoTheList()
    {
        LessonFixture f;
        Cwiat &c = open(f);
        ListBox *sizes = control<ListBox>(&c, QStringLiteral("List_font(1)"));
        QCOMPARE(sizes->selectedText(), QStringLiteral("12"));
        sizes->scrollToItem(sizes->item(5));
        QTest::mouseClick(sizes->viewport(), Qt::LeftButton, {},
                          sizes->visualItemRect(sizes->item(5)).center());
        QCOMPARE(sizes->selectedText(), QStringLiteral("13"));
        QCOMPARE(f.state.List_Un(2).item(2), QStringLiteral("13"));
        QCOMPARE(c.Text_Cv[0]->fontSize(), 13.0);
    }

    void theMainWindowsFontIsPreselectedAndAnotherCanBeChosen()
    {
        const QString other = someInstalledFont();
        if (other.isEmpty())
            QSKIP("no font installed");
        const QString last = fontFamilyNames(QFontDatabase::families()).constLast();
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        QFont font = t.Text_U[0]->font();
        font.setFamily(other);
        font.setPointSize(14);
        t.Text_U[0]->setFont(font);
        Cwiat &c = open(f);
        ListBox *fonts = control<ListBox>(&c, QStringLiteral("List_font(0)"));
        const QStringList names = fontFamilyNames(QFontDatabase::families());
        QCOMPARE(fonts->count(), names.size());
        const QStringList listed = fonts->entries();
        QCOMPARE(QSet<QString>(listed.begin(), listed.end()),
                 QSet<QString>(names.begin(), names.end()));
        QCOMPARE(fonts->selectedText(), other);
        QCOMPARE(c.Text_Cv[0]->font().family(), other);

        fonts->setListIndex(fonts->entries().indexOf(last));
        QCOMPARE(f.state.List_Un(2).item(1), last);
        QCOMPARE(c.Text_Cv[0]->font().family(), last);
        // The sample keeps its size, and the list says so.
        QCOMPARE(f.state.List_Un(2).item(2), QStringLiteral("14"));
    }

    // A window's colour stays in the window: the Focus window's size list
    // on the design's dark red, and the colour window's lists, sliders and
    // target circles after composing a black window, stay readable.
    void lessonColoursLeaveListsSlidersAndCirclesReadable()
    {
        Lesson lesson;
        Tarv &main = lesson.start();
        Lesson::command(&main, QStringLiteral("mnu_Fokus"));
        QWidget *focus = lesson.window(QStringLiteral("Tarv_Zad"));
        QVERIFY(focus);
        QVERIFY(entryContrast(Lesson::control<ListBox>(focus, QStringLiteral("List_font"))) >= 4.5);

        Lesson::command(&main, QStringLiteral("mnu_Cwqt"));
        QWidget *c = lesson.window(QStringLiteral("Cwiat"));
        QVERIFY(c);
        for (int i = 0; i < 3; ++i)
            Lesson::key(Lesson::control<QSlider>(c, QStringLiteral("Slider1(%1)").arg(i)), Qt::Key_Home);
        auto *circle = Lesson::control<QRadioButton>(c, QStringLiteral("Option1(0)"));
        QImage target = circle->grab().toImage();
        QCOMPARE(target.pixelColor(0, 0), QColor(Qt::black)); // around the circle
        QStyleOptionButton option;
        option.initFrom(circle);
        const QRect ring = circle->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, circle);
        QVERIFY(contrast(target.copy(ring), Qt::black) >= 4.5);
        for (const char *name : {"List_font(0)", "List_font(1)"})
            QVERIFY2(entryContrast(Lesson::control<ListBox>(c, QString::fromUtf8(name))) >= 4.5, name);
        for (int i = 0; i < 3; ++i) {
            auto *slider = Lesson::control<QSlider>(c, QStringLiteral("Slider1(%1)").arg(i));
            QVERIFY(contrast(slider->grab().toImage(), Qt::black) >= 3);
        }
    }

    void aMissingFontIsNotSelected()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        const int messages = f.prompter.shown.size();
        QFont font = t.Text_U[0]->font();
        font.setFamily(QStringLiteral("Шрифт, който го няма"));
        t.Text_U[0]->setFont(font);
        Cwiat &c = open(f);
        QCOMPARE(control<ListBox>(&c, QStringLiteral("List_font(0)"))->listIndex(), -1);
        QCOMPARE(f.state.List_Un(2).item(1), QStringLiteral("Шрифт, който го няма"));
        QCOMPARE(f.prompter.shown.size(), messages);
    }

    void savingWithoutEditsKeepsTheLookReadAtOpening()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        const QString name = someInstalledFont().isEmpty() ? QStringLiteral("Times New Roman")
                                                           : someInstalledFont();
        const Look look{name, 14, rgbValue(70, 80, 90), rgbValue(10, 20, 30),
                        rgbValue(250, 240, 230), rgbValue(100, 110, 120)};
        giveLook(t, look);
        Tarv_n &n = f.windows.get<Tarv_n>();
        Tarv_Zad &z = f.windows.get<Tarv_Zad>();
        const QFont focusFont = z.Obsho_Pole->font();
        const ColourValue workBack = backColor(n.Text_Un[5]);
        const ColourValue workText = foreColor(n.Text_Un[5]);
        const QFont workFont = n.Text_Un[5]->font();
        const QFont hiddenFont = t.Text_U[2]->font();

        Procheti_wida(f.windows);
        control<QAction>(&f.windows.get<Cwiat>(), QStringLiteral("mnu_zapis"))->trigger();
        QVERIFY(!f.windows.isLoaded<Cwiat>());
        LessonFixture::flush();

        verifyApplied(f, look, look.labelBack);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(lookOf(t).fontSize, 14.0);
        QCOMPARE(z.Obsho_Pole->font(), focusFont);
        QCOMPARE(backColor(n.Text_Un[5]), workBack);
        QCOMPARE(foreColor(n.Text_Un[5]), workText);
        QCOMPARE(n.Text_Un[5]->font(), workFont);
        QCOMPARE(t.Text_U[2]->font(), hiddenFont);
        QVERIFY(!z.isVisible());
    }

    void savingAfterEditingTheLabelColourChangesOnlyTheLabels()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        const Look look = lookOf(t);
        Cwiat &c = open(f);
        option(c, 3)->click();
        slider(c, 0)->setValue(10);
        slider(c, 2)->setValue(250);
        c.mnu_zapis->trigger();
        LessonFixture::flush();
        verifyApplied(f, look, rgbValue(10, 0, 250));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(t.Label_U[0]->palette().color(QPalette::Window), QColor(10, 0, 250));
    }

    void savingCreatesTheFocusWindowHidden()
    {
        LessonFixture f;
        Cwiat &c = open(f);
        QVERIFY(!f.windows.isLoaded<Tarv_Zad>());
        option(c, 1)->click();
        slider(c, 1)->setValue(77);
        c.mnu_zapis->trigger();
        QVERIFY(f.windows.isLoaded<Tarv_Zad>());
        Tarv_Zad &z = f.windows.get<Tarv_Zad>();
        QVERIFY(!z.isVisible());
        QCOMPARE(backColor(&z), 128);
        QCOMPARE(backColor(z.Obsho_Pole), rgbValue(0, 77, 0));
        QCOMPARE(foreColor(z.Obsho_Pole), SystemWindowText);
    }

    void theWindowTextReferenceSurvivesARoundTrip()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        QCOMPARE(foreColor(t.Text_U[0]), SystemWindowText);
        Cwiat &c = open(f);
        QCOMPARE(f.state.List_Un(2).item(11), QStringLiteral("-2147483640"));
        QCOMPARE(c.Text_Cv[0]->palette().color(QPalette::Text), toQColor(SystemWindowText));
        QCOMPARE(f.state.List_Un(2).items().mid(12, 3), QStringList({"8", "0", "0"}));
        option(c, 2)->click();
        QCOMPARE(slider(c, 0)->value(), 8);
        QCOMPARE(c.Label_Cv[3]->text(), CodeHead + QStringLiteral(" 8 /H8"));
        option(c, 0)->click();
        c.mnu_zapis->trigger();
        LessonFixture::flush();
        Tarv_n &n = f.windows.get<Tarv_n>();
        for (QWidget *w : {static_cast<QWidget *>(t.Text_U[1]), static_cast<QWidget *>(t.List_Ur[0]),
                           static_cast<QWidget *>(n.Text_Un[3]),
                           static_cast<QWidget *>(f.windows.get<Tarv_Zad>().Obsho_Pole)}) {
            QCOMPARE(foreColor(w), SystemWindowText);
            QCOMPARE(w->palette().color(QPalette::Active, QPalette::Text),
                     toQColor(SystemWindowText));
        }
    }

    // ---- Cancelling and reopening -------------------------------------------

    void cancellingLeavesTheLessonAsItWas()
    {
        LessonFixture f;
        Tarv &t = f.windows.get<Tarv>();
        const Look look = lookOf(t);
        Cwiat &c = open(f);
        slider(c, 0)->setValue(1);
        option(c, 3)->click();
        slider(c, 1)->setValue(99);
        control<ListBox>(&c, QStringLiteral("List_font(1)"))->setListIndex(6);
        c.mnu_Otkaz->trigger();
        QVERIFY(!f.windows.isLoaded<Cwiat>());
        LessonFixture::flush();
        // The edits stay in the list but reach no window.
        QCOMPARE(f.state.List_Un(2).item(2), QStringLiteral("14"));
        QCOMPARE(f.state.List_Un(2).item(3), QStringLiteral("1"));
        QCOMPARE(backColor(t.client()), look.windowBack);
        QCOMPARE(backColor(t.Label_U[3]), look.labelBack);
        QCOMPARE(t.Text_U[0]->font().pointSizeF(), look.fontSize);

        // A new opening reads the main window again and starts afresh.
        Procheti_wida(f.windows);
        Cwiat &again = f.windows.get<Cwiat>();
        QCOMPARE(f.state.List_Un(2).items().mid(1, 6),
                 QStringList({look.fontName, "12", "128", "128", "0", "0"}));
        QCOMPARE(f.state.List_Un(2).items().mid(15), QStringList({"192", "192", "0", "0"}));
        QCOMPARE(again.Izbor_obekt, quint8(0));
        QVERIFY(option(again, 0)->isChecked());
        QCOMPARE(slider(again, 0)->value(), 128);
        QCOMPARE(backColor(option(again, 3)), 192);
        QCOMPARE(backColor(again.client()), rgbValue(128, 128, 128));
        QCOMPARE(again.Text_Cv[0]->fontSize(), 12.0);
    }

    void theCloseBoxCancels()
    {
        LessonFixture f;
        Cwiat &c = open(f);
        slider(c, 0)->setValue(5);
        QVERIFY(c.close());
        QVERIFY(!f.windows.isLoaded<Cwiat>());
        LessonFixture::flush();
        QCOMPARE(backColor(f.windows.get<Tarv>().client()), 128);
    }

    void openingAnOpenWindowOnlyBringsItForward()
    {
        LessonFixture f;
        Cwiat *first = &open(f);
        option(*first, 1)->click();
        slider(*first, 1)->setValue(3);
        Procheti_wida(f.windows);
        QCOMPARE(&f.windows.get<Cwiat>(), first);
        QCOMPARE(first->Izbor_obekt, quint8(1));
        QCOMPARE(slider(*first, 1)->value(), 3);
        // The main window's look was read again all the same.
        QCOMPARE(f.state.List_Un(2).item(7), QStringLiteral("32768"));
    }
};

QTEST_MAIN(ColourWindowTest)
#include "test_colour_window.moc"
