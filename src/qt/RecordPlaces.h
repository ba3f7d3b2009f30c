// What the record panel's three lists show: the places a user keeps files in (the drive
// list), the folders from the root down to the chosen one and below it (the folder list), and
// the record files of a folder (the file list).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kelvore::qt {

// One mounted file system as the system reports it.
struct Mount {
    QString rootPath; // where it is mounted
    QString type;     // "ext4", "vfat", "proc", "tmpfs", ...
    QString name;     // its label, may be empty
};

// One entry of the drive list.
struct Place {
    QString path;
    QString label;
};

// The mounted file systems of this machine.
QList<Mount> mountedFileSystems();

// True for the kernel's own file systems, which hold no files of the user (proc, sysfs,
// cgroup, devtmpfs, ...).
bool isPseudoFileSystem(const QString& type);

// The drive list: the home folder, the root, then every mounted file system a user keeps
// files on (removable media, other disks, network shares under /media, /run/media, /mnt,
// /home or the home folder). The system's own mounts (/proc, /sys, /run, /dev, /boot, the
// layers of a container, ...) are left out. No path appears twice.
QList<Place> userPlaces(const QList<Mount>& mounts, const QString& home);

// The index of the place that holds `folder`: the one with the longest path above it.
int placeOf(const QList<Place>& places, const QString& folder);

// The folders from the root down to `folder`, the root first, `folder` last.
QStringList folderChain(const QString& folder);

// The visible folders directly inside `folder`, sorted by name.
QStringList subfolders(const QString& folder);

// The record files of `folder`: regular files (or links to regular files) whose names end in
// ".棋譜", sorted by name. Folders, pipes, devices and broken links are never listed, whatever
// their names.
QStringList recordFiles(const QString& folder);

} // namespace kelvore::qt
