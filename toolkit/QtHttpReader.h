#pragma once

#include "Services.h"

#include <memory>

class QNetworkAccessManager;

namespace tk {

// HTTP reading through Qt Network, on the thread that made the reader (the GUI thread).
// Destroying the reader abandons the requests still under way: their callbacks never run.
// A body larger than the limit fails the request: a server cannot make the player hold an
// unbounded answer in memory.
class QtHttpReader final : public HttpReader {
  public:
    static constexpr qint64 DefaultMaxBodyBytes = 16 * 1024 * 1024;
    explicit QtHttpReader(qint64 maxBodyBytes = DefaultMaxBodyBytes);
    ~QtHttpReader() override;

    // A limit of 0 or less gives up on the next turn of the event loop.
    void get(const QUrl& address, int timeoutMs, QObject* context, Callback done) override;

    // Requests not yet finished or whose reply is not yet freed.
    int requestsInFlight() const;

  private:
    std::unique_ptr<QNetworkAccessManager> manager_;
    qint64 maxBodyBytes_;
};

} // namespace tk
