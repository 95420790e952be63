#pragma once

#include "sheets/ReportsPort.h"

#include <QString>

#include <initializer_list>

// The HTML reports: each turns the cached data-sheet page of one stock (or, for
// H_Current, the quotes of the current set) into a page of its own under
// Cache/Reports and opens it in the browser. The class holds no state.
//
// Every data text that enters a template (the company name of the title, a cleaned
// cell, a quote text, an option field) goes through EscapeHtmlText, and every
// address in an attribute through EscapeHtmlAttribute; a page without "<", ">",
// a bare "&" or (in addresses) a double quote gives the same bytes as before.
//
// The program installs one as the report menus' port: their "HTML" item comes to
// HtmlReport, every other item to Export.
class Reports : public ReportsPort
{
public:
    // ---- the frame ---------------------------------------------------------------
    // "<HTML>" CR LF "<HEAD>" ... "<U><B>" subTitle "</B></U></FONT></CENTER>", no
    // line end after it; an empty colour gives a body tag without attributes. The
    // texts go in as given: the caller escapes data texts.
    static QString HtmlPageHead(const QString& bgColor, const QString& title, const QString& subTitle);
    // "<P><CENTER><TABLE " then ' BORDER="v" ' and so on for every non-empty value,
    // then ">" CR LF.
    static QString HtmlTableOpen(const QString& border, const QString& cellSpacing, const QString& cellPadding,
                                 const QString& width, const QString& height);
    // The common footer: the made-by line, CR LF, the date and time of Clock, and the
    // closing tags.
    static QString Footer();

    // ---- the steps the summary page shares ----------------------------------------
    // false, after a message, when symbol cannot be part of a file name (a path
    // separator, "..", a control character); such a symbol writes and opens nothing.
    static bool SymbolAccepted(const QString& symbol);
    // AppPath/Cache/DataSheet/<symbol><suffix>, found whatever its letter case.
    static QString DataSheetPath(const QString& symbol, const QString& suffix);
    // AppPath/Cache/Reports/<folder>/<fileName> as it is stored (an empty folder: the
    // Reports folder itself). A missing folder is created.
    static QString ReportPath(const QString& folder, const QString& fileName);
    // The whole page and CR LF, replacing the old file in one rename; false when it
    // could not be written (the old file then stays), with why saying what went wrong.
    static bool WriteReport(const QString& path, const QString& page, QString* why = nullptr);
    // The same for a page already in the file's encoding.
    static bool WriteReport(const QString& path, const QByteArray& bytes, QString* why = nullptr);
    // Asks the desktop to open the written file.
    static void OpenReport(const QString& path);
    // Writes the page, puts the pictures it shows (names in the program folder, see
    // ReportPictures) in place and opens it. A page that could not be written (a full
    // disk, a name too long for the file system, a folder in the way) opens nothing:
    // the user is told which file and why. False then.
    static bool PublishReport(const QString& path, const QByteArray& bytes,
                              std::initializer_list<const char*> pictures = {});
    // "The file <path> could not be written." CR LF and the reason, in a message box
    // with title.
    static void SayNotWritten(const QString& path, const QString& why, const QString& title);

    // ---- the members ----------------------------------------------------------------
    // Each takes the symbol; an empty symbol writes nothing.
    void H_ABS(const QString& symbol);
    void H_AIS(const QString& symbol);
    void H_Calls(const QString& symbol);
    void H_Puts(const QString& symbol);
    void H_IT(const QString& symbol);
    void H_EC(const QString& symbol);
    void H_ER(const QString& symbol);
    void H_EH(const QString& symbol);
    void H_EG(const QString& symbol);
    void H_QR(const QString& symbol);
    void H_SI(const QString& symbol);
    // The quotes of the current set as "Stock Prices.Htm".
    void H_Current();

    // The "HTML" item of the report menus: H_Current when viewCode is "Current",
    // then, for a non-empty symbol, the member of viewCode ("QR" and "SI" from the
    // main window only). Any other code does nothing.
    void HtmlReport(const QString& viewCode, const QString& symbol, bool fromMainWindow);
    void HtmlReport(const QString& viewCode, const QString& symbol, ReportWindow from) override
    {
        HtmlReport(viewCode, symbol, from == ReportWindow::Main);
    }
    // The quotes of the current set in export format Index (0 tab-delimited text,
    // 1 comma-delimited text, ... 14 the clipboard, 15 XML).
    void Export(int Index) override;

    // ---- building without writing ----------------------------------------------------
    // The page member viewCode ("ABS", "AIS", "Call", "Put", "IT", "EC", "ER", "EH",
    // "EG", "QR", "SI") makes of a cached page, with companyName as the title (the
    // option reports ask nothing here); "" for any other code.
    static QString BuildPage(const QString& viewCode, const QString& page, const QString& companyName);
    // The page H_Current writes for the current set.
    static QString BuildCurrentPage();
    // What the option reports lay out: the text after the "I" of the first "Int"
    // after "Puts", a view into page (not a copy). Over 30,000 characters the user
    // is asked first.
    static QStringView OptionData(const QString& page);
    // The file member viewCode writes for symbol, from the Reports folder
    // ("Annual Balance Sheet/IBM.htm"); "" for any other code.
    static QString ReportFileName(const QString& viewCode, const QString& symbol);

private:
    void run(const QString& viewCode, const QString& symbol);
};
