// The Save-As wrapper: the filter list, what the dialog is asked, and the results
// read from the chosen file, with scripted answers.
#include "TestDoubles.h"

#include "core/clsSaveDialog.h"
#include "platform/AppPath.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QChar Z(0);

class SaveDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { test::dialogs().reset(); }
    void TearDown() override { test::dialogs().reset(); }
};

} // namespace

TEST_F(SaveDialogTest, StartsWithItsDefaults)
{
    clsSaveDialog d;
    EXPECT_EQ(d.DialogTitle(), "Save As...");
    EXPECT_EQ(d.InitialFolder(), AppPath());
    EXPECT_TRUE(d.DefaultFileName().isEmpty());
    EXPECT_TRUE(d.DefaultExtension().isEmpty());
    for (const QString& r : {d.PathFile(), d.Path(), d.FileName(), d.Extension(), d.FileTitle(), d.ShortFileName(),
                             d.ShortFileTitle()})
        EXPECT_TRUE(r.isEmpty());
    EXPECT_FALSE(d.ReadOnly());
    EXPECT_EQ(d.BuildFilter(), QString(Z));
}

TEST_F(SaveDialogTest, FilterList)
{
    clsSaveDialog d;
    d.AddFilter("Text File", "txt");
    d.AddFilter("Other Text", "txt");  // same key: the first stays
    d.AddFilter("Comma Separated", "csv");
    EXPECT_EQ(d.BuildFilter(), "Text File (*.txt)" + QString(Z) + "*.txt" + Z + "Comma Separated (*.csv)" + Z +
                                   "*.csv" + Z + Z);
    d.RemoveFilter("xls");  // missing: ignored
    d.RemoveFilter("txt");
    EXPECT_EQ(d.BuildFilter(), "Comma Separated (*.csv)" + QString(Z) + "*.csv" + Z + Z);
    d.ClearAllFilters();
    EXPECT_EQ(d.BuildFilter(), QString(Z));
    // A description holding "*" keeps a sound pattern.
    d.AddFilter("All *", "qif");
    EXPECT_EQ(d.BuildFilter(), "All * (*.qif)" + QString(Z) + "*.qif" + Z + Z);
}

TEST_F(SaveDialogTest, FilterIndexFollowsTheDefaultExtension)
{
    clsSaveDialog d;
    d.AddFilter("Text File", "txt");
    d.AddFilter("Spreadsheet", "XLS");
    struct Case { QString ext; int index; };
    for (const Case& c : QList<Case>{{"txt", 1}, {"xls", 2}, {"TXT", 1}, {"zip", 1}, {"", 1}}) {
        d.setDefaultExtension(c.ext);
        EXPECT_EQ(d.GetFilterIndex(), c.index) << c.ext.toStdString();
    }
}

TEST_F(SaveDialogTest, AsksWithItsSettingsAndAppendsTheDefaultExtension)
{
    clsSaveDialog d;
    d.setDefaultFileName("Comma-Delimited");
    d.setDefaultExtension("txt");
    d.AddFilter("Text File", "txt");
    test::dialogs().saveAnswers.enqueue("/home/user/new folder/Comma-Delimited");
    d.ShowSave();

    ASSERT_EQ(test::dialogs().saveRequests.size(), 1);
    const Dialogs::SaveRequest& r = test::dialogs().saveRequests[0];
    EXPECT_EQ(r.title, "Save As...");
    EXPECT_EQ(r.defaultFileName, "Comma-Delimited");
    EXPECT_EQ(r.defaultExtension, "txt");
    EXPECT_EQ(r.filters, QStringList{"Text File (*.txt)"});
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_EQ(r.initialFolder, AppPath());

    EXPECT_EQ(d.PathFile(), "/home/user/new folder/Comma-Delimited.txt");
    EXPECT_EQ(d.Path(), "/home/user/new folder/");
    EXPECT_EQ(d.FileName(), "Comma-Delimited.txt");
    EXPECT_EQ(d.Extension(), "txt");
    EXPECT_EQ(d.FileTitle(), "Comma-Delimited.txt");
    EXPECT_TRUE(d.ShortFileName().isEmpty());  // the file does not exist yet
    EXPECT_TRUE(d.ShortFileTitle().isEmpty());
    EXPECT_FALSE(d.ReadOnly());
}

TEST_F(SaveDialogTest, ResultsOfChosenFiles)
{
    struct Case { QString answer; QString path; QString name; QString ext; };
    const QList<Case> cases{
        {"/tmp/a/report.htm", "/tmp/a/", "report.htm", "htm"},
        {"/tmp/a/prices.2024.csv", "/tmp/a/", "prices.2024.csv", "csv"},
        {"/tmp/a/UPPER.TXT", "/tmp/a/", "UPPER.TXT", "TXT"},
        {"/report.xml", "/", "report.xml", "xml"},
    };
    for (const Case& c : cases) {
        clsSaveDialog d;
        d.setDefaultExtension("txt");
        test::dialogs().saveAnswers.enqueue(c.answer);
        d.ShowSave();
        EXPECT_EQ(d.PathFile(), c.answer);
        EXPECT_EQ(d.Path(), c.path);
        EXPECT_EQ(d.FileName(), c.name);
        EXPECT_EQ(d.Extension(), c.ext);
        EXPECT_EQ(d.Path() + d.FileName(), d.PathFile());
    }
}

TEST_F(SaveDialogTest, ShortFormsOfAnExistingFile)
{
    QTemporaryDir dir;
    const QString file = dir.path() + "/existing.csv";
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    clsSaveDialog d;
    test::dialogs().saveAnswers.enqueue(file);
    d.ShowSave();
    EXPECT_EQ(d.ShortFileName(), file);
    EXPECT_EQ(d.ShortFileTitle(), "existing.csv");
}

TEST_F(SaveDialogTest, CancelKeepsTheLastChoice)
{
    clsSaveDialog fresh;
    fresh.ShowSave();  // cancelled on a new object
    EXPECT_TRUE(fresh.FileName().isEmpty());
    EXPECT_TRUE(fresh.PathFile().isEmpty());

    clsSaveDialog d;
    test::dialogs().saveAnswers.enqueue("/tmp/a/first.txt");
    d.ShowSave();
    d.ShowSave();  // no answer scripted: cancelled
    EXPECT_EQ(d.PathFile(), "/tmp/a/first.txt");
    EXPECT_EQ(d.FileName(), "first.txt");
    EXPECT_EQ(test::dialogs().saveRequests.size(), 3);
}
