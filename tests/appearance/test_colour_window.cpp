#include "engine/ColourSettings.h"
#include "support/Lesson.h"

#include <QFontDatabase>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QStyleOptionButton>

#include <cmath>

using namespace urok;
using namespace urok::test;

namespace {

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

template <class T = QWidget>
T *in(QWidget *window, const QString &name)
{
    return Lesson::control<T>(window, name);
}

QSlider *slider(QWidget *c, int i)
{
    return in<QSlider>(c, QStringLiteral("Slider1(%1)").arg(i));
}

QRadioButton *circle(QWidget *c, int i)
{
    return in<QRadioButton>(c, QStringLiteral("Option1(%1)").arg(i));
}

QString sliders(QWidget *c)
{
    return QStringLiteral("%1 %2 %3").arg(slider(c, 0)->value()).arg(slider(c, 1)->value()).arg(slider(c, 2)->value());
}

// The colour window opened the way the pupil opens it, from the main window's menu.
QWidget *openColours(Lesson &lesson)
{
    Lesson::command(lesson.main, QStringLiteral("mnu_Cwqt"));
    QWidget *c = lesson.window(QStringLiteral("Cwiat"));
    if (!c || !c->isVisible())
        qFatal("the colour window did not open");
    return c;
}

// A window the pupil has left is destroyed once its events run.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Where the lesson's windows show each colour target: 0 the windows'
// background, 1 the fields' background, 2 the fields' text, 3 the captions.
struct Probe
{
    int target;
    const char *window;
    const char *control; // empty: the window itself
    QPalette::ColorRole role;
};

const Probe probes[] = {
    {0, "Tarv", "Tarv.client", QPalette::Window},   {0, "Tarv_n", "Tarv_n.client", QPalette::Window},
    {0, "Tarv_Zad", "", QPalette::Window},          {1, "Tarv", "Text_U(0)", QPalette::Base},
    {1, "Tarv", "List_Ur(0)", QPalette::Base},      {1, "Tarv_n", "Text_Un(4)", QPalette::Base},
    {1, "Tarv_Zad", "Obsho_Pole", QPalette::Base},  {2, "Tarv", "Text_U(1)", QPalette::Text},
    {2, "Tarv_n", "Text_Un(0)", QPalette::Text},    {2, "Tarv_Zad", "Obsho_Pole", QPalette::Text},
    {3, "Tarv", "Label_U(0)", QPalette::Window},    {3, "Tarv", "Label_U(3)", QPalette::Window},
};

QColor seen(Lesson &lesson, const Probe &p)
{
    QWidget *w = lesson.window(QString::fromUtf8(p.window));
    return (*p.control ? in(w, QString::fromUtf8(p.control)) : w)
        ->palette()
        .color(QPalette::Active, p.role);
}

// What the probes show, one line each.
QStringList look(const std::function<QColor(const Probe &)> &colour)
{
    QStringList out;
    for (const Probe &p : probes)
        out.append(QStringLiteral("%1/%2 %3").arg(p.window, p.control, colour(p).name()));
    return out;
}

} // namespace

class ColourWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The pupil chooses a target by its caption, composes a colour with the
    // slider keys and saves: every window of the lesson shows it where that
    // target belongs, nothing else changes, and the next opening starts from it.
    void aComposedColourReachesTheLessonsWindows_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("stored");
        QTest::newRow("window background") << 0 << "128 0 0";
        QTest::newRow("field background") << 1 << "0 128 0";
        // The system's text colour, a reference: it splits as 8 0 0.
        QTest::newRow("field text") << 2 << "8 0 0";
        QTest::newRow("caption background") << 3 << "192 0 0";
    }

    void aComposedColourReachesTheLessonsWindows()
    {
        QFETCH(int, target);
        QFETCH(QString, stored);
        Lesson lesson({{7, 1}});
        lesson.start();
        const auto seenNow = [&lesson](const Probe &p) { return seen(lesson, p); };
        QList<QColor> after; // each target's colour, as the main window shows it
        for (const Probe &p : probes)
            if (after.size() == p.target)
                after.append(seen(lesson, p));

        QWidget *c = openColours(lesson);
        QTest::mouseClick(in(c, QStringLiteral("Label_Cv(%1)").arg(5 + target)), Qt::LeftButton);
        QVERIFY(circle(c, target)->isChecked());
        QVERIFY(!circle(c, target)->accessibleName().isEmpty()); // a circle has no text
        QCOMPARE(sliders(c), stored);

        Lesson::key(slider(c, 0), Qt::Key_Home);
        Lesson::key(slider(c, 0), Qt::Key_PageUp);
        Lesson::key(slider(c, 1), Qt::Key_End);
        Lesson::key(slider(c, 2), Qt::Key_Home);
        Lesson::key(slider(c, 2), Qt::Key_Right);
        const QColor composed(16, 255, 1);
        QCOMPARE(in<QLabel>(c, QStringLiteral("Label_Cv(3)"))->text(),
                 QStringLiteral("Цвят в 10/16-тичен код = 130832 /H1FF10"));
        QWidget *picture = in(c, QStringLiteral("picColor"));
        QCOMPARE(picture->grab().toImage().pixelColor(picture->rect().center()), composed);
        // Around its circle, the target shows its colour.
        QCOMPARE(circle(c, target)->grab().toImage().pixelColor(0, 0), composed);

        Lesson::command(c, QStringLiteral("mnu_zapis"));
        settle();
        // Saving makes the Focus window ready without showing it.
        QVERIFY(!lesson.window(QStringLiteral("Tarv_Zad"))->isVisible());
        after[target] = composed;
        const QStringList saved = look(seenNow);
        QCOMPARE(saved, look([&after](const Probe &p) { return after[p.target]; }));

        // Opened again, the window reads the look; saved unchanged, it stays.
        c = openColours(lesson);
        QTest::mouseClick(in(c, QStringLiteral("Label_Cv(%1)").arg(5 + target)), Qt::LeftButton);
        QCOMPARE(sliders(c), QStringLiteral("16 255 1"));
        Lesson::command(c, QStringLiteral("mnu_zapis"));
        settle();
        QCOMPARE(look(seenNow), saved);
    }

    // Every installed font is offered once; the one chosen with its size
    // reaches the lesson's fields and is chosen at the next opening.
    void aChosenFontReachesTheFieldsAndIsPreselected()
    {
        Lesson lesson({{7, 1}});
        Tarv &main = lesson.start();
        const QString design = in(&main, QStringLiteral("Text_U(0)"))->font().family();
        QWidget *c = openColours(lesson);
        auto *fonts = in<ListBox>(c, QStringLiteral("List_font(0)"));
        auto *sizes = in<ListBox>(c, QStringLiteral("List_font(1)"));
        const QStringList names = fontFamilyNames(QFontDatabase::families());
        if (names.size() < 2)
            QSKIP("fewer than two fonts installed");
        QCOMPARE(fonts->entries(), names);
        // The main window's font is chosen; a font that is not installed is not.
        QCOMPARE(fonts->selectedText(), names.contains(design) ? design : QString());
        QCOMPARE(sizes->selectedText(), QStringLiteral("12"));

        const int row = fonts->listIndex() == fonts->count() - 1 ? 0 : fonts->count() - 1;
        const QString other = fonts->itemText(row);
        Lesson::click(fonts, row);
        Lesson::click(sizes, sizes->entries().indexOf(QStringLiteral("14")));
        Lesson::command(c, QStringLiteral("mnu_zapis"));
        settle();
        for (QWidget *w : {in(&main, QStringLiteral("Text_U(0)")), in(&main, QStringLiteral("List_Ur(0)")),
                           in(lesson.window(QStringLiteral("Tarv_n")), QStringLiteral("Text_Un(3)"))})
            QVERIFY2(w->font().family() == other && w->font().pointSizeF() == 14, qPrintable(w->objectName()));

        c = openColours(lesson);
        QCOMPARE(in<ListBox>(c, QStringLiteral("List_font(0)"))->selectedText(), other);
        QCOMPARE(in<ListBox>(c, QStringLiteral("List_font(1)"))->selectedText(), QStringLiteral("14"));
    }

    // Opening the open window only brings it forward; "Отказ" and the close
    // box leave the lesson as it was, and the next opening starts afresh.
    void cancellingLeavesTheLessonAsItWas_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Отказ") << false;
        QTest::newRow("close box") << true;
    }

    void cancellingLeavesTheLessonAsItWas()
    {
        QFETCH(bool, closeBox);
        Lesson lesson({{7, 1}});
        Tarv &main = lesson.start();
        QWidget *field = in(&main, QStringLiteral("Text_U(0)"));
        const QFont font = field->font();
        const QColor back = field->palette().color(QPalette::Base);
        QWidget *c = openColours(lesson);
        QTest::mouseClick(in(c, QStringLiteral("Label_Cv(6)")), Qt::LeftButton);
        QCOMPARE(openColours(lesson), c);
        QVERIFY(circle(c, 1)->isChecked());
        Lesson::key(slider(c, 1), Qt::Key_End);
        auto *sizes = in<ListBox>(c, QStringLiteral("List_font(1)"));
        Lesson::click(sizes, sizes->entries().indexOf(QStringLiteral("14")));
        if (closeBox)
            QVERIFY(c->close());
        else
            Lesson::command(c, QStringLiteral("mnu_Otkaz"));
        settle();
        QVERIFY(!lesson.window(QStringLiteral("Cwiat")));
        QCOMPARE(field->palette().color(QPalette::Base), back);
        QCOMPARE(field->font(), font);

        c = openColours(lesson);
        QCOMPARE(sliders(c), QStringLiteral("128 0 0"));
        QCOMPARE(in<ListBox>(c, QStringLiteral("List_font(1)"))->selectedText(), QStringLiteral("12"));
    }

    // A window's colour stays in the window: the Focus window's size list
    // on the design's dark red, and the colour window's lists, sliders and
    // target circles after composing a black window, stay readable.
    void lessonColoursLeaveListsSlidersAndCirclesReadable()
    {
        Lesson lesson({{7, 1}});
        Tarv &main = lesson.start();
        Lesson::command(&main, QStringLiteral("mnu_Fokus"));
        QWidget *focus = lesson.window(QStringLiteral("Tarv_Zad"));
        QVERIFY(entryContrast(in<ListBox>(focus, QStringLiteral("List_font"))) >= 4.5);

        QWidget *c = openColours(lesson);
        for (int i = 0; i < 3; ++i)
            Lesson::key(slider(c, i), Qt::Key_Home);
        QRadioButton *target = circle(c, 0);
        const QImage painted = target->grab().toImage();
        QCOMPARE(painted.pixelColor(0, 0), QColor(Qt::black)); // around the circle
        QStyleOptionButton option;
        option.initFrom(target);
        const QRect ring = target->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, target);
        QVERIFY(contrast(painted.copy(ring), Qt::black) >= 4.5);
        for (const char *name : {"List_font(0)", "List_font(1)"})
            QVERIFY2(entryContrast(in<ListBox>(c, QString::fromUtf8(name))) >= 4.5, name);
        for (int i = 0; i < 3; ++i)
            QVERIFY(contrast(slider(c, i)->grab().toImage(), Qt::black) >= 3);
    }
};

QTEST_MAIN(ColourWindowTest)
#include "test_colour_window.moc"
