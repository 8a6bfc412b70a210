// PO files as translation tools write them, and as nobody should.
#include "document/PoFile.h"

#include <gtest/gtest.h>

using pelorama::document::PoFile;

TEST(PoFileTest, EntriesComeBackAsTheyWereWritten)
{
    PoFile po;
    po.language = "de-DE";
    po.project = "Store Shots";
    po.entries = {
        {"Home/A1", "Hello **world**", "Hallo **Welt**", "Home", false},
        {"Home/B2", "Line one\nline \"two\"\ttab", "", "Home\nsecond line", false},
        {"Überblick/C3", "日本語 and ünïcödé", "Some text", "Überblick", true},
        {"Long/D4", QString(300, u'x'), QString(200, u'y') + " z", "", false},
    };
    const auto bytes = po.write();
    ASSERT_TRUE(bytes.hasValue()) << bytes.error().text().toStdString();
    EXPECT_TRUE(bytes->contains("Language: de-DE\\n")) << bytes->constData();
    EXPECT_TRUE(bytes->contains("charset=UTF-8")) << bytes->constData();
    const auto read = PoFile::read(*bytes);
    ASSERT_TRUE(read.hasValue()) << read.error().text().toStdString();
    EXPECT_EQ(*read, po);
    EXPECT_EQ(read->write().value(), *bytes);
}

// Every file that cannot be taken is an error that names its line, and costs no more than its size.
TEST(PoFileTest, HostileFilesAreErrorsThatNameTheirLine)
{
    const QByteArray header = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
    const QByteArray longText(PoFile::maximumTextLength + 1, 'a');
    const struct
    {
        const char* name;
        QByteArray bytes;
        int line;
        const char* message;
    } cases[] = {
        {"unterminated string", header + "msgid \"Hello\"\nmsgstr \"Hal\n", 5, "end-of-line within string"},
        {"keyword missing", "msgid \"a\"\n\"b\"\nnonsense\n", 3, "keyword \"nonsense\" unknown"},
        {"duplicate", "msgid \"a\"\nmsgstr \"b\"\n\nmsgid \"a\"\nmsgstr \"c\"\n", 4,
         "duplicate message definition"},
        {"invalid UTF-8", header + "msgid \"a\"\nmsgstr \"\xC3\x28\"\n", 5, "not UTF-8"},
        {"NUL byte", header + QByteArray("msgid \"a\"\nmsgstr \"b\0c\"\n", 21), 5, "not UTF-8"},
        {"Latin-1 header",
         "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n\nmsgid "
         "\"a\"\nmsgstr \"b\"\n",
         3, "ISO-8859-1"},
        {"long translation",
         header + "msgid \"a\"\nmsgstr \"\"\n\"x\"\n\nmsgid \"b\"\nmsgstr \"" + longText + "\"\n", 8,
         "longer than 64 KB"},
        {"long obsolete entry", header + "#~ msgid \"a\"\n#~ msgstr \"" + longText + "\"\n", 4, "longer"},
    };
    for (const auto& hostile : cases) {
        SCOPED_TRACE(hostile.name);
        const auto read = PoFile::read(hostile.bytes);
        ASSERT_FALSE(read.hasValue());
        EXPECT_EQ(read.error().line, hostile.line) << read.error().text().toStdString();
        EXPECT_TRUE(read.error().message.contains(hostile.message)) << read.error().text().toStdString();
    }
    const auto tooLarge = PoFile::read(header, header.size() - 1);
    ASSERT_FALSE(tooLarge.hasValue());
    EXPECT_EQ(tooLarge.error().line, 0);
    EXPECT_TRUE(PoFile::read(header, header.size()).hasValue());
}
