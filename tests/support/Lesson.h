#pragma once

#include "ConfigImage.h"
#include "Profile.h"
#include "app/WindowRegistry.h"
#include "controls/ListBox.h"
#include "engine/DriveType.h"
#include "engine/LessonState.h"
#include "engine/Prompter.h"
#include "engine/TickSource.h"
#include "lesson/Tarv.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace urok::test {

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The pupil types a text, Cyrillic letters included, into the widget.
inline void typeText(QWidget *w, const QString &text)
{
    w->setFocus();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

// The built-in lesson with one line of its manifest replaced.
inline Catalogue lessonWith(const QString &line, const QString &replacement)
{
    const QString root = QStringLiteral(":/data/");
    const auto read = [root](const QString &path) -> std::optional<QByteArray> {
        QFile f(root + path);
        if (!f.open(QIODevice::ReadOnly))
            return std::nullopt;
        return f.readAll();
    };
    QString manifest = QString::fromUtf8(*read(QStringLiteral("catalogue.txt")));
    if (!manifest.contains(line))
        qFatal("the lesson's manifest has no line %s", qPrintable(line));
    manifest.replace(line, replacement);
    return Catalogue::parse(manifest, read, root);
}

// The lesson's own profile as the teacher's tool reads it.
inline setup::Profile defaultProfile()
{
    const QString path = QStringLiteral(UROK_SOURCE_DIR "/config/OPTIM.profile");
    const setup::ProfileReading reading =
        setup::readProfile(QString::fromUtf8(readFile(path)), setup::LessonFacts::builtIn());
    if (!reading.profile)
        qFatal("the lesson's profile %s cannot be read", qPrintable(path));
    return *reading.profile;
}

// The configuration file the teacher's tool writes from the lesson's profile
// with some options changed (option number -> value).
inline QByteArray configWith(const std::map<int, int> &options,
                             const std::function<void(setup::Profile &)> &change = {})
{
    setup::Profile profile = defaultProfile();
    for (const auto &[number, value] : options)
        profile.options[static_cast<size_t>(number - 1)] = static_cast<qint16>(value);
    if (change)
        change(profile);
    return setup::configFile(profile);
}

// Answers the real message boxes the way a pupil does: when a box is on
// the screen, the next answer in the queue is pressed (its button found by
// the caption the pupil reads). Something can be done while the box is
// still open. Every box seen is remembered; a box with no answer left is
// closed with its escape button and counted as unexpected.
class Boxes : public QObject
{
public:
    struct Seen
    {
        QString text;
        QString pressed;
    };

    // The newest lesson's boxes answer; an older lesson still alive waits.
    Boxes()
        : outer_(active_)
    {
        active_ = this;
        poll_.setInterval(5);
        connect(&poll_, &QTimer::timeout, this, [this] { look(); });
        poll_.start();
    }
    ~Boxes() override { active_ = outer_; }
    Boxes(const Boxes &) = delete;
    Boxes &operator=(const Boxes &) = delete;

    void answer(const QString &button, std::function<void()> whileOpen = {})
    {
        queue_.append({button, std::move(whileOpen)});
    }

    QStringList texts() const
    {
        QStringList t;
        for (const Seen &s : seen)
            t.append(s.text);
        return t;
    }
    bool allAnswered() const { return queue_.isEmpty() && unexpected == 0; }

    QList<Seen> seen;
    int unexpected = 0;

private:
    struct Answer
    {
        QString button;
        std::function<void()> whileOpen;
    };

    void look()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || busy_ || box == last_ || active_ != this)
            return;
        busy_ = true;
        last_ = box;
        Seen s{box->text(), {}};
        QAbstractButton *press = box->escapeButton();
        if (queue_.isEmpty()) {
            ++unexpected;
        } else {
            Answer a = queue_.takeFirst();
            if (a.whileOpen)
                a.whileOpen();
            for (QAbstractButton *b : box->buttons()) {
                if (QString(b->text()).remove(u'&') == a.button)
                    press = b;
            }
        }
        // What was done while it was open may have answered it already.
        if (box->isVisible())
            QTest::mouseClick(press, Qt::LeftButton);
        if (box->clickedButton())
            s.pressed = QString(box->clickedButton()->text()).remove(u'&');
        seen.append(s);
        busy_ = false;
    }

    QTimer poll_;
    QList<Answer> queue_;
    QPointer<QMessageBox> last_;
    bool busy_ = false;
    Boxes *outer_;
    static inline Boxes *active_ = nullptr;
};

// A pupil's lesson started the way the program starts it: its own lesson
// folder as the current directory, holding the configuration file (written
// by the teacher's tool, or any bytes), the real message boxes, the window
// registry, the main window loaded and shown. The disk counts as a fixed
// one; the timers run on a clock the test moves.
class Lesson
{
public:
    // The configuration file written by the teacher's tool with these
    // options changed (option number -> value).
    explicit Lesson(std::initializer_list<std::pair<const int, int>> options = {})
        : Lesson(Bytes{}, configWith(std::map<int, int>(options)))
    {
    }

    // A configuration file of the given bytes, or none at all.
    struct Bytes
    {
    };
    // A lesson of other content (kept alive by the caller) may be given.
    Lesson(Bytes, const std::optional<QByteArray> &configFile,
           const Catalogue &content = Catalogue::builtIn())
        : previous_(QDir::currentPath())
        , state_(content)
    {
        if (configFile)
            writeFile(folder.filePath(QStringLiteral("OPTIM.UFG")), *configFile);
        QDir::setCurrent(folder.path());
        windows_ = std::make_unique<WindowRegistry>(state_, prompter_);
        windows_->context.platform.driveType = [this](const QString &) { return driveType; };
        windows_->context.platform.clock = [this] { return now_; };
        windows_->setProgramEndHook([this] { ended = true; });
    }

    ~Lesson()
    {
        windows_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QDir::setCurrent(previous_);
    }

    Lesson(const Lesson &) = delete;
    Lesson &operator=(const Lesson &) = delete;

    // Start-up: the main window is loaded and shown.
    Tarv &start()
    {
        main = &windows_->get<Tarv>();
        main->show();
        if (!QTest::qWaitForWindowExposed(main))
            qFatal("the main window was not shown");
        return *main;
    }

    WindowRegistry &windows() { return *windows_; }
    LessonState &state() { return state_; }
    QString path(const QString &name) const { return folder.filePath(name); }
    QByteArray file(const QString &name) const { return readFile(path(name)); }

    // Time passes: n ticks of 100 ms for every running timer of the lesson.
    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            now_ += TickSource::PeriodMs;
            for (QWidget *w : QApplication::topLevelWidgets()) {
                for (TickSource *t : w->findChildren<TickSource *>())
                    t->catchUp();
            }
        }
    }

    // The window in front, found by its name.
    template <class W = QWidget>
    W *window(const QString &name) const
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == name)
                return qobject_cast<W *>(w);
        }
        return nullptr;
    }

    template <class T>
    static T *control(QWidget *window, const QString &name)
    {
        T *found = window ? window->findChild<T *>(name) : nullptr;
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }

    template <class T> static T *control(QWidget *window, const char *name)
    {
        return control<T>(window, QString::fromUtf8(name));
    }

    // A menu command or the pupil's click on it (nothing when it is off).
    static void command(QWidget *window, const QString &name)
    {
        control<QAction>(window, name)->trigger();
    }

    // The pupil clicks an entry of a list.
    static void click(ListBox *list, int row)
    {
        list->scrollToItem(list->item(row));
        const QPoint at = list->visualItemRect(list->item(row)).center();
        // The choice may close the list's window before the button is up.
        QPointer<QWidget> viewport = list->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        if (viewport)
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    }

    static void key(QWidget *w, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        w->setFocus();
        QTest::keyClick(w, key, modifiers);
    }

    QTemporaryDir folder;
    Boxes boxes;
    int driveType = DriveFixed;
    bool ended = false;
    Tarv *main = nullptr;

private:
    QString previous_;
    LessonState state_;
    MessageBoxPrompter prompter_;
    std::unique_ptr<WindowRegistry> windows_;
    qint64 now_ = 0;
};

} // namespace urok::test
