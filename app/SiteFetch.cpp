#include "SiteFetch.h"

#include "ServerText.h"

#include <QTextBrowser>

namespace app {

void fetchSiteText(tk::HttpReader& reader, const QUrl& address, QObject* context,
                   std::function<void(const QString& text)> show) {
    reader.get(address, SiteRequestTimeoutMs, context,
               [show = std::move(show)](const QByteArray& body, bool ok) {
                   if (ok)
                       show(serverText(body));
               });
}

void fetchSitePage(tk::HttpReader& reader, const QUrl& address, QTextBrowser* view) {
    fetchSiteText(reader, address, view, [view](const QString& html) { view->setHtml(html); });
}

} // namespace app
