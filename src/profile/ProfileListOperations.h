#pragma once

#include <string>
#include <vector>

// The profile list as the popup edits it, and what confirming it does to the files.
//
// A profile's settings and texts live in the files numbered by its position in the list
// (config%d.bin, str%d.ini). The popup edits names only; when it is confirmed the files follow
// the names: a deleted entry's files go and the later ones move down one number, a copy gets a
// copy of its source's files, and a new entry starts from the factory settings, marked not
// initialised (IsDefault=N), so its first load gives the defaults. Only then is the list
// written to str.ini.
//
// All of it runs on the user-interface thread and shows nothing to the user.

namespace zentro {

// The source of an entry that starts from the factory settings.
constexpr int PROFILE_SOURCE_FACTORY = -1;

// One entry of the edited list.
struct EditedProfileEntry {
    std::string name;
    // The number the entry's files had when the list was opened, or PROFILE_SOURCE_FACTORY.
    int source = PROFILE_SOURCE_FACTORY;
    // A copy takes its source's files but is another profile.
    bool copy = false;
};

// The name of a new entry added after `names`: prefix + " 1" for an empty list; after a last
// entry with a space, prefix + " " + (number after the first space + 1), a text that is no
// number counting as 0; after a last entry without a space, that entry + " " + the count.
std::string NextProfileName(const std::string& prefix, const std::vector<std::string>& names);

// `name`, or when one of `names` has it already, `name` + " (2)", " (3)" ...: the program
// finds its current profile by name, so two entries must never share one.
std::string UniqueProfileName(const std::string& name, const std::vector<std::string>& names);

// The list box's prefix search: the first entry that begins with `text` (ASCII case ignored),
// searching from entry 1 to the end and then entry 0. -1 when none does.
int FindProfileNamePrefix(const std::vector<std::string>& names, const std::string& text);

// The entry the popup selects on opening for the current name of str.ini. The entry whose
// name is exactly that name is the profile the program loads (the last one, as the loader
// compares every entry), and `loadedNumber` when several are; only when no name is equal the
// prefix search decides. -1 when nothing matches.
int FindCurrentProfileEntry(const std::vector<std::string>& names, const std::string& current,
                            int loadedNumber);

// The new number of the profile that had `oldNumber` when the list was opened (copies do not
// count), or -1 when its entry was deleted.
int RenumberedProfile(const std::vector<EditedProfileEntry>& entries, int oldNumber);

// Confirms the edited list as one transaction of files: nothing at all when str.ini is
// missing, its list no longer has `oldCount` entries, or two entries share a name (false).
// Otherwise config%d.bin and str%d.ini of every position i become those of entries[i].source
// (read whole before anything is written; a link stays a link; a missing source file makes the
// target go too, an unreadable one fails), or the factory pair for PROFILE_SOURCE_FACTORY;
// positions from entries.size() up to oldCount - 1 lose their files; and, last, str.ini's
// Profile section becomes CurProfileName (the name of entry `selected`, entry 0 when none is
// selected), ItemCount and Item0.. (both only for a list that is not empty). On any failure
// every file stays as it was and *reason says why. CurrentProfileNumber becomes the selected
// entry's number, and the profile held in memory keeps its identity: g_nSelectedProfile follows it
// to its new number
// (-1 when it was deleted), and so do the current file names.
bool CommitProfileList(const std::vector<EditedProfileEntry>& entries, int selected, int oldCount,
                       std::string* reason = nullptr);

} // namespace zentro
