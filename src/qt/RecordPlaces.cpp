#include "RecordPlaces.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace kelvore::qt {

namespace {

QString clean(const QString& path) {
    return QDir::cleanPath(path);
}

// True when `path` is `folder` or lies inside it.
bool isWithin(const QString& path, const QString& folder) {
    if (folder == QLatin1String("/")) return path.startsWith(QLatin1Char('/'));
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// Mount points below which a user's own disks, removable media and shares appear.
bool isUserMountPoint(const QString& path, const QString& home) {
    for (const char* root : {"/media", "/run/media", "/mnt", "/home"})
        if (isWithin(path, QString::fromLatin1(root))) return true;
    return !home.isEmpty() && home != QLatin1String("/") && isWithin(path, home);
}

} // namespace

QList<Mount> mountedFileSystems() {
    QList<Mount> mounts;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        mounts.append(
            {volume.rootPath(), QString::fromUtf8(volume.fileSystemType()), volume.name()});
    return mounts;
}

bool isPseudoFileSystem(const QString& type) {
    static const char* const kPseudo[] = {
        "proc",   "sysfs",      "cgroup",    "cgroup2",     "devtmpfs",        "devpts",
        "mqueue", "hugetlbfs",  "debugfs",   "tracefs",     "securityfs",      "pstore",
        "bpf",    "configfs",   "fusectl",   "binfmt_misc", "autofs",          "efivarfs",
        "nsfs",   "rpc_pipefs", "selinuxfs", "nfsd",        "fuse.gvfsd-fuse", "fuse.portal",
        "none"};
    for (const char* p : kPseudo)
        if (type == QLatin1String(p)) return true;
    return type.isEmpty();
}

QList<Place> userPlaces(const QList<Mount>& mounts, const QString& home) {
    QList<Place> places;
    auto add = [&](const QString& path, const QString& label) {
        for (const Place& p : places)
            if (p.path == path) return;
        places.append({path, label});
    };
    const QString h = home.isEmpty() ? QString() : clean(home);
    if (!h.isEmpty()) add(h, QCoreApplication::translate("RecordPlaces", "ホーム  ") + h);
    add(QStringLiteral("/"), QStringLiteral("/"));
    QList<Mount> sorted = mounts;
    std::sort(sorted.begin(), sorted.end(),
              [](const Mount& a, const Mount& b) { return a.rootPath < b.rootPath; });
    for (const Mount& m : sorted) {
        const QString root = clean(m.rootPath);
        if (root.isEmpty() || !root.startsWith(QLatin1Char('/'))) continue;
        if (isPseudoFileSystem(m.type) || !isUserMountPoint(root, h)) continue;
        const QString base = root.section(QLatin1Char('/'), -1);
        add(root, m.name.isEmpty() || m.name == base
                      ? root
                      : root + QStringLiteral("  [") + m.name + QLatin1Char(']'));
    }
    return places;
}

int placeOf(const QList<Place>& places, const QString& folder) {
    const QString f = clean(folder);
    int best = -1;
    for (int i = 0; i < places.size(); ++i)
        if (isWithin(f, places[i].path) &&
            (best < 0 || places[i].path.size() > places[best].path.size()))
            best = i;
    return best;
}

QStringList folderChain(const QString& folder) {
    QStringList chain;
    QString f = clean(folder);
    if (!f.startsWith(QLatin1Char('/'))) f = clean(QDir(f).absolutePath());
    for (;;) {
        chain.prepend(f);
        if (f == QLatin1String("/")) break;
        const int slash = f.lastIndexOf(QLatin1Char('/'));
        f = slash <= 0 ? QStringLiteral("/") : f.left(slash);
    }
    return chain;
}

QStringList subfolders(const QString& folder) {
    QStringList out;
    const QDir dir(folder);
    for (const QFileInfo& fi :
         dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        out << fi.absoluteFilePath();
    return out;
}

QStringList recordFiles(const QString& folder) {
    QStringList out;
    const QDir dir(folder);
    const QString pattern = QString::fromUtf8("*.棋譜");
    for (const QFileInfo& fi : dir.entryInfoList({pattern}, QDir::Files, QDir::Name)) {
        // QDir::Files already leaves folders out; a regular file (or a link to one) is all the
        // record reader can open.
        if (!fi.isFile() || fi.isDir()) continue;
        out << fi.absoluteFilePath();
    }
    return out;
}

} // namespace kelvore::qt
