// The answers file kept current while the lesson runs, so that a power cut
// or a killed program loses at most the last seconds of typing; and what
// the pupil is told at the start when the answers cannot be kept.
#include "controls/SpokenLabels.h"
#include "engine/AnswersFile.h"
#include "engine/BackgroundWriter.h"
#include "engine/DriveType.h"
#include "engine/FilesDisk.h"
#include "engine/LessonContext.h"
#include "engine/LessonState.h"
#include "engine/PupilRecord.h"
#include "engine/TickSource.h"
#include "lesson/Tarv.h"

#include <QDir>
#include <QTimer>

namespace urok {

namespace {

// How long after a change the answers reach the disk at the latest; while
// the pupil types on, one write each period.
constexpr qint64 KeepingPeriodMs = 5000;

QString diskKind(int drive)
{
    switch (drive) {
    case DriveNetwork:
        return QStringLiteral("мрежов диск");
    case DriveOptical:
        return QStringLiteral("оптичен диск (CD или DVD), на който не се записва");
    case DriveRam:
        return QStringLiteral("RAM диск, който се изтрива при изключване на компютъра");
    default:
        return QStringLiteral("диск, чийто вид не може да бъде определен");
    }
}

} // namespace

void Tarv::startKeeping(int drive)
{
    // What the pupil is told is said once the window is on the screen, where
    // a screen reader hears it, and without a box that stops the lesson.
    const auto tell = [this](const QString &why) {
        auto *later = new QTimer(this);
        later->setSingleShot(true);
        connect(later, &QTimer::timeout, this, [this, why, later] {
            Izwestie->say(why);
            later->deleteLater();
        });
        later->start(0);
    };
    if (!keepsPupilFiles(drive, state_.Opcii_L())) {
        tell(QStringLiteral("Отговорите и записите на задачите няма да бъдат запазени в тази "
                            "папка: тя е на %1.")
                 .arg(diskKind(drive)));
        return;
    }
    if (!answersFileWanted(state_, lesson_.platform))
        return;
    if (lesson_.platform.folder.claimAnswers() == LessonFolder::Claim::HeldElsewhere) {
        tell(answersHeldElsewhere());
        return;
    }
    // What the file would hold before anything is typed is not written: an
    // older file stays until there is something to keep.
    keptBytes_ = answersFileImage(state_).bytes;
    keeper_ = new BackgroundWriter(lesson_.platform.folder, this);
    connect(keeper_, &BackgroundWriter::written, this, &Tarv::answersKept);
    keepTimer_ = new TickSource([this] { keepAnswers(); }, this, lesson_.platform.clock,
                                KeepingPeriodMs);
    keepTimer_->setEnabled(true);
}

// The file's bytes are made here as the exit makes them, the typing of the
// open windows included; the disk is left to the keeper's thread.
void Tarv::keepAnswers()
{
    if (closing_)
        return;
    Q_EMIT answersAboutToBeWritten();
    const AnswersImage image = answersFileImage(state_);
    if (image.bytes == keptBytes_)
        return;
    keptBytes_ = image.bytes;
    keeper_->write(image.name, image.bytes);
}

void Tarv::answersKept(const QString &name, const QString &failure)
{
    if (failure.isEmpty()) {
        keepFailure_.clear();
        // Whose the kept answers are, should the lesson never reach its
        // exit; the exit writes the record again with its own time.
        if (!recordKept_) {
            recordKept_ = true;
            writePupilRecord(lesson_.platform.folder);
        }
        return;
    }
    // Tried again after the next period, and said again only when the
    // reason changes.
    keptBytes_.clear();
    if (failure == keepFailure_)
        return;
    keepFailure_ = failure;
    Izwestie->say(QStringLiteral("Отговорите не можаха да бъдат запазени във файла „%1“. %2")
                      .arg(QDir::toNativeSeparators(lesson_.platform.folder.filePath(name)),
                           failure));
}

// The write at the exit comes after every keeping write.
void Tarv::waitForKeeping()
{
    if (keeper_)
        keeper_->waitUntilDone();
}

} // namespace urok
