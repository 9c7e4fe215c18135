#include "core/base/FolderListing.h"

#include "core/base/FileProbe.h"

#include <condition_variable>
#include <mutex>
#include <optional>

struct FolderListing::Shared {
    std::mutex lock;
    std::condition_variable done;
    std::optional<QStringList> names;
};

namespace {
// How often the interface thread looks for the worker's names; a listing
// of a folder that answers is in within a few looks.
constexpr int kPollMs = 5;
} // namespace

FolderListing::FolderListing(QObject* parent) : QObject(parent)
{
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &FolderListing::take);
}

FolderListing::~FolderListing() = default;

void FolderListing::start(const QString& folder, std::function<bool(const QString&)> keep)
{
    m_folder = folder;
    m_names.clear();
    auto shared = std::make_shared<Shared>();
    m_shared = shared;
    const bool started = FileProbe::runDetached([shared, folder, keep = std::move(keep)] {
        QStringList names = FileProbe::readEntryNames(folder, keep);
        {
            const std::lock_guard guard(shared->lock);
            shared->names = std::move(names);
        }
        shared->done.notify_all();
    });
    if (!started) {
        m_shared.reset();
        m_poll.stop();
        m_state = State::Unanswered;
        emit listed();
        return;
    }
    m_state = State::Listing;
    m_poll.start();
}

void FolderListing::take()
{
    if (!m_shared)
        return;
    std::optional<QStringList> names;
    {
        const std::lock_guard guard(m_shared->lock);
        names = std::move(m_shared->names);
    }
    if (!names)
        return;
    m_shared.reset();
    m_poll.stop();
    m_names = std::move(*names);
    m_state = State::Listed;
    emit listed();
}

FolderListing::State FolderListing::settle()
{
    if (m_state != State::Listing)
        return m_state;
    {
        std::unique_lock guard(m_shared->lock);
        m_shared->done.wait_for(guard, FileProbe::kPatience, [this] { return m_shared->names.has_value(); });
    }
    take();
    if (m_state == State::Listing) {
        // The worker goes on alone; what it finds is not taken.
        m_shared.reset();
        m_poll.stop();
        m_state = State::Unanswered;
        emit listed();
    }
    return m_state;
}
