#include "Shell.h"

#include "AppPath.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace {

// The schemes the program's own links use: web pages, the FTP area, mail, and the
// media streams of the news and market broadcasts.
const QStringList& allowedSchemes()
{
    static const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ftp"),
                                     QStringLiteral("mailto"), QStringLiteral("mms"), QStringLiteral("rtsp"),
                                     QStringLiteral("pnm")};
    return schemes;
}

// The scheme of target in lower case, or "" when it has none. A single letter
// before the colon is a drive ("C:\..."), not a scheme.
QString schemeOf(const QString& target)
{
    static const QRegularExpression re(QStringLiteral("^([A-Za-z][A-Za-z0-9+.\\-]*):"));
    const auto m = re.match(target);
    if (!m.hasMatch() || m.captured(1).size() < 2)
        return QString();
    return m.captured(1).toLower();
}

// A path as the program writes it (backslashes allowed) turned into a clean
// absolute path; "" when it is not absolute.
QString localPath(const QString& target)
{
    const QString resolved = QDir::cleanPath(ResolvePath(target));
    return QDir::isAbsolutePath(resolved) ? resolved : QString();
}

// true when path lies below AppPath()/Cache/Reports, after ".." is resolved (and
// after symbolic links are followed, for a file that exists).
bool isBelowReports(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QString reports = QDir::cleanPath(ResolvePath(AppPath() + QStringLiteral("/Cache/Reports")));
    auto below = [](const QString& inner, const QString& outer) {
        // Folder names in the program folder are matched without regard to case;
        // the program folder itself is taken as it is.
        const QString app = QDir::cleanPath(AppPath());
        if (!inner.startsWith(app + QLatin1Char('/')) || !outer.startsWith(app + QLatin1Char('/')))
            return false;
        const QString innerRest = inner.mid(app.size());
        const QString outerRest = outer.mid(app.size()) + QLatin1Char('/');
        return innerRest.size() > outerRest.size() && innerRest.startsWith(outerRest, Qt::CaseInsensitive);
    };
    if (!below(path, reports))
        return false;
    const QFileInfo info(path);
    if (info.exists()) {
        const QString canonicalApp = QFileInfo(AppPath()).canonicalFilePath();
        const QString canonical = info.canonicalFilePath();
        const QString canonicalReports = QFileInfo(reports).canonicalFilePath();
        if (canonical.isEmpty() || canonicalReports.isEmpty() || canonicalApp.isEmpty())
            return false;
        const QString rest = canonical.mid(canonicalApp.size());
        const QString outer = canonicalReports.mid(canonicalApp.size()) + QLatin1Char('/');
        if (!canonical.startsWith(canonicalApp + QLatin1Char('/')) || !rest.startsWith(outer, Qt::CaseInsensitive)
            || rest.size() <= outer.size())
            return false;
    }
    return true;
}

class DesktopBackend : public Shell::Backend
{
public:
    bool open(const QString& target) override
    {
        const QString scheme = schemeOf(target);
        if (scheme.isEmpty())
            return QDesktopServices::openUrl(QUrl::fromLocalFile(localPath(target)));
        if (scheme == QLatin1String("file"))
            return QDesktopServices::openUrl(QUrl::fromLocalFile(QUrl(target).toLocalFile()));
        return QDesktopServices::openUrl(QUrl(target, QUrl::TolerantMode));
    }
};

DesktopBackend& desktop()
{
    static DesktopBackend backend;
    return backend;
}

Shell::Backend* g_backend = nullptr;
std::function<void(const QString&)> g_refusal;

} // namespace

namespace Shell {

bool IsAllowed(const QString& target)
{
    const QString t = target.trimmed();
    if (t.isEmpty())
        return false;
    for (QChar c : t)
        if (c.unicode() < 32 || c.unicode() == 127)
            return false;
    const QString scheme = schemeOf(t);
    if (scheme.isEmpty())
        return isBelowReports(localPath(t));
    if (scheme == QLatin1String("file")) {
        const QUrl url(t);
        return url.isValid() && url.isLocalFile() && isBelowReports(localPath(url.toLocalFile()));
    }
    if (!allowedSchemes().contains(scheme))
        return false;
    const QUrl url(t, QUrl::TolerantMode);
    if (!url.isValid())
        return false;
    if (scheme == QLatin1String("mailto")) {
        // A mail link only addresses a message; one that asks the mail program to
        // attach a local file is not opened.
        const QUrlQuery query(url);
        for (const auto& item : query.queryItems())
            if (item.first.compare(QLatin1String("attach"), Qt::CaseInsensitive) == 0
                || item.first.compare(QLatin1String("attachment"), Qt::CaseInsensitive) == 0)
                return false;
        return !url.path().isEmpty() || url.hasQuery();
    }
    return !url.host().isEmpty();
}

bool Open(const QString& target)
{
    if (!IsAllowed(target)) {
        if (g_refusal)
            g_refusal(target);
        return false;
    }
    Backend& b = g_backend ? *g_backend : static_cast<Backend&>(desktop());
    return b.open(target.trimmed());
}

void install(Backend* backend)
{
    g_backend = backend;
}

void setRefusalHandler(std::function<void(const QString& target)> handler)
{
    g_refusal = std::move(handler);
}

} // namespace Shell
