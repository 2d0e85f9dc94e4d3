#pragma once

#include <string>
#include <vector>

// Changes of several files in one folder that must happen together (a profile's settings and
// labels, the whole profile list with its files): all of them take effect, or none does, even
// when the program is stopped half-way or the disk refuses a write.
//
// Commit writes every new file under a temporary name beside its target and flushes it, keeps
// a hard link to every file it will replace or remove, and writes a journal that lists the
// changes. Only then are the new files renamed into place and the removed ones unlinked, in
// the order they were given (the file that names the others, like str.ini, last). A failure on
// the way undoes what was done from the kept links. A stop on the way leaves the journal, and
// RecoverFileTransaction, run before the folder is read at the next start, completes (or, when
// the journal says so, undoes) the change.

namespace zentro {

class CFileTransaction {
public:
    // `folder` holds the journal; the files may lie elsewhere (see Put's throughLink).
    explicit CFileTransaction(std::string folder);

    // `path` gets `content` (mode of the file it replaces, else 0644). With `throughLink`, a
    // symbolic link at `path` stays and the file it leads to is replaced; otherwise the link
    // itself is replaced by the new file.
    void Put(const std::string& path, std::string content, bool throughLink = false);
    // `path` becomes a symbolic link to `target` (a moved link stays a link).
    void PutLink(const std::string& path, std::string target);
    // `path` goes (a link goes, not what it leads to).
    void Remove(const std::string& path);

    bool Empty() const { return m_ops.empty(); }

    // True when every change took effect. False: every file is as before, or (where even the
    // undoing failed) the journal finishes the change at the next RecoverFileTransaction;
    // *error gets the errno and *failedPath the file of the failing step.
    bool Commit(int* error = nullptr, std::string* failedPath = nullptr);

    // The journal's file name in a folder.
    static std::string JournalPath(const std::string& folder);

    enum class Kind { Put, Link, Remove };
    struct Op {
        Kind kind = Kind::Put;
        std::string path; // where the change lands (links followed already, for throughLink)
        std::string content;
        bool hadOld = false; // filled by Commit: something was there to keep
    };

private:
    std::string m_folder;
    std::vector<Op> m_ops;
};

// Completes or undoes the change of a transaction a stop interrupted, and removes what such a
// stop left behind. True when the folder is clean afterwards (also when there was nothing to
// do); *report (when given) says what was done.
bool RecoverFileTransaction(const std::string& folder, std::string* report = nullptr);

} // namespace zentro
