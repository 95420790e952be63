#pragma once

#include <QString>

// What the splash window (and the About box) says about the program, and where its
// two links lead. The version comes from the build: the program's entry passes it
// in once at start (SetProgramVersion); before that the application's version is
// used.
namespace SplashInfo {

void SetProgramVersion(const QString& version);
// "5.0.0" as the build gave it.
QString ProgramVersion();
// Maker, product and major.minor version: "Orvane Tradewright 5.0". Also the text
// the feedback questionnaire puts in its first line.
QString LegalTrademarks();
// The legal notice shown under it.
QString LegalCopyright();

// The maker's home page (the Maker site's root) and support mail address.
QString HomePageAddress();
QString SupportAddress();
// "Email: " and the support address, the caption of lblEmail.
QString EmailCaption();

// The two links: the home page opens in the browser without a connection check,
// the support address in the mail program. Failures are ignored.
void OpenHomePage();
void OpenSupportMail();

} // namespace SplashInfo
