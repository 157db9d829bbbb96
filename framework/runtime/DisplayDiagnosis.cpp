#include "runtime/DisplayDiagnosis.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QStringList>

namespace {

// The folders that Qt looks for platforms in.
QStringList PlatformFolders() {
    QStringList folders;
    const QString chosen = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (!chosen.isEmpty()) folders << chosen;
    for (const QString& path :
         qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        folders << path + QStringLiteral("/platforms");
    }
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
    return folders;
}

// Empty when the platform of that name is installed and loads; otherwise why not.
QString LoadProblem(const QString& platform) {
    for (const QString& folder : PlatformFolders()) {
        const QDir dir(folder);
        for (const QString& file : dir.entryList(QDir::Files)) {
            QPluginLoader loader(dir.filePath(file));
            const QJsonArray keys = loader.metaData()
                                        .value(QStringLiteral("MetaData"))
                                        .toObject()
                                        .value(QStringLiteral("Keys"))
                                        .toArray();
            for (const auto& key : keys) {
                if (key.toString().compare(platform, Qt::CaseInsensitive) != 0) continue;
                return loader.load() ? QString() : loader.errorString();
            }
        }
    }
    return QStringLiteral("it is not installed");
}

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

}  // namespace

std::string DisplayDiagnosis::Explain() {
    const QString x = qEnvironmentVariable("DISPLAY");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    const QString chosen = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (chosen.isEmpty() && x.isEmpty() && wayland.isEmpty()) {
        return "needs a graphical display: neither DISPLAY nor WAYLAND_DISPLAY is set";
    }
    // The platforms that were tried: the chosen ones (a name may carry options after a colon),
    // or those that the displays at hand ask for.
    QStringList platforms;
    for (const QString& entry : chosen.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        platforms << entry.section(QLatin1Char(':'), 0, 0);
    }
    if (chosen.isEmpty()) {
        if (!wayland.isEmpty()) platforms << QStringLiteral("wayland");
        if (!x.isEmpty()) platforms << QStringLiteral("xcb");
    }
    QStringList unreachable;
    QStringList unset;
    auto display = [&](const QString& kind, const QString& variable, const QString& value) {
        if (value.isEmpty()) {
            unset << variable + QStringLiteral(" is not set");
        } else {
            unreachable << "the " + kind + " display " + Quoted(value);
        }
    };
    for (const QString& platform : platforms) {
        const QString problem = LoadProblem(platform);
        if (!problem.isEmpty()) {
            return ("cannot load the display platform " + Quoted(platform) + ": " + problem)
                .toStdString();
        }
        if (platform == QStringLiteral("xcb")) {
            display(QStringLiteral("X"), QStringLiteral("DISPLAY"), x);
        } else if (platform.startsWith(QStringLiteral("wayland"))) {
            display(QStringLiteral("Wayland"), QStringLiteral("WAYLAND_DISPLAY"), wayland);
        } else {
            unreachable << "the display of platform " + Quoted(platform);
        }
    }
    if (unreachable.isEmpty()) {
        return ("needs a graphical display: " + unset.join(QStringLiteral(", "))).toStdString();
    }
    unset.prepend("cannot reach " + unreachable.join(QStringLiteral(" or ")));
    return unset.join(QStringLiteral("; ")).toStdString();
}
