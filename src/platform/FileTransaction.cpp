#include "platform/FileTransaction.h"

#include <cctype>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/FileStatus.h"
#include "platform/FileSteps.h"

namespace zentro {

namespace {

constexpr char JOURNAL_NAME[] = ".zentro-journal";
constexpr char NEW_PREFIX[] = ".zentro-new.";
constexpr char OLD_PREFIX[] = ".zentro-old.";
constexpr char JOURNAL_COMMIT[] = "zentro-journal commit";
constexpr char JOURNAL_UNDO[] = "zentro-journal undo";

using Op = CFileTransaction::Op;
using Kind = CFileTransaction::Kind;

std::string DirOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string TempOf(const std::string& path)
{
    return DirOf(path) + "/" + NEW_PREFIX + BaseOf(path);
}

std::string KeptOf(const std::string& path)
{
    return DirOf(path) + "/" + OLD_PREFIX + BaseOf(path);
}

// Something is there, a dangling link too.
bool Exists(const std::string& path)
{
    return LinkStatusOf(path).Exists();
}

void SyncDir(const std::string& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The steps themselves; each announces itself first and answers 0 or an errno.
int StepUnlink(const std::string& path)
{
    if (const int fault = FileStepFault(FileStep::Remove, path))
        return fault;
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return errno;
    return 0;
}

int StepRename(const std::string& from, const std::string& to)
{
    if (const int fault = FileStepFault(FileStep::Rename, to))
        return fault;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int StepLink(const std::string& from, const std::string& to)
{
    if (const int fault = FileStepFault(FileStep::Link, to))
        return fault;
    // linkat without AT_SYMLINK_FOLLOW links a symbolic link itself, not what it leads to.
    return ::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) == 0 ? 0 : errno;
}

int StepWriteTemp(const Op& op, const std::string& temp)
{
    if (const int fault = FileStepFault(FileStep::Write, op.path))
        return fault;
    ::unlink(temp.c_str());
    if (op.kind == Kind::Link)
        return ::symlink(op.content.c_str(), temp.c_str()) == 0 ? 0 : errno;

    mode_t mode = 0644;
    struct stat st {};
    if (::lstat(op.path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        mode = st.st_mode & 07777;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0)
        return errno;
    const char* p = op.content.data();
    size_t left = op.content.size();
    int error = 0;
    while (left > 0 && error == 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno != EINTR)
                error = errno;
            continue;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (error == 0 && ::fchmod(fd, mode) != 0)
        error = errno;
    if (error == 0)
        error = FileStepFault(FileStep::Sync, op.path);
    if (error == 0) {
        int synced;
        while ((synced = ::fsync(fd)) != 0 && errno == EINTR) {
        }
        if (synced != 0)
            error = errno;
    }
    if (::close(fd) != 0 && errno != EINTR && error == 0)
        error = errno;
    if (error != 0)
        ::unlink(temp.c_str());
    return error;
}

const char* KindWord(Kind kind)
{
    switch (kind) {
    case Kind::Put:
        return "put";
    case Kind::Link:
        return "link";
    case Kind::Remove:
        return "remove";
    }
    return "?";
}

std::string JournalText(const char* header, const std::vector<Op>& ops)
{
    std::string text = std::string(header) + "\n";
    for (const Op& op : ops)
        text +=
            std::string(KindWord(op.kind)) + " " + (op.hadOld ? "1" : "0") + " " + op.path + "\n";
    return text + "end\n";
}

bool ParseJournal(const std::string& text, bool& undo, std::vector<Op>& ops)
{
    ops.clear();
    size_t start = 0;
    std::vector<std::string> lines;
    while (start < text.size()) {
        const size_t nl = text.find('\n', start);
        if (nl == std::string::npos)
            return false; // every line of a whole journal ends
        lines.push_back(text.substr(start, nl - start));
        start = nl + 1;
    }
    if (lines.size() < 2 || lines.back() != "end")
        return false;
    if (lines[0] == JOURNAL_COMMIT)
        undo = false;
    else if (lines[0] == JOURNAL_UNDO)
        undo = true;
    else
        return false;
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string& line = lines[i];
        const size_t a = line.find(' ');
        if (a == std::string::npos || a + 3 > line.size() || line[a + 2] != ' ')
            return false;
        Op op;
        const std::string word = line.substr(0, a);
        if (word == "put")
            op.kind = Kind::Put;
        else if (word == "link")
            op.kind = Kind::Link;
        else if (word == "remove")
            op.kind = Kind::Remove;
        else
            return false;
        op.hadOld = line[a + 1] == '1';
        op.path = line.substr(a + 3);
        if (op.path.empty() || op.path[0] != '/')
            return false;
        ops.push_back(std::move(op));
    }
    return true;
}

int WriteJournal(const std::string& journal, const char* header, const std::vector<Op>& ops)
{
    const std::string text = JournalText(header, ops);
    int error = 0;
    if (!WriteFileAtomically(journal, text.data(), text.size(), &error))
        return error ? error : EIO;
    SyncDir(DirOf(journal));
    return 0;
}

// Puts every op's kept file back (or removes what it added), from the last to the first.
// The first error, 0 when everything is as before.
int UndoOps(const std::vector<Op>& ops)
{
    int first = 0;
    for (auto it = ops.rbegin(); it != ops.rend(); ++it) {
        const std::string kept = KeptOf(it->path);
        int error = 0;
        if (it->hadOld) {
            if (Exists(kept))
                error = StepRename(kept, it->path);
        } else if (it->kind != Kind::Remove) {
            error = StepUnlink(it->path);
        }
        if (first == 0)
            first = error;
        ::unlink(TempOf(it->path).c_str());
    }
    return first;
}

// Renames every waiting new file into place and unlinks every removed one; steps done
// already are skipped, so this may run again after a stop.
int RedoOps(const std::vector<Op>& ops)
{
    for (const Op& op : ops) {
        int error = 0;
        if (op.kind == Kind::Remove) {
            error = StepUnlink(op.path);
        } else {
            const std::string temp = TempOf(op.path);
            if (Exists(temp))
                error = StepRename(temp, op.path);
        }
        if (error != 0)
            return error;
    }
    return 0;
}

// The last steps of a transaction that took effect: the journal goes, then the kept files.
void Finish(const std::string& journal, const std::vector<Op>& ops)
{
    std::set<std::string> dirs;
    for (const Op& op : ops)
        dirs.insert(DirOf(op.path));
    for (const std::string& dir : dirs)
        SyncDir(dir);
    if (StepUnlink(journal) != 0)
        return; // the next recovery finds nothing left to do but this
    SyncDir(DirOf(journal));
    for (const Op& op : ops)
        if (op.hadOld)
            StepUnlink(KeptOf(op.path));
}

// The temporary file of a replacement a stop interrupted: "<name>.tmp-" and six characters.
bool IsAtomicWriteTemp(const std::string& name)
{
    const size_t at = name.rfind(".tmp-");
    if (at == std::string::npos || at == 0 || name.size() != at + 5 + 6)
        return false;
    for (size_t i = at + 5; i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

void RemoveStrays(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    std::vector<std::string> strays;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.rfind(NEW_PREFIX, 0) == 0 || name.rfind(OLD_PREFIX, 0) == 0 ||
            IsAtomicWriteTemp(name))
            strays.push_back(folder + "/" + name);
    }
    ::closedir(dir);
    for (const std::string& path : strays)
        ::unlink(path.c_str());
}

} // namespace

CFileTransaction::CFileTransaction(std::string folder) : m_folder(std::move(folder))
{
}

std::string CFileTransaction::JournalPath(const std::string& folder)
{
    return folder + "/" + JOURNAL_NAME;
}

void CFileTransaction::Put(const std::string& path, std::string content, bool throughLink)
{
    std::string target = path;
    int error = 0;
    if (throughLink && !FollowLinks(path, target, error))
        target = path; // a broken chain: Commit reports the failure at that file
    m_ops.push_back({Kind::Put, target, std::move(content), false});
}

void CFileTransaction::PutLink(const std::string& path, std::string target)
{
    m_ops.push_back({Kind::Link, path, std::move(target), false});
}

void CFileTransaction::Remove(const std::string& path)
{
    m_ops.push_back({Kind::Remove, path, {}, false});
}

bool CFileTransaction::Commit(int* errorOut, std::string* failedPath)
{
    auto fail = [&](int error, const std::string& path) {
        if (errorOut)
            *errorOut = error;
        if (failedPath)
            *failedPath = path;
        DebugOutput("File transaction in " + m_folder + " failed at " + path + ": errno " +
                    std::to_string(error) + "\n");
        return false;
    };
    if (errorOut)
        *errorOut = 0;
    if (m_ops.empty())
        return true;
    // A change a stop left half-done is finished before a new one starts.
    if (!RecoverFileTransaction(m_folder))
        return fail(EBUSY, JournalPath(m_folder));

    std::set<std::string> seen;
    for (const Op& op : m_ops) {
        if (op.path.empty() || op.path[0] != '/' || op.path.find('\n') != std::string::npos ||
            !seen.insert(op.path).second)
            return fail(EINVAL, op.path);
        if (op.kind == Kind::Put) {
            // A file its owner made read-only is refused, as a plain write of it would be.
            struct stat st {};
            if (::lstat(op.path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
                ((st.st_mode & 0222) == 0 || ::access(op.path.c_str(), W_OK) != 0))
                return fail(EACCES, op.path);
            if (::lstat(op.path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
                return fail(EISDIR, op.path);
        }
    }

    // 1. Every new file beside its target, flushed.
    for (size_t i = 0; i < m_ops.size(); ++i) {
        if (m_ops[i].kind == Kind::Remove)
            continue;
        if (const int error = StepWriteTemp(m_ops[i], TempOf(m_ops[i].path))) {
            for (size_t k = 0; k < i; ++k)
                ::unlink(TempOf(m_ops[k].path).c_str());
            return fail(error, m_ops[i].path);
        }
    }
    // 2. A second name for every file that will be replaced or removed.
    auto dropPrepared = [&](size_t keptUpTo) {
        for (size_t k = 0; k < m_ops.size(); ++k) {
            ::unlink(TempOf(m_ops[k].path).c_str());
            if (k < keptUpTo && m_ops[k].hadOld)
                ::unlink(KeptOf(m_ops[k].path).c_str());
        }
    };
    for (size_t i = 0; i < m_ops.size(); ++i) {
        Op& op = m_ops[i];
        op.hadOld = Exists(op.path);
        if (!op.hadOld)
            continue;
        ::unlink(KeptOf(op.path).c_str());
        if (const int error = StepLink(op.path, KeptOf(op.path))) {
            op.hadOld = false;
            dropPrepared(i);
            return fail(error, op.path);
        }
    }
    // 3. The journal: from here on a stop is completed at the next start.
    const std::string journal = JournalPath(m_folder);
    if (const int error = WriteJournal(journal, JOURNAL_COMMIT, m_ops)) {
        dropPrepared(m_ops.size());
        return fail(error, journal);
    }
    // 4. Into place, in order.
    for (size_t i = 0; i < m_ops.size(); ++i) {
        const Op& op = m_ops[i];
        const int error =
            op.kind == Kind::Remove ? StepUnlink(op.path) : StepRename(TempOf(op.path), op.path);
        if (error == 0)
            continue;
        // Undo what was done. Should even the journal's change of mind fail, the journal
        // still says "complete it", and the next start does.
        if (WriteJournal(journal, JOURNAL_UNDO, m_ops) == 0 && UndoOps(m_ops) == 0) {
            if (StepUnlink(journal) == 0)
                RemoveStrays(m_folder);
        }
        return fail(error, op.path);
    }
    Finish(journal, m_ops);
    return true;
}

bool RecoverFileTransaction(const std::string& folder, std::string* report)
{
    const std::string journal = CFileTransaction::JournalPath(folder);
    if (!Exists(journal)) {
        RemoveStrays(folder);
        return true;
    }
    std::ifstream in(journal, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    bool undo = false;
    std::vector<Op> ops;
    if (!ParseJournal(text, undo, ops)) {
        // Written atomically, so never torn: this is not ours. Leave it and say so.
        if (report)
            *report = journal + " cannot be read; nothing was changed";
        DebugOutput("Recovery: " + journal + " cannot be read\n");
        return false;
    }
    const int error = undo ? UndoOps(ops) : RedoOps(ops);
    if (error != 0) {
        if (report)
            *report = "cannot " + std::string(undo ? "undo" : "complete") +
                      " the interrupted change: errno " + std::to_string(error);
        return false;
    }
    if (undo) {
        if (StepUnlink(journal) != 0)
            return false;
        RemoveStrays(folder);
    } else {
        Finish(journal, ops);
        if (Exists(journal))
            return false;
        RemoveStrays(folder);
    }
    if (report)
        *report = std::string(undo ? "undid" : "completed") + " an interrupted change of " +
                  std::to_string(ops.size()) + " files";
    DebugOutput("Recovery: " + std::string(undo ? "undid" : "completed") +
                " an interrupted change in " + folder + "\n");
    return true;
}

} // namespace zentro
