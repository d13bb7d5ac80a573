#include "Tarnkit/Foundation/FileURL.h"
#include "Tarnkit/Foundation/TextAlignment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

namespace {

using namespace tarnkit;

TEST(FileURLTest, RelativePath)
{
    struct Case {
        const char* url;
        const char* base;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"file:///a/b/c.txt", "file:///a/d", "../b/c.txt"},
        {"file:///a/b/c.txt", "file:///a", "b/c.txt"},
        {"file:///a/b/c.txt", "file:///a/b/c.txt", ""},
        {"file:///a/b/c.txt", "file:///x/y", "../../a/b/c.txt"},
        {"file:///a/b/c.txt", "file:///", "a/b/c.txt"},
        {"file:///a", "file:///a/b/c", "../.."},
        // A base naming a file counts as a folder of its own.
        {"file:///a/b/c.txt", "file:///a/b/other.txt", "../c.txt"},
        // Paths are cleaned first, and a trailing slash changes nothing.
        {"file:///a/./b/../b/c.txt", "file:///a/d/", "../b/c.txt"},
        // Only file URLs.
        {"https://example.org/a/b", "file:///a", std::nullopt},
        {"file:///a/b", "https://example.org/a", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fileURL::relativePath(QUrl(c.url), QUrl(c.base)), c.expected) << c.url << " from " << c.base;
    }
}

TEST(FileURLTest, RelativeURL)
{
    const auto url = fileURL::relativeURL(QUrl("file:///a/b/c.txt"), QUrl("file:///a/d"));
    ASSERT_TRUE(url.has_value());
    EXPECT_TRUE(url->isLocalFile());
    EXPECT_FALSE(QDir::isAbsolutePath(url->toLocalFile()));
    EXPECT_EQ(url->toLocalFile(), "../b/c.txt");
    EXPECT_FALSE(fileURL::relativeURL(QUrl("https://example.org/x"), QUrl("file:///a")).has_value());
}

TEST(FileURLTest, NameWithoutExtensionRemovesOnlyTheLastExtension)
{
    struct Case {
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"/x/archive.tar.gz", "archive.tar"},
        {"/x/a.gz.b.gz", "a.gz.b"},
        {"/x/song.zdl", "song"},
        {"/x/README", "README"},
        // A leading dot names a hidden file, not an extension.
        {"/x/.bashrc", ".bashrc"},
        {"/x/.config.json", ".config"},
        {"/x/name.", "name."},
        {"/x/folder.d/", "folder"},
        {"/x/with space.txt", "with space"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fileURL::nameWithoutExtension(QUrl::fromLocalFile(c.path)), c.expected) << c.path;
}

TEST(FileURLTest, PathWithoutLeadingSlash)
{
    EXPECT_EQ(fileURL::pathWithoutLeadingSlash(QUrl("file:///Users/x/f.txt")), "Users/x/f.txt");
    EXPECT_EQ(fileURL::pathWithoutLeadingSlash(QUrl("file:///Users/x/a%20b.txt")), "Users/x/a b.txt");
    EXPECT_EQ(fileURL::pathWithoutLeadingSlash(QUrl("file:////double")), "/double");
    EXPECT_EQ(fileURL::pathWithoutLeadingSlash(QUrl("relative/path")), "relative/path");
}

TEST(FileURLTest, ModificationDate)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("dated.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QDateTime when(QDate(2021, 3, 4), QTime(5, 6, 7), Qt::UTC);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    file.close();

    const auto date = fileURL::modificationDate(QUrl::fromLocalFile(path));
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(date->toUTC(), when);
    EXPECT_FALSE(fileURL::modificationDate(QUrl::fromLocalFile(folder.filePath("missing"))).has_value());
    EXPECT_FALSE(fileURL::modificationDate(QUrl("https://example.org" + path)).has_value());
}

TEST(TextAlignmentTest, AlignmentAndTruncation)
{
    EXPECT_EQ(nsTextAlignment(TextAlignment::leading), Qt::AlignLeft);
    EXPECT_EQ(nsTextAlignment(TextAlignment::center), Qt::AlignHCenter);
    EXPECT_EQ(nsTextAlignment(TextAlignment::trailing), Qt::AlignRight);
    EXPECT_EQ(nsLineBreakMode(TruncationMode::head), Qt::ElideLeft);
    EXPECT_EQ(nsLineBreakMode(TruncationMode::tail), Qt::ElideRight);
    EXPECT_EQ(nsLineBreakMode(TruncationMode::middle), Qt::ElideMiddle);
}

TEST(TextAlignmentDeathTest, UnknownTruncationModeStops)
{
    EXPECT_DEATH((void)nsLineBreakMode(static_cast<TruncationMode>(7)), "Unknown truncation mode");
}

} // namespace
