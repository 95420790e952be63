// The catalogue of page kinds is the one place a page's file, request, update box and
// tree key stand; these checks keep its rows consistent with each other.
#include "pages/PageCatalogue.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QSet>

using namespace pages;

namespace {

// Every file a download writes, patterns filled for the members ("{SYM}" kept).
QStringList writtenFiles()
{
    QStringList files;
    for (const PageKind& kind : Catalogue())
        for (const Download& d : kind.downloads) {
            if (d.members.empty() || !(d.fileName.contains(QLatin1String("{CODE}")) ||
                                       d.fileName.contains(QLatin1String("{KEY}")))) {
                files << d.fileName;
                continue;
            }
            for (const Member& m : d.members)
                files << QString(d.fileName)
                             .replace(QLatin1String("{CODE}"), m.code)
                             .replace(QLatin1String("{KEY}"), m.code);
        }
    return files;
}

} // namespace

TEST(PageCatalogue, EachCacheFileIsWrittenByOneDownloadWhateverTheCase)
{
    QHash<QString, QString> seen;
    for (const QString& file : writtenFiles()) {
        const QString folded = file.toLower();
        EXPECT_FALSE(seen.contains(folded)) << qPrintable(file) << " and " << qPrintable(seen.value(folded));
        seen.insert(folded, file);
    }
    EXPECT_EQ(seen.value(QStringLiteral("brpg_q.sh")), QStringLiteral("BrPG_Q.Sh"));  // as the download writes it
}

TEST(PageCatalogue, ViewCodesTreeKeysAndUpdateBoxesStandOnce)
{
    QSet<QString> codes, keys;
    QHash<int, QString> boxes;
    for (const PageKind& kind : Catalogue()) {
        for (const View& v : kind.views) {
            EXPECT_FALSE(codes.contains(v.code)) << qPrintable(v.code);
            codes.insert(v.code);
        }
        for (const Download& d : kind.downloads) {
            ASSERT_LE(d.firstItem, d.lastItem) << qPrintable(d.procedure);
            for (int item = d.firstItem; item <= d.lastItem; ++item) {
                EXPECT_FALSE(boxes.contains(item)) << item << " " << qPrintable(d.procedure);
                boxes.insert(item, d.procedure);
            }
            for (const Member& m : d.members)
                EXPECT_TRUE(m.item >= d.firstItem && m.item <= d.lastItem) << qPrintable(m.code);
            if (!d.members.empty()) {
                EXPECT_EQ(int(d.members.size()), d.lastItem - d.firstItem + 1) << qPrintable(d.procedure);
            }
        }
    }
    for (const PageKind& kind : Catalogue())
        for (const TreeLeaf& leaf : kind.leaves) {
            EXPECT_FALSE(keys.contains(leaf.key)) << qPrintable(leaf.key);
            keys.insert(leaf.key);
        }
    EXPECT_TRUE(boxes.contains(0) && boxes.contains(98));
}

TEST(PageCatalogue, EveryTreeLeafReachesExactlyOneViewAndItsPage)
{
    for (const PageKind& kind : Catalogue())
        for (const TreeLeaf& leaf : kind.leaves) {
            int views = 0;
            for (const PageKind& other : Catalogue())
                for (const View& v : other.views)
                    views += v.code == leaf.view ? 1 : 0;
            EXPECT_EQ(views, 1) << qPrintable(leaf.key);
            const View* view = FindView(leaf.view);
            ASSERT_NE(view, nullptr) << qPrintable(leaf.key);
            // A leaf that names a file names one the downloads write.
            if (leaf.argument.contains(u'.')) {
                EXPECT_TRUE(writtenFiles().contains(leaf.argument, Qt::CaseInsensitive)) << qPrintable(leaf.argument);
            }
            // Per-stock views are reached by a prefix under the stock's node.
            EXPECT_EQ(view->scope == ViewScope::PerStock, leaf.parent == QLatin1String("ID")) << qPrintable(leaf.key);
        }
}

TEST(PageCatalogue, ViewsReadThePagesTheirDownloadsWrite)
{
    const QStringList written = writtenFiles();
    for (const PageKind& kind : Catalogue())
        for (const View& v : kind.views) {
            if (!v.readsPage) {
                EXPECT_TRUE(v.cachePages.isEmpty()) << qPrintable(v.code);
                continue;
            }
            ASSERT_FALSE(v.cachePages.isEmpty()) << qPrintable(v.code);
            for (const QString& page : v.cachePages) {
                if (page.contains(QLatin1String("%1")))
                    continue;
                const QString file = v.scope == ViewScope::PerStock ? QStringLiteral("{SYM}") + page : page;
                EXPECT_TRUE(written.contains(file, Qt::CaseInsensitive)) << qPrintable(v.code) << " " << qPrintable(page);
            }
        }
}

TEST(PageCatalogue, LookupsFindTheirRows)
{
    const Member* member = nullptr;
    const Download* movers = DownloadOfItem(20, &member);
    ASSERT_NE(movers, nullptr);
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(movers->procedure, QStringLiteral("UpdateBigMovers"));
    EXPECT_EQ(member->code, QStringLiteral("PG_Q"));
    EXPECT_EQ(DownloadOfItem(44), nullptr);
    EXPECT_EQ(DownloadOf(QStringLiteral("UpdateAnnualReport"), QStringLiteral("AIS"))->firstItem, 4);
    EXPECT_EQ(FindView(QStringLiteral("nothing")), nullptr);
}
