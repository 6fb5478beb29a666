#pragma once

#include "engine/LessonFolder.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace urok {

// Writes a file of the lesson folder on a thread of its own, by the folder's
// rules (whole or not at all, synced), so that a slow or full disk never
// stops the pupil's typing. Only the newest bytes given are written: bytes
// given while a write is under way replace any that wait behind it.
class BackgroundWriter : public QObject
{
    Q_OBJECT
public:
    explicit BackgroundWriter(LessonFolder folder, QObject *parent = nullptr);
    // Waits for the write under way; what waits behind it is dropped.
    ~BackgroundWriter() override;
    BackgroundWriter(const BackgroundWriter &) = delete;
    BackgroundWriter &operator=(const BackgroundWriter &) = delete;

    void write(const QString &name, const QByteArray &bytes);
    // Returns once everything given has been written (or has failed).
    void waitUntilDone();

Q_SIGNALS:
    // A write is done; `failure` is empty, or why it failed, in Bulgarian.
    // Emitted on the writer's thread: receivers of the window thread get it
    // through their event loop.
    void written(const QString &name, const QString &failure);

private:
    struct Job
    {
        QString name;
        QByteArray bytes;
    };
    void run();

    LessonFolder folder_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Job> waiting_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace urok
