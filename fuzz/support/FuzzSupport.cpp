#include "FuzzSupport.h"

#include "platform/Dialogs.h"
#include "platform/RegistryStore.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Answers every dialog at once: OK, and an empty text for input and Save-As.
class QuietDialogs : public Dialogs::Backend
{
public:
    int msgBox(const QString&, int, const QString&) override { return Dialogs::vbOK; }
    QString inputBox(const QString&, const QString&, const QString&) override { return QString(); }
    QString saveFile(const Dialogs::SaveRequest&) override { return QString(); }
};

} // namespace

// Everything a target writes goes under a temporary folder removed when the run ends.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "fuzz: no temporary folder\n");
        std::abort();
    }
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_RUNTIME_DIR", (home.path() + "/run").toUtf8());
    qputenv("TRADEWRIGHT_HOME", (home.path() + "/app").toUtf8());
    static std::unique_ptr<QCoreApplication> app(new QCoreApplication(*argc, *argv));
    SetAppPath(home.path() + "/app");
    RegistryStore::setFilePath(home.path() + "/config/Orvane/Tradewright5.ini");
    MakeDir(AppPath() + QStringLiteral("/Cache/DataSheet"));
    MakeDir(home.path() + "/config/Orvane");
    static QuietDialogs dialogs;
    Dialogs::install(&dialogs);
    return 0;
}

namespace fuzz {

QByteArray bytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

void writeFile(const QString& path, const QByteArray& content)
{
    if (!WriteFileAtomic(path, content)) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz: broken promise: %s\n", what);
        std::abort();
    }
}

void trimErrorLog()
{
    const QString log = AppPath() + QStringLiteral("/ErrorLog.txt");
    if (FileLength(log) > 1024 * 1024)
        RemoveFile(log);
}

} // namespace fuzz
