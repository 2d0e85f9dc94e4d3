#pragma once

// Shared by the GUI tests and the window benchmarks: the window runs on a copy of the
// generated program directory (it writes its profile files), and the program-wide services
// the window uses are put back afterwards.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include "controls/SkinImage.h"
#include "device/DeviceLink.h"
#include "platform/Clock.h"
#include "platform/ExeDir.h"
#include "platform/PrivateProfile.h"
#include "settings/PointerSettings.h"
#include "RecordingPointerSettings.h"

namespace zentro::test {

// Copies the skin folder and the profile files (*.bin, *.ini) of `from` into `to`.
inline void CopyProgramDir(const QString& from, const QString& to)
{
    const QString skins = from + "/Skins";
    QDirIterator it(skins, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + "/Skins/" + QDir(skins).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(file, target);
    }
    for (const QString& name : QDir(from).entryList({"*.bin", "*.ini"}, QDir::Files))
        QFile::copy(from + "/" + name, to + "/" + name);
}

} // namespace zentro::test
