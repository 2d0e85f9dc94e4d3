#pragma once

#include <functional>
#include <string>

// Every step by which the program changes a file on disk (creating and writing a temporary
// file, flushing it, renaming, removing, linking) is announced here first. The programs never
// set a hook; tests do, to stop an operation after any step or to make one step fail with the
// error a full disk, a refused write or a broken disk would give, and then check that the
// person's files are wholly old or wholly new.

namespace zentro {

enum class FileStep { Write, Sync, Rename, Remove, Link };

// Returns 0 to let the step happen, or the errno the step is to fail with.
using FileStepHook = std::function<int(FileStep step, const std::string& path)>;

// Installs `hook` (an empty one removes it). Tests only; not thread-safe against running steps.
void SetFileStepHookForTest(FileStepHook hook);
bool HasFileStepHookForTest();

// 0 when the step may happen; else the errno it fails with (also left in errno).
int FileStepFault(FileStep step, const std::string& path);

const char* FileStepName(FileStep step);

} // namespace zentro
