#include "copytool/copy.h"

#include "copytool/cmdline.h"
#include "copytool/texts.h"

#include <deque>
#include <functional>
#include <thread>

namespace {

// Attributes a copy carries over; compression, encryption, sparseness and reparse data are
// properties of how the source is stored, not of its contents.
const DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                              FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
const size_t kQueueLength = 512;

struct Handle {
    HANDLE h = INVALID_HANDLE_VALUE;
    Handle() = default;
    explicit Handle(HANDLE handle) : h(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }
    bool Valid() const { return h != INVALID_HANDLE_VALUE; }
    bool Close() {
        bool ok = true;
        if (Valid()) ok = CloseHandle(h) != 0;
        h = INVALID_HANDLE_VALUE;
        return ok;
    }
};

struct FindHandle {
    HANDLE h;
    explicit FindHandle(HANDLE handle) : h(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle() {
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
    }
};

struct FileId {
    DWORD volume = 0, high = 0, low = 0;
    bool operator==(const FileId& o) const {
        return volume == o.volume && high == o.high && low == o.low;
    }
};

struct Item { // a file or folder found by the walk, relative to the source folder
    std::wstring rel;
    uint64_t size = 0;
    DWORD attributes = 0;
    FILETIME created{}, accessed{}, written{};
};

Item ItemOf(const std::wstring& rel, const WIN32_FIND_DATAW& data) {
    Item item;
    item.rel = rel;
    item.size = ((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    item.attributes = data.dwFileAttributes;
    item.created = data.ftCreationTime;
    item.accessed = data.ftLastAccessTime;
    item.written = data.ftLastWriteTime;
    return item;
}

bool IsDiskFull(DWORD error) {
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

bool ReadFolderId(const std::wstring& path, FileId* id) {
    // Opening follows a link, so the id is that of the folder the link leads to.
    Handle folder(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!folder.Valid() || !GetFileInformationByHandle(folder.h, &info)) return false;
    id->volume = info.dwVolumeSerialNumber;
    id->high = info.nFileIndexHigh;
    id->low = info.nFileIndexLow;
    return true;
}

struct WalkHooks {
    // Called before a folder's contents; false leaves them out.
    std::function<bool(const WIN32_FIND_DATAW& data, const std::wstring& rel)> folder;
    // False stops the walk.
    std::function<bool(const WIN32_FIND_DATAW& data, const std::wstring& rel)> file;
    std::function<void(const std::wstring& rel, const std::wstring& reason)> problem;
};

struct Pending {
    std::wstring rel;
    size_t depth;
    WIN32_FIND_DATAW data;
};

// Walks the tree below `root` depth first, folders before their contents. A folder whose id is
// already on the way down from the root (a link leading back up) is never entered, so the walk
// always ends; `exclude` (the target, when it lies inside the source) is left out.
bool WalkTree(const std::wstring& root, const std::wstring& exclude, const FileId* excludeId,
              const WalkHooks& hooks, const std::function<bool()>& stopped, bool german) {
    std::vector<FileId> ancestors;
    FileId rootId;
    if (!ReadFolderId(root, &rootId)) {
        hooks.problem(L"", SystemErrorText(GetLastError()));
        return true;
    }
    ancestors.push_back(rootId);
    std::vector<Pending> stack;
    stack.push_back(Pending{L"", 0, {}});
    std::vector<Pending> children;
    while (!stack.empty()) {
        if (stopped()) return false;
        Pending item = std::move(stack.back());
        stack.pop_back();
        std::wstring path = JoinPath(root, item.rel);
        if (item.depth > 0) {
            if (SamePath(path, exclude)) continue;
            FileId id;
            if (!ReadFolderId(path, &id)) {
                hooks.problem(item.rel, SystemErrorText(GetLastError()));
                continue;
            }
            if (excludeId && id == *excludeId) {
                hooks.problem(item.rel, Text(TextId::SkippedDestination, german));
                continue;
            }
            ancestors.resize(item.depth);
            bool loop = false;
            for (const FileId& a : ancestors)
                loop = loop || a == id;
            if (loop) {
                hooks.problem(item.rel, Text(TextId::SkippedLoop, german));
                continue;
            }
            ancestors.push_back(id);
            if (!hooks.folder(item.data, item.rel)) continue;
        }
        WIN32_FIND_DATAW data;
        FindHandle find(FindFirstFileExW(JoinPath(path, L"*").c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH));
        if (find.h == INVALID_HANDLE_VALUE) {
            DWORD error = GetLastError();
            if (error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES)
                hooks.problem(item.rel, SystemErrorText(error));
            continue;
        }
        children.clear();
        do {
            if (wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0) continue;
            std::wstring rel =
                item.rel.empty() ? data.cFileName : item.rel + L"\\" + data.cFileName;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                children.push_back(Pending{rel, item.depth + 1, data});
            } else if (!hooks.file(data, rel)) {
                return false;
            }
        } while (FindNextFileW(find.h, &data));
        DWORD error = GetLastError();
        if (error != ERROR_NO_MORE_FILES) hooks.problem(item.rel, SystemErrorText(error));
        for (size_t i = children.size(); i-- > 0;)
            stack.push_back(std::move(children[i]));
    }
    return true;
}

// The copy threads' common state.
struct Context {
    std::wstring source, target; // extended paths
    std::wstring sourceShown;    // as given, for the failure list
    CopyShared* shared = nullptr;
    CopyOptions options;
    std::atomic<bool> stop{false};        // cancel or a full disk: no new work
    std::atomic<bool> interrupted{false}; // some work was left undone because of `stop`
    std::atomic<uint64_t> filesCopied{0}, bytesCopied{0}, foldersMade{0};

    SRWLOCK queueLock = SRWLOCK_INIT;
    CONDITION_VARIABLE queueFilled = CONDITION_VARIABLE_INIT,
                       queueDrained = CONDITION_VARIABLE_INIT;
    std::deque<Item> queue;
    bool queueClosed = false;
};

// Cancel (from the window) or a full disk: no new work, and the file in hand is dropped.
bool Stopping(const Context* c) {
    return c->stop || c->shared->cancel;
}

std::wstring Shown(const Context& c, const std::wstring& rel) {
    return rel.empty() ? c.sourceShown : JoinPath(c.sourceShown, rel);
}

void AddFailure(Context* c, const std::wstring& rel, const std::wstring& reason) {
    LockHold hold(&c->shared->lock);
    if (c->shared->failures.size() < kMaxListedFailures)
        c->shared->failures.push_back(Failure{Shown(*c, rel), reason});
    ++c->shared->failureCount;
}

void FailWithError(Context* c, const std::wstring& rel, DWORD error) {
    AddFailure(c, rel, SystemErrorText(error));
    if (IsDiskFull(error)) { // nothing more will fit: stop at once instead of failing file by file
        c->stop = true;
        c->interrupted = true;
    }
}

bool PushItem(Context* c, Item item) {
    LockHold hold(&c->queueLock);
    // A cancel arrives without a notification, hence the short waits.
    while (c->queue.size() >= kQueueLength && !Stopping(c))
        SleepConditionVariableSRW(&c->queueDrained, &c->queueLock, 50, 0);
    if (Stopping(c)) return false;
    c->queue.push_back(std::move(item));
    WakeConditionVariable(&c->queueFilled);
    return true;
}

bool PopItem(Context* c, Item* item) {
    LockHold hold(&c->queueLock);
    while (c->queue.empty() && !c->queueClosed)
        SleepConditionVariableSRW(&c->queueFilled, &c->queueLock, INFINITE, 0);
    if (c->queue.empty()) return false;
    *item = std::move(c->queue.front());
    c->queue.pop_front();
    WakeConditionVariable(&c->queueDrained);
    return true;
}

void CloseQueue(Context* c) {
    LockHold hold(&c->queueLock);
    c->queueClosed = true;
    WakeAllConditionVariable(&c->queueFilled);
    WakeAllConditionVariable(&c->queueDrained);
}

HANDLE CreateTarget(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
        // A read-only (or hidden/system) file of that name is replaced too.
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    return h;
}

bool SetBasicInfo(HANDLE h, const Item& item, DWORD attributes) {
    FILE_BASIC_INFO info = {};
    info.CreationTime.LowPart = item.created.dwLowDateTime;
    info.CreationTime.HighPart = (LONG)item.created.dwHighDateTime;
    info.LastAccessTime.LowPart = item.accessed.dwLowDateTime;
    info.LastAccessTime.HighPart = (LONG)item.accessed.dwHighDateTime;
    info.LastWriteTime.LowPart = item.written.dwLowDateTime;
    info.LastWriteTime.HighPart = (LONG)item.written.dwHighDateTime;
    info.FileAttributes = attributes;
    return SetFileInformationByHandle(h, FileBasicInfo, &info, sizeof info) != 0;
}

enum class Outcome { Copied, Failed, Stopped };

// Copies one file's bytes, then its times and attributes through the open handle. Any failure
// after the target was created removes it: a partial file must never look like a copy.
Outcome CopyData(Context* c, const Item& item, char* buffer, DWORD* error) {
    std::wstring from = JoinPath(c->source, item.rel);
    std::wstring to = JoinPath(c->target, item.rel);
    Handle in(CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in.Valid()) {
        *error = GetLastError();
        return Outcome::Failed;
    }
    Handle out(CreateTarget(to));
    if (!out.Valid()) {
        *error = GetLastError();
        return Outcome::Failed;
    }
    Outcome outcome = Outcome::Copied;
    CopyShared* s = c->shared;
    for (;;) {
        while (s->paused && !Stopping(c))
            Sleep(20);
        if (Stopping(c)) {
            outcome = Outcome::Stopped;
            break;
        }
        DWORD got = 0, put = 0;
        if (!ReadFile(in.h, buffer, (DWORD)c->options.bufferSize, &got, nullptr)) {
            *error = GetLastError();
            outcome = Outcome::Failed;
            break;
        }
        if (got == 0) break;
        if (!WriteFile(out.h, buffer, got, &put, nullptr) || put != got) {
            *error = GetLastError();
            if (*error == ERROR_SUCCESS) *error = ERROR_DISK_FULL;
            outcome = Outcome::Failed;
            break;
        }
        s->bytesDone += got;
    }
    DWORD attributes = item.attributes & kKeptAttributes;
    if (outcome == Outcome::Copied &&
        !SetBasicInfo(out.h, item, attributes ? attributes : FILE_ATTRIBUTE_NORMAL)) {
        *error = GetLastError();
        outcome = Outcome::Failed;
    }
    if (!out.Close() && outcome == Outcome::Copied) {
        *error = GetLastError();
        outcome = Outcome::Failed;
    }
    if (outcome != Outcome::Copied) {
        SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(to.c_str());
    }
    return outcome;
}

void CopyWorker(Context* c) {
    char* buffer = (char*)VirtualAlloc(nullptr, c->options.bufferSize, MEM_COMMIT | MEM_RESERVE,
                                       PAGE_READWRITE);
    Item item;
    while (PopItem(c, &item)) {
        if (Stopping(c) || !buffer) {
            if (!buffer) AddFailure(c, item.rel, SystemErrorText(ERROR_NOT_ENOUGH_MEMORY));
            c->interrupted = true;
            continue;
        }
        // The window names one file until it is done, so a big file that takes minutes is not
        // hidden behind the small ones the other threads finish meanwhile.
        {
            LockHold hold(&c->shared->lock);
            if (c->shared->currentFile.empty()) c->shared->currentFile = item.rel;
        }
        DWORD error = ERROR_SUCCESS;
        Outcome outcome = CopyData(c, item, buffer, &error);
        {
            LockHold hold(&c->shared->lock);
            if (c->shared->currentFile == item.rel) c->shared->currentFile.clear();
        }
        if (outcome == Outcome::Copied) {
            ++c->filesCopied;
            c->bytesCopied += item.size;
        } else if (outcome == Outcome::Failed) {
            FailWithError(c, item.rel, error);
        } else {
            c->interrupted = true;
        }
        ++c->shared->filesDone;
    }
    if (buffer) VirtualFree(buffer, 0, MEM_RELEASE);
}

// Creates `path` and any missing parents; false (with the last error set) when it cannot.
bool CreateFolderChain(const std::wstring& path) {
    if (CreateDirectoryW(path.c_str(), nullptr)) return true;
    DWORD error = GetLastError();
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return true;
        SetLastError(ERROR_ALREADY_EXISTS);
        return false;
    }
    if (error != ERROR_PATH_NOT_FOUND) {
        SetLastError(error);
        return false;
    }
    size_t cut = path.find_last_of(L'\\');
    if (cut == std::wstring::npos || cut < 7) return false;
    if (!CreateFolderChain(path.substr(0, cut))) return false;
    return CreateDirectoryW(path.c_str(), nullptr) != 0;
}

// Free bytes on the drive that will hold `path` (the nearest existing parent is asked).
bool FreeSpace(const std::wstring& path, uint64_t* free) {
    std::wstring probe = path;
    for (;;) {
        DWORD attributes = GetFileAttributesW(probe.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) break;
        size_t cut = probe.find_last_of(L'\\');
        if (cut == std::wstring::npos || cut < 7) return false;
        probe.resize(cut);
        if (probe.size() == 6 && probe[5] == L':') probe += L'\\'; // "\\?\C:" -> "\\?\C:\"
    }
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExW(JoinPath(probe, L"").c_str(), &available, nullptr, nullptr))
        return false;
    *free = available.QuadPart;
    return true;
}

void SetFolderInfo(const std::wstring& path, const Item& folder, bool withAttributes) {
    Handle h(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.Valid()) return;
    DWORD attributes = withAttributes ? folder.attributes & kKeptAttributes : 0;
    SetBasicInfo(h.h, folder, attributes);
}

CopyResult NotStarted(const std::wstring& path, const std::wstring& reason) {
    CopyResult result;
    result.exitCode = kExitNotStarted;
    result.failures = 1;
    result.firstErrorPath = path;
    result.firstError = reason;
    return result;
}

bool IsDriveRoot(const std::wstring& path) {
    return path.size() <= 3 && path.size() >= 2;
}

} // namespace

std::wstring ExtendedPath(const std::wstring& fullPath) {
    if (fullPath.compare(0, 4, L"\\\\?\\") == 0) return fullPath;
    if (fullPath.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + fullPath.substr(2);
    return L"\\\\?\\" + fullPath;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() == L'\\') return folder + name;
    return folder + L"\\" + name;
}

CopyResult RunCopy(const std::wstring& source, const std::wstring& target, CopyShared* shared,
                   const CopyOptions& options, bool german) {
    Context c;
    c.source = ExtendedPath(source);
    c.target = ExtendedPath(target);
    c.sourceShown = source;
    c.shared = shared;
    c.options = options;

    WIN32_FILE_ATTRIBUTE_DATA rootData;
    if (!GetFileAttributesExW(c.source.c_str(), GetFileExInfoStandard, &rootData) ||
        !(rootData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return NotStarted(source, std::wstring(Text(TextId::SourceMissing, german)) + L" (" +
                                      SystemErrorText(GetLastError()) + L")");
    }
    {
        WIN32_FIND_DATAW probe;
        FindHandle find(FindFirstFileExW(JoinPath(c.source, L"*").c_str(), FindExInfoBasic, &probe,
                                         FindExSearchNameMatch, nullptr, 0));
        if (find.h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_NOT_FOUND)
            return NotStarted(source, std::wstring(Text(TextId::SourceMissing, german)) + L" (" +
                                          SystemErrorText(GetLastError()) + L")");
    }

    // First walk: totals for the progress bar and the space check.
    uint64_t folderCount = 0;
    WalkHooks count;
    count.folder = [&](const WIN32_FIND_DATAW&, const std::wstring&) {
        ++folderCount;
        return true;
    };
    count.file = [&](const WIN32_FIND_DATAW& data, const std::wstring&) {
        shared->filesTotal += 1;
        shared->bytesTotal += ((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
        return true;
    };
    count.problem = [](const std::wstring&, const std::wstring&) {};
    auto paused = [shared] {
        while (shared->paused && !shared->cancel)
            Sleep(20);
        return shared->cancel.load();
    };
    if (!WalkTree(c.source, c.target, nullptr, count, paused, german)) {
        CopyResult result;
        result.exitCode = kExitCancelled;
        return result;
    }
    uint64_t free = 0;
    if (FreeSpace(c.target, &free) && free < shared->bytesTotal) {
        return NotStarted(target, std::wstring(Text(TextId::NotEnoughSpace, german)) + L" (" +
                                      FormatBytes(shared->bytesTotal, german) + L" > " +
                                      FormatBytes(free, german) + L")");
    }
    if (!CreateFolderChain(c.target)) {
        return NotStarted(target, std::wstring(Text(TextId::TargetNotCreatable, german)) + L" (" +
                                      SystemErrorText(GetLastError()) + L")");
    }
    c.foldersMade = 1;
    FileId targetId;
    bool haveTargetId = ReadFolderId(c.target, &targetId);

    // Second walk: folders made here in order, files copied by the threads.
    shared->phase = kPhaseCopying;
    std::vector<std::thread> threads;
    for (int i = 0; i < options.threads; ++i)
        threads.emplace_back(CopyWorker, &c);
    std::vector<Item> folders;
    WalkHooks copy;
    copy.folder = [&](const WIN32_FIND_DATAW& data, const std::wstring& rel) {
        std::wstring path = JoinPath(c.target, rel);
        if (!CreateDirectoryW(path.c_str(), nullptr)) {
            DWORD error = GetLastError();
            DWORD attributes = GetFileAttributesW(path.c_str());
            if (error != ERROR_ALREADY_EXISTS || attributes == INVALID_FILE_ATTRIBUTES ||
                !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                FailWithError(&c, rel, error);
                return false;
            }
        }
        ++c.foldersMade;
        folders.push_back(ItemOf(rel, data));
        return true;
    };
    copy.file = [&](const WIN32_FIND_DATAW& data, const std::wstring& rel) {
        return PushItem(&c, ItemOf(rel, data));
    };
    copy.problem = [&](const std::wstring& rel, const std::wstring& reason) {
        AddFailure(&c, rel, reason);
    };
    auto stopped = [&c] {
        while (c.shared->paused && !Stopping(&c))
            Sleep(20);
        return Stopping(&c);
    };
    bool walked =
        WalkTree(c.source, c.target, haveTargetId ? &targetId : nullptr, copy, stopped, german);
    if (!walked) c.interrupted = true;
    CloseQueue(&c);
    for (std::thread& t : threads)
        t.join();

    // Folder times last, innermost first, so creating their contents cannot change them again.
    shared->phase = kPhaseFinishing;
    for (size_t i = folders.size(); i-- > 0;)
        SetFolderInfo(JoinPath(c.target, folders[i].rel), folders[i], true);
    Item root;
    root.attributes = rootData.dwFileAttributes;
    root.created = rootData.ftCreationTime;
    root.accessed = rootData.ftLastAccessTime;
    root.written = rootData.ftLastWriteTime;
    SetFolderInfo(c.target, root, !IsDriveRoot(source));

    CopyResult result;
    result.files = c.filesCopied;
    result.bytes = c.bytesCopied;
    result.folders = c.foldersMade;
    {
        LockHold hold(&shared->lock);
        result.failures = shared->failureCount;
        if (!shared->failures.empty()) {
            result.firstErrorPath = shared->failures[0].path;
            result.firstError = shared->failures[0].reason;
        }
    }
    if (shared->cancel && c.interrupted)
        result.exitCode = kExitCancelled;
    else if (result.failures > 0 || c.interrupted)
        result.exitCode = kExitFailures;
    else
        result.exitCode = kExitComplete;
    shared->phase = kPhaseDone;
    return result;
}
