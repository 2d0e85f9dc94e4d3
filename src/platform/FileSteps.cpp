#include "platform/FileSteps.h"

#include <cerrno>

namespace zentro {

namespace {
FileStepHook g_fileStepHook;
}

void SetFileStepHookForTest(FileStepHook hook)
{
    g_fileStepHook = std::move(hook);
}

bool HasFileStepHookForTest()
{
    return static_cast<bool>(g_fileStepHook);
}

int FileStepFault(FileStep step, const std::string& path)
{
    if (!g_fileStepHook)
        return 0;
    const int error = g_fileStepHook(step, path);
    if (error != 0)
        errno = error;
    return error;
}

const char* FileStepName(FileStep step)
{
    switch (step) {
    case FileStep::Write:
        return "write";
    case FileStep::Sync:
        return "sync";
    case FileStep::Rename:
        return "rename";
    case FileStep::Remove:
        return "remove";
    case FileStep::Link:
        return "link";
    }
    return "?";
}

} // namespace zentro
