#pragma once

#include "app/platform/launcher/KeyFile.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace qor {

// A command of the desktop's own log-out dialog, and the desktop (XDG_CURRENT_DESKTOP) it
// belongs to, or none.
struct LeaveCommand {
    QString desktop;
    QStringList argv;
    friend bool operator==(const LeaveCommand&, const LeaveCommand&) = default;
};

// What a program named by the launch buttons is for, and how the desktop's application for it
// is found.
struct Purpose {
    QString description;            // "calculator application"
    QStringList mimeTypes;          // defaults for these types first, in order
    QList<QStringList> categories;  // then an application in all of one set's categories
    QStringList searches;           // then the best match of the desktop's search for each
    bool opensHome = false;         // the application is given the home folder
    QList<LeaveCommand> askToLeave; // only for leaving the session
};

// The purposes, read from the data file installed with QOR (so a distribution can change it).
class PurposeTable {
public:
    // The installed table: qor/purposes.conf in the XDG data folders, else the copy built into
    // the program.
    static PurposeTable installed();
    static PurposeTable read(const KeyFile& file);
    // The copy of the shipped file that the program carries.
    static QByteArray builtInText();

    std::optional<Purpose> find(const QString& key) const;
    const QStringList& problems() const { return problems_; }

private:
    QList<std::pair<QString, Purpose>> purposes_;
    QStringList problems_;
};

// The log-out commands in the order they are tried: the current desktop's first, then the rest
// as listed.
QList<LeaveCommand> inTryOrder(const QList<LeaveCommand>& commands,
                               const QStringList& currentDesktops);

} // namespace qor
