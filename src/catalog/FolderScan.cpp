#include "catalog/FolderScan.h"

#include <memory>
#include <optional>
#include <vector>

#include "catalog/RecordExif.h"
#include "catalog/ThumbCache.h"
#include "catalog/Thumbnail.h"
#include "platform/ConfigDir.h"
#include "platform/FileTime.h"
#include "platform/Memory.h"
#include "platform/OrderedWork.h"
#include "platform/Shell.h"
#include "platform/TextUtil.h"

namespace pixfold {

std::string FormatDateCaption(uint16_t month, uint16_t day, uint16_t year, uint16_t hour,
                              uint16_t minute) {
    int hour12 = hour;
    const char* suffix = "AM";
    if (hour > 11) {
        suffix = "PM";
        if (hour > 12) {
            hour12 = hour - 12;
        }
    }
    return Format("%d/%d/%d %d:%.2d %s", month, day, year, hour12, minute, suffix);
}

void AddFileRecord(ThumbCatalog& list, const std::string& folder, const FindData& found) {
    // The name keeps its case: on a case-sensitive file system a lower-cased
    // path would name no file.
    std::string path = folder + "/" + found.name;
    Shell::Current().ProgressText(path);

    auto record = std::make_unique<ThumbRecord>();
    record->m_strPath = path;
    // The whole size, unsigned: files of 2 GiB and more are neither negative nor small.
    record->m_dwFileSize = found.size;
    record->m_strSize = Format("%llu", static_cast<unsigned long long>(record->m_dwFileSize));

    const uint64_t local = UtcTicksToLocal(found.lastWrite);
    record->m_dwTimeLow = static_cast<uint32_t>(local);
    record->m_dwTimeHigh = static_cast<uint32_t>(local >> 32);
    const CalendarTime ct = TicksToCalendar(local);
    record->m_wMonth = ct.month;
    record->m_wDay = ct.day;
    record->m_wYear = ct.year;
    record->m_wHour = ct.hour;
    record->m_wMinute = ct.minute;
    record->m_strDate = FormatDateCaption(ct.month, ct.day, ct.year, ct.hour, ct.minute);
    list.Append(std::move(record));
}

void SplitRecordPath(ThumbRecord& record) {
    const std::string& path = record.m_strPath;
    std::string::size_type slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    record.m_strFolder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string::size_type dot = name.rfind('.');
    if (dot == std::string::npos) {
        record.m_strExt.clear();
        record.m_strTitle.clear();
    } else {
        record.m_strExt = name.substr(dot);
        record.m_strTitle = name.substr(0, dot);
    }
}

std::string ScanOutcome::StatusText() const {
    std::string text;
    if (leftOut > 0) {
        text = Format("Scan cancelled: %zu of %zu files left out", leftOut, total);
    }
    const std::string unread = UnreadableCountText(unreadable);
    if (!unread.empty()) {
        text += (text.empty() ? "" : "; ") + unread;
    }
    return text;
}

size_t BuildThumbnails(ThumbCatalog& list, const ScanSettings& settings, bool showProgress) {
    Shell& shell = Shell::Current();
    if (showProgress) {
        shell.ProgressCaption("Processing Image Files");
    }
    if (list.empty()) {
        return 0;
    }
    ScanMemory memory;
    // Each file's result, and the messages its decode showed, wait here until
    // the interface thread takes them in list order.
    struct Job {
        std::string path;
        int orientation = 1;
        bool cached = false;
        BuiltThumbnail built;
        MessageLog messages;
    };
    std::vector<Job> jobs(list.size());
    std::optional<ThumbCache> cache;
    if (settings.cacheLimit > 0) {
        cache.emplace(settings.pitch, settings.cacheLimit, CacheDir(), settings.options.upright);
    }
    std::vector<size_t> decode;  // the jobs the cache cannot answer
    for (size_t i = 0; i < jobs.size(); ++i) {
        jobs[i].path = list.at(i).m_strPath;
        if (settings.options.upright) {
            jobs[i].orientation = list.at(i).m_nOrientation;
        }
        jobs[i].cached = cache && cache->Find(jobs[i].path, &jobs[i].built);
        if (!jobs[i].cached) {
            decode.push_back(i);
        }
    }
    const unsigned threads = settings.workers ? settings.workers : OrderedWork::DefaultThreads();
    std::vector<ThumbnailScratch> scratch(threads);
    size_t leftOut = 0;
    {
        OrderedWork work(decode.size(), threads, size_t{4} * threads, [&](size_t t, unsigned w) {
            Job& job = jobs[decode[t]];
            ThreadShellScope messages(job.messages);
            job.built = MakeThumbnail(job.path, settings.pitch, scratch[w], job.orientation);
        });
        size_t task = 0;
        for (size_t i = 0; i < jobs.size(); ++i) {
            ThumbRecord& record = list.at(i);
            Job& job = jobs[i];
            if (showProgress) {
                if (shell.ProgressCancelled()) {
                    leftOut = jobs.size() - i;
                    list.Truncate(i);
                    break;
                }
                shell.ProgressCount(i + 1, jobs.size());
                shell.ProgressText(record.m_strPath);
            }
            if (job.cached) {
                ApplyThumbnail(record, std::move(job.built), false);
                continue;
            }
            work.WaitFor(task, [&shell] { shell.KeepAlive(); });
            // A file whose decode said anything is decoded (and says it) again
            // next time.
            if (cache && job.messages.Empty()) {
                cache->Put(job.path, job.built);
            }
            job.messages.Replay();
            ApplyThumbnail(record, std::move(job.built), true);
            work.Release(task++);
        }
    }
    memory.End();  // before the workers' buffers go, so that their heaps shrink
    cache.reset();
    scratch.clear();
    return leftOut;
}

std::string TrimTrailingSeparator(std::string folder) {
    if (!folder.empty() && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

namespace {

// Adds the records of one search; returns whether it gave a handle.
bool SearchAndAdd(ThumbCatalog& list, const std::string& folder, const char* wildcard,
                  bool& readable) {
    SearchResult found = FindFiles(folder + "/" + wildcard);
    if (found.status == SearchStatus::CannotRead) {
        readable = false;
        return false;
    }
    for (const FindData& fd : found.entries) {
        if (fd.name.empty() || fd.name[0] == '.' || fd.directory) {
            continue;
        }
        AddFileRecord(list, folder, fd);
    }
    return found.status == SearchStatus::Found;
}

}  // namespace

ScanOutcome ScanFolder(ThumbCatalog& list, std::string folder, const ScanSettings& settings,
                       const ScanHooks& hooks) {
    ScanOutcome outcome;
    folder = TrimTrailingSeparator(std::move(folder));
    outcome.folder = folder;
    list.Clear();
    if (hooks.cleared) {
        hooks.cleared(folder);
    }
    bool readable = true;
    const bool jpg = SearchAndAdd(list, folder, "*.jpg", readable);
    const bool jpeg = SearchAndAdd(list, folder, "*.jpeg", readable);
    outcome.folderReadable = readable;
    outcome.anyMatch = jpg || jpeg;
    if (outcome.anyMatch) {
        const MoreOptions& options = settings.options;
        for (const auto& record : list) {
            SplitRecordPath(*record);
            if (options.NeedsExif()) {
                ReadRecordExif(*record);
            }
            if (options.dateTaken) {
                record->m_strDate = DateCaption(*record, true);
            }
        }
        outcome.total = list.size();
        SortCatalog(list, settings.sortOption, settings.sortStyle, options.Rules());
        if (hooks.listed) {
            hooks.listed();
        }
        outcome.leftOut = BuildThumbnails(list, settings, true);
    }
    return outcome;
}

ScanOutcome OpenFolder(ThumbCatalog& list, std::string folder, const ScanSettings& settings,
                       const ScanHooks& hooks) {
    WaitCursor wait;
    Shell& shell = Shell::Current();
    shell.ProgressOpen("starting...");
    if (hooks.started) {
        hooks.started();
    }
    ScanOutcome outcome;
    UnreadableFiles unreadable;
    const UnreadableReport report = settings.options.unreadable;
    if (report == UnreadableReport::EachBox) {
        outcome = ScanFolder(list, std::move(folder), settings, hooks);
    } else {
        CollectingShell collecting(shell, unreadable);
        ShellScope scope(collecting);
        outcome = ScanFolder(list, std::move(folder), settings, hooks);
        outcome.unreadable = unreadable.FileCount();
    }
    if (hooks.finished) {
        hooks.finished(outcome);
    }
    shell.ProgressClose();
    if (report == UnreadableReport::OneList && outcome.unreadable > 0) {
        shell.AppMessage(FormatUnreadableList(unreadable.Files()));
    }
    if (!outcome.anyMatch && (outcome.folderReadable || hooks.noFilesWhenUnreadable)) {
        shell.AppMessage("No files found.");
    }
    return outcome;
}

}  // namespace pixfold
