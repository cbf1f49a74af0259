#pragma once

#include "Services.h"

#include <QString>
#include <functional>

class QTextBrowser;
class QUrl;

namespace app {

// How long a request to the maker's server may take, from asking to the last byte.
inline constexpr int SiteRequestTimeoutMs = 5000;

// Fetches a text from the maker's server and hands it, decoded by serverText, to `show`.
// A failed fetch does not call `show`, so what shows the text stays as it was (empty) and no
// message appears. Destroying `context` (the window that shows the text) abandons the fetch.
void fetchSiteText(tk::HttpReader& reader, const QUrl& address, QObject* context,
                   std::function<void(const QString& text)> show);

// Fetches a page from the maker's server into an HTML view; abandoned when the view goes.
void fetchSitePage(tk::HttpReader& reader, const QUrl& address, QTextBrowser* view);

} // namespace app
