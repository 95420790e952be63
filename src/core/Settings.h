#pragma once

#include <QString>

// The program's settings: text values under the current user's product key,
// read and written through mdlRegistry on every access (no cache). Every value is
// written as text ("0", "1", "5", "1440"). A missing value reads as "" here; the
// caller applies its default.
//
// Value          Form / range                               Missing means
// -------------  -----------------------------------------  ------------------------------------------------
// SplashDelay    seconds, 0..20                             start-up waits 5; Options shows and stores "5"
// SaverDelay     minutes, 0..60                             Options shows and stores "12"
// Prompt         "0"/"1": ask to dial when offline          the check does not ask; Options shows it ticked
// ProxyE         "0"/"1": the fetch transport uses Proxy    direct access; Options shows it unticked
// Proxy          host:port                                  no proxy
// ShutDown       "0"/"1": confirm quitting from the menus   no question; Options shows it ticked, stores "1"
// US             "0"/"1": "US zone (for industry reports)"  Options shows it ticked and stores "1"
// US (ZA1Key)    number, never written by the program       0: the big movers ask for yesterday's date
// Fractions      "0"/"1": prices as fractions               Options shows it ticked; main window keeps ""
// Volume         "0"/"1": volumes in hundreds               Options shows it ticked; main window keeps ""
// FrmNav         Options page index 0..6                    page 0
// LastGroup      stock set 0..20                            set 0
// LastTreePos    twips, splitter between tree and grid      the designed position
// AutoUpdate     minutes (0, 5 .. 1440); 0 = manual         0
// PicBar         gauge style 0..10                          style 0
// VoiceMode      voice list index 0..11                     entry 0
// Update0..98    "0"/"1": update item n runs                ticked
// NewsServer     NNTP host                                  ""
// EmailServer    SMTP host                                  "": readers ask or say "Enter mail server in options"
// Email          the user's address                         "": mail senders use "-" when shorter than 2
// Q_Message      queued feedback text                       nothing queued
// Thanks         "0"/"1": questionnaire done                0
// RunOnce        "1": first-run set-up done                 first run
// Path           the program folder                         -
// ChartOpt       comma-terminated list                      the chart window's designed choices
// SummaryOpt     comma-terminated list of 19 flags          the chooser's designed choices
// ErrorTraping   any non-empty text ("1")                   the error notice may be shown
// Group0..20     (GroupsKey) display name of stock set n    no stored name
// Default        (RemoteAccessKey) default dial-up entry    no dial-up entry
namespace Settings {

inline constexpr char ProductKey[] = "Software\\Orvane\\Tradewright5";
inline constexpr char GroupsKey[] = "Software\\Orvane\\Tradewright5\\Groups";
inline constexpr char ZA1Key[] = "Software\\Orvane\\ZA1";
inline constexpr char RemoteAccessKey[] = "RemoteAccess";

inline constexpr char SplashDelay[] = "SplashDelay";
inline constexpr char SaverDelay[] = "SaverDelay";
inline constexpr char Prompt[] = "Prompt";
inline constexpr char ProxyE[] = "ProxyE";
inline constexpr char Proxy[] = "Proxy";
inline constexpr char ShutDown[] = "ShutDown";
inline constexpr char US[] = "US";
inline constexpr char Fractions[] = "Fractions";
inline constexpr char Volume[] = "Volume";
inline constexpr char FrmNav[] = "FrmNav";
inline constexpr char LastGroup[] = "LastGroup";
inline constexpr char LastTreePos[] = "LastTreePos";
inline constexpr char AutoUpdate[] = "AutoUpdate";
inline constexpr char PicBar[] = "PicBar";
inline constexpr char VoiceMode[] = "VoiceMode";
inline constexpr char NewsServer[] = "NewsServer";
inline constexpr char EmailServer[] = "EmailServer";
inline constexpr char Email[] = "Email";
inline constexpr char Q_Message[] = "Q_Message";
inline constexpr char Thanks[] = "Thanks";
inline constexpr char RunOnce[] = "RunOnce";
inline constexpr char Path[] = "Path";
inline constexpr char ChartOpt[] = "ChartOpt";
inline constexpr char SummaryOpt[] = "SummaryOpt";
inline constexpr char ErrorTraping[] = "ErrorTraping";
inline constexpr char RemoteAccessDefault[] = "Default";  // under RemoteAccessKey

inline constexpr int UpdateItemCount = 99;  // Update0 .. Update98
inline constexpr int GroupCount = 21;       // Group0 .. Group20

QString UpdateValueName(int n);  // "Update<n>"
QString GroupValueName(int n);   // "Group<n>"

// Product-key helpers. None of them throws.
QString GetSetting(const QString& name);                       // "" when missing
void SaveSetting(const QString& name, const QString& value);   // REG_SZ
// "0", "", a missing value and a value that is not a number all count as 0.
bool SettingIsZero(const QString& name);
// The value as a whole number; fallback when missing, not a number or too large.
int SettingInt(const QString& name, int fallback);
// The same within low..high: a value outside counts as missing too. With a logTag a
// value that is there but not taken is written to ErrorLog.txt under that tag (no
// box), so a damaged setting is seen yet never stops the caller.
int SettingInt(const QString& name, int fallback, int low, int high, const QString& logTag = QString());
// Whether the value is a number equal to 1 (the display options' "on").
bool SettingIsOne(const QString& name);

// The same under another key (GroupsKey, ZA1Key, RemoteAccessKey).
QString GetSettingAt(const QString& keyPath, const QString& name);
void SaveSettingAt(const QString& keyPath, const QString& name, const QString& value);
bool SettingIsZeroAt(const QString& keyPath, const QString& name);

} // namespace Settings
