#include "MakerSite.h"

namespace app {

MakerSite MakerSite::builtIn() {
    return MakerSite(QString::fromLatin1(BuiltInAddress));
}

std::optional<MakerSite> MakerSite::fromAddress(const QString& address, QString* message) {
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    QString problem;
    if (!url.isValid())
        problem = url.errorString();
    else if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        problem = QStringLiteral("it is not an http or https address");
    else if (url.host().isEmpty())
        problem = QStringLiteral("it names no host");
    else if (url.hasQuery() || url.hasFragment())
        problem = QStringLiteral("the site's paths cannot follow a query or a fragment");
    if (!problem.isEmpty()) {
        *message = QStringLiteral("\"%1\" cannot be the web site: %2").arg(address, problem);
        return std::nullopt;
    }
    QString root = url.toString(QUrl::FullyEncoded);
    while (root.endsWith(QLatin1Char('/')))
        root.chop(1);
    return MakerSite(root);
}

std::optional<MakerSite> MakerSite::choose(const std::optional<MakerSite>& option,
                                           const QString& environment, QString* message) {
    if (option)
        return option;
    if (environment.isEmpty())
        return builtIn();
    QString why;
    auto site = fromAddress(environment, &why);
    if (!site)
        *message = QStringLiteral("%1: %2\n").arg(QLatin1String(EnvironmentVariable), why);
    return site;
}

} // namespace app
