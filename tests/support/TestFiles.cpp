#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace qor::test {

bool writeFile(const QString& path, const QByteArray& contents) {
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

bool writeExecutable(const QString& path, const QString& text) {
    return writeFile(path, text.toUtf8()) &&
           QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}

QProcessEnvironment withFirstOnPath(const QString& folder) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", folder + ':' + environment.value("PATH"));
    return environment;
}

} // namespace qor::test
