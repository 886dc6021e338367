#include "publish/Publish.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "catalog/Thumbnail.h"
#include "jpeg/JpegFile.h"
#include "platform/AtomicFile.h"
#include "platform/Memory.h"
#include "platform/OrderedWork.h"
#include "platform/Shell.h"
#include "platform/TextUtil.h"
#include "res/Settings.h"

namespace pixfold {

PublishOptions LoadPublishOptions(SettingsStore& store, const std::string& imagesFolder,
                                  uint32_t sizeLimit) {
    PublishOptions o;
    o.sizeLimit = sizeLimit;
    o.html = store.Get(res::kHtml);
    o.prepend = store.Get(res::kPrepend);
    o.href = store.Get(res::kHref);
    o.htmlPath = store.GetText(res::kHtmlFile);
    o.doAll = store.Get(res::kDoAll);
    o.rowCount = store.Get(res::kRowCount);
    o.table = store.Get(res::kTable);
    const std::string defaultFolder =
        imagesFolder.empty() ? imagesFolder : imagesFolder.substr(0, imagesFolder.size() - 1);
    o.folder = store.GetText(res::kThumbFolder, defaultFolder);
    return o;
}

void StorePublishOptions(SettingsStore& store, const PublishOptions& o) {
    store.Set(res::kHtml, o.html);
    store.Set(res::kPrepend, o.prepend);
    store.Set(res::kHref, o.href);
    store.SetText(res::kHtmlFile, o.htmlPath);
    store.Set(res::kDoAll, o.doAll);
    store.Set(res::kRowCount, o.rowCount);
    store.Set(res::kTable, o.table);
    store.SetText(res::kThumbFolder, o.folder);
}

std::string ThumbFileName(const std::string& title, const std::string& ext, int mode) {
    switch (mode) {
        case kAppendTn:
            return title + "_tn" + ext;
        case kPrependTn:
            return "tn_" + title + ext;
        default:
            return title + ext;
    }
}

ImageFiles::ImageFiles(const ThumbCatalog& list, bool replaceOwn) : m_replaceOwn(replaceOwn) {
    for (const auto& record : list) {
        struct stat st {};
        if (stat(record->m_strPath.c_str(), &st) == 0) {
            m_files.emplace(st.st_dev, st.st_ino);
        }
    }
}

bool ImageFiles::Protects(const ThumbRecord& record, const std::string& target) const {
    struct stat st {};
    if (stat(target.c_str(), &st) != 0 || !m_files.count({st.st_dev, st.st_ino})) {
        return false;
    }
    struct stat own {};
    const bool itself = stat(record.m_strPath.c_str(), &own) == 0 && own.st_dev == st.st_dev &&
                        own.st_ino == st.st_ino;
    return !(itself && m_replaceOwn);
}

ThumbFileResult WriteThumbFile(const ThumbRecord& record, uint32_t limit, int mode,
                               const std::string& folder, const ImageFiles* images,
                               std::vector<uint8_t>& buffer, bool upright) {
    Shell& shell = Shell::Current();
    MessageSubject subject(record.m_strPath);
    ThumbFileResult out;
    if (!record.m_pDib) {
        shell.AppMessage("JPEG-2-Thumb Error");
        return out;
    }
    JpegInput input(record.m_strPath, buffer);
    uint32_t w = 0, h = 0;
    if (!JpegFile::ReadDimensions(input, w, h)) {
        shell.AppMessage("JPEG Error");
        return out;
    }
    out.named = true;
    out.name = ThumbFileName(record.m_strTitle, record.m_strExt, mode);
    out.path = folder + "/" + out.name;
    if (images && images->Protects(record, out.path)) {
        // Another photo of the folder has the thumbnail's name: it stays.
        shell.AppMessage(Format("JpegFile :\nCan't open %s\n", out.path.c_str()));
        return out;
    }
    const DecoderScale scale = ChooseDecoderScale(w, h, limit, limit);
    uint32_t dw = 0, dh = 0;
    PixelBuffer decoded = JpegFile::ReadRgb(input, dw, dh, scale.num, scale.denom);
    if (!decoded) {
        return out;  // the decoder has said why; the names stay recorded
    }
    ThumbSize size = FitThumbnail(dw, dh, limit);
    const uint8_t* pixels = decoded.get();
    PixelBuffer reduced;
    if (size.width != dw || size.height != dh) {
        reduced = AllocatePixels(uint64_t{AlignedRowLength(size.width)} * size.height);
        if (!reduced || !ReduceBlockAverage(decoded.get(), reduced.get(), dw, dh, size.width,
                                            size.height, true)) {
            return out;  // a side of 0: nothing to write, and nothing to say
        }
        pixels = reduced.get();
    }
    PixelBuffer turned;
    if (upright && record.m_nOrientation >= 2 && record.m_nOrientation <= 8 && size.width > 0 &&
        size.height > 0) {
        turned = TurnUpright(pixels, size.width, size.height, record.m_nOrientation);
        if (!turned) {
            shell.AppMessage("JpegFile :\nOut of memory", MB_OK | MB_ICONERROR);
            return out;
        }
        const ThumbSize unturned = size;
        UprightSize(unturned.width, unturned.height, record.m_nOrientation, size.width,
                    size.height);
        pixels = turned.get();
    }
    if (JpegFile::WriteRgb(out.path, pixels, size.width, size.height, 100)) {
        out.size = size;
    }
    return out;
}

ThumbSize MakeThumbFile(ThumbRecord& record, uint32_t limit, int mode, const std::string& folder,
                        const ImageFiles* images) {
    std::vector<uint8_t> buffer;
    ThumbFileResult r = WriteThumbFile(record, limit, mode, folder, images, buffer);
    if (r.named) {
        record.m_strThumbName = std::move(r.name);
        record.m_strThumbPath = std::move(r.path);
    }
    return r.size;
}

PageFolder::PageFolder(const std::string& pagePath) : m_page(IdentifyPath(DirName(pagePath))) {}

bool PageFolder::Holds(const std::string& folder) {
    auto [it, fresh] = m_known.try_emplace(folder, false);
    if (fresh) {
        it->second = SameIdentity(m_page, IdentifyPath(folder));
    }
    return it->second;
}

std::string HtmlEscape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

namespace {

// Percent-encodes everything but unreserved characters and the ones listed.
std::string PercentEncode(const std::string& s, const char* keep) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        if (unreserved || (c != '\0' && std::strchr(keep, c))) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string AbsolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/') {
        return path;
    }
    char cwd[4096];
    return getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + path : "/" + path;
}

}  // namespace

std::string FileUrl(const std::string& path) {
    return "file://" + PercentEncode(AbsolutePath(path), "/!$'()*+,;=:@");
}

std::string RelativeUrl(const std::string& name) {
    // A colon is encoded as well, so no name can read as a scheme; "./" keeps
    // such names readable.
    const std::string encoded = PercentEncode(name, "!$'()*+,;=@");
    return name.find(':') != std::string::npos ? "./" + encoded : encoded;
}

std::string FormatThumbCell(const ThumbRecord& r, bool link, bool absoluteThumb, bool absoluteImage,
                            const ThumbSize* declared) {
    // An entry that never had a thumbnail made refers to nothing.
    const std::string src = r.m_strThumbName.empty() ? std::string()
                            : absoluteThumb          ? FileUrl(r.m_strThumbPath)
                                                     : RelativeUrl(r.m_strThumbName);
    const ThumbSize size = declared ? *declared : ThumbSize{r.m_nThumbWidth, r.m_nThumbHeight};
    std::string cell = Format(R"(<img src="%s" alt="%s" border="1" width="%d" height="%d">)",
                              HtmlEscape(src).c_str(), HtmlEscape(r.m_strThumbName).c_str(),
                              static_cast<int>(size.width), static_cast<int>(size.height));
    if (link) {
        const std::string target =
            absoluteImage ? FileUrl(r.m_strPath) : RelativeUrl(r.m_strTitle + r.m_strExt);
        cell = Format(R"(<a href="%s">)", HtmlEscape(target).c_str()) + cell + "</a>";
    }
    return cell + "\n";
}

std::string LongDateTime(std::time_t when) {
    struct tm local {};
    localtime_r(&when, &local);
    char buf[128];
    std::strftime(buf, sizeof buf, "%A, %B %e, %Y, %H:%M:%S", &local);
    // %e pads the day with a blank; the long form has none.
    std::string s = buf;
    const std::string::size_type pad = s.find("  ");
    if (pad != std::string::npos) {
        s.erase(pad, 1);
    }
    return s;
}

std::string BuildPage(const ThumbCatalog& list, const ThumbRecord* selected,
                      const PublishOptions& o, const std::string& dateText,
                      const WrittenSizes* written) {
    const bool table = o.table && o.doAll;
    const int perRow = o.rowCount > 0 ? o.rowCount : 1;
    std::string page = "<!DOCTYPE HTML PUBLIC \"-/";
    page += "/W3C/";
    page += "/DTD HTML 3.2/";
    page += "/EN\">";
    page += "<HTML>\n<HEAD>\n<TITLE>Pixfold Results</TITLE>\n</HEAD>\n<BODY>\n" + dateText +
            "\n<hr>\n<br>\n";
    if (table) {
        page += "\n<table border=\"1\">\n";
    }
    // Each reference is relative only when its own target lies in the page's folder.
    PageFolder pageFolder(o.htmlPath);
    auto cellOf = [&](const ThumbRecord& rec) {
        const bool absoluteThumb = !pageFolder.Holds(DirName(rec.m_strThumbPath));
        const bool absoluteImage = !pageFolder.Holds(rec.m_strFolder);
        const ThumbSize* declared = nullptr;
        if (written) {
            const auto it = written->find(&rec);
            static const ThumbSize none;
            declared = it == written->end() ? &none : &it->second;
        }
        return FormatThumbCell(rec, o.href != 0, absoluteThumb, absoluteImage, declared);
    };
    if (o.doAll) {
        int n = 0;
        for (const auto& rec : list) {
            ++n;
            if (table && (n - 1) % perRow == 0) {
                page += "\n<tr>\n\n";
            }
            const std::string cell = cellOf(*rec);
            if (table) {
                page += "<td align=\"center\">\n" + cell + "</td>\n";
            } else {
                page += cell + "<br>\n";
            }
            if (table && n % perRow == 0) {
                page += "\n</tr>\n";
            }
        }
        if (table && n % perRow != 0) {
            page += "\n</tr>\n";
        }
    } else if (selected) {
        page += cellOf(*selected);
    }
    if (table) {
        page += "\n</table>\n";
    }
    page += "\n</BODY>\n</HTML>\n";
    return page;
}

bool WritePage(const ThumbCatalog& list, const ThumbRecord* selected, const PublishOptions& o,
               std::time_t when, const WrittenSizes* written) {
    std::string text;
    for (char c : BuildPage(list, selected, o, LongDateTime(when), written)) {
        if (c == '\n') {
            text += '\r';
        }
        text += c;
    }
    AtomicFile file;
    bool ok = !o.htmlPath.empty() && file.Open(o.htmlPath);
    ok = ok && std::fwrite(text.data(), 1, text.size(), file.Stream()) == text.size();
    ok = ok && file.Commit();
    if (!ok) {
        Shell::Current().AppMessage(
            Format("Could not write the HTML page\n%s", o.htmlPath.c_str()));
    }
    return ok;
}

void Publish(ThumbCatalog& list, ThumbRecord* selected, const PublishOptions& o, std::time_t when,
             const std::function<void()>& reload) {
    ScanMemory memory;
    const ImageFiles images(list, o.replaceOriginals && o.prepend == kOriginalName);
    auto sync = std::make_unique<SyncBatch>();
    std::vector<ThumbRecord*> records;
    if (o.doAll) {
        for (const auto& rec : list) {
            records.push_back(rec.get());
        }
    } else if (selected) {
        records.push_back(selected);
    }
    // Workers read the records and write the files; the records change, and
    // the messages are shown, here, in catalogue order.
    struct Job {
        ThumbFileResult result;
        MessageLog messages;
    };
    std::vector<Job> jobs(records.size());
    const unsigned threads = OrderedWork::DefaultThreads();
    std::vector<std::vector<uint8_t>> buffers(threads);
    WrittenSizes written;
    {
        OrderedWork work(jobs.size(), threads, size_t{4} * threads, [&](size_t i, unsigned w) {
            ThreadShellScope messages(jobs[i].messages);
            jobs[i].result = WriteThumbFile(*records[i], o.sizeLimit, o.prepend, o.folder, &images,
                                            buffers[w], o.upright);
        });
        Shell& shell = Shell::Current();
        for (size_t i = 0; i < jobs.size(); ++i) {
            work.WaitFor(i, [&shell] { shell.KeepAlive(); });
            jobs[i].messages.Replay();
            ThumbFileResult& r = jobs[i].result;
            if (r.named) {
                records[i]->m_strThumbName = std::move(r.name);
                records[i]->m_strThumbPath = std::move(r.path);
            }
            written[records[i]] = r.size;
            work.Release(i);
        }
    }
    memory.End();  // before the workers' buffers go, so that their heaps shrink
    buffers.clear();
    if (o.html) {
        WritePage(list, selected, o, when, o.declareWrittenSize ? &written : nullptr);
    }
    sync.reset();
    if (o.prepend == kOriginalName && reload) {
        reload();
    }
}

}  // namespace pixfold
