#include "core/NetSettingStore.h"

#include "core/Settings.h"

namespace {

QString name(const char* setting)
{
    return QString::fromLatin1(setting);
}

QString flag(bool ticked)
{
    return ticked ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

namespace NetSettingStore {

Values Load()
{
    Values v;
    v.newsServer = Settings::GetSetting(name(Settings::NewsServer));
    v.emailServer = Settings::GetSetting(name(Settings::EmailServer));
    v.email = Settings::GetSetting(name(Settings::Email));
    v.prompt = !Settings::SettingIsZero(name(Settings::Prompt));
    // The same test the fetch transport makes at the main window's load, so the box
    // shows what the program does.
    v.proxyE = Settings::SettingIsOne(name(Settings::ProxyE));
    v.proxy = Settings::GetSetting(name(Settings::Proxy));
    return v;
}

void MarkFirstRunDone()
{
    Settings::SaveSetting(name(Settings::RunOnce), QStringLiteral("1"));
    Settings::SaveSetting(name(Settings::ShutDown), QStringLiteral("0"));
}

void StorePrompt(bool ticked)
{
    Settings::SaveSetting(name(Settings::Prompt), flag(ticked));
}

void StoreProxyE(bool ticked)
{
    Settings::SaveSetting(name(Settings::ProxyE), flag(ticked));
}

void StoreOnClose(const Values& values)
{
    StorePrompt(values.prompt);
    if (!values.newsServer.isEmpty())
        Settings::SaveSetting(name(Settings::NewsServer), values.newsServer);
    if (!values.email.isEmpty())
        Settings::SaveSetting(name(Settings::Email), values.email);
    if (!values.emailServer.isEmpty())
        Settings::SaveSetting(name(Settings::EmailServer), values.emailServer);
    Settings::SaveSetting(name(Settings::Proxy), values.proxy);
    StoreProxyE(values.proxyE);
}

} // namespace NetSettingStore
