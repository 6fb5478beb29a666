#include "engine/BackgroundWriter.h"

namespace urok {

BackgroundWriter::BackgroundWriter(LessonFolder folder, QObject *parent)
    : QObject(parent)
    , folder_(std::move(folder))
{
}

BackgroundWriter::~BackgroundWriter()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.reset();
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void BackgroundWriter::write(const QString &name, const QByteArray &bytes)
{
    {
        const std::lock_guard lock(mutex_);
        waiting_ = Job{name, bytes};
        // The thread is made with the first file: a lesson that never
        // keeps a file has none.
        if (!thread_.joinable())
            thread_ = std::thread([this] { run(); });
    }
    changed_.notify_all();
}

void BackgroundWriter::waitUntilDone()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !waiting_ && !busy_; });
}

void BackgroundWriter::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return waiting_ || stopping_; });
        if (stopping_)
            return;
        const Job job = std::move(*waiting_);
        waiting_.reset();
        busy_ = true;
        lock.unlock();
        const QString failure = folder_.write(job.name, job.bytes);
        Q_EMIT written(job.name, failure);
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

} // namespace urok
