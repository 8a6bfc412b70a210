// PO files as translation tools write them, and as nobody should.
#include "document/PoFile.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using pelorama::document::PoFile;

TEST(PoFileTest, EntriesComeBackAsTheyWereWritten)
{
    PoFile po;
    po.language = "de-DE";
    po.project = "Store Shots";
    po.revisionDate = PoFile::dateText(QDateTime(QDate(2026, 12, 10), QTime(6, 40), QTimeZone(3600)));
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
    // What checking tools ask of a header.
    for (const char* field :
         {"Project-Id-Version: Store Shots\\n", "PO-Revision-Date: 2026-12-10 06:40+0100\\n",
          "Last-Translator: \\n", "Language-Team: \\n", "MIME-Version: 1.0\\n",
          "Content-Transfer-Encoding: 8bit\\n", "Plural-Forms: nplurals=1; plural=0;\\n"})
        EXPECT_TRUE(bytes->contains(field)) << field;
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

// As editors on other systems save them: a byte-order mark, CRLF line ends, plural forms.
TEST(PoFileTest, FilesOfOtherEditorsAreReadAsTheyAre)
{
    const QByteArray file = "\xEF\xBB\xBFmsgid \"\"\r\nmsgstr \"Language: de\\n\"\r\n\r\n"
                            "msgctxt \"Home/A1\"\r\nmsgid \"Photo\"\r\nmsgid_plural \"Photos\"\r\n"
                            "msgstr[0] \"Foto\"\r\nmsgstr[1] \"Fotos\"\r\n\r\n"
                            "msgid \"No context\"\r\nmsgstr \"Kein Kontext\"\r\n";
    const auto read = PoFile::read(file);
    ASSERT_TRUE(read.hasValue()) << read.error().text().toStdString();
    EXPECT_EQ(read->language, "de");
    EXPECT_EQ(read->entries, QList<PoFile::Entry>({{"Home/A1", "Photo", "Foto", "", false, true},
                                                   {"", "No context", "Kein Kontext", "", false, false}}));
    // A mark alone on the first line still counts as that line.
    const auto broken = PoFile::read("\xEF\xBB\xBFmsgid \"a\n");
    ASSERT_FALSE(broken.hasValue());
    EXPECT_EQ(broken.error().line, 1);
}

TEST(PoFileTest, RevisionDatesCarryTheirOffsetAndWhatCannotBeReadBackIsNotWritten)
{
    const QDate day(2026, 3, 1);
    EXPECT_EQ(PoFile::dateText(QDateTime(day, QTime(23, 5), QTimeZone(-(3 * 3600 + 1800)))),
              "2026-03-01 23:05-0330");
    EXPECT_EQ(PoFile::dateText(QDateTime(day, QTime(0, 0), QTimeZone::utc())), "2026-03-01 00:00+0000");

    for (const QString& text :
         {QString("a") + QChar(0) + "b", QString(PoFile::maximumTextLength / 2, u'ü') + "x"}) {
        const auto written = PoFile{"de", {}, {}, {{"Home/A1", "Source", text, "", false, false}}}.write();
        ASSERT_FALSE(written.hasValue());
        EXPECT_EQ(written.error().line, 0);
    }
}
