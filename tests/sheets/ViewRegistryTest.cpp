// The one table of view codes.
#include "SheetsFixture.h"

#include "sheets/ViewRegistry.h"
#include "sheets/ViewRunner.h"

#include <QSet>

namespace {

const QStringList kAllCodes = {
    "Current",   "ABS",       "AIS",       "EG",        "EH",        "ER",       "EC",       "IT",
    "QR",        "Profile",   "SI",        "Call",      "Put",       "Options",  "Split",    "NMR",
    "UPH",       "DNH",       "BRP",       "BR",        "WINLOS",    "Coverage", "Upgrade",  "Downgrade",
    "SUP",       "US",        "WM",        "OptSum",    "F_",        "M_BRP",    "IPO_Price", "IPO_Gain",
    "IPO_Loss",  "IPO_Reg",   "IPO_Last",  "IPO_News",  "IPO_With",  "FMS",      "Port",     "PortLog",
    "PortSelected"};

QStringList codesWhere(bool (*test)(const ViewRow&))
{
    QStringList codes;
    for (const ViewRow& row : viewRegistry())
        if (test(row))
            codes << row.code;
    return codes;
}

} // namespace

TEST(ViewRegistry, OneRowPerCodeEveryCodeOnce)
{
    QStringList codes;
    QSet<QString> unique;
    for (const ViewRow& row : viewRegistry()) {
        codes << row.code;
        unique << row.code;
        EXPECT_TRUE(row.treeKeyArguments.isEmpty() || row.treeKeyArguments.size() == row.treeKeys.size())
            << row.code.toStdString();
        EXPECT_FALSE(row.treeKeys.isEmpty()) << row.code.toStdString();
    }
    EXPECT_EQ(unique.size(), codes.size());
    EXPECT_EQ(QSet<QString>(codes.begin(), codes.end()), QSet<QString>(kAllCodes.begin(), kAllCodes.end()));
}

TEST(ViewRegistry, CodesCompareExactly)
{
    ASSERT_NE(findView("Current"), nullptr);
    EXPECT_EQ(findView("Current")->code, "Current");
    EXPECT_EQ(findView("current"), nullptr);
    EXPECT_EQ(findView("Current "), nullptr);
    EXPECT_EQ(findView("Port")->code, "Port");
    EXPECT_EQ(findView("PortLog")->code, "PortLog");
    EXPECT_EQ(findView(""), nullptr);
}

TEST(ViewRegistry, ViewCodesCarryTheirKeyWhereTheViewSaysSo)
{
    struct Case
    {
        QString viewCode;
        QString row;  // "" none
        QString key;
    };
    const Case cases[] = {
        {"Current", "Current", ""}, {"PortLog", "PortLog", ""}, {"M_BRP1", "M_BRP", "1"}, {"FMS3", "FMS", "3"},
        {"F_Conv", "F_", "F_Conv"}, {"F_T", "F_", "F_T"},     {"FMSx", "", ""},          {"M_BRP", "", ""},
        {"fms3", "", ""},           {"Nothing", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.viewCode.toStdString());
        QString key = "stale";
        const ViewRow* row = findViewFor(c.viewCode, &key);
        EXPECT_EQ(row ? row->code : QString(), c.row);
        if (row) {
            EXPECT_EQ(key, c.key);
            EXPECT_EQ(row->viewCodeFor(key), c.viewCode);
        }
    }
}

TEST(ViewRegistry, CachePagesByKeyAndSymbol)
{
    struct Case
    {
        const char* code;
        QString key;
        QString symbol;
        QString page;
    };
    const Case cases[] = {
        {"ABS", "", "IBM", "IBM_Abs.Sh"},
        {"EC", "", "BRK.B", "BRK.B_ee.Sh"},
        {"ABS", "", "", ""},
        {"ABS", "", "../x", ""},
        {"Call", "", "IBM", "IBM_op.Sh"},
        {"BR", "brPG_Q.Sh", "", "brPG_Q.Sh"},
        {"BR", "../../x", "", ""},
        {"F_", "F_Conv", "IBM", "F_Conv.Sh"},
        {"FMS", "3", "", "FMS_Rec.Sh"},
        {"FMS", "9", "", ""},
        {"WINLOS", "mwlosers.Sh", "", "mwlosers.Sh"},
        {"OptSum", "2", "", "OptSum.Sh"},
        {"M_BRP", "1", "", "M_BRP.Sh"},
        {"US", "", "", ""},
        {"Current", "", "IBM", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " " + c.key.toStdString() + " " + c.symbol.toStdString());
        const ViewRow* row = findView(c.code);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->pageFor(c.key, c.symbol), c.page);
    }
}

TEST(ViewRegistry, PerViewFacts)
{
    EXPECT_EQ(codesWhere([](const ViewRow& r) { return r.leavesPointer; }),
              QStringList({"NMR", "US", "OptSum", "F_", "IPO_Price", "IPO_Gain", "IPO_Loss", "IPO_Reg", "IPO_Last",
                           "IPO_News", "IPO_With"}));
    EXPECT_EQ(codesWhere([](const ViewRow& r) { return !r.zoomAware; }),
              QStringList({"EG", "EH", "ER", "EC", "DNH", "BR", "WINLOS", "OptSum", "M_BRP", "FMS"}));
    EXPECT_EQ(codesWhere([](const ViewRow& r) { return r.usesLayout; }), QStringList({"Current"}));
    EXPECT_EQ(codesWhere([](const ViewRow& r) { return r.otherErrors == OtherErrorPolicy::StandardMessage; }),
              QStringList({"AIS"}));
    EXPECT_EQ(codesWhere([](const ViewRow& r) { return r.builder != nullptr; }),
              QStringList({"Current", "ABS", "AIS", "EG", "EH", "ER", "EC", "IT", "QR", "Profile", "SI", "Call",
                           "Put", "Options", "Split", "NMR", "UPH", "DNH", "BRP", "BR", "WINLOS", "Coverage", "Upgrade",
                           "Downgrade", "SUP", "US", "WM", "OptSum", "F_", "M_BRP", "IPO_Price", "IPO_Gain",
                           "IPO_Loss", "IPO_Reg", "IPO_Last", "IPO_News", "IPO_With", "FMS", "Port", "PortLog",
                           "PortSelected"}));
    EXPECT_EQ(codesWhere([](const ViewRow& r) { return r.scope == ViewScope::Portfolio; }),
              QStringList({"Port", "PortLog", "PortSelected"}));
    EXPECT_FALSE(findView("WM")->hourglass);
    EXPECT_EQ(findView("ABS")->treeKeyMatch, TreeKeyMatch::PrefixAndIndex);
    EXPECT_EQ(findView("Profile")->treeKeys, QStringList{"AR"});
    EXPECT_EQ(findView("M_BRP")->treeKeyArguments, QStringList({"0", "1"}));
}

class ViewRegistryRuns : public SheetsTest
{
};

TEST_F(ViewRegistryRuns, EveryRowWithABuilderRuns)
{
    StdRowHeight() = 300;
    // A stock is selected: without one the momentum view leaves the grid as it was.
    CurrentSymbol() = "ACME";
    ViewRunner runner(host);
    for (const ViewRow& row : viewRegistry()) {
        if (!row.builder)
            continue;
        SCOPED_TRACE(row.code.toStdString());
        const QString key = row.treeKeyArguments.value(0);
        host.main.setRows(1);
        host.main.setTextMatrix(0, 0, "before");
        EXPECT_TRUE(runner.show(row.code, key));
        EXPECT_EQ(CurrentView(), row.viewCodeFor(key));
        EXPECT_NE(host.main.TextMatrix(0, 0), "before");
        EXPECT_FALSE(host.main.isUpdatesLocked());
    }
}
