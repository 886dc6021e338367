#include <gtest/gtest.h>

#include <unistd.h>

#include <sstream>

#include "TestUtil.h"
#include "catalog/FolderScan.h"
#include "jpeg/JpegFile.h"
#include "platform/ConfigDir.h"
#include "publish/Publish.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

std::vector<std::string> Lines(const std::string& crlfText) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t pos; (pos = crlfText.find("\r\n", start)) != std::string::npos; start = pos + 2) {
        out.push_back(crlfText.substr(start, pos - start));
    }
    EXPECT_EQ(start, crlfText.size()) << "every line ends with CR LF";
    return out;
}

size_t Count(const std::string& s, const std::string& what) {
    size_t n = 0;
    for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) {
        ++n;
    }
    return n;
}

class PublishTest : public ::testing::Test {
  protected:
    void Scan(const std::string& folder, int pitch = 103) {
        OpenFolder(list, folder, ScanSettings{pitch, kSortName, 0});
    }
    PublishOptions Options(const std::string& folder) {
        PublishOptions o;
        o.sizeLimit = 100;
        o.folder = folder;
        o.html = 1;
        return o;
    }
    RecordingShell shell;
    ShellScope scope{shell};
    TempDir dir;
    ThumbCatalog list;
};

}  // namespace

TEST_F(PublishTest, TheWorkedExampleLineByLine) {
    MakeJpeg(dir / "a.jpg", 1600, 1200);
    MakeJpeg(dir / "b.jpg", 1200, 1600);
    Scan(dir.path());
    PublishOptions o = Options(dir.path());
    o.prepend = kPrependTn;
    o.htmlPath = dir / "index.htm";
    o.href = 1;
    Publish(list, nullptr, o, 0, {});
    EXPECT_TRUE(shell.Messages().empty());
    const std::vector<std::string> lines = Lines(ReadFile(dir / "index.htm"));
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\"><HTML>");
    EXPECT_EQ(lines[1], "<HEAD>");
    EXPECT_EQ(lines[2], "<TITLE>Pixfold Results</TITLE>");
    EXPECT_EQ(lines[3], "</HEAD>");
    EXPECT_EQ(lines[4], "<BODY>");
    EXPECT_EQ(lines[5], LongDateTime(0));
    EXPECT_EQ(lines[6], "<hr>");
    EXPECT_EQ(lines[7], "<br>");
    EXPECT_EQ(
        lines[8],
        R"(<a href="a.jpg"><img src="tn_a.jpg" alt="tn_a.jpg" border="1" width="100" height="75"></a>)");
    EXPECT_EQ(lines[9], "<br>");
    EXPECT_EQ(
        lines[10],
        R"(<a href="b.jpg"><img src="tn_b.jpg" alt="tn_b.jpg" border="1" width="75" height="100"></a>)");
    EXPECT_EQ(lines[11], "<br>");
    EXPECT_EQ(lines[12], "");
    EXPECT_EQ(lines[13], "</BODY>");
    EXPECT_EQ(lines[14], "</HTML>");
    // The thumbnail files themselves.
    uint32_t w = 0, h = 0;
    ASSERT_TRUE(JpegFile::ReadDimensions(dir / "tn_a.jpg", w, h));
    EXPECT_EQ(w, 100u);
    EXPECT_EQ(h, 75u);
    ASSERT_TRUE(JpegFile::ReadDimensions(dir / "tn_b.jpg", w, h));
    EXPECT_EQ(w, 75u);
    EXPECT_EQ(list.at(0).m_strThumbPath, dir / "tn_a.jpg");
    EXPECT_EQ(list.at(0).m_strThumbName, "tn_a.jpg");
}

TEST_F(PublishTest, TableRowsAndTheirClosing) {
    for (int i = 0; i < 7; ++i) {
        MakeJpeg(dir / (std::string(1, char('a' + i)) + ".jpg"), 40, 30);
    }
    Scan(dir.path());
    PublishOptions o = Options(dir / "thumbs");
    o.table = 1;
    o.rowCount = 5;
    std::string page = BuildPage(list, nullptr, o, "date");
    EXPECT_EQ(Count(page, "\n<table border=\"1\">\n"), 1u);
    EXPECT_EQ(Count(page, "\n<tr>\n\n"), 2u);
    EXPECT_EQ(Count(page, "\n</tr>\n"), 2u);
    EXPECT_EQ(Count(page, "<td align=\"center\">\n"), 7u);
    EXPECT_EQ(Count(page, "\n</table>\n"), 1u);
    EXPECT_EQ(Count(page, "<br>\n"), 1u) << "only the header's";

    // Five entries: one row, no extra closing; six: a second row closed after the loop.
    ThumbCatalog five;
    for (int i = 0; i < 5; ++i) {
        five.Append(std::make_unique<ThumbRecord>());
    }
    page = BuildPage(five, nullptr, o, "date");
    EXPECT_EQ(Count(page, "\n<tr>\n\n"), 1u);
    EXPECT_EQ(Count(page, "\n</tr>\n"), 1u);
    five.Append(std::make_unique<ThumbRecord>());
    page = BuildPage(five, nullptr, o, "date");
    EXPECT_EQ(Count(page, "\n<tr>\n\n"), 2u);
    EXPECT_EQ(Count(page, "\n</tr>\n"), 2u);

    o.table = 0;
    page = BuildPage(five, nullptr, o, "date");
    EXPECT_EQ(Count(page, "<table"), 0u);
    EXPECT_EQ(Count(page, "<tr"), 0u);
    EXPECT_EQ(Count(page, "</tr"), 0u);
}

TEST_F(PublishTest, OneSelectedImageIsOneCellNeverInATable) {
    MakeJpeg(dir / "a.jpg", 40, 30);
    MakeJpeg(dir / "b.jpg", 40, 30);
    Scan(dir.path());
    PublishOptions o = Options(dir.path());
    o.doAll = 0;
    o.table = 1;
    o.htmlPath = dir / "one.htm";
    Publish(list, &list.at(1), o, 0, {});
    const std::string page = ReadFile(dir / "one.htm");
    EXPECT_EQ(Count(page, "<img "), 1u);
    EXPECT_NE(page.find("b_tn.jpg"), std::string::npos);
    EXPECT_EQ(Count(page, "<table"), 0u);
    EXPECT_EQ(Count(page, "<br>\r\n"), 1u) << "no <br> after the single cell";
    EXPECT_TRUE(Exists(dir / "b_tn.jpg"));
    EXPECT_FALSE(Exists(dir / "a_tn.jpg"));
}

TEST_F(PublishTest, EachReferenceIsRelativeOnlyInThePagesOwnFolder) {
    MakeJpeg(dir / "a.jpg", 400, 300);
    MakeJpeg(dir / "b.jpg", 400, 300);
    Scan(dir.path());
    const std::string thumbs = dir / "thumbs";
    MakeDirs(thumbs);
    PublishOptions o = Options(thumbs);
    o.href = 1;
    o.doAll = 0;
    // The page beside the images, its thumbnails in a subfolder.
    o.htmlPath = dir / "index.htm";
    Publish(list, &list.at(0), o, 0, {});
    EXPECT_NE(ReadFile(o.htmlPath)
                  .find("<a href=\"a.jpg\"><img src=\"" + FileUrl(thumbs) + "/a_tn.jpg\""),
              std::string::npos)
        << ReadFile(o.htmlPath);
    // The page beside the thumbnails, named through a link to their folder.
    ASSERT_EQ(symlink(thumbs.c_str(), (dir / "web").c_str()), 0);
    o.htmlPath = dir / "web/./page.htm";
    o.doAll = 1;
    Publish(list, nullptr, o, 0, {});
    const std::string page = ReadFile(thumbs + "/page.htm");
    EXPECT_NE(page.find("<a href=\"" + FileUrl(dir / "a.jpg") + "\"><img src=\"a_tn.jpg\""),
              std::string::npos)
        << page;
    // b.jpg never had a thumbnail made before: its cell refers to nothing.
    list.at(1).m_strThumbName.clear();
    list.at(1).m_strThumbPath.clear();
    EXPECT_NE(BuildPage(list, nullptr, o, "date").find("<img src=\"\" alt=\"\""),
              std::string::npos);
}

TEST_F(PublishTest, CellsInTheirTwoForms) {
    ThumbRecord r;
    r.m_strPath = "/Pics/my photo.jpg";
    r.m_strTitle = "my photo";
    r.m_strExt = ".jpg";
    r.m_strThumbPath = "/Web/thumbs/my photo_tn.jpg";
    r.m_strThumbName = "my photo_tn.jpg";
    r.m_nThumbWidth = 100;
    r.m_nThumbHeight = 75;
    EXPECT_EQ(
        FormatThumbCell(r, true, true, true),
        "<a href=\"file:///Pics/my%20photo.jpg\"><img src=\"file:///Web/thumbs/my%20photo_tn.jpg\" "
        "alt=\"my photo_tn.jpg\" border=\"1\" width=\"100\" height=\"75\"></a>\n");
    const ThumbSize written{50, 37};
    EXPECT_EQ(FormatThumbCell(r, false, false, true, &written),
              "<img src=\"my%20photo_tn.jpg\" alt=\"my photo_tn.jpg\" border=\"1\" width=\"50\" "
              "height=\"37\">\n");
}

TEST_F(PublishTest, NoPhotoOfTheFolderIsReplacedButItsOwnApprovedOne) {
    MakeJpeg(dir / "a.jpg", 400, 300);
    MakeJpeg(dir / "a_tn.jpg", 400, 300);
    Scan(dir.path());
    const std::string photo = ReadFile(dir / "a_tn.jpg");
    PublishOptions o = Options(dir.path());
    o.html = 0;
    Publish(list, nullptr, o, 0, {});
    EXPECT_EQ(ReadFile(dir / "a_tn.jpg"), photo) << "a photo of the folder stays";
    EXPECT_TRUE(Exists(dir / "a_tn_tn.jpg")) << "the run went on";
    EXPECT_EQ(shell.Messages(),
              std::vector<std::string>{"JpegFile :\nCan't open " + (dir / "a_tn.jpg") + "\n"});

    // Original names into the images' own folder: only once approved.
    shell.Clear();
    o.prepend = kOriginalName;
    Publish(list, nullptr, o, 0, {});
    EXPECT_EQ(ReadFile(dir / "a_tn.jpg"), photo);
    EXPECT_EQ(shell.Messages().size(), 2u);
    o.replaceOriginals = true;
    Publish(list, nullptr, o, 0, {});
    uint32_t w = 0, h = 0;
    ASSERT_TRUE(JpegFile::ReadDimensions(dir / "a_tn.jpg", w, h));
    EXPECT_EQ(w, 100u) << "approved: each image became its own thumbnail";
}

TEST_F(PublishTest, HostileNamesCannotInjectMarkup) {
    ThumbRecord r;
    r.m_strTitle = "a\"><script>alert(1)</script>&#1";
    r.m_strExt = ".jpg";
    r.m_strThumbName = r.m_strTitle + "_tn.jpg";
    r.m_strThumbPath = "/t/" + r.m_strThumbName;
    r.m_strPath = "/p/" + r.m_strTitle + ".jpg";
    for (bool absolute : {false, true}) {
        const std::string cell = FormatThumbCell(r, true, absolute, absolute);
        EXPECT_EQ(cell.find("<script"), std::string::npos) << cell;
        EXPECT_EQ(Count(cell, "\""), 12u) << "only the format's own quotes: " << cell;
        const size_t href = cell.find("href=\"") + 6;
        const std::string target = cell.substr(href, cell.find('"', href) - href);
        EXPECT_EQ(target.find('#'), std::string::npos) << "a '#' would cut the link: " << target;
    }
    EXPECT_EQ(RelativeUrl("javascript:x.jpg"), "./javascript%3Ax.jpg");
    EXPECT_EQ(RelativeUrl("a&b.jpg"), "a%26b.jpg");
    EXPECT_EQ(HtmlEscape("<&\">"), "&lt;&amp;&quot;&gt;");
}

TEST_F(PublishTest, ThumbnailSizesAndSmallImagesRewritten) {
    MakeJpeg(dir / "a.jpg", 1600, 1200);
    MakeJpeg(dir / "b.jpg", 1200, 1600);
    MakeJpeg(dir / "c.jpg", 1000, 1000);
    MakeJpeg(dir / "d.jpg", 80, 60);
    Scan(dir.path());
    const std::string out = dir / "out";
    MakeDirs(out);
    for (const auto& r : list) {
        MakeThumbFile(*r, 100, kAppendTn, out);
    }
    const std::pair<const char*, std::pair<uint32_t, uint32_t>> want[] = {{"a_tn.jpg", {100, 75}},
                                                                          {"b_tn.jpg", {75, 100}},
                                                                          {"c_tn.jpg", {100, 100}},
                                                                          {"d_tn.jpg", {80, 60}}};
    for (const auto& [name, size] : want) {
        uint32_t w = 0, h = 0;
        ASSERT_TRUE(JpegFile::ReadDimensions(out + "/" + name, w, h)) << name;
        EXPECT_EQ(w, size.first) << name;
        EXPECT_EQ(h, size.second) << name;
    }
    EXPECT_NE(ReadFile(out + "/d_tn.jpg"), ReadFile(dir / "d.jpg")) << "re-encoded, not copied";
    EXPECT_TRUE(shell.Messages().empty());
}

TEST_F(PublishTest, FailuresAreReportedAndTheRestGoesOn) {
    MakeJpeg(dir / "a.jpg", 100, 80);
    MakeJpeg(dir / "wide.jpg", 1000, 5);
    WriteFile(dir / "bad.jpg", "not a jpeg");
    Scan(dir.path());
    shell.Clear();
    const std::string out = dir / "out";
    MakeDirs(out);
    PublishOptions o = Options(out);
    o.htmlPath = dir / "missing/page.htm";
    Publish(list, nullptr, o, 0, {});
    const auto msgs = shell.Messages();
    ASSERT_EQ(msgs.size(), 2u);
    EXPECT_EQ(msgs[0], "JPEG-2-Thumb Error") << "bad.jpg had no thumbnail";
    EXPECT_EQ(msgs[1], "Could not write the HTML page\n" + (dir / "missing/page.htm"));
    EXPECT_TRUE(Exists(out + "/a_tn.jpg")) << "the thumbnails stay";
    EXPECT_FALSE(Exists(out + "/wide_tn.jpg")) << "a side of 0 writes nothing, silently";
    EXPECT_EQ(list.at(2).m_strThumbName, "wide_tn.jpg") << "names recorded all the same";

    // A file whose header still reads but whose data broke after the scan: the
    // decoder's message, names recorded, no file.
    shell.Clear();
    WriteFile(dir / "a.jpg", ReadFile(TestImage("corrupt-wrong-restart-marker-1280x960.jpg")));
    MakeThumbFile(list.at(0), 100, kPrependTn, out);
    EXPECT_EQ(list.at(0).m_strThumbName, "tn_a.jpg");
    EXPECT_EQ(list.at(0).m_strThumbPath, out + "/tn_a.jpg");
    EXPECT_FALSE(Exists(out + "/tn_a.jpg"));
    ASSERT_FALSE(shell.Messages().empty());
    EXPECT_EQ(shell.MessageEvents().back().caption, "JPEG Fatal Error");
    // A header that does not read: "JPEG Error", nothing recorded.
    shell.Clear();
    WriteFile(dir / "a.jpg", "broken now");
    MakeThumbFile(list.at(0), 100, kAppendTn, out);
    EXPECT_EQ(shell.Messages().back(), "JPEG Error");
    EXPECT_EQ(list.at(0).m_strThumbName, "tn_a.jpg") << "left as it was";
}

TEST_F(PublishTest, WorkersWriteWhatOneThreadWrites) {
    for (const std::string& image : AllTestImages()) {
        WriteFile(dir / image.substr(image.rfind('/') + 1), ReadFile(image));
    }
    MakeJpeg(dir / "big.jpg", 1600, 1200);
    MakeJpeg(dir / "late.jpg", 300, 200);
    MakeJpeg(dir / "later.jpg", 300, 200);
    Scan(dir.path());
    // Broken after the scan: one header, one picture.
    WriteFile(dir / "late.jpg", "broken now");
    WriteFile(dir / "later.jpg", ReadFile(TestImage("corrupt-wrong-restart-marker-1280x960.jpg")));
    const std::string out = dir / "out";
    MakeDirs(out);
    auto written = [&] {
        std::vector<std::string> files;
        for (const auto& r : list) {
            files.push_back(r->m_strThumbName + " " + r->m_strThumbPath + " " +
                            (Exists(r->m_strThumbPath) ? ReadFile(r->m_strThumbPath) : "-"));
            unlink(r->m_strThumbPath.c_str());
            r->m_strThumbName.clear();
            r->m_strThumbPath.clear();
        }
        return files;
    };

    shell.Clear();
    for (const auto& r : list) {
        MakeThumbFile(*r, 100, kAppendTn, out);
    }
    const auto oneMessages = shell.MessageEvents();
    const auto oneFiles = written();

    shell.Clear();
    PublishOptions o = Options(out);
    o.html = 0;
    Publish(list, nullptr, o, 0, {});
    const auto messages = shell.MessageEvents();
    ASSERT_EQ(messages.size(), oneMessages.size());
    EXPECT_GT(messages.size(), 10u);
    for (size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].text, oneMessages[i].text) << i;
        EXPECT_EQ(messages[i].caption, oneMessages[i].caption) << i;
        EXPECT_EQ(messages[i].style, oneMessages[i].style) << i;
        EXPECT_EQ(messages[i].subject, oneMessages[i].subject) << i;
    }
    EXPECT_EQ(written(), oneFiles);
}

TEST_F(PublishTest, OriginalNamesReplaceThroughATemporaryFileThenReload) {
    MakeJpeg(dir / "a.jpg", 800, 600);
    Scan(dir.path());
    PublishOptions o = Options(dir.path());
    o.prepend = kOriginalName;
    o.replaceOriginals = true;
    o.html = 0;
    bool reloaded = false;
    Publish(list, nullptr, o, 0, [&] { reloaded = true; });
    EXPECT_TRUE(reloaded);
    uint32_t w = 0, h = 0;
    ASSERT_TRUE(JpegFile::ReadDimensions(dir / "a.jpg", w, h));
    EXPECT_EQ(w, 100u) << "the image itself became its thumbnail";
    EXPECT_EQ(system(("test $(ls -A " + dir.path() + " | wc -l) -eq 1").c_str()), 0);
}

TEST_F(PublishTest, OptionsLoadWithDefaultsAndStoreInOrder) {
    reg::Registry registry(dir / "cfg");
    SettingsStore store(registry);
    OpenStoreAtStartup(store);
    PublishOptions o = LoadPublishOptions(store, "/Pics/", 100);
    EXPECT_EQ(o.folder, "/Pics");
    EXPECT_EQ(o.doAll, 1);
    EXPECT_EQ(o.rowCount, 5);
    EXPECT_EQ(o.html, 0);
    o.html = 1;
    o.htmlPath = "/Web/i.htm";
    o.folder = "/Web";
    StorePublishOptions(store, o);
    const PublishOptions back = LoadPublishOptions(store, "/Pics/", 77);
    EXPECT_EQ(back.html, 1);
    EXPECT_EQ(back.htmlPath, "/Web/i.htm");
    EXPECT_EQ(back.folder, "/Web");
    EXPECT_EQ(back.sizeLimit, 77u) << "the size limit is never stored";
}

TEST(LongDateTime, WeekdayAndMonthSpelledOut) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(LongDateTime(1796652309), "Monday, December 7, 2026, 14:05:09");
    unsetenv("TZ");
    tzset();
}
