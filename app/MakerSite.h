#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace app {

// The maker's web server: the home page opened in the browser, the daily-picks text, the web
// panel's page and the engine download named when the engine is missing. The address is
// configuration: the --site option, else the TARVO_SITE environment variable, else the
// built-in address.
class MakerSite {
  public:
    static constexpr char BuiltInAddress[] = "http://www.tarvo.example";
    static constexpr char EnvironmentVariable[] = "TARVO_SITE";

    static MakerSite builtIn();
    // An http or https address with a host, and neither query nor fragment (the site's paths
    // are appended to it); otherwise nothing, and `message` says what is wrong.
    static std::optional<MakerSite> fromAddress(const QString& address, QString* message);
    // The site the player uses, from the parsed --site option and the value of TARVO_SITE.
    // A TARVO_SITE that is set but unusable is refused with a message, not passed over.
    static std::optional<MakerSite> choose(const std::optional<MakerSite>& option,
                                           const QString& environment, QString* message);

    // The address the site's paths go under, without a trailing slash.
    QString root() const { return root_; }
    QUrl homePage() const { return QUrl(root_ + QLatin1Char('/')); }
    QUrl picksText() const { return at(QStringLiteral("/mrjx/ew.txt")); }
    QUrl panelPage() const { return at(QStringLiteral("/gg/gg.html")); }

  private:
    explicit MakerSite(QString root) : root_(std::move(root)) {}
    QUrl at(const QString& path) const { return QUrl(root_ + path); }

    QString root_;
};

} // namespace app
