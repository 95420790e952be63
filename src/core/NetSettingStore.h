#pragma once

#include <QString>

// What the network-settings window reads and writes, apart from its controls.
// Every value is a text under the product key; check boxes store "0" or "1".
namespace NetSettingStore {

struct Values
{
    QString emailServer;  // txtData(0), EmailServer
    QString newsServer;   // txtData(1), NewsServer
    QString email;        // txtData(2), Email
    bool prompt = false;  // Check1, Prompt
    bool proxyE = false;  // chkProxy, ProxyE
    QString proxy;        // txtProxy, Proxy
};

// What the window shows when it opens: the three addresses as stored (a
// reinstallation shows the old ones), and the dial-up and proxy choices as stored
// (missing: unticked, no proxy).
Values Load();
// The first run is done: RunOnce = "1", and quitting from the menus asks nothing
// (ShutDown = "0") until the user changes it in the Options window.
void MarkFirstRunDone();
void StorePrompt(bool ticked);
void StoreProxyE(bool ticked);
// The Close button: Prompt, Proxy (also when empty) and ProxyE are always
// written; an address is written only when its box is not empty, so an empty box
// keeps what was stored.
void StoreOnClose(const Values& values);

} // namespace NetSettingStore
